// The code entry controls: on-screen keys with their toggles, manual entry,
// delays and LED commands.
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QSlider>
#include <QTabBar>

#include "CodeValues.h"
#include "MainWindowFixture.h"

using Codes_t = std::vector<int32_t>;

TEST_F(MainWindowTest, OnScreenKeysWithTheirToggles) {
  struct Case {
    std::vector<const char*> clicks;
    Codes_t codes;
    std::vector<const char*> downAfter;  // toggles still down
    int32_t bitsAfter;
    QString firstCell;
  };
  const Case cases[] = {
      {{"keyA"}, {97}, {}, 0, "a"},
      {{"keyLShift", "keyA", "keyA"}, {65, 97}, {}, 0, "A"},
      {{"keyRShift", "keyEqual"}, {43}, {}, 0, "+"},
      {{"keyCapsLock", "keyNum1", "keyA"}, {33, 65}, {"keyCapsLock"}, 0x20, "!"},
      {{"keyLCtrl", "keyA"}, {1}, {}, 0, "^A  01h"},
      {{"keyRCtrl", "keyNum1", "keyA"}, {97}, {}, 0, "a"},  // Ctrl+1 gives nothing
      {{"keyLShift", "keyNum2"}, {CodeValue::kAtSign}, {}, 0, ""},
      {{"keyBackspace"}, {8}, {}, 0, "BS"},
      {{"kpDelete"}, {127}, {}, 0, "Del"},
      {{"kpMultiply", "kpPlus", "kp7", "kpEnter"}, {42, 43, 55, 13}, {}, 0, "*"},
      {{"keyCapsLock", "keyRCtrl"}, {}, {"keyCapsLock", "keyRCtrl"}, 0x28, " "},
      {{"keyCapsLock", "keyLShift", "keyA", "keyCapsLock", "keyB"}, {65, 66}, {}, 0, "A"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.clicks.back());
    Start();
    for (const char* name : c.clicks) Click(name);
    EXPECT_EQ(Codes(), c.codes);
    for (const char* toggle : {"keyLShift", "keyRShift", "keyLCtrl", "keyRCtrl", "keyCapsLock"}) {
      const bool down = std::find_if(c.downAfter.begin(), c.downAfter.end(), [&](const char* n) {
                          return QByteArray(n) == toggle;
                        }) != c.downAfter.end();
      EXPECT_EQ(Find<QToolButton>(toggle)->isChecked(), down) << toggle;
    }
    EXPECT_EQ(W().ModifierBits, c.bitsAfter);
    if (!c.firstCell.isEmpty()) {
      EXPECT_EQ(Cell(0), c.firstCell);
    }
    EXPECT_TRUE(W().Grid->hasFocus());
    window.reset();
    keypad.Initialize();
  }
}

TEST_F(MainWindowTest, CtrlWithNoCodeStillCountsAsAnInsertion) {
  Start();
  W().ChangesPending(false);
  W().SetTitle("t");
  Click("keyLCtrl");
  Click("keyNum1");
  EXPECT_TRUE(Codes().empty());
  EXPECT_FALSE(W().keyLCtrl->isChecked());
  EXPECT_EQ(W().ModifierBits, 0);
  EXPECT_EQ(W().windowTitle(), "t*");
}

TEST_F(MainWindowTest, DelayCodesFollowTheSlider) {
  struct Case {
    int position;
    QString text, hint;
  };
  const Case cases[] = {{1, "Dly 4", "4ms"}, {50, "Dly 200", "200ms"}, {125, "Dly 500", "500ms"}};
  Start();
  EXPECT_EQ(W().tbDelayValue->value(), 50);
  EXPECT_EQ(W().tbDelayValue->toolTip(), "200ms");
  EXPECT_EQ(W().spdbtnDelay->property("Tag").toInt(), 111);
  int bytes = 100;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.position);
    W().tbDelayValue->setValue(c.position);
    EXPECT_EQ(W().tbDelayValue->toolTip(), c.hint);
    const int at = keypad.NumOfElements();
    Click("spdbtnDelay");
    EXPECT_EQ(keypad.CodeAt(at), CodeValue::kDelayBit + c.position);
    EXPECT_EQ(Cell(at), c.text);
    bytes -= 3;
    EXPECT_EQ(W().lblBytesUsed->text(), QString::number(bytes));
    EXPECT_EQ(W().Gauge1->value(), 100 - bytes);
  }
}

