// Key selection and key properties: the keypad picture, the level tabs, the
// key type menu, the auto-repeat box and the name box.
#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QTabBar>
#include <QToolButton>

#include "Artwork.h"
#include "MacroGrid.h"
#include "Unit1.h"

namespace {

const QColor kLevel1Colour(166, 202, 240);
const QColor kLevel2Colour(128, 128, 128);

QString KeyTypeText(TKeyType type) {
  switch (type) {
    case ktShift:
      return QStringLiteral("level shift key");
    case ktToggle:
      return QStringLiteral("level toggle key");
    default:
      return QStringLiteral("normal key");
  }
}

}  // namespace

void TfrmMain::BuildKeyPanel(QWidget* central) {
  KeyPanel2 = new QFrame(central);
  KeyPanel2->setObjectName(QStringLiteral("KeyPanel2"));
  KeyPanel2->setGeometry(9, 83, 246, 186);
  KeyPanel2->setAutoFillBackground(true);
  QPalette pal = KeyPanel2->palette();
  pal.setColor(QPalette::Window, kLevel1Colour);
  KeyPanel2->setPalette(pal);
  KeyPanel2->setToolTip(QStringLiteral("Right-click to set Level control"));
  KeyPanel2->setAccessibleName(QStringLiteral("Keypad"));

  keyGroup = new QButtonGroup(this);
  keyGroup->setExclusive(true);
  QFont keyFont = font();
  keyFont.setPointSize(7);
  for (int row = 0; row < 6; ++row) {
    for (int column = 0; column < 8; ++column) {
      const int number = row * 8 + column + 1;
      auto* button = new QToolButton(KeyPanel2);
      button->setObjectName(QStringLiteral("Key%1").arg(number, 3, 10, QLatin1Char('0')));
      button->setProperty("Tag", number - 1);
      button->setCheckable(true);
      button->setAutoRaise(true);
      button->setFont(keyFont);
      button->setIconSize(QSize(11, 11));
      button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
      button->setGeometry(4 + 30 * column, 4 + 30 * row, 28, 28);
      button->setFocusPolicy(Qt::TabFocus);
      button->setContextMenuPolicy(Qt::CustomContextMenu);
      button->installEventFilter(this);
      keyGroup->addButton(button);
      keyButtons << button;
      connect(button, &QToolButton::clicked, this, &TfrmMain::KeyClick);
      connect(button, &QWidget::customContextMenuRequested, this,
              [this, button](const QPoint& pos) {
                // From the keyboard (menu key) the key may not be current yet.
                if (!button->isChecked()) button->click();
                fKeyTypeMenuButton = button;
                popmenKeyType->popup(button->mapToGlobal(pos));
              });
    }
  }
  keyButtons.first()->setChecked(true);

  popmenKeyType = new QMenu(this);
  popmenKeyType->setObjectName(QStringLiteral("popmenKeyType"));
  ShiftKeyMenuItem = popmenKeyType->addAction(
      KeyTypeIcon(ktShift),
      QStringLiteral("Shift Level -- will cause the keypad to switch levels while held down."));
  ShiftKeyMenuItem->setObjectName(QStringLiteral("ShiftKeyMenuItem"));
  ShiftKeyMenuItem->setCheckable(true);
  ToggleKeyMenuItem = popmenKeyType->addAction(
      KeyTypeIcon(ktToggle),
      QStringLiteral(
          "Toggle Level -- will cause the keypad to switch levels after key is released."));
  ToggleKeyMenuItem->setObjectName(QStringLiteral("ToggleKeyMenuItem"));
  ToggleKeyMenuItem->setCheckable(true);
  connect(popmenKeyType, &QMenu::aboutToShow, this, &TfrmMain::popmenKeyTypePopup);
  connect(ShiftKeyMenuItem, &QAction::triggered, this, &TfrmMain::KeyTypeMenuItemClick);
  connect(ToggleKeyMenuItem, &QAction::triggered, this, &TfrmMain::KeyTypeMenuItemClick);
}

QToolButton* TfrmMain::KeyButton(int number) const {
  return number >= 1 && number <= keyButtons.size() ? keyButtons.at(number - 1) : nullptr;
}

void TfrmMain::KeyClick() {
  auto* button = qobject_cast<QToolButton*>(sender());
  if (button == nullptr) return;
  fKeypad.SetKey(static_cast<uint8_t>(button->property("Tag").toInt()));
  CopyDataToScreen(fKeypad.NumOfElements());
  FocusGridIfShown();
}

