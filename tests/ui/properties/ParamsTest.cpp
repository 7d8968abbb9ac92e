// The Keypad Properties dialog, driven through its real widgets: filling from
// the model, host-mode switches with their LED conversions, Apply/OK/Cancel,
// ranges, keyboard handling and tab order.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "KeypadClass.h"
#include "Params.h"

namespace {

const std::array<QString, 7> kKeyboardCaptions = {
    "Led OFF",       "Caps Lock",       "Num Lock",   "Level Indicator",
    "Macro Control", "Power Indicator", "Scroll Lock"};
const std::array<QString, 4> kVirtualComCaptions = {"Led OFF", "Level Indicator",
                                                    "Host/Macro Control", "Power Indicator"};

class ParamsTest : public ::testing::Test {
 protected:
  void SetUp() override { Recreate(); }

  void Recreate() {
    dlg = std::make_unique<TfrmParameters>(
        keypad, [this] { return layout; }, [this] { ++changesMarked; });
  }

  // One showing, as the main window's Properties button gives it (without
  // the modal loop).
  void Open() {
    dlg->show();
    ASSERT_TRUE(dlg->isVisible());
  }

  template <typename T>
  T* W(const QString& name) const {
    T* w = dlg->findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
  }
  QRadioButton* Led(int group, int index) const {
    return W<QRadioButton>(QStringLiteral("rbLed%1_State%2").arg(group + 1).arg(index));
  }
  int SelectedLed(int group) const {
    int selected = -1;
    for (int i = 0; i < 7; ++i)
      if (Led(group, i)->isChecked()) {
        EXPECT_EQ(selected, -1) << "two choices selected in group " << group;
        selected = i;
      }
    return selected;
  }
  void Click(const QString& name) {
    QWidget* w = W<QWidget>(name);
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(w->isEnabled()) << name.toStdString() << " is disabled";
    ASSERT_TRUE(w->isVisible()) << name.toStdString() << " is hidden";
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(8, w->height() / 2));
  }
  // A user change that leaves every value as it was: rollover up and down.
  void Touch() {
    QSpinBox* spin = W<QSpinBox>("spinRollover");
    spin->setFocus();
    const bool up = spin->value() < spin->maximum();
    QTest::keyClick(spin, up ? Qt::Key_Up : Qt::Key_Down);
    QTest::keyClick(spin, up ? Qt::Key_Down : Qt::Key_Up);
  }
  void TouchAndApply() {
    Touch();
    Click("btnApply");
  }
  bool ApplyEnabled() const { return W<QPushButton>("btnApply")->isEnabled(); }
  bool OkEnabled() const { return W<QPushButton>("btnOK")->isEnabled(); }

  TKeypadClass keypad;
  int layout = 48;
  int changesMarked = 0;
  std::unique_ptr<TfrmParameters> dlg;
};

TEST_F(ParamsTest, KeyboardModeShowsSevenChoicesWithKeyboardCaptions) {
  keypad.SetOpMode(48);
  keypad.SetLED1Behavior(led_KBScroll);
  keypad.SetLED2Behavior(led_KBMacro);
  keypad.SetLED3Behavior(led_VSLevel_KBCaps);
  Open();

  EXPECT_TRUE(W<QRadioButton>("rbHostHID")->isChecked());
  EXPECT_EQ(dlg->GetHostType(), 2);
  for (int g = 0; g < 3; ++g)
    for (int i = 0; i < 7; ++i) {
      EXPECT_TRUE(Led(g, i)->isVisible()) << g << "," << i;
      EXPECT_EQ(Led(g, i)->text(), kKeyboardCaptions[i]) << g << "," << i;
    }
  EXPECT_EQ(SelectedLed(0), 6);
  EXPECT_EQ(SelectedLed(1), 4);
  EXPECT_EQ(SelectedLed(2), 1);
  // Filling the dialog is no change.
  EXPECT_FALSE(ApplyEnabled());
  EXPECT_FALSE(OkEnabled());
}

struct LedConversion {
  int from;
  int to;
};

