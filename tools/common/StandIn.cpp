#include "StandIn.h"

#include <QDir>
#include <QLabel>
#include <QStandardPaths>

QLabel* MakeStandInNotice(const QString& program, const QString& role, const QString& whatItDoes,
                          QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName("lblStandIn");
  label->setWordWrap(true);
  label->setTextFormat(Qt::RichText);
  label->setText(
      QStringLiteral("<b>%1 stands in for the keypad's own %2.</b> %3")
          .arg(program.toHtmlEscaped(), role.toHtmlEscaped(), whatItDoes.toHtmlEscaped()));
  label->setStyleSheet(QStringLiteral(
      "QLabel { background: #fff6c8; color: #3a3000; border: 1px solid #d8c46a; padding: 6px; }"));
  return label;
}

QString LoaderSettingsPath() {
  const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return QDir(docs).filePath(QStringLiteral("Corvella/KeyloomTVRxx/VOVirUvad.ini"));
}

QString Unquoted(QString argument) {
  if (argument.size() >= 2 && argument.startsWith(u'"') && argument.endsWith(u'"')) {
    argument = argument.mid(1, argument.size() - 2);
  }
  return argument;
}
