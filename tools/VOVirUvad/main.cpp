// VOVirUvad.exe FILE: stands in for the keypad's loader. It reads the
// download file the editor wrote, checks its structure and shows what would
// be sent to the keypad. It never opens a port.
//
//   VOVirUvad.exe FILE           window
//   VOVirUvad.exe --check FILE   prints the result, exit code 0 (sound) or 1
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTextStream>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdio>

#include "DownloadCheck.h"
#include "LoaderSettings.h"
#include "StandIn.h"

namespace {

std::filesystem::path ToPath(const QString& s) { return std::filesystem::path(s.toStdU16String()); }

QString BytesText(const std::vector<uint8_t>& bytes) {
  QStringList parts;
  for (uint8_t b : bytes) parts << QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
  return parts.join(u' ');
}

class TfrmLoader : public QWidget {
 public:
  TfrmLoader() {
    setObjectName("frmLoader");
    setWindowTitle("VOVirUvad - download file check (stand-in)");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakeStandInNotice(
        "VOVirUvad.exe", "loader program",
        "It checks the download file and shows what would be sent; it does not talk to a keypad.",
        this));

    auto* form = new QFormLayout;
    for (auto [name, caption] : {std::pair{"lblFile", "Download file:"},
                                 {"lblPort", "Port:"},
                                 {"lblDelay", "Download delay:"},
                                 {"lblBytes", "Bytes to send:"},
                                 {"lblKeys", "Keys:"}}) {
      auto* value = new QLabel(this);
      value->setObjectName(name);
      value->setTextInteractionFlags(Qt::TextSelectableByMouse);
      form->addRow(caption, value);
      values_.push_back(value);
    }
    layout->addLayout(form);

    status_ = new QLabel(this);
    status_->setObjectName("lblStatus");
    status_->setWordWrap(true);
    layout->addWidget(status_);

    table_ = new QTableWidget(0, 5, this);
    table_->setObjectName("tblKeys");
    table_->setHorizontalHeaderLabels(
        {"Key", "Level 1", "Level 1 bytes", "Level 2", "Level 2 bytes"});
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    table_->horizontalHeader()->setSectionResizeMode(4, QHeaderView::Stretch);
    layout->addWidget(table_, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* open = new QPushButton("Open...", this);
    open->setObjectName("btnOpen");
    auto* close = new QPushButton("Close", this);
    close->setObjectName("btnClose");
    buttons->addWidget(open);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(open, &QPushButton::clicked, this, [this] {
      const QString file = QFileDialog::getOpenFileName(this, "Open download file", QString(),
                                                        "Download files (*.hex);;All files (*)");
      if (!file.isEmpty()) Load(file, true);
    });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    resize(720, 560);
    ShowSettings();
  }

  void Load(const QString& file, bool reportNow) {
    values_[0]->setText(QDir::toNativeSeparators(file));
    table_->setRowCount(0);
    const TDownloadCheck check = CheckDownloadFile(ToPath(file));
    if (!check.ok) {
      values_[3]->setText("-");
      values_[4]->setText("-");
      const QString text = QString::fromStdString(check.message);
      status_->setStyleSheet("color: #b00000;");
      status_->setText("The file is not sound; nothing would be sent.\n" + text);
      const QString box = "The download file\n" + QDir::toNativeSeparators(file) +
                          "\nis not sound and would not be sent:\n\n" + text;
      if (reportNow) {
        QMessageBox::critical(this, "VOVirUvad", box);
      } else {
        QTimer::singleShot(0, this, [this, box] { QMessageBox::critical(this, "VOVirUvad", box); });
      }
      return;
    }
    const TDownloadImage& image = check.image;
    values_[3]->setText(QString::number(image.byteCount));
    values_[4]->setText(QString::number(image.keys.size()));
    status_->setStyleSheet("color: #006000;");
    const QString prefix = QStringLiteral("%1").arg(image.parameters[0], 2, 16, QLatin1Char('0'));
    status_->setText(QStringLiteral("The file is sound: a parameter record and %1 key records, "
                                    "command prefix %2.")
                         .arg(image.keys.size())
                         .arg(prefix.toUpper()));
    table_->setRowCount(static_cast<int>(image.keys.size()));
    for (int row = 0; row < table_->rowCount(); ++row) {
      const TKeyImage& key = image.keys[static_cast<std::size_t>(row)];
      const QStringList cells = {
          QString::number(key.index + 1), QString::fromStdString(LevelFlagText(key.levels[0].flag)),
          BytesText(key.levels[0].bytes), QString::fromStdString(LevelFlagText(key.levels[1].flag)),
          BytesText(key.levels[1].bytes),
      };
      for (int col = 0; col < cells.size(); ++col) {
        table_->setItem(row, col, new QTableWidgetItem(cells[col]));
      }
    }
  }

 private:
  void ShowSettings() {
    const QString path = LoaderSettingsPath();
    const TLoaderSettings settings(ToPath(path));
    if (!settings.Exists()) {
      values_[1]->setText("not set (no " + QDir::toNativeSeparators(path) + ")");
      values_[2]->setText("not recorded");
      return;
    }
    const auto section = TLoaderSettings::kSection;
    const int32_t port = settings.ReadInteger(section, "ComPort", 0);
    const QString type =
        QString::fromStdString(PortTypeName(settings.Read(section, "ComType").value_or("")));
    if (port > 0) {
      values_[1]->setText("COM" + QString::number(port) +
                          (type.isEmpty() ? "" : " (" + type + ")"));
    } else {
      values_[1]->setText("not set");
    }
    const int32_t delay = settings.ReadInteger(section, "DownloadDelay", -1);
    values_[2]->setText(delay < 0 ? QString("not recorded") : QString::number(delay));
  }

  std::vector<QLabel*> values_;
  QLabel* status_ = nullptr;
  QTableWidget* table_ = nullptr;
};

int RunCheck(const QString& file) {
  const TDownloadCheck check = CheckDownloadFile(ToPath(file));
  QTextStream out(stdout);
  if (!check.ok) {
    out << file << ": " << QString::fromStdString(check.message) << "\n";
    return 1;
  }
  out << file << ": sound, " << check.image.byteCount << " bytes, " << check.image.keys.size()
      << " keys\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (qstrcmp(argv[i], "--check") == 0) {
      QCoreApplication app(argc, argv);
      const QStringList args = QCoreApplication::arguments();
      const int at = static_cast<int>(args.indexOf("--check"));
      if (at + 1 >= args.size()) {
        QTextStream(stderr) << "usage: VOVirUvad.exe --check FILE\n";
        return 2;
      }
      return RunCheck(Unquoted(args[at + 1]));
    }
  }
  QApplication app(argc, argv);
  TfrmLoader window;
  window.show();
  const QStringList args = QApplication::arguments();
  if (args.size() > 1) {
    window.Load(Unquoted(args[1]), false);
  }
  return app.exec();
}