std::string LedConversionName(const ::testing::TestParamInfo<LedConversion>& info) {
  return std::to_string(info.param.from) + "To" + std::to_string(info.param.to);
}

class ParamsFromKeyboardMode : public ParamsTest,
                               public ::testing::WithParamInterface<LedConversion> {};

TEST_P(ParamsFromKeyboardMode, SwitchingToDefaultCdcConvertsEveryGroup) {
  keypad.SetOpMode(48);
  const auto from = static_cast<TLEDBehavior>(GetParam().from);
  keypad.SetLED1Behavior(from);
  keypad.SetLED2Behavior(from);
  keypad.SetLED3Behavior(from);
  Open();

  Click("rbHostDefaultCDC");

  EXPECT_EQ(dlg->GetHostType(), 1);
  for (int g = 0; g < 3; ++g) {
    EXPECT_EQ(SelectedLed(g), GetParam().to) << "group " << g;
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Led(g, i)->text(), kVirtualComCaptions[i]);
    for (int i = 4; i < 7; ++i) EXPECT_FALSE(Led(g, i)->isVisible()) << g << "," << i;
  }
  EXPECT_TRUE(W<QSpinBox>("spinCdcSerialNo")->isEnabled());
  EXPECT_TRUE(ApplyEnabled());
  EXPECT_TRUE(OkEnabled());

  Click("btnApply");
  EXPECT_EQ(keypad.OpMode(), 0);
  EXPECT_EQ(keypad.LED1Behavior(), GetParam().to);
  EXPECT_EQ(keypad.LED2Behavior(), GetParam().to);
  EXPECT_EQ(keypad.LED3Behavior(), GetParam().to);
}

