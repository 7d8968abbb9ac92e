// The code entry controls: the on-screen PC keyboard and its toggles, typing
// into the grid (CharToKey), manual entry, the delay button and slider, and
// the LED command menus.
#include <QCursor>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>
#include <QValidator>
#include <array>

#include "Artwork.h"
#include "MacroGrid.h"
#include "OnScreenKeyboard.h"
#include "Prompts.h"
#include "Unit1.h"

namespace {

constexpr std::array<int, 128> MakeCharToKey() {
  std::array<int, 128> table{};
  table[9] = 15;
  table[13] = 28;
  table[27] = 1;
  table[' '] = 57;
  const char* letters = "qwertyuiop";
  for (int i = 0; letters[i] != 0; ++i) table[letters[i]] = 16 + i;
  const char* home = "asdfghjkl";
  for (int i = 0; home[i] != 0; ++i) table[home[i]] = 30 + i;
  const char* bottom = "zxcvbnm";
  for (int i = 0; bottom[i] != 0; ++i) table[bottom[i]] = 44 + i;
  for (int c = 'a'; c <= 'z'; ++c) table[c - 'a' + 'A'] = table[c];
  for (int d = 1; d <= 9; ++d) table['0' + d] = d + 1;
  table['0'] = 11;
  const char* shiftedDigits = "!@#$%^&*()";  // over 1 .. 0
  for (int i = 0; i < 10; ++i) table[shiftedDigits[i]] = i + 2;
  table['-'] = table['_'] = 12;
  table['='] = 13;
  table['['] = table['{'] = 26;
  table[']'] = table['}'] = 27;
  table[';'] = table[':'] = 39;
  table['\''] = table['"'] = 40;
  table['`'] = table['~'] = 41;
  table['\\'] = table['|'] = 43;
  table[','] = table['<'] = 51;
  table['.'] = table['>'] = 52;
  table['/'] = table['?'] = 53;
  // The keypad's keys type these two.
  table['*'] = 55;
  table['+'] = 78;
  return table;
}

constexpr std::array<int, 128> kCharToKey = MakeCharToKey();

// Lets only what the mode allows into the manual entry box, whether typed or
// pasted: digits in decimal; digits and A-F in hexadecimal, small a-f raised
// to capitals. Anything else is dropped, so the box always holds a value the
// insert can use. The length limit (3 or 2) is applied after the filtering,
// so a pasted "2x5-5" gives "255" rather than "25".
class TManualValidator : public QValidator {
 public:
  using QValidator::QValidator;
  bool hex = false;
  int maxLength = 3;
  State validate(QString& input, int& pos) const override {
    QString kept;
    int keptBeforeCursor = 0;
    for (int i = 0; i < input.size(); ++i) {
      QChar c = input.at(i);
      if (hex && c >= u'a' && c <= u'f') c = c.toUpper();
      const bool ok = (c >= u'0' && c <= u'9') || (hex && c >= u'A' && c <= u'F');
      if (!ok || kept.size() >= maxLength) continue;
      kept += c;
      if (i < pos) ++keptBeforeCursor;
    }
    input = kept;
    pos = keptBeforeCursor;
    return Acceptable;
  }
};

int ToggleBit(int tag) {
  switch (tag) {
    case 42:
      return ModifierBit::kLShift;
    case 54:
      return ModifierBit::kRShift;
    case 29:
      return ModifierBit::kLCtrl;
    case 87:
      return ModifierBit::kRCtrl;
    case 58:
      return ModifierBit::kCapsLock;
    default:
      return 0;
  }
}

}  // namespace

int CharToKey(int ch) { return ch >= 0 && ch < 128 ? kCharToKey[static_cast<size_t>(ch)] : 0; }

