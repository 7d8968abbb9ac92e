// The macro grid: typing, removal, the refused last cell, the byte budget,
// the view switch, and where the insertion point goes.
#include <QMenu>
#include <QProgressBar>
#include <QTabBar>

#include "CodeValues.h"
#include "MainWindowFixture.h"

using Codes_t = std::vector<int32_t>;

TEST_F(MainWindowTest, TypingInsertsCodesThroughCharToKey) {
  struct Case {
    const char* what;
    std::function<void(MainWindowTest&)> type;
    Codes_t codes;
    bool dirty;
  };
  const Case cases[] = {
      {"a", [](MainWindowTest& t) { t.TypeChar('a'); }, {97}, true},
      {"Shift+a", [](MainWindowTest& t) { t.Type(Qt::Key_A, Qt::ShiftModifier); }, {65}, true},
      {"*", [](MainWindowTest& t) { t.TypeChar('*'); }, {42}, true},
      {"+", [](MainWindowTest& t) { t.TypeChar('+'); }, {43}, true},
      {"Enter", [](MainWindowTest& t) { t.Type(Qt::Key_Return); }, {13}, true},
      {"keypad Enter",
       [](MainWindowTest& t) { t.Type(Qt::Key_Enter, Qt::KeypadModifier); },
       {13},
       true},
      {"Escape", [](MainWindowTest& t) { t.Type(Qt::Key_Escape); }, {27}, true},
      {"Ctrl+A", [](MainWindowTest& t) { t.Type(Qt::Key_A, Qt::ControlModifier); }, {}, false},
      {"Ctrl+M is a carriage return",
       [](MainWindowTest& t) { t.Type(Qt::Key_M, Qt::ControlModifier); },
       {13},
       true},
      {"Ctrl+1", [](MainWindowTest& t) { t.Type(Qt::Key_1, Qt::ControlModifier); }, {}, false},
      {"control character 2",
       [](MainWindowTest& t) { t.SendKey(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(2))); },
       {},
       false},
      {"e acute",
       [](MainWindowTest& t) {
         t.SendKey(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QString(QChar(0xE9)));
       },
       {0xE9},
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Start();
    c.type(*this);
    EXPECT_EQ(Codes(), c.codes);
    EXPECT_EQ(Dirty(), c.dirty);
    EXPECT_EQ(W().ModifierBits, 0);
    EXPECT_TRUE(prompts.errors.isEmpty());
    window.reset();
    keypad.Initialize();
  }
}

TEST_F(MainWindowTest, CharacterBeyondOneByteInsertsNothingAndIsNotMacroFull) {
  Start();
  FillPlain(100);
  SendKey(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(0x20AC)));  // the euro sign
  EXPECT_EQ(keypad.NumOfElements(), 100);
  EXPECT_TRUE(prompts.errors.isEmpty());
}

// Characters whose code carries the delay or command bit would otherwise be
// taken for a delay or an LED command.
TEST_F(MainWindowTest, CharactersBeyondOneByteNeverBecomeCommandsOrDelays) {
  Start();
  TypeChar('a');
  for (char16_t c : {u'\u4009', u'\u1234', u'\u5000', u'\u0100'}) {
    SendKey(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(c)));
  }
  EXPECT_EQ(Codes(), (Codes_t{97}));
  EXPECT_TRUE(prompts.errors.isEmpty());
}

TEST_F(MainWindowTest, TabMovesOneCellThenInsertsTab) {
  Start();
  TypeChar('a');
  TypeChar('b');
  SetCurrentCell(0);
  Type(Qt::Key_Tab);
  EXPECT_EQ(Codes(), (Codes_t{97, 9, 98}));
  EXPECT_EQ(Position(), 2);
  EXPECT_EQ(Cell(1), "Tab");
  EXPECT_TRUE(W().Grid->hasFocus());  // Tab stays in the grid
}

TEST_F(MainWindowTest, ShiftHeldThroughTwoAtSigns) {
  Start();
  SendKey(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier);
  EXPECT_EQ(W().ModifierBits, 0x01);
  // A long press: repeated key-down events change nothing further.
  SendKey(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier, {}, true);
  SendKey(QEvent::KeyRelease, Qt::Key_Shift, Qt::ShiftModifier, {}, true);
  SendKey(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier, {}, true);
  EXPECT_EQ(W().ModifierBits, 0x01);
  platform.keyboard.shiftDown = true;
  SendKey(QEvent::KeyPress, Qt::Key_At, Qt::ShiftModifier, "@");
  SendKey(QEvent::KeyPress, Qt::Key_At, Qt::ShiftModifier, "@");
  EXPECT_EQ(Codes(), (Codes_t{CodeValue::kAtSign, 64}));
  SendKey(QEvent::KeyRelease, Qt::Key_Shift, Qt::NoModifier);
  EXPECT_EQ(W().ModifierBits, 0);
  EXPECT_GT(platform.keyboardQueries, 0);  // the model asks the PC keyboard at every insertion
}

