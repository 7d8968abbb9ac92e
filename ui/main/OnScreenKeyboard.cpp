#include "OnScreenKeyboard.h"

#include <QIcon>
#include <QPaintEvent>
#include <QPainter>
#include <QToolButton>
#include <cmath>

#include "Artwork.h"

namespace {

// Key pitch and the keyboard's place in the window: the Esc key sits alone
// at the top left, beside the instruction line; the five main rows fill the
// space below the group boxes, left of the manual entry box; the keypad sits
// right of that box, under the delay box.
constexpr int kPitchX = 27;
constexpr int kPitchY = 26;
constexpr int kLeft = 59;
constexpr int kEscTop = 319;
constexpr int kRowsTop = 352;  // top of the digit row
constexpr int kKeypadLeft = 581;

enum class Block { Main, Keypad };

struct KeyDef {
  const char* Name;
  int Tag;
  Block Where;
  int Row;       // 1 = Esc row, 2 = digit row ... 6 = space row
  double Col;    // in key widths from the block's left edge
  double Width;  // in key widths
  int Rows;      // height in rows
  const char* Legend;
  const char* Shifted;  // printed above Legend; empty for none
  bool Green;
  bool Toggle;
  const char* Spoken;       // accessible name
  const char* Description;  // empty: derived from the legends
  const char* Hint;         // tool tip; empty for none
};

constexpr Block M = Block::Main;
constexpr Block K = Block::Keypad;

const char kBsHint[] = "Click to add BS character, use keyboard to erase";
const char kDelHint[] = "Click to add DEL character, use keyboard to erase";
const char kCtrlHint[] = "Use Ctrl+Key to enter ASCII control codes";
const char kShiftToggle[] =
    "Toggle. While down, the next key clicked is inserted with Shift; then it comes up.";
const char kCtrlToggle[] =
    "Toggle. While down, the next key clicked is inserted as its ASCII control code; then it "
    "comes up.";
const char kCapsToggle[] =
    "Toggle. While down, every key clicked is inserted with Shift, until it is clicked again.";

// clang-format off
const KeyDef kKeys[] = {
  {"keyEsc", 1, M, 1, 0, 1, 1, "Esc", "", true, false, "Escape key", "Inserts the Escape character.", ""},

  {"keyTilde", 41, M, 2, 0, 1, 1, "`", "~", true, false, "Grave accent key", "", ""},
  {"keyNum1", 2, M, 2, 1, 1, 1, "1", "!", true, false, "1 key", "", ""},
  {"keyNum2", 3, M, 2, 2, 1, 1, "2", "@", true, false, "2 key", "", ""},
  {"keyNum3", 4, M, 2, 3, 1, 1, "3", "#", true, false, "3 key", "", ""},
  {"keyNum4", 5, M, 2, 4, 1, 1, "4", "$", true, false, "4 key", "", ""},
  {"keyNum5", 6, M, 2, 5, 1, 1, "5", "%", true, false, "5 key", "", ""},
  {"keyNum6", 7, M, 2, 6, 1, 1, "6", "^", true, false, "6 key", "", ""},
  {"keyNum7", 8, M, 2, 7, 1, 1, "7", "&", true, false, "7 key", "", ""},
  {"keyNum8", 9, M, 2, 8, 1, 1, "8", "*", true, false, "8 key", "", ""},
  {"keyNum9", 10, M, 2, 9, 1, 1, "9", "(", true, false, "9 key", "", ""},
  {"keyNum0", 11, M, 2, 10, 1, 1, "0", ")", true, false, "0 key", "", ""},
  {"keyDash", 12, M, 2, 11, 1, 1, "-", "_", true, false, "Minus key", "", ""},
  {"keyEqual", 13, M, 2, 12, 1, 1, "=", "+", true, false, "Equals key", "", ""},
  {"keyBackspace", 14, M, 2, 13, 2, 1, "Backspace", "", false, false, "Backspace key", "Inserts the BS character. Use the keyboard to erase.", kBsHint},

  {"keyTab", 15, M, 3, 0, 1.5, 1, "Tab", "", true, false, "Tab key", "Inserts the Tab character.", ""},
  {"keyQ", 16, M, 3, 1.5, 1, 1, "Q", "", true, false, "Q key", "", ""},
  {"keyW", 17, M, 3, 2.5, 1, 1, "W", "", true, false, "W key", "", ""},
  {"keyE", 18, M, 3, 3.5, 1, 1, "E", "", true, false, "E key", "", ""},
  {"keyR", 19, M, 3, 4.5, 1, 1, "R", "", true, false, "R key", "", ""},
  {"keyT", 20, M, 3, 5.5, 1, 1, "T", "", true, false, "T key", "", ""},
  {"keyY", 21, M, 3, 6.5, 1, 1, "Y", "", true, false, "Y key", "", ""},
  {"keyU", 22, M, 3, 7.5, 1, 1, "U", "", true, false, "U key", "", ""},
  {"keyI", 23, M, 3, 8.5, 1, 1, "I", "", true, false, "I key", "", ""},
  {"keyO", 24, M, 3, 9.5, 1, 1, "O", "", true, false, "O key", "", ""},
  {"keyP", 25, M, 3, 10.5, 1, 1, "P", "", true, false, "P key", "", ""},
  {"keyLBrace", 26, M, 3, 11.5, 1, 1, "[", "{", true, false, "Left bracket key", "", ""},
  {"keyRBrace", 27, M, 3, 12.5, 1, 1, "]", "}", true, false, "Right bracket key", "", ""},
  {"keyBSlash", 43, M, 3, 13.5, 1.5, 1, "\\", "|", true, false, "Backslash key", "", ""},

  {"keyCapsLock", 58, M, 4, 0, 1.75, 1, "Caps\nLock", "", false, true, "Caps Lock key", kCapsToggle, ""},
  {"keyA", 30, M, 4, 1.75, 1, 1, "A", "", true, false, "A key", "", ""},
  {"keyS", 31, M, 4, 2.75, 1, 1, "S", "", true, false, "S key", "", ""},
  {"keyD", 32, M, 4, 3.75, 1, 1, "D", "", true, false, "D key", "", ""},
  {"keyF", 33, M, 4, 4.75, 1, 1, "F", "", true, false, "F key", "", ""},
  {"keyG", 34, M, 4, 5.75, 1, 1, "G", "", true, false, "G key", "", ""},
  {"keyH", 35, M, 4, 6.75, 1, 1, "H", "", true, false, "H key", "", ""},
  {"keyJ", 36, M, 4, 7.75, 1, 1, "J", "", true, false, "J key", "", ""},
  {"keyK", 37, M, 4, 8.75, 1, 1, "K", "", true, false, "K key", "", ""},
  {"keyL", 38, M, 4, 9.75, 1, 1, "L", "", true, false, "L key", "", ""},
  {"keyColon", 39, M, 4, 10.75, 1, 1, ";", ":", true, false, "Semicolon key", "", ""},
  {"keyQuote", 40, M, 4, 11.75, 1, 1, "'", "\"", true, false, "Apostrophe key", "", ""},
  {"keyEnter", 28, M, 4, 12.75, 2.25, 1, "Enter", "", true, false, "Enter key", "Inserts a carriage return.", ""},

  {"keyLShift", 42, M, 5, 0, 2.25, 1, "Shift", "", true, true, "Left Shift key", kShiftToggle, ""},
  {"keyZ", 44, M, 5, 2.25, 1, 1, "Z", "", true, false, "Z key", "", ""},
  {"keyX", 45, M, 5, 3.25, 1, 1, "X", "", true, false, "X key", "", ""},
  {"keyC", 46, M, 5, 4.25, 1, 1, "C", "", true, false, "C key", "", ""},
  {"keyV", 47, M, 5, 5.25, 1, 1, "V", "", true, false, "V key", "", ""},
  {"keyB", 48, M, 5, 6.25, 1, 1, "B", "", true, false, "B key", "", ""},
  {"keyN", 49, M, 5, 7.25, 1, 1, "N", "", true, false, "N key", "", ""},
  {"keyM", 50, M, 5, 8.25, 1, 1, "M", "", true, false, "M key", "", ""},
  {"keyComma", 51, M, 5, 9.25, 1, 1, ",", "<", true, false, "Comma key", "", ""},
  {"keyPeriod", 52, M, 5, 10.25, 1, 1, ".", ">", true, false, "Period key", "", ""},
  {"keyFSlash", 53, M, 5, 11.25, 1, 1, "/", "?", true, false, "Slash key", "", ""},
  {"keyRShift", 54, M, 5, 12.25, 2.75, 1, "Shift", "", false, true, "Right Shift key", kShiftToggle, ""},

  {"keyLCtrl", 29, M, 6, 0, 1.5, 1, "Ctrl", "", false, true, "Left Ctrl key", kCtrlToggle, kCtrlHint},
  {"keySpace", 57, M, 6, 3.75, 6.25, 1, "", "", true, false, "Space bar", "Inserts a space.", ""},
  {"keyRCtrl", 87, M, 6, 13.5, 1.5, 1, "Ctrl", "", false, true, "Right Ctrl key", kCtrlToggle, kCtrlHint},

  {"kpDelete", 100, K, 2, 0, 1, 1, "Del", "", false, false, "Keypad Delete key", "Inserts the DEL character. Use the keyboard to erase.", kDelHint},
  {"kpDivide", 88, K, 2, 1, 1, 1, "/", "", true, false, "Keypad slash key", "", ""},
  {"kpMultiply", 55, K, 2, 2, 1, 1, "*", "", true, false, "Keypad asterisk key", "", ""},
  {"kpMinus", 74, K, 2, 3, 1, 1, "-", "", true, false, "Keypad minus key", "", ""},
  {"kp7", 71, K, 3, 0, 1, 1, "7", "", true, false, "Keypad 7 key", "", ""},
  {"kp8", 72, K, 3, 1, 1, 1, "8", "", true, false, "Keypad 8 key", "", ""},
  {"kp9", 73, K, 3, 2, 1, 1, "9", "", true, false, "Keypad 9 key", "", ""},
  {"kpPlus", 78, K, 3, 3, 1, 2, "+", "", true, false, "Keypad plus key", "", ""},
  {"kp4", 75, K, 4, 0, 1, 1, "4", "", true, false, "Keypad 4 key", "", ""},
  {"kp5", 76, K, 4, 1, 1, 1, "5", "", true, false, "Keypad 5 key", "", ""},
  {"kp6", 77, K, 4, 2, 1, 1, "6", "", true, false, "Keypad 6 key", "", ""},
  {"kp1", 79, K, 5, 0, 1, 1, "1", "", true, false, "Keypad 1 key", "", ""},
  {"kp2", 80, K, 5, 1, 1, 1, "2", "", true, false, "Keypad 2 key", "", ""},
  {"kp3", 81, K, 5, 2, 1, 1, "3", "", true, false, "Keypad 3 key", "", ""},
  {"kpEnter", 86, K, 5, 3, 1, 2, "Ent", "", true, false, "Keypad Enter key", "Inserts a carriage return.", ""},
  {"kp0", 82, K, 6, 0, 2, 1, "0", "", true, false, "Keypad 0 key", "", ""},
  {"kpPeriod", 83, K, 6, 2, 1, 1, ".", "", true, false, "Keypad point key", "", ""},
};
// clang-format on

QRect GeometryOf(const KeyDef& k) {
  const int left = k.Where == Block::Main ? kLeft : kKeypadLeft;
  const int x0 = left + int(std::lround(k.Col * kPitchX));
  const int x1 = left + int(std::lround((k.Col + k.Width) * kPitchX));
  const int y = k.Row == 1 ? kEscTop : kRowsTop + (k.Row - 2) * kPitchY;
  return QRect(x0, y, x1 - x0, k.Rows * kPitchY);
}

QString DescriptionOf(const KeyDef& k) {
  if (*k.Description) return QString::fromUtf8(k.Description);
  const QString legend = QString::fromUtf8(k.Legend);
  const QString shifted = QString::fromUtf8(k.Shifted);
  if (legend.size() == 1 && legend[0].isLetter())
    return QStringLiteral("Inserts %1; with Shift, %2.").arg(legend.toLower(), legend);
  if (!shifted.isEmpty()) return QStringLiteral("Inserts %1; with Shift, %2.").arg(legend, shifted);
  return QStringLiteral("Inserts %1.").arg(legend);
}

// A flat key whose whole face is its keycap picture. The picture shows the
// key at rest, under the mouse, being clicked (pressed in), down (a toggle)
// or disabled; the style's own button frame is not drawn.
class KeycapButton final : public QToolButton {
 public:
  using QToolButton::QToolButton;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    QIcon::Mode mode = QIcon::Normal;
    if (!isEnabled())
      mode = QIcon::Disabled;
    else if (isDown())
      mode = QIcon::Active;
    else if (underMouse())
      mode = QIcon::Selected;
    icon().paint(&p, rect(), Qt::AlignCenter, mode, isChecked() ? QIcon::On : QIcon::Off);
  }
};

}  // namespace

