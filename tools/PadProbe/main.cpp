// PadProbe.exe: stands in for the keypad's key test program. A keypad in the
// PC keyboard mode types like a keyboard; this window lists every key press
// it receives with the key, the character and their codes.
#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "StandIn.h"

namespace {

QString CharacterText(const QString& text) {
  QStringList shown;
  for (QChar c : text) {
    const char16_t u = c.unicode();
    if (u < 0x20 || u == 0x7F) {
      static const char* const kNames[] = {"NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL",
                                           "BS",  "TAB", "LF",  "VT",  "FF",  "CR",  "SO",  "SI",
                                           "DLE", "DC1", "DC2", "DC3", "DC4", "NAK", "SYN", "ETB",
                                           "CAN", "EM",  "SUB", "ESC", "FS",  "GS",  "RS",  "US"};
      shown << QString::fromLatin1(u == 0x7F ? "DEL" : kNames[u]);
    } else if (u == ' ') {
      shown << "Space";
    } else {
      shown << QString(c);
    }
  }
  return shown.join(u' ');
}

QString Codes(const QString& text, int base) {
  QStringList codes;
  for (QChar c : text) {
    codes << (base == 16 ? QStringLiteral("%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper()
                         : QString::number(c.unicode()));
  }
  return codes.join(u' ');
}

class TfrmPadProbe : public QWidget {
 public:
  TfrmPadProbe() {
    setObjectName("frmPadProbe");
    setWindowTitle("PadProbe - key test (stand-in)");
    setFocusPolicy(Qt::StrongFocus);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakeStandInNotice(
        "PadProbe.exe", "key test program",
        "For a keypad in the PC keyboard mode: keep this window in front and press the keypad's "
        "keys; each key and character received is listed with its code.",
        this));

    table_ = new QTableWidget(0, 6, this);
    table_->setObjectName("tblKeys");
    table_->setHorizontalHeaderLabels(
        {"Key", "Character", "Code", "Hex", "Scan code", "Modifiers"});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setFocusPolicy(Qt::NoFocus);
    table_->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(table_, 1);

    auto* row = new QHBoxLayout;
    count_ = new QLabel("No key received yet.", this);
    count_->setObjectName("lblCount");
    row->addWidget(count_);
    row->addStretch();
    auto* clear = new QPushButton("Clear", this);
    clear->setObjectName("btnClear");
    clear->setFocusPolicy(Qt::NoFocus);
    auto* close = new QPushButton("Close", this);
    close->setObjectName("btnClose");
    close->setFocusPolicy(Qt::NoFocus);
    row->addWidget(clear);
    row->addWidget(close);
    layout->addLayout(row);
    connect(clear, &QPushButton::clicked, this, [this] {
      table_->setRowCount(0);
      count_->setText("No key received yet.");
    });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    resize(640, 440);
  }

 protected:
  // Every key goes to the list, Tab and Backtab included, which would
  // otherwise move the focus.
  bool event(QEvent* e) override {
    if (e->type() == QEvent::KeyPress) {
      Record(*static_cast<QKeyEvent*>(e));
      return true;
    }
    return QWidget::event(e);
  }

 private:
  void Record(const QKeyEvent& key) {
    const QString name = key.key() == 0 || key.key() == Qt::Key_unknown
                             ? QStringLiteral("(unknown)")
                             : QKeySequence(key.key()).toString(QKeySequence::NativeText);
    QStringList mods;
    if (key.modifiers() & Qt::ShiftModifier) mods << "Shift";
    if (key.modifiers() & Qt::ControlModifier) mods << "Ctrl";
    if (key.modifiers() & Qt::AltModifier) mods << "Alt";
    if (key.modifiers() & Qt::MetaModifier) mods << "Meta";
    if (key.modifiers() & Qt::KeypadModifier) mods << "Keypad";
    const QStringList cells = {
        name,
        CharacterText(key.text()),
        Codes(key.text(), 10),
        Codes(key.text(), 16),
        key.nativeScanCode() ? QString::number(key.nativeScanCode()) : QString(),
        mods.join(u'+'),
    };
    const int row = table_->rowCount();
    table_->insertRow(row);
    for (int col = 0; col < cells.size(); ++col)
      table_->setItem(row, col, new QTableWidgetItem(cells[col]));
    table_->scrollToBottom();
    count_->setText(QStringLiteral("%1 key presses received.").arg(row + 1));
  }

  QTableWidget* table_ = nullptr;
  QLabel* count_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  TfrmPadProbe window;
  window.show();
  window.setFocus();
  return app.exec();
}