TEST_P(ParamsFromKeyboardMode, SwitchingToVesperConvertsTheSameWay) {
  keypad.SetOpMode(48);
  keypad.SetLED2Behavior(static_cast<TLEDBehavior>(GetParam().from));
  Open();
  Click("rbHostVesper");
  EXPECT_EQ(SelectedLed(1), GetParam().to);
  EXPECT_FALSE(W<QSpinBox>("spinCdcSerialNo")->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Led, ParamsFromKeyboardMode,
                         ::testing::Values(LedConversion{0, 0},  // off stays off
                                           LedConversion{1, 0},  // Caps Lock
                                           LedConversion{2, 0},  // Num Lock
                                           LedConversion{3, 1},  // level indicator
                                           LedConversion{4, 2},  // macro control
                                           LedConversion{5, 3},  // power indicator
                                           LedConversion{6, 0}   // Scroll Lock
                                           ),
                         LedConversionName);

class ParamsToKeyboardMode : public ParamsTest,
                             public ::testing::WithParamInterface<LedConversion> {};

TEST_P(ParamsToKeyboardMode, SwitchingToKeyboardModeCarriesTheChoiceAcross) {
  for (uint8_t opMode : {0, 32}) {
    keypad.SetOpMode(opMode);
    const auto from = static_cast<TLEDBehavior>(GetParam().from);
    keypad.SetLED1Behavior(from);
    keypad.SetLED2Behavior(from);
    keypad.SetLED3Behavior(from);
    Open();
    Click("rbHostHID");
    EXPECT_EQ(dlg->GetHostType(), 2);
    for (int g = 0; g < 3; ++g) {
      EXPECT_EQ(SelectedLed(g), GetParam().to) << "OpMode " << int(opMode) << " group " << g;
      for (int i = 0; i < 7; ++i) EXPECT_EQ(Led(g, i)->text(), kKeyboardCaptions[i]);
    }
    EXPECT_FALSE(W<QSpinBox>("spinCdcSerialNo")->isEnabled());
    Click("btnCancel");
  }
  EXPECT_EQ(changesMarked, 0);
  EXPECT_EQ(keypad.OpMode(), 32);  // Cancel left the model alone
}

INSTANTIATE_TEST_SUITE_P(Led, ParamsToKeyboardMode,
                         ::testing::Values(LedConversion{0, 0}, LedConversion{1, 3},
                                           LedConversion{2, 4}, LedConversion{3, 5}),
                         LedConversionName);

TEST_F(ParamsTest, CdcToVesperAndBackConvertsNothingAndTogglesTheSerialNumber) {
  keypad.SetLED1Behavior(led_VSLevel_KBCaps);
  keypad.SetLED2Behavior(led_VSHostMacro_KBNum);
  keypad.SetLED3Behavior(led_VSPower_KBLevel);
  Open();
  EXPECT_TRUE(W<QRadioButton>("rbHostDefaultCDC")->isChecked());
  EXPECT_TRUE(W<QSpinBox>("spinCdcSerialNo")->isEnabled());

  // Clicking the mode already selected is no change.
  Click("rbHostDefaultCDC");
  EXPECT_FALSE(ApplyEnabled());

  Click("rbHostVesper");
  EXPECT_FALSE(W<QLabel>("lblCdcSerialNo")->isEnabled());
  EXPECT_FALSE(W<QSpinBox>("spinCdcSerialNo")->isEnabled());
  EXPECT_TRUE(ApplyEnabled());
  Click("rbHostDefaultCDC");
  EXPECT_TRUE(W<QLabel>("lblCdcSerialNo")->isEnabled());
  EXPECT_TRUE(W<QSpinBox>("spinCdcSerialNo")->isEnabled());

  EXPECT_EQ(dlg->GetHostType(), 1);
  EXPECT_EQ(SelectedLed(0), 1);
  EXPECT_EQ(SelectedLed(1), 2);
  EXPECT_EQ(SelectedLed(2), 3);
  for (int i = 4; i < 7; ++i) EXPECT_FALSE(Led(0, i)->isVisible());
}

TEST_F(ParamsTest, SerialNumberIsEditableExactlyInTheDefaultCdcMode) {
  for (uint8_t opMode : {32, 0, 48, 0}) {
    keypad.SetOpMode(opMode);
    Open();
    EXPECT_EQ(W<QSpinBox>("spinCdcSerialNo")->isEnabled(), opMode == 0) << int(opMode);
    EXPECT_EQ(W<QLabel>("lblCdcSerialNo")->isEnabled(), opMode == 0) << int(opMode);
    Click("btnCancel");
  }
}

TEST_F(ParamsTest, TwentyFourKeyLayoutDisablesLed2And3YetApplyStoresThem) {
  layout = 24;
  keypad.SetLED2Behavior(led_VSHostMacro_KBNum);
  keypad.SetLED3Behavior(led_VSPower_KBLevel);
  Open();
  for (int g = 1; g < 3; ++g) {
    EXPECT_FALSE(W<QGroupBox>(QStringLiteral("gboxLED%1").arg(g + 1))->isEnabled());
    for (int i = 0; i < 7; ++i) EXPECT_FALSE(Led(g, i)->isEnabled()) << g << "," << i;
  }
  EXPECT_TRUE(Led(0, 0)->isEnabled());
  EXPECT_EQ(SelectedLed(1), 2);
  EXPECT_EQ(SelectedLed(2), 3);

  // The switch converts the disabled groups too, and Apply stores them.
  Click("rbHostHID");
  Click("btnApply");
  EXPECT_EQ(keypad.LED1Behavior(), led_KBPower);
  EXPECT_EQ(keypad.LED2Behavior(), led_KBMacro);
  EXPECT_EQ(keypad.LED3Behavior(), led_KBPower);
  Click("btnCancel");

  // The 48-key layout enables them again at the next showing.
  layout = 48;
  Open();
  for (int g = 1; g < 3; ++g)
    for (int i = 0; i < 7; ++i) EXPECT_TRUE(Led(g, i)->isEnabled()) << g << "," << i;
}

struct OpModeCase {
  uint8_t opMode;
  const char* selected;
  uint8_t applied;
};

TEST_F(ParamsTest, OpModeSelectsTheHostModeAndApplyStoresItsCode) {
  const OpModeCase cases[] = {{0, "rbHostDefaultCDC", 0},  {112, "rbHostDefaultCDC", 0},
                              {16, "rbHostDefaultCDC", 0}, {255, "rbHostDefaultCDC", 0},
                              {32, "rbHostVesper", 32},    {48, "rbHostHID", 48}};
  for (const OpModeCase& c : cases) {
    SCOPED_TRACE(int(c.opMode));
    keypad.SetOpMode(c.opMode);
    Open();
    EXPECT_TRUE(W<QRadioButton>(c.selected)->isChecked());
    EXPECT_EQ(dlg->GetHostType(), c.opMode == 48 ? 2 : 1);
    TouchAndApply();
    EXPECT_EQ(keypad.OpMode(), c.applied);
    Click("btnCancel");
  }
}

// Adapters so that one table drives the 8-bit and the 32-bit setters.
void SetRollover(TKeypadClass& k, int32_t v) { k.SetKeyRollOver(static_cast<uint8_t>(v)); }
void SetPacing(TKeypadClass& k, int32_t v) { k.SetCharacterPacing(static_cast<uint8_t>(v)); }
void SetDelay(TKeypadClass& k, int32_t v) { k.SetDownloadDelay(v); }
void SetSerial(TKeypadClass& k, int32_t v) { k.SetCdcSerialNo(v); }
int32_t GetRollover(const TKeypadClass& k) { return k.KeyRollOver(); }
int32_t GetPacing(const TKeypadClass& k) { return k.CharacterPacing(); }
int32_t GetDelay(const TKeypadClass& k) { return k.DownloadDelay(); }
int32_t GetSerial(const TKeypadClass& k) { return k.CdcSerialNo(); }

TEST_F(ParamsTest, OutOfRangeValuesOpenAsTheNearestBoundAndApplyAsShown) {
  struct Case {
    const char* spin;
    void (*set)(TKeypadClass&, int32_t);
    int32_t (*get)(const TKeypadClass&);
    int32_t stored;
    int shown;
  };
  const Case cases[] = {
      {"spinCharacterPacing", SetPacing, GetPacing, 250, 200},
      {"spinCharacterPacing", SetPacing, GetPacing, 7, 7},
      {"spinRollover", SetRollover, GetRollover, 0, 1},
      {"spinRollover", SetRollover, GetRollover, 9, 6},
      {"spinDownloadDelay", SetDelay, GetDelay, 5000, 200},
      {"spinDownloadDelay", SetDelay, GetDelay, -5, 0},
      {"spinCdcSerialNo", SetSerial, GetSerial, 12345, 9999},
      {"spinCdcSerialNo", SetSerial, GetSerial, -1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.spin) + " " + std::to_string(c.stored));
    keypad.Initialize();
    c.set(keypad, c.stored);
    Open();
    EXPECT_EQ(W<QSpinBox>(c.spin)->value(), c.shown);
    TouchAndApply();
    EXPECT_EQ(c.get(keypad), c.shown);
    Click("btnCancel");
  }
}