QToolButton* NewKeycapButton(QWidget* parent) {
  auto* b = new KeycapButton(parent);
  b->setAutoRaise(true);
  b->setFocusPolicy(Qt::NoFocus);
  b->setToolButtonStyle(Qt::ToolButtonIconOnly);
  return b;
}

QList<QToolButton*> CreateOnScreenKeyboard(QWidget* parent) {
  QList<QToolButton*> keys;
  keys.reserve(int(std::size(kKeys)));
  for (const KeyDef& k : kKeys) {
    QToolButton* b = NewKeycapButton(parent);
    b->setObjectName(QString::fromLatin1(k.Name));
    b->setProperty("Tag", k.Tag);
    b->setGeometry(GeometryOf(k));
    b->setCheckable(k.Toggle);
    b->setIcon(KeycapIcon(QString::fromUtf8(k.Legend), QString::fromUtf8(k.Shifted),
                          k.Green ? KeycapColour::Green : KeycapColour::Grey, k.Toggle));
    b->setIconSize(b->size());
    if (*k.Hint) b->setToolTip(QString::fromUtf8(k.Hint));
    b->setAccessibleName(QString::fromUtf8(k.Spoken));
    b->setAccessibleDescription(DescriptionOf(k));
    keys.append(b);
  }
  return keys;
}