void TfrmMain::KeyMouseDown(QToolButton* button, QMouseEvent* event) {
  if (event->button() != Qt::RightButton) return;
  button->click();  // selects the key as a left click would
  button->setChecked(true);
  fKeyTypeMenuButton = button;
}

void TfrmMain::TabControlLevelChange(int index) {
  fKeypad.SetLevel(static_cast<uint8_t>(index));
  CopyDataToScreen(fKeypad.NumOfElements());
  QPalette pal = KeyPanel2->palette();
  pal.setColor(QPalette::Window, fKeypad.Level() == 0 ? kLevel1Colour : kLevel2Colour);
  KeyPanel2->setPalette(pal);
}

void TfrmMain::popmenKeyTypePopup() {
  ShiftKeyMenuItem->setChecked(fKeypad.Keytype() == ktShift);
  ToggleKeyMenuItem->setChecked(fKeypad.Keytype() == ktToggle);
}

void TfrmMain::KeyTypeMenuItemClick() {
  auto* item = qobject_cast<QAction*>(sender());
  if (item == nullptr) return;
  // The action has already reversed its own check mark.
  QAction* other = item == ShiftKeyMenuItem ? ToggleKeyMenuItem : ShiftKeyMenuItem;
  other->setChecked(false);
  if (item->isChecked())
    fKeypad.SetKeytype(item == ShiftKeyMenuItem ? ktShift : ktToggle);
  else
    fKeypad.SetKeytype(ktNormal);
  QToolButton* button = fKeyTypeMenuButton != nullptr
                            ? fKeyTypeMenuButton
                            : qobject_cast<QToolButton*>(keyGroup->checkedButton());
  if (button != nullptr) CopyKeyParametersToScreen(button);
  ChangesPending(true);
}

void TfrmMain::CopyKeyParametersToScreen(QToolButton* button) {
  const TKeyType type = fKeypad.Keytype();
  button->setIcon(type == ktNormal ? QIcon() : KeyTypeIcon(type));
  button->setText(QString::number(button->property("Tag").toInt() + 1));
  DescribeKeyButton(button);
}

// For a screen reader: the key's number, its type and its two macros' names.
void TfrmMain::DescribeKeyButton(QToolButton* button) {
  const int number = button->property("Tag").toInt() + 1;
  const uint8_t level = fKeypad.Level();
  QStringList names;
  for (uint8_t l = 0; l < 2; ++l) {
    fKeypad.SetLevel(l);
    const QString name = QString::fromStdU16String(fKeypad.GetMacroName());
    names << (name.isEmpty() ? QStringLiteral("unnamed") : name);
  }
  fKeypad.SetLevel(level);
  button->setAccessibleName(QStringLiteral("Key %1").arg(number));
  button->setAccessibleDescription(
      QStringLiteral("Key %1, %2; level 1 macro: %3; level 2 macro: %4")
          .arg(number)
          .arg(KeyTypeText(fKeypad.Keytype()), names.at(0), names.at(1)));
}

void TfrmMain::chkboxAutorepeatClick() {
  if (chkboxAutoRepeat->isChecked() != fKeypad.CanAutoRepeat()) {
    fKeypad.SetCanAutoRepeat(chkboxAutoRepeat->isChecked());
    ChangesPending(true);
  }
  FocusGridIfShown();
}

void TfrmMain::EditNameKeyUp(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return;
  fKeypad.SetMacroName(EditName->text().toStdU16String());
  ChangesPending(true);
  for (QToolButton* button : keyButtons)
    if (button->property("Tag").toInt() == fKeypad.Key()) DescribeKeyButton(button);
}

void TfrmMain::EditNameKeyDown(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) Grid->setFocus();
}

void TfrmMain::FocusGridIfShown() {
  if (isVisible()) Grid->setFocus();
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == EditName) {
    if (event->type() == QEvent::KeyRelease)
      EditNameKeyUp(static_cast<QKeyEvent*>(event));
    else if (event->type() == QEvent::KeyPress)
      EditNameKeyDown(static_cast<QKeyEvent*>(event));
    return false;
  }
  if (watched == edManualInput && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      edManualInputKeyPress(key);
      return true;
    }
    return false;
  }
  if (event->type() == QEvent::MouseButtonPress) {
    auto* button = qobject_cast<QToolButton*>(watched);
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (button != nullptr && mouse->button() == Qt::RightButton && keyButtons.contains(button)) {
      KeyMouseDown(button, mouse);
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}