TEST_F(ParamsTest, PacingArrowsStepByTwo) {
  Open();
  QSpinBox* spin = W<QSpinBox>("spinCharacterPacing");
  spin->setFocus();
  QTest::keyClick(spin, Qt::Key_Up);
  EXPECT_EQ(spin->value(), 4);
  spin->setValue(199);
  QTest::keyClick(spin, Qt::Key_Up);
  EXPECT_EQ(spin->value(), 200);
}

TEST_F(ParamsTest, BaudRateSelectsItsRowAndNoRowAppliesAs255) {
  const std::array<QString, 9> rows = {"1200",  "2400",  "4800",   "9600",  "19.2k",
                                       "38.4k", "57.6k", "115.2k", "31.25k"};
  QComboBox* box = W<QComboBox>("cboxBaudRate");
  for (int baud : {0, 3, 8, 9, 12}) {
    SCOPED_TRACE(baud);
    keypad.SetBaudRate(static_cast<uint8_t>(baud));
    Open();
    if (baud <= 8) {
      EXPECT_EQ(box->currentIndex(), baud);
      EXPECT_EQ(box->currentText(), rows[baud]);
    } else {
      EXPECT_EQ(box->currentIndex(), -1);
      EXPECT_EQ(box->currentText(), QString());
    }
    TouchAndApply();
    EXPECT_EQ(keypad.BaudRate(), baud <= 8 ? baud : 255);
    Click("btnCancel");
  }
}

