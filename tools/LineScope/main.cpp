// LineScope.exe [PORT]: stands in for the keypad's serial test program. It
// listens on a serial port and shows every byte it receives as text and in
// hexadecimal. PORT is a COM port number; without it the window asks for a
// port.
#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <QSplitter>
#include <QVBoxLayout>

#include "StandIn.h"

namespace {

// The baud rates the keypad offers, in its own order of the properties dialog.
constexpr int kBaudRates[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200, 31250};

QStringList PortNames() {
  QStringList names;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) names << info.portName();
  names.sort();
  return names;
}

// COM port number n as this system names it. On Windows it is COMn; elsewhere
// ports have no numbers, so n picks the n-th port found (ttyACM0, ttyUSB0...).
QString PortForNumber(int n) {
#ifdef _WIN32
  return QStringLiteral("COM%1").arg(n);
#else
  const QStringList names = PortNames();
  return n >= 1 && n <= names.size() ? names[n - 1] : QString();
#endif
}

class TfrmLineScope : public QWidget {
 public:
  TfrmLineScope() {
    setObjectName("frmLineScope");
    setWindowTitle("LineScope - serial test (stand-in)");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakeStandInNotice(
        "LineScope.exe", "serial test program",
        "It listens on a serial port and shows each byte the keypad sends, as text and in "
        "hexadecimal. Press keys on the keypad to see what they send.",
        this));

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel("Port:", this));
    port_ = new QComboBox(this);
    port_->setObjectName("cboxPort");
    port_->setEditable(true);
    port_->addItems(PortNames());
    port_->setMinimumWidth(160);
    row->addWidget(port_);
    row->addWidget(new QLabel("Baud:", this));
    baud_ = new QComboBox(this);
    baud_->setObjectName("cboxBaud");
    for (int rate : kBaudRates) baud_->addItem(QString::number(rate), rate);
    baud_->setCurrentText("9600");
    row->addWidget(baud_);
    openButton_ = new QPushButton("Open", this);
    openButton_->setObjectName("btnOpen");
    row->addWidget(openButton_);
    auto* clear = new QPushButton("Clear", this);
    clear->setObjectName("btnClear");
    row->addWidget(clear);
    row->addStretch();
    layout->addLayout(row);

    status_ = new QLabel(this);
    status_->setObjectName("lblStatus");
    layout->addWidget(status_);

    const QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    auto* split = new QSplitter(Qt::Horizontal, this);
    text_ = new QPlainTextEdit(split);
    text_->setObjectName("memoText");
    hex_ = new QPlainTextEdit(split);
    hex_->setObjectName("memoHex");
    for (QPlainTextEdit* view : {text_, hex_}) {
      view->setReadOnly(true);
      view->setFont(mono);
      view->setMaximumBlockCount(4000);
    }
    text_->setPlaceholderText("Received text");
    hex_->setPlaceholderText("Received bytes in hexadecimal");
    layout->addWidget(split, 1);

    connect(openButton_, &QPushButton::clicked, this, [this] {
      if (serial_.isOpen()) {
        serial_.close();
        SetStatus("Closed.");
        openButton_->setText("Open");
      } else {
        OpenPort(port_->currentText().trimmed());
      }
    });
    connect(clear, &QPushButton::clicked, this, [this] {
      text_->clear();
      hex_->clear();
      hexColumn_ = 0;
    });
    connect(&serial_, &QSerialPort::readyRead, this, [this] { Show(serial_.readAll()); });
    connect(&serial_, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError e) {
      if (e != QSerialPort::NoError && e != QSerialPort::TimeoutError) {
        SetStatus("Port error: " + serial_.errorString());
      }
    });
    resize(760, 480);
  }

  void Start(const QStringList& args) {
    if (args.size() < 2) {
      SetStatus("No port given: choose the port to listen on and press Open.");
      port_->setFocus();
      return;
    }
    bool ok = false;
    const int number = args[1].toInt(&ok);
    const QString name = ok ? PortForNumber(number) : args[1];
    if (name.isEmpty()) {
      SetStatus(
          QStringLiteral("COM%1 was not found on this computer: choose a port and press Open.")
              .arg(number));
      port_->setFocus();
      return;
    }
    port_->setCurrentText(name);
    OpenPort(name);
  }

 private:
  void SetStatus(const QString& text) { status_->setText(text); }

  void OpenPort(const QString& name) {
    if (name.isEmpty()) {
      SetStatus("Choose a port first.");
      return;
    }
    serial_.setPortName(name);
    serial_.setBaudRate(baud_->currentData().toInt());
    if (!serial_.open(QIODevice::ReadOnly)) {
      SetStatus("Cannot open " + name + ": " + serial_.errorString());
      return;
    }
    openButton_->setText("Close");
    SetStatus("Listening on " + name + " at " + baud_->currentText() + " baud.");
  }

  void Show(const QByteArray& bytes) {
    QString text;
    QString hex;
    for (char c : bytes) {
      const auto b = static_cast<unsigned char>(c);
      if (b == '\n') {
        text += '\n';
      } else if (b == '\r') {
        // shown through the LF that follows, or not at all
      } else if (b >= 0x20 && b < 0x7F) {
        text += QChar(b);
      } else {
        text += QStringLiteral("<%1>").arg(b, 2, 16, QLatin1Char('0')).toUpper();
      }
      hex += QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
      hex += ++hexColumn_ % 16 == 0 ? '\n' : ' ';
    }
    text_->moveCursor(QTextCursor::End);
    text_->insertPlainText(text);
    hex_->moveCursor(QTextCursor::End);
    hex_->insertPlainText(hex);
  }

  QSerialPort serial_;
  QComboBox* port_ = nullptr;
  QComboBox* baud_ = nullptr;
  QPushButton* openButton_ = nullptr;
  QLabel* status_ = nullptr;
  QPlainTextEdit* text_ = nullptr;
  QPlainTextEdit* hex_ = nullptr;
  int hexColumn_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  TfrmLineScope window;
  window.show();
  window.Start(QApplication::arguments());
  return app.exec();
}