TEST_F(MainWindowTest, PcShiftReleaseClearsBitsOfToggleStillDown) {
  Start();
  Click("keyLShift");
  Click("keyRCtrl");
  EXPECT_EQ(W().ModifierBits, 0x09);
  SendKey(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier);
  SendKey(QEvent::KeyRelease, Qt::Key_Shift, Qt::NoModifier);
  EXPECT_EQ(W().ModifierBits, 0);
  EXPECT_TRUE(W().keyLShift->isChecked());
}

TEST_F(MainWindowTest, BackspaceDeleteAndDoubleClickRemoveCodes) {
  Start();
  for (char c : {'a', 'b', 'c', 'd'}) TypeChar(c);
  Type(Qt::Key_Backspace);  // removes d, one position back
  EXPECT_EQ(Codes(), (Codes_t{97, 98, 99}));
  EXPECT_EQ(Position(), 3);
  SetCurrentCell(1);
  Type(Qt::Key_Delete);  // removes b, stays
  EXPECT_EQ(Codes(), (Codes_t{97, 99}));
  EXPECT_EQ(Position(), 1);
  const QRect cell = W().Grid->visualRect(W().Grid->model()->index(0, 0));
  QTest::mouseClick(W().Grid->viewport(), Qt::LeftButton, {}, cell.center());
  QTest::mouseDClick(W().Grid->viewport(), Qt::LeftButton, {}, cell.center());
  EXPECT_EQ(Codes(), (Codes_t{99}));
  EXPECT_EQ(Position(), 0);

  W().ChangesPending(false);
  W().SetTitle("t");
  Type(Qt::Key_Backspace);  // at position 0: nothing, not even the mark
  EXPECT_EQ(Codes(), (Codes_t{99}));
  EXPECT_EQ(W().windowTitle(), "t");
  SetCurrentCell(20);
  Type(Qt::Key_Delete);  // beyond the end: nothing removed, but marked
  EXPECT_EQ(Codes(), (Codes_t{99}));
  EXPECT_EQ(Position(), 20);
  EXPECT_EQ(W().windowTitle(), "t*");
}

TEST_F(MainWindowTest, TwoByTwoBlockDelete) {
  Start();
  int32_t position = 0;
  for (int i = 0; i < 21; ++i) ASSERT_TRUE(keypad.InsertByte(position, 'A' + i));
  W().CopyDataToScreen(0);
  SetCurrentCell(1);                                                         // row 0, column 1: B
  W().Grid->setRangeSelected(QTableWidgetSelectionRange(0, 1, 1, 2), true);  // B C / I J
  Type(Qt::Key_Delete);
  Codes_t expected;
  for (int i = 0; i < 21; ++i)
    if (i != 1 && i != 2 && i != 8 && i != 9) expected.push_back('A' + i);
  EXPECT_EQ(Codes(), expected);
  EXPECT_EQ(Position(), 1);
  EXPECT_EQ(W().Grid->selectedRanges().size(), 1);
  EXPECT_EQ(W().Grid->selectedRanges().first().columnCount(), 1);
}

TEST_F(MainWindowTest, LastCellCanNeverBecomeCurrent) {
  Start();
  SetCurrentCell(110);
  W().Grid->scrollToBottom();
  const QRect last = W().Grid->visualRect(W().Grid->model()->index(15, 6));
  QTest::mouseClick(W().Grid->viewport(), Qt::LeftButton, {}, last.center());
  EXPECT_EQ(Position(), 110);
  Type(Qt::Key_Right);
  EXPECT_EQ(Position(), 110);
  SetCurrentCell(104);  // row 14, column 6
  Type(Qt::Key_Down);
  EXPECT_EQ(Position(), 104);
  Type(Qt::Key_End, Qt::ControlModifier);
  EXPECT_NE(Position(), 111);
  W().Grid->setCurrentCell(15, 6);
  EXPECT_NE(Position(), 111);
}

TEST_F(MainWindowTest, MacroFullAtTheBudgetEdges) {
  Start();
  FillPlain(98);
  W().ChangesPending(false);
  W().SetTitle("t");
  W().tbDelayValue->setValue(10);
  Click("spdbtnDelay");  // three bytes: refused
  ASSERT_EQ(prompts.errors, QStringList{"Macro Full!"});
  EXPECT_EQ(keypad.NumOfElements(), 98);
  EXPECT_EQ(Position(), 98);
  EXPECT_EQ(W().windowTitle(), "t");

  Click("keyA");  // one byte: accepted
  EXPECT_EQ(keypad.CodeCount(), 99);
  Click("keyLShift");
  W().btnLED1->click();
  W().findChild<QAction*>("menuitemLed1On")->trigger();  // two bytes: refused
  EXPECT_EQ(prompts.errors.size(), 2);
  EXPECT_EQ(keypad.CodeCount(), 99);
  EXPECT_EQ(W().ModifierBits, 0x01);  // a refusal leaves the modifier bits
  TypeChar('z');
  EXPECT_EQ(keypad.CodeCount(), 100);
  EXPECT_EQ(W().lblBytesUsed->text(), "0");
  EXPECT_EQ(Position(), 100);
  TypeChar('z');
  EXPECT_EQ(prompts.errors.size(), 3);
  EXPECT_EQ(Cell(99), "Z");
  EXPECT_EQ(Cell(100), "");
}