TEST_F(ParamsTest, WordFormatShowsTheRowOfItsBitsAndAppliesTheRowsCode) {
  struct Case {
    uint8_t stored;
    int row;
    uint8_t applied;
  };
  const Case cases[] = {{8, 0, 8}, {9, 0, 8}, {255, 0, 8}, {0, 1, 0}, {1, 1, 0},
                        {4, 1, 0}, {2, 2, 2}, {3, 2, 2},   {6, 3, 6}, {7, 3, 6}};
  QComboBox* box = W<QComboBox>("cboxWordFormat");
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.stored));
    keypad.SetWordFormat(c.stored);
    Open();
    EXPECT_EQ(box->currentIndex(), c.row);
    TouchAndApply();
    EXPECT_EQ(keypad.WordFormat(), c.applied);
    Click("btnCancel");
  }
}

TEST_F(ParamsTest, PickingARowEnablesApplyAndApplyStoresIt) {
  Open();
  QComboBox* box = W<QComboBox>("cboxBaudRate");
  box->setFocus();
  QTest::keyClick(box, Qt::Key_Down);  // 9600 -> 19.2k
  EXPECT_EQ(box->currentIndex(), 4);
  EXPECT_TRUE(ApplyEnabled());
  Click("btnApply");
  EXPECT_EQ(keypad.BaudRate(), 4);
}

TEST_F(ParamsTest, TypedComboTextSelectsAMatchingRowAndOtherTextIsWithdrawn) {
  Open();
  QComboBox* box = W<QComboBox>("cboxBaudRate");
  box->setFocus();
  box->lineEdit()->selectAll();
  QTest::keyClicks(box->lineEdit(), "57.6K");
  EXPECT_TRUE(ApplyEnabled());
  Click("btnApply");  // takes the focus from the combo box first
  EXPECT_EQ(box->currentIndex(), 6);
  EXPECT_EQ(keypad.BaudRate(), 6);

  box->setFocus();
  box->lineEdit()->selectAll();
  QTest::keyClicks(box->lineEdit(), "14400");
  Click("btnApply");
  // Not a rate the keypad knows: the shown row stays, and so does the model.
  EXPECT_EQ(box->currentText(), QString("57.6k"));
  EXPECT_EQ(keypad.BaudRate(), 6);
}

// Apply by its keyboard shortcut leaves the focus in the spin edit being typed
// into; a programmatic click does the same.
TEST_F(ParamsTest, ApplyWhileTypingStoresWhatTheSpinEditShowsAfterwards) {
  Open();
  QSpinBox* spin = W<QSpinBox>("spinRollover");
  QPushButton* apply = W<QPushButton>("btnApply");
  spin->setFocus();
  spin->selectAll();
  QTest::keyClicks(spin, "5");
  apply->click();
  EXPECT_EQ(keypad.KeyRollOver(), 5);
  EXPECT_EQ(changesMarked, 1);

  // 0 is below the range: the text is not a value yet, so Apply takes the
  // last value and shows it again.
  spin->selectAll();
  QTest::keyClicks(spin, "0");
  EXPECT_EQ(spin->text(), QString("0"));
  ASSERT_TRUE(ApplyEnabled()) << "typing is a change";
  apply->click();
  EXPECT_EQ(changesMarked, 2);
  EXPECT_EQ(keypad.KeyRollOver(), 5);
  EXPECT_EQ(spin->text(), QString("5"));
}

