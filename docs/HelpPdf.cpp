// Build-time tool: turns one of the Markdown help documents into the PDF the
// editor opens from its Help menu.
//
//   keyloom_helppdf INPUT.md OUTPUT.pdf TITLE
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <QTextStream>

int main(int argc, char** argv) {
  // Runs during the build, where no display exists.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = QGuiApplication::arguments();
  QTextStream err(stderr);
  if (args.size() != 4) {
    err << "usage: keyloom_helppdf INPUT.md OUTPUT.pdf TITLE\n";
    return 2;
  }
  QFile in(args[1]);
  if (!in.open(QIODevice::ReadOnly)) {
    err << "cannot read " << args[1] << ": " << in.errorString() << "\n";
    return 1;
  }
  const QString markdown = QString::fromUtf8(in.readAll());

  QPdfWriter writer(args[2]);
  writer.setTitle(args[3]);
  writer.setCreator(QStringLiteral("KeyloomTVRxx"));
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setPageMargins(QMarginsF(20, 18, 20, 18), QPageLayout::Millimeter);
  writer.setResolution(300);

  QTextDocument doc;
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(10.5);
  doc.setDefaultFont(font);
  doc.setMetaInformation(QTextDocument::DocumentTitle, args[3]);
  doc.setMarkdown(markdown);
  doc.print(&writer);

  if (!QFile::exists(args[2]) || QFile(args[2]).size() == 0) {
    err << "cannot write " << args[2] << "\n";
    return 1;
  }
  return 0;
}