void TfrmMain::BuildEntry(QWidget* central) {
  Bevel1 = new QFrame(central);
  Bevel1->setObjectName(QStringLiteral("Bevel1"));
  Bevel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Bevel1->setLineWidth(2);
  Bevel1->setGeometry(34, 296, 686, 195);

  gboxInstructions = new QGroupBox(central);
  gboxInstructions->setObjectName(QStringLiteral("gboxInstructions"));
  gboxInstructions->setGeometry(89, 305, 359, 41);
  lblInstructions =
      new QLabel(QStringLiteral("Click on any key below or type on PC keyboard (green keys only)"),
                 gboxInstructions);
  lblInstructions->setObjectName(QStringLiteral("lblInstructions"));
  lblInstructions->setAlignment(Qt::AlignCenter);
  lblInstructions->setGeometry(4, 10, 351, 22);

  // LED commands.
  gboxLEDs = new QGroupBox(central);
  gboxLEDs->setObjectName(QStringLiteral("gboxLEDs"));
  gboxLEDs->setGeometry(458, 305, 113, 41);
  struct LedItem {
    const char* name;
    const char* caption;
    int tag;
  };
  auto makeLed = [this](const char* buttonName, const char* caption, const char* menuName, int left,
                        std::initializer_list<LedItem> items, QPushButton*& button, QMenu*& menu) {
    button = new QPushButton(QString::fromLatin1(caption), gboxLEDs);
    button->setObjectName(QString::fromLatin1(buttonName));
    button->setGeometry(left, 10, 33, 24);
    button->setAccessibleDescription(
        QStringLiteral("Insert an %1 command: off, on or flash").arg(caption));
    menu = new QMenu(button);
    menu->setObjectName(QString::fromLatin1(menuName));
    for (const LedItem& item : items) {
      QAction* action = menu->addAction(QString::fromLatin1(item.caption));
      action->setObjectName(QString::fromLatin1(item.name));
      action->setProperty("Tag", item.tag);
      connect(action, &QAction::triggered, this, &TfrmMain::mnuLedClick);
    }
    // Each menu is also its button's context menu.
    button->setContextMenuPolicy(Qt::CustomContextMenu);
    QMenu* theMenu = menu;
    QPushButton* theButton = button;
    connect(
        button, &QWidget::customContextMenuRequested, this,
        [theMenu, theButton](const QPoint& pos) { theMenu->popup(theButton->mapToGlobal(pos)); });
  };
  makeLed("btnLED1", "LED1", "mnuLED1", 4,
          {{"menuitemLed1Off", "Insert LED1 OFF Code", 8},
           {"menuitemLed1On", "Insert LED1 ON Code", 9},
           {"menuitemLED1Flash", "Insert LED1 Flash Code", 10}},
          btnLED1, mnuLED1);
  makeLed("btnLED2", "LED2", "mnuLED2", 40,
          {{"menuitemLed2Off", "Insert LED2 Off Code", 11},
           {"menuitemLed2On", "Insert LED2 On Code", 12},
           {"menuitemLed2Flash", "Insert LED2 Flash Code", 13}},
          btnLED2, mnuLED2);
  makeLed("btnLED3", "LED3", "mnuLED3", 76,
          {{"menuitemLed3Off", "Insert LED3 Off Code", 5},
           {"menuitemLed3On", "Insert LED3 On Code", 6},
           {"menuitemLed3Flash", "Insert LED3 Flash Code", 7}},
          btnLED3, mnuLED3);
  btnLED2->setEnabled(false);
  btnLED3->setEnabled(false);
  connect(btnLED1, &QPushButton::clicked, this, &TfrmMain::btnLED1Click);
  connect(btnLED2, &QPushButton::clicked, this, &TfrmMain::btnLED2Click);
  connect(btnLED3, &QPushButton::clicked, this, &TfrmMain::btnLED3Click);

  // Delay.
  gboxDelay = new QGroupBox(central);
  gboxDelay->setObjectName(QStringLiteral("gboxDelay"));
  gboxDelay->setGeometry(581, 305, 113, 41);
  tbDelayValue = new QSlider(Qt::Horizontal, gboxDelay);
  tbDelayValue->setObjectName(QStringLiteral("tbDelayValue"));
  tbDelayValue->setRange(1, 125);
  tbDelayValue->setValue(50);
  tbDelayValue->setTickInterval(16);
  tbDelayValue->setTickPosition(QSlider::TicksBelow);
  tbDelayValue->setGeometry(49, 3, 62, 22);
  tbDelayValue->setToolTip(QStringLiteral("200ms"));
  tbDelayValue->setAccessibleName(QStringLiteral("Delay length"));
  tbDelayValue->setAccessibleDescription(QStringLiteral("200ms"));
  connect(tbDelayValue, &QSlider::valueChanged, this, &TfrmMain::tbDelayValue1Change);
  QFont small = font();
  small.setPointSize(7);
  auto* lblMin = new QLabel(QStringLiteral("4ms"), gboxDelay);
  lblMin->setObjectName(QStringLiteral("lblDelayMin"));
  lblMin->setFont(small);
  lblMin->setGeometry(49, 26, 30, 12);
  auto* lblMax = new QLabel(QStringLiteral("500ms"), gboxDelay);
  lblMax->setObjectName(QStringLiteral("lblDelayMax"));
  lblMax->setFont(small);
  lblMax->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  lblMax->setGeometry(71, 26, 40, 12);

  // The on-screen PC keyboard.
  keyboardKeys = CreateOnScreenKeyboard(central);
  for (QToolButton* key : keyboardKeys) {
    const QString name = key->objectName();
    if (key->isCheckable()) {
      connect(key, &QToolButton::clicked, this, &TfrmMain::keyLShiftClick);
      if (name == u"keyLShift")
        keyLShift = key;
      else if (name == u"keyRShift")
        keyRShift = key;
      else if (name == u"keyLCtrl")
        keyLCtrl = key;
      else if (name == u"keyRCtrl")
        keyRCtrl = key;
      else if (name == u"keyCapsLock")
        keyCapsLock = key;
    } else {
      connect(key, &QToolButton::clicked, this, &TfrmMain::KeyboardClick);
    }
  }

  spdbtnDelay = new QToolButton(gboxDelay);
  spdbtnDelay->setObjectName(QStringLiteral("spdbtnDelay"));
  spdbtnDelay->setProperty("Tag", 111);
  spdbtnDelay->setIcon(DelayButtonIcon());
  spdbtnDelay->setIconSize(QSize(42, 30));
  spdbtnDelay->setAutoRaise(true);
  spdbtnDelay->setGeometry(2, 4, 46, 34);
  spdbtnDelay->setToolTip(QStringLiteral("3 byte Delay command"));
  spdbtnDelay->setAccessibleName(QStringLiteral("Insert Delay"));
  spdbtnDelay->setAccessibleDescription(QStringLiteral("3 byte Delay command"));
  connect(spdbtnDelay, &QToolButton::clicked, this, &TfrmMain::KeyboardClick);

  // Manual entry.
  gboxManualData = new QGroupBox(central);
  gboxManualData->setObjectName(QStringLiteral("gboxManualData"));
  gboxManualData->setGeometry(471, 352, 89, 129);
  auto* lblEnter = new QLabel(QStringLiteral("Enter data"), gboxManualData);
  lblEnter->setObjectName(QStringLiteral("lblEnterData"));
  lblEnter->setGeometry(6, 6, 80, 14);
  auto* lblManually = new QLabel(QStringLiteral("manually:"), gboxManualData);
  lblManually->setObjectName(QStringLiteral("lblManually"));
  lblManually->setGeometry(6, 20, 80, 14);
  edManualInput = new QLineEdit(gboxManualData);
  edManualInput->setObjectName(QStringLiteral("edManualInput"));
  edManualInput->setGeometry(6, 40, 44, 22);
  edManualInput->setValidator(new TManualValidator(edManualInput));
  edManualInput->setAccessibleName(QStringLiteral("Byte value"));
  edManualInput->setAccessibleDescription(
      QStringLiteral("Type a byte value and press Enter to insert it"));
  edManualInput->installEventFilter(this);
  lblManually->setBuddy(edManualInput);
  spdbtnInsert = new QToolButton(gboxManualData);
  spdbtnInsert->setObjectName(QStringLiteral("spdbtnInsert"));
  spdbtnInsert->setIcon(InsertArrowIcon());
  spdbtnInsert->setIconSize(QSize(22, 22));
  spdbtnInsert->setAutoRaise(true);
  spdbtnInsert->setGeometry(54, 38, 28, 26);
  spdbtnInsert->setToolTip(QStringLiteral("Insert the value"));
  spdbtnInsert->setAccessibleName(QStringLiteral("Insert value"));
  connect(spdbtnInsert, &QToolButton::clicked, this, &TfrmMain::spdbtnInsertClick);
  rbDecimal = new QRadioButton(QStringLiteral("Decimal"), gboxManualData);
  rbDecimal->setObjectName(QStringLiteral("rbDecimal"));
  rbDecimal->setGeometry(4, 72, 84, 20);
  rbDecimal->setChecked(true);
  rbHexadecimal = new QRadioButton(QStringLiteral("Hexadecimal"), gboxManualData);
  rbHexadecimal->setObjectName(QStringLiteral("rbHexadecimal"));
  rbHexadecimal->setGeometry(4, 96, 84, 20);
  connect(rbDecimal, &QRadioButton::clicked, this, &TfrmMain::rbDecimalClick);
  connect(rbHexadecimal, &QRadioButton::clicked, this, &TfrmMain::rbHexadecimalClick);
}