TEST_F(ParamsTest, LedValueAboveSixKeepsTheGroupsSelection) {
  keypad.SetOpMode(48);
  keypad.SetLED1Behavior(static_cast<TLEDBehavior>(9));
  Open();
  EXPECT_EQ(SelectedLed(0), -1);
  TouchAndApply();
  EXPECT_EQ(keypad.LED1Behavior(), ledNone);  // nothing selected applies as 0
  Click("btnCancel");

  keypad.SetLED1Behavior(led_KBPower);
  Open();
  Click("btnCancel");
  keypad.SetLED1Behavior(static_cast<TLEDBehavior>(9));
  Open();
  EXPECT_EQ(SelectedLed(0), 5);
  TouchAndApply();
  EXPECT_EQ(keypad.LED1Behavior(), led_KBPower);
}

TEST_F(ParamsTest, OkWithoutAChangeAppliesAgainAndMarksTheDefinitionChanged) {
  Open();
  Touch();
  Click("btnApply");
  EXPECT_EQ(changesMarked, 1);
  EXPECT_FALSE(ApplyEnabled());
  EXPECT_TRUE(OkEnabled());

  keypad.SetKeyRollOver(5);  // not shown: the dialog still shows 2
  Click("btnOK");
  EXPECT_EQ(changesMarked, 2);
  EXPECT_EQ(keypad.KeyRollOver(), 2);
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_EQ(dlg->result(), QDialog::Accepted);
}

TEST_F(ParamsTest, CancelAfterApplyKeepsTheAppliedValues) {
  Open();
  Click("rbLed1_State1");
  Click("btnApply");
  W<QSpinBox>("spinDownloadDelay")->setValue(150);
  Click("btnCancel");

  EXPECT_FALSE(dlg->isVisible());
  EXPECT_EQ(dlg->result(), QDialog::Rejected);
  EXPECT_EQ(keypad.LED1Behavior(), led_VSLevel_KBCaps);
  EXPECT_EQ(keypad.DownloadDelay(), 10);
  EXPECT_EQ(changesMarked, 1);
}

TEST_F(ParamsTest, MissingDownloadDelayOpensWithApplyAndOkEnabled) {
  // What the definition reader leaves when the file has no Download_Delay.
  keypad.SetDownloadDelay(0);
  Open();
  EXPECT_EQ(W<QSpinBox>("spinDownloadDelay")->value(), 0);
  EXPECT_TRUE(ApplyEnabled());
  EXPECT_TRUE(OkEnabled());
}

TEST_F(ParamsTest, ApplyAndOkStatesCarryOverToTheNextShowing) {
  Open();
  Touch();
  Click("btnCancel");
  Open();
  EXPECT_TRUE(ApplyEnabled());
  EXPECT_TRUE(OkEnabled());
  Click("btnOK");
  Open();
  EXPECT_FALSE(ApplyEnabled());
  EXPECT_TRUE(OkEnabled());
}

TEST_F(ParamsTest, EachShowingRefillsFromTheModel) {
  Open();
  W<QSpinBox>("spinRollover")->setValue(6);
  Click("rbHostHID");
  Click("btnCancel");
  keypad.SetCharacterPacing(40);
  Open();
  EXPECT_EQ(W<QSpinBox>("spinRollover")->value(), 2);
  EXPECT_EQ(W<QSpinBox>("spinCharacterPacing")->value(), 40);
  EXPECT_TRUE(W<QRadioButton>("rbHostDefaultCDC")->isChecked());
  EXPECT_FALSE(Led(0, 5)->isVisible());
}

TEST_F(ParamsTest, ApplyWritesEveryControl) {
  layout = 48;
  Open();
  Click("rbLed2_State2");
  Click("rbLed3_State3");
  Click("rbHostHID");  // LED 1 level indicator (3) becomes power indicator (5)
  W<QSpinBox>("spinRollover")->setValue(4);
  W<QSpinBox>("spinCharacterPacing")->setValue(20);
  W<QSpinBox>("spinDownloadDelay")->setValue(30);
  W<QSpinBox>("spinCdcSerialNo")->setValue(77);  // kept although disabled now
  W<QComboBox>("cboxBaudRate")->setCurrentIndex(7);
  W<QComboBox>("cboxWordFormat")->setCurrentIndex(2);
  Click("btnOK");

  EXPECT_EQ(keypad.LED1Behavior(), led_KBPower);
  EXPECT_EQ(keypad.LED2Behavior(), led_KBMacro);
  EXPECT_EQ(keypad.LED3Behavior(), led_KBPower);
  EXPECT_EQ(keypad.OpMode(), 48);
  EXPECT_EQ(keypad.KeyRollOver(), 4);
  EXPECT_EQ(keypad.CharacterPacing(), 20);
  EXPECT_EQ(keypad.DownloadDelay(), 30);
  EXPECT_EQ(keypad.CdcSerialNo(), 77);
  EXPECT_EQ(keypad.BaudRate(), 7);
  EXPECT_EQ(keypad.WordFormat(), 2);
  EXPECT_EQ(changesMarked, 1);
}

