// Key selection, level tabs, key types, auto-repeat and the name box.
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QTabBar>

#include "MainWindowFixture.h"

namespace {
const QColor kSkyBlue(166, 202, 240);
const QColor kGrey(128, 128, 128);
}  // namespace

TEST_F(MainWindowTest, KeyInRowTwoColumnThreeInBothLayouts) {
  struct Case {
    QByteArray layout;
    int index;
  };
  for (const Case& c : {Case{"48", 19}, Case{"24", 11}}) {
    SCOPED_TRACE(c.layout.toStdString());
    WriteSettings(c.layout);
    Start();
    QTest::mouseClick(W().KeyButton(2 * 8 + 3 + 1), Qt::LeftButton);
    EXPECT_EQ(keypad.Key(), c.index);
    EXPECT_EQ(W().lblMacroHeader->text(), QString("Macro for Key %1, Level 1").arg(c.index + 1));
    EXPECT_TRUE(W().KeyButton(2 * 8 + 3 + 1)->isChecked());
    EXPECT_FALSE(W().KeyButton(1)->isChecked());
    EXPECT_TRUE(W().Grid->hasFocus());
    EXPECT_FALSE(Dirty());
    window.reset();
  }
}

TEST_F(MainWindowTest, SelectingAKeyKeepsTheLevelAndGoesToTheEnd) {
  Start();
  W().TabControlLevel->setCurrentIndex(1);
  TypeChar('a');
  TypeChar('b');
  QTest::mouseClick(W().KeyButton(2), Qt::LeftButton);
  TypeChar('c');
  QTest::mouseClick(W().KeyButton(1), Qt::LeftButton);
  EXPECT_EQ(keypad.Level(), 1);
  EXPECT_EQ(Position(), 2);
  EXPECT_EQ(W().lblMacroHeader->text(), "Macro for Key 1, Level 2");
  W().TabControlLevel->setCurrentIndex(0);
  EXPECT_EQ(Position(), 0);
  EXPECT_EQ(Cell(0), " ");
}

TEST_F(MainWindowTest, LevelTabsColourThePanel) {
  Start();
  keypad.SetKeytype(ktShift);
  W().CopyKeyParametersToScreen(W().KeyButton(1));
  W().TabControlLevel->setCurrentIndex(1);
  EXPECT_EQ(W().KeyPanel2->palette().color(QPalette::Window), kGrey);
  EXPECT_FALSE(W().KeyButton(1)->icon().isNull());
  EXPECT_EQ(W().lblMacroHeader->text(), "Macro for Key 1, Level 2");
  W().TabControlLevel->setCurrentIndex(0);
  EXPECT_EQ(W().KeyPanel2->palette().color(QPalette::Window), kSkyBlue);
  EXPECT_FALSE(W().KeyButton(1)->icon().isNull());
  EXPECT_FALSE(Dirty());
}

TEST_F(MainWindowTest, KeyTypeMenu) {
  Start();
  // A right click on a key that is not current makes it current first.
  QTest::mousePress(W().KeyButton(3), Qt::RightButton);
  EXPECT_EQ(keypad.Key(), 2);
  EXPECT_TRUE(W().KeyButton(3)->isChecked());
  W().popmenKeyType->popup(W().KeyButton(3)->mapToGlobal(QPoint(4, 4)));
  EXPECT_FALSE(W().ShiftKeyMenuItem->isChecked());
  EXPECT_FALSE(W().ShiftKeyMenuItem->icon().isNull());
  EXPECT_FALSE(W().ToggleKeyMenuItem->icon().isNull());

  W().ShiftKeyMenuItem->trigger();
  W().popmenKeyType->hide();
  EXPECT_EQ(keypad.Keytype(), ktShift);
  EXPECT_TRUE(W().ShiftKeyMenuItem->isChecked());
  EXPECT_FALSE(W().KeyButton(3)->icon().isNull());
  EXPECT_TRUE(Dirty());
  EXPECT_TRUE(W().KeyButton(3)->accessibleDescription().contains("level shift"));

  W().ToggleKeyMenuItem->trigger();  // Toggle on a level-shift key
  EXPECT_EQ(keypad.Keytype(), ktToggle);
  EXPECT_FALSE(W().ShiftKeyMenuItem->isChecked());

  W().ToggleKeyMenuItem->trigger();  // the type it has: back to normal
  EXPECT_EQ(keypad.Keytype(), ktNormal);
  EXPECT_TRUE(W().KeyButton(3)->icon().isNull());

  // The marks shown follow the key the menu opens on.
  keypad.SetKey(5);
  keypad.SetKeytype(ktToggle);
  QTest::mousePress(W().KeyButton(6), Qt::RightButton);
  W().popmenKeyType->popup(QPoint(0, 0));
  EXPECT_TRUE(W().ToggleKeyMenuItem->isChecked());
  EXPECT_FALSE(W().ShiftKeyMenuItem->isChecked());
  W().popmenKeyType->hide();
}