void TfrmMain::KeyboardClick() {
  auto* key = qobject_cast<QToolButton*>(sender());
  if (key == nullptr) return;
  const int tag = key->property("Tag").toInt();
  if (tag == 111)
    AddData(0x1000 + tbDelayValue->value());
  else
    AddData(tag);
  Grid->setFocus();
}

void TfrmMain::keyLShiftClick() {
  auto* toggle = qobject_cast<QToolButton*>(sender());
  if (toggle == nullptr) return;
  const int bit = ToggleBit(toggle->property("Tag").toInt());
  if (toggle->isChecked())
    ModifierBits |= bit;
  else
    ModifierBits &= ~bit;
}

// Enter inserts the value; every other character has already been filtered
// by the box's validator.
void TfrmMain::edManualInputKeyPress(QKeyEvent* event) {
  if (!edManualInput->text().isEmpty()) InsertManualValue();
  event->accept();
}

bool TfrmMain::InsertManualValue() {
  const QString text = edManualInput->text();
  if (text.isEmpty()) return true;
  int value = 0;
  if (rbDecimal->isChecked()) {
    value = text.toInt();
    if (value >= 256) {
      fPrompts.ShowError(this, QStringLiteral("Value exceeds 255 (decimal)."));
      return false;
    }
  } else {
    for (const QChar c : text) {
      const int code = c.unicode();
      value = value * 16 + (code >= 'A' ? code - 55 : code - 48);
    }
  }
  AddByte(value);
  edManualInput->clear();
  return true;
}

