// The Keypad Properties dialog: edits the keypad-wide properties of the one
// keypad model (LED modes, key rollover, pacing, download delay, RS232
// settings, USB host mode, CDC serial number).
//
// The dialog is created once and shown modally any number of times. Every
// showing fills the controls from the model; the model is written only by
// Apply and OK. Some control states carry over from one showing to the next:
// the enabled state of Apply and OK, and an LED selection the model's value
// cannot express.
//
// Typical use: created once after the main window, then on Properties
//
//   TfrmParameters frmParameters(keypad, [&frmMain] { return frmMain.GuiKeyLayout(); },
//                                [&frmMain] { frmMain.ChangesPending(true); }, &frmMain);
//   ...
//   frmParameters.exec();  // the result need not be examined: Apply and OK
//   UpdatePortPanel();     // have already written the model, Cancel nothing
#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <functional>

#include "KeypadClass.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

class TfrmParameters : public QDialog {
  Q_OBJECT

 public:
  // `keypad` is the program's one model, kept by reference for the dialog's
  // life. `guiKeyLayout` returns the key layout the main window shows (24 or
  // 48); `markChanged` marks the definition changed in the main window.
  TfrmParameters(TKeypadClass& keypad, std::function<int()> guiKeyLayout,
                 std::function<void()> markChanged, QWidget* parent = nullptr);

  static constexpr int kLedGroups = 3;
  static constexpr int kLedChoices = 7;

  // Fills the controls from the model. Runs on every showing.
  void FormShow();

  // The dialog's own steps, public so that the owner and tests can name them.
  void UpdateLedChoices();
  void ConvertLedChoicesToHid();
  void ConvertLedChoicesFromHid();

  // True while FormShow fills the controls.
  bool InFormShow() const { return bInFormShow; }
  // 1 while a virtual COM host mode is selected, 2 for the PC keyboard mode.
  int32_t GetHostType() const { return HostType; }

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildControls();
  void SetTabOrder();

  // Event handlers.
  void btnApplyClick();
  void btnOKClick();
  void btnCancelClick();
  void spinRolloverChange();
  void spinCharacterPacingChange();
  void spinDownloadDelayChange();
  void spinCdcSerialNumberChange();
  void cboxBaudRateChange();
  void cboxWordFormatChange();
  void rbLedClick();
  void rbHostDefaultCDCClick();
  void rbHostVesperClick();
  void rbHostHIDClick();

  void EnableApplyAndOk();
  void SetCdcSerialControlsEnabled(bool enabled);
  // The selected index of an LED group, -1 when none is selected.
  int SelectedLed(int group) const;
  void SelectLed(int group, int index);
  // Typed combo text: a text naming a row selects that row; any other text
  // is replaced by the selected row's text, so what is shown is what Apply
  // stores.
  static void SettleTypedText(QComboBox* box);

  TKeypadClass& fKeypad;
  std::function<int()> fGuiKeyLayout;
  std::function<void()> fMarkChanged;

  bool bInFormShow = false;
  int32_t HostType = 1;

  std::array<QGroupBox*, kLedGroups> gboxLED{};
  std::array<std::array<QRadioButton*, kLedChoices>, kLedGroups> rbLed{};
  QGroupBox* grpboxKeyRollover = nullptr;
  QPlainTextEdit* memoRollover = nullptr;
  QSpinBox* spinRollover = nullptr;
  QGroupBox* gboxCharPacing = nullptr;
  QLabel* lblCharPacing = nullptr;
  QSpinBox* spinCharacterPacing = nullptr;
  QGroupBox* grpboxDownloadDelay = nullptr;
  QLabel* Label2 = nullptr;
  QSpinBox* spinDownloadDelay = nullptr;
  QGroupBox* gboxRs232 = nullptr;
  QLabel* lblBaudRate = nullptr;
  QComboBox* cboxBaudRate = nullptr;
  QLabel* lblWordFormat = nullptr;
  QComboBox* cboxWordFormat = nullptr;
  QGroupBox* gboxHostMode = nullptr;
  QRadioButton* rbHostDefaultCDC = nullptr;
  QLabel* lblCdcSerialNo = nullptr;
  QSpinBox* spinCdcSerialNo = nullptr;
  QRadioButton* rbHostVesper = nullptr;
  QRadioButton* rbHostHID = nullptr;
  QPlainTextEdit* Memo1 = nullptr;
  QPushButton* btnApply = nullptr;
  QPushButton* btnOK = nullptr;
  QPushButton* btnCancel = nullptr;
};