TEST_F(MainWindowTest, InsertionBeyondTheEndAppends) {
  Start();
  FillPlain(10);
  SetCurrentCell(50);
  TypeChar('q');
  EXPECT_EQ(keypad.NumOfElements(), 11);
  EXPECT_EQ(keypad.CodeAt(10), 'q');
  EXPECT_EQ(Position(), 11);
}

TEST_F(MainWindowTest, ViewSwitchShowsHexAndMovesToTheEnd) {
  Start();
  TypeChar('a');
  Click("keyEnter");
  SetCurrentCell(0);
  W().ChangesPending(false);
  W().SetTitle("t");
  W().menuitemViewKeysAsHex->trigger();
  EXPECT_EQ(Cell(0), "0x61");
  EXPECT_EQ(Cell(1), "0x0D");
  EXPECT_EQ(Cell(2), " ");
  EXPECT_EQ(Position(), 2);
  // The menu's check marks follow the view when it opens.
  QMouseEvent right(QEvent::MouseButtonPress, QPointF(5, 5), W().Grid->mapToGlobal(QPointF(5, 5)),
                    Qt::RightButton, Qt::RightButton, Qt::NoModifier);
  SetCurrentCell(1);
  QApplication::sendEvent(W().Grid->viewport(), &right);
  EXPECT_TRUE(W().popmenuClearMacro->isVisible());
  EXPECT_TRUE(W().menuitemViewKeysAsHex->isChecked());
  EXPECT_FALSE(W().menuitemViewKeysAsText->isChecked());
  EXPECT_EQ(Position(), 1);  // a right click moves no cell
  W().popmenuClearMacro->hide();
  W().menuitemViewKeysAsText->trigger();
  EXPECT_EQ(Cell(0), "a");
  EXPECT_EQ(Cell(1), "CR");
  EXPECT_EQ(W().windowTitle(), "t");
}

TEST_F(MainWindowTest, EraseMacro) {
  Start();
  W().ChangesPending(false);
  W().SetTitle("t");
  W().menuitemClearMacro->trigger();  // empty: nothing, nothing marked
  EXPECT_EQ(W().windowTitle(), "t");
  FillPlain(30);
  SetCurrentCell(3);
  W().Grid->setRangeSelected(QTableWidgetSelectionRange(0, 3, 1, 4), true);
  W().menuitemClearMacro->trigger();
  EXPECT_EQ(keypad.NumOfElements(), 0);
  EXPECT_EQ(Position(), 0);
  EXPECT_EQ(W().lblBytesUsed->text(), "100");
  EXPECT_EQ(W().Gauge1->value(), 0);
  EXPECT_EQ(W().windowTitle(), "t*");
}

TEST_F(MainWindowTest, RefreshReleasesTogglesButKeepsBits) {
  Start();
  Click("keyLShift");
  Click("keyLCtrl");
  W().CopyDataToScreen(0);
  EXPECT_FALSE(W().keyLShift->isChecked());
  EXPECT_FALSE(W().keyLCtrl->isChecked());
  EXPECT_EQ(W().ModifierBits, 0x05);
}

TEST_F(MainWindowTest, GridIsLegibleAndSpeaksItsCells) {
  Start();
  TypeChar('a');
  const QModelIndex first = W().Grid->model()->index(0, 0);
  EXPECT_EQ(first.data(Qt::AccessibleTextRole).toString(), "a");
  EXPECT_EQ(W().Grid->model()->index(0, 1).data(Qt::AccessibleTextRole).toString(), "empty");
  EXPECT_EQ(W().Grid->palette().color(QPalette::Base), QColor(Qt::black));
  // Cells paint white with navy text; grid lines stay black.
  const QImage image = W().Grid->viewport()->grab().toImage();
  const QRect cell = W().Grid->visualRect(W().Grid->model()->index(2, 2));
  EXPECT_EQ(QColor(image.pixel(cell.center() + QPoint(20, 0))), QColor(Qt::white));
  EXPECT_EQ(QColor(image.pixel(cell.right(), cell.center().y())), QColor(Qt::black));
  const QRect current = W().Grid->visualRect(W().Grid->currentIndex());
  EXPECT_NE(QColor(image.pixel(current.center() + QPoint(20, 0))), QColor(Qt::white));
}