TEST_F(MainWindowTest, AutoRepeatBox) {
  Start();
  keypad.SetKey(4);
  keypad.SetCanAutoRepeat(true);
  keypad.SetKey(0);
  QTest::mouseClick(W().KeyButton(5), Qt::LeftButton);
  EXPECT_TRUE(W().chkboxAutoRepeat->isChecked());
  EXPECT_FALSE(Dirty());
  W().chkboxAutoRepeat->click();
  EXPECT_FALSE(keypad.CanAutoRepeat());
  EXPECT_TRUE(Dirty());
  EXPECT_TRUE(W().Grid->hasFocus());
}

TEST_F(MainWindowTest, NameBox) {
  Start();
  W().EditName->setFocus();
  QTest::keyClicks(W().EditName, "Hi");
  EXPECT_EQ(keypad.GetMacroName(), u"Hi");
  EXPECT_TRUE(Dirty());
  EXPECT_TRUE(W().KeyButton(1)->accessibleDescription().contains("Hi"));

  W().ChangesPending(false);
  W().SetTitle("t");
  QTest::keyClick(W().EditName, Qt::Key_Return);
  EXPECT_EQ(W().windowTitle(), "t");
  EXPECT_TRUE(W().Grid->hasFocus());

  W().EditName->setFocus();
  QTest::keyClick(W().EditName, Qt::Key_Left);  // any key released marks the change
  EXPECT_EQ(W().windowTitle(), "t*");

  QTest::keyClicks(W().EditName, QString(30, 'x'));
  EXPECT_EQ(W().EditName->text().size(), 25);
  EXPECT_EQ(keypad.GetMacroName().size(), 25u);

  // Changed without a key release (a paste with the mouse) still reaches the model.
  W().EditName->selectAll();
  W().EditName->insert("pasted");
  emit W().EditName->textEdited(W().EditName->text());
  EXPECT_EQ(keypad.GetMacroName(), u"pasted");
}

TEST_F(MainWindowTest, KeyButtonsAreSpokenAndReachable) {
  Start();
  keypad.SetKey(0);
  keypad.SetLevel(1);
  keypad.SetMacroName(u"login");
  keypad.SetLevel(0);
  W().CopyAllKeyParametersToScreen();
  QToolButton* key = W().KeyButton(1);
  EXPECT_EQ(key->accessibleName(), "Key 1");
  EXPECT_TRUE(key->accessibleDescription().contains("normal key"));
  EXPECT_TRUE(key->accessibleDescription().contains("level 2 macro: login"));
  EXPECT_EQ(key->focusPolicy(), Qt::TabFocus);
  for (QToolButton* k : W().keyboardKeys) EXPECT_FALSE(k->accessibleName().isEmpty());
  // Ctrl+Tab leaves the grid for the next control.
  W().Grid->setFocus();
  Type(Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_FALSE(W().Grid->hasFocus());
  EXPECT_TRUE(Codes().empty());
}

TEST_F(MainWindowTest, TabOrderRunsFromKeypadToGridToEntry) {
  Start();
  EXPECT_EQ(W().KeyButton(48)->nextInFocusChain(), W().TabControlLevel);
  EXPECT_EQ(W().EditName->nextInFocusChain(), W().Grid);
  W().Grid->setFocus();
  Type(Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_TRUE(W().btnLED1->hasFocus() || !W().btnLED1->isEnabled());
}