void TfrmMain::spdbtnInsertClick() {
  if (edManualInput->text().isEmpty()) return;
  if (InsertManualValue()) Grid->setFocus();
}

void TfrmMain::rbDecimalClick() {
  rbHexadecimal->setChecked(false);
  rbDecimal->setChecked(true);
  auto* validator = static_cast<TManualValidator*>(edManualInput->findChild<QValidator*>());
  validator->hex = false;
  validator->maxLength = 3;
  edManualInput->clear();
}

void TfrmMain::rbHexadecimalClick() {
  rbDecimal->setChecked(false);
  rbHexadecimal->setChecked(true);
  auto* validator = static_cast<TManualValidator*>(edManualInput->findChild<QValidator*>());
  validator->hex = true;
  validator->maxLength = 2;
  edManualInput->clear();
}

void TfrmMain::tbDelayValue1Change(int position) {
  const QString hint = QString::number(position * 4) + QStringLiteral("ms");
  tbDelayValue->setToolTip(hint);
  tbDelayValue->setAccessibleDescription(hint);
}

void TfrmMain::OpenLedMenu(QPushButton* button, QMenu* menu) {
  QPoint at = QCursor::pos();
  // Opened from the keyboard, the pointer may be anywhere: use the button.
  if (button->rect().contains(button->mapFromGlobal(at)))
    at += QPoint(5, 0);
  else
    at = button->mapToGlobal(QPoint(0, button->height()));
  menu->popup(at);
}

void TfrmMain::btnLED1Click() { OpenLedMenu(btnLED1, mnuLED1); }
void TfrmMain::btnLED2Click() { OpenLedMenu(btnLED2, mnuLED2); }
void TfrmMain::btnLED3Click() { OpenLedMenu(btnLED3, mnuLED3); }

void TfrmMain::mnuLedClick() {
  auto* item = qobject_cast<QAction*>(sender());
  if (item == nullptr) return;
  AddData(0x4000 + item->property("Tag").toInt());
}