TEST_F(MainWindowTest, ManualEntry) {
  struct Case {
    bool hex;
    QString typed;
    QString shown;
    int inserted;  // -1: nothing
    bool refused;
  };
  const Case cases[] = {
      {false, "65", "65", 65, false},  {false, "255", "255", 255, false},
      {false, "256", "256", -1, true}, {false, "999", "999", -1, true},
      {false, "1a2", "12", 12, false}, {false, "0", "0", 0, false},
      {true, "4", "4", 4, false},      {true, "4a", "4A", 74, false},
      {true, "FF", "FF", 255, false},  {true, "g7", "7", 7, false},
      {true, "fff", "FF", 255, false}, {false, "1234", "123", 123, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed.toStdString());
    Start();
    if (c.hex) Click("rbHexadecimal");
    W().edManualInput->setFocus();
    QTest::keyClicks(W().edManualInput, c.typed);
    EXPECT_EQ(W().edManualInput->text(), c.shown);
    QTest::keyClick(W().edManualInput, Qt::Key_Return);
    if (c.inserted >= 0)
      EXPECT_EQ(Codes(), Codes_t{c.inserted});
    else
      EXPECT_TRUE(Codes().empty());
    EXPECT_EQ(prompts.errors.size(), c.refused ? 1 : 0);
    if (c.refused) {
      EXPECT_EQ(prompts.errors.first(), "Value exceeds 255 (decimal).");
    }
    EXPECT_EQ(W().edManualInput->text(), c.refused ? c.shown : QString());
    window.reset();
    keypad.Initialize();
    prompts.errors.clear();
  }
}

TEST_F(MainWindowTest, PastedManualEntryIsFilteredLikeTyping) {
  Start();
  W().edManualInput->setFocus();
  W().edManualInput->insert("2x5-5");  // what a paste does
  EXPECT_EQ(W().edManualInput->text(), "255");
  Click("spdbtnInsert");
  EXPECT_EQ(Codes(), Codes_t{255});
  EXPECT_TRUE(W().Grid->hasFocus());
  Click("rbHexadecimal");
  W().edManualInput->insert("zz9Q");
  EXPECT_EQ(W().edManualInput->text(), "9");
  W().edManualInput->insert("b");
  EXPECT_EQ(W().edManualInput->text(), "9B");
  Click("spdbtnInsert");
  EXPECT_EQ(Codes(), (Codes_t{255, 0x9B}));
  EXPECT_TRUE(prompts.errors.isEmpty());
}

TEST_F(MainWindowTest, ManualEntryModesAndEmptyBox) {
  Start();
  QTest::keyClicks(W().edManualInput, "12");
  Click("rbHexadecimal");
  EXPECT_EQ(W().edManualInput->text(), "");
  EXPECT_FALSE(W().rbDecimal->isChecked());
  QTest::keyClicks(W().edManualInput, "A");
  Click("rbDecimal");
  EXPECT_EQ(W().edManualInput->text(), "");
  EXPECT_FALSE(W().rbHexadecimal->isChecked());
  QTest::keyClick(W().edManualInput, Qt::Key_Return);
  Click("spdbtnInsert");
  EXPECT_TRUE(Codes().empty());
  EXPECT_FALSE(Dirty());
  // Full: the box is emptied all the same.
  FillPlain(100);
  QTest::keyClicks(W().edManualInput, "7");
  QTest::keyClick(W().edManualInput, Qt::Key_Return);
  EXPECT_EQ(prompts.errors, QStringList{"Macro Full!"});
  EXPECT_EQ(W().edManualInput->text(), "");
}

TEST_F(MainWindowTest, LedMenusInsertTheNineCommands) {
  struct Case {
    const char* button;
    const char* item;
    QString caption;
    int code;
  };
  const Case cases[] = {
      {"btnLED1", "menuitemLed1Off", "Insert LED1 OFF Code", 0x4008},
      {"btnLED1", "menuitemLed1On", "Insert LED1 ON Code", 0x4009},
      {"btnLED1", "menuitemLED1Flash", "Insert LED1 Flash Code", 0x400A},
      {"btnLED2", "menuitemLed2Off", "Insert LED2 Off Code", 0x400B},
      {"btnLED2", "menuitemLed2On", "Insert LED2 On Code", 0x400C},
      {"btnLED2", "menuitemLed2Flash", "Insert LED2 Flash Code", 0x400D},
      {"btnLED3", "menuitemLed3Off", "Insert LED3 Off Code", 0x4005},
      {"btnLED3", "menuitemLed3On", "Insert LED3 On Code", 0x4006},
      {"btnLED3", "menuitemLed3Flash", "Insert LED3 Flash Code", 0x4007},
  };
  Start();
  EXPECT_FALSE(W().btnLED2->isEnabled());
  EXPECT_FALSE(W().btnLED3->isEnabled());
  Click("spbtn48Keys");
  Codes_t expected;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item);
    Click(c.button);
    auto* item = W().findChild<QAction*>(c.item);
    ASSERT_NE(item, nullptr);
    QMenu* menu = Find<QMenu>(QByteArray(c.button).replace("btn", "mnu").constData());
    EXPECT_TRUE(menu->isVisible());
    EXPECT_TRUE(menu->actions().contains(item));
    EXPECT_EQ(item->text(), c.caption);
    item->trigger();
    menu->hide();
    expected.push_back(c.code);
  }
  EXPECT_EQ(Codes(), expected);
  EXPECT_EQ(Cell(0), "Led1 Off");
}