TEST_F(ParamsTest, EnterClicksOnlyTheFocusedButtonAndEscapeDoesNothing) {
  keypad.SetDownloadDelay(0);  // Apply and OK enabled
  Open();
  dlg->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
  EXPECT_EQ(QApplication::focusWidget(), W<QWidget>("btnCancel"));

  QSpinBox* spin = W<QSpinBox>("spinRollover");
  spin->setFocus();
  QTest::keyClick(spin, Qt::Key_Return);
  QTest::keyClick(spin, Qt::Key_Escape);
  EXPECT_TRUE(dlg->isVisible());
  EXPECT_EQ(changesMarked, 0);

  QPushButton* apply = W<QPushButton>("btnApply");
  apply->setFocus();
  QTest::keyClick(apply, Qt::Key_Return);
  EXPECT_EQ(changesMarked, 1);
  EXPECT_TRUE(dlg->isVisible());

  QPushButton* cancel = W<QPushButton>("btnCancel");
  cancel->setFocus();
  QTest::keyClick(cancel, Qt::Key_Enter);
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_EQ(dlg->result(), QDialog::Rejected);
}

TEST_F(ParamsTest, ClosingTheWindowCountsAsCancel) {
  Open();
  Click("rbHostVesper");
  dlg->close();
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_EQ(dlg->result(), QDialog::Rejected);
  EXPECT_EQ(keypad.OpMode(), 0);
  EXPECT_EQ(changesMarked, 0);
}

TEST_F(ParamsTest, TabVisitsTheGroupsInTheFormsOrder) {
  keypad.SetDownloadDelay(0);  // Apply and OK enabled, so that Tab reaches them
  Open();
  dlg->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));

  // The form's child that holds the focus, e.g. the group of a spin edit.
  auto formChild = [this](QWidget* w) -> QString {
    while (w && w->parentWidget() != dlg.get()) w = w->parentWidget();
    return w ? w->objectName() : QString("(none)");
  };
  QStringList visited = {formChild(QApplication::focusWidget())};
  for (int i = 0; i < 40; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    const QString now = formChild(QApplication::focusWidget());
    if (now == visited.front() && visited.size() > 1) break;
    if (now != visited.back()) visited << now;
  }
  const QStringList expected = {
      "btnCancel",           "grpboxKeyRollover", "gboxLED1", "gboxCharPacing",
      "grpboxDownloadDelay", "gboxRs232",         "btnApply", "btnOK",
      "gboxHostMode",        "gboxLED2",          "gboxLED3"};
  EXPECT_EQ(visited, expected);
}

TEST_F(ParamsTest, ExecReturnsWhenOkIsClicked) {
  keypad.SetDownloadDelay(0);
  bool clicked = false;
  QTimer::singleShot(0, dlg.get(), [&] {
    clicked = true;
    W<QPushButton>("btnOK")->click();
  });
  // Should the click not close the dialog, this ends the loop instead of
  // hanging the suite.
  QTimer::singleShot(10000, dlg.get(), [&] { dlg->done(-1); });
  const int result = dlg->exec();
  EXPECT_TRUE(clicked);
  EXPECT_EQ(result, QDialog::Accepted);
  EXPECT_EQ(keypad.DownloadDelay(), 0);
  EXPECT_EQ(changesMarked, 1);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
