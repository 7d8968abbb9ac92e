#include "Params.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QSpinBox>
#include <initializer_list>
#include <utility>
#include <vector>

namespace {

// Captions of LED choices 1 to 3: the keypad gives these three choices other
// functions in the PC keyboard host mode.
const std::array<const char*, 3> kVirtualComCaptions = {"Level Indicator", "Host/Macro Control",
                                                        "Power Indicator"};
const std::array<const char*, 3> kKeyboardCaptions = {"Caps Lock", "Num Lock", "Level Indicator"};
// Choices 4 to 6 exist only in the PC keyboard host mode.
const std::array<const char*, 3> kKeyboardOnlyCaptions = {"Macro Control", "Power Indicator",
                                                          "Scroll Lock"};

const std::array<const char*, 9> kBaudRates = {"1200",  "2400",  "4800",   "9600",  "19.2k",
                                               "38.4k", "57.6k", "115.2k", "31.25k"};
const std::array<const char*, 4> kWordFormats = {"8,N,1", "7,N,1", "7,E,1", "7,O,1"};
// The WordFormat code each row of the word-format list stands for.
const std::array<uint8_t, 4> kWordFormatCodes = {8, 0, 2, 6};

constexpr uint8_t kOpModeDefaultCdc = 0;
constexpr uint8_t kOpModeVesper = 32;
constexpr uint8_t kOpModeKeyboard = 48;

// The row of the word-format list that shows a stored WordFormat code.
int WordFormatRow(uint8_t code) {
  if (code & 8) return 0;
  if (!(code & 2)) return 1;
  if (!(code & 4)) return 2;
  return 3;
}

// The dialog's controls are placed for MS Sans Serif at 8 points. Where that
// face (or its TrueType successor) is missing, a metric-compatible Arial face
// slightly smaller keeps every caption inside its control; an unknown family
// name would otherwise be matched to whatever wide face the system prefers.
QFont DialogFont() {
  QFont font;
  font.setStyleHint(QFont::SansSerif);
  const QStringList installed = QFontDatabase::families();
  for (const char* family : {"MS Sans Serif", "Microsoft Sans Serif"}) {
    if (installed.contains(QString::fromLatin1(family), Qt::CaseInsensitive)) {
      font.setFamily(QString::fromLatin1(family));
      font.setPointSize(8);
      return font;
    }
  }
  font.setFamilies(
      {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Helvetica")});
  font.setPointSizeF(7.5);
  return font;
}

QGroupBox* MakeGroup(QWidget* parent, const char* name, const char* title, QRect geometry) {
  auto* box = new QGroupBox(QString::fromLatin1(title), parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setGeometry(geometry);
  return box;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const char* text, QPoint at) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  label->setObjectName(QString::fromLatin1(name));
  label->adjustSize();
  label->move(at);
  return label;
}

QSpinBox* MakeSpin(QWidget* parent, const char* name, QRect geometry, int min, int max, int value) {
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(QString::fromLatin1(name));
  spin->setGeometry(geometry);
  spin->setRange(min, max);
  spin->setValue(value);
  return spin;
}

// The text editor inside a spin edit: it reports every keystroke, the spin
// edit's value only once the text is a number in range.
QLineEdit* SpinText(QSpinBox* spin) {
  auto* edit = spin->findChild<QLineEdit*>();
  Q_ASSERT(edit);
  return edit;
}

// A read-only note in the dialog's own colour, without a border.
QPlainTextEdit* MakeNote(QWidget* parent, const char* name, const QString& text, QRect geometry) {
  auto* memo = new QPlainTextEdit(parent);
  memo->setObjectName(QString::fromLatin1(name));
  memo->setGeometry(geometry);
  memo->setPlainText(text);
  memo->setReadOnly(true);
  memo->setFrameShape(QFrame::NoFrame);
  memo->setFocusPolicy(Qt::NoFocus);
  memo->setTextInteractionFlags(Qt::NoTextInteraction);
  memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  memo->document()->setDocumentMargin(1);
  memo->viewport()->setCursor(Qt::ArrowCursor);
  // The group box shows through, whatever shade the style gives it.
  QPalette palette = memo->palette();
  palette.setColor(QPalette::Base, Qt::transparent);
  memo->setPalette(palette);
  memo->viewport()->setAutoFillBackground(false);
  return memo;
}

template <size_t N>
QComboBox* MakeCombo(QWidget* parent, const char* name, QRect geometry,
                     const std::array<const char*, N>& rows) {
  auto* box = new QComboBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setGeometry(geometry);
  box->setEditable(true);
  // Typed text never becomes a new row: Apply stores only the rows' codes.
  box->setInsertPolicy(QComboBox::NoInsert);
  for (const char* row : rows) box->addItem(QString::fromLatin1(row));
  return box;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* text, QRect geometry) {
  auto* button = new QPushButton(QString::fromLatin1(text), parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(geometry);
  // No default button: Enter clicks only the button that has the focus.
  button->setAutoDefault(false);
  button->setDefault(false);
  return button;
}

}  // namespace

TfrmParameters::TfrmParameters(TKeypadClass& keypad, std::function<int()> guiKeyLayout,
                               std::function<void()> markChanged, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      fKeypad(keypad),
      fGuiKeyLayout(std::move(guiKeyLayout)),
      fMarkChanged(std::move(markChanged)) {
  setObjectName(QStringLiteral("frmParameters"));
  setWindowTitle(QStringLiteral("Keypad Properties"));
  setFixedSize(529, 417);
  setFont(DialogFont());

  BuildControls();
  SetTabOrder();
}

void TfrmParameters::BuildControls() {
  // LED groups: choice i of each group stands for the TLEDBehavior value i.
  const std::array<const char*, kLedGroups> groupNames = {"gboxLED1", "gboxLED2", "gboxLED3"};
  const std::array<const char*, kLedGroups> groupTitles = {" LED 1 Mode ", " LED 2 Mode ",
                                                           " LED 3 Mode "};
  const std::array<int, kLedGroups> groupLeft = {11, 184, 356};
  for (int g = 0; g < kLedGroups; ++g) {
    gboxLED[g] = MakeGroup(this, groupNames[g], groupTitles[g], QRect(groupLeft[g], 12, 160, 147));
    for (int i = 0; i < kLedChoices; ++i) {
      auto* rb = new QRadioButton(gboxLED[g]);
      rb->setObjectName(QStringLiteral("rbLed%1_State%2").arg(g + 1).arg(i));
      rb->setGeometry(12, 22 + 16 * i, 130, 17);
      if (i == 0)
        rb->setText(QStringLiteral("Led OFF"));
      else if (i <= 3)
        rb->setText(QString::fromLatin1(kVirtualComCaptions[i - 1]));
      else
        rb->setText(QString::fromLatin1(kKeyboardOnlyCaptions[i - 4]));
      rb->setVisible(i <= 3);
      connect(rb, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rbLedClick();
      });
      rbLed[g][i] = rb;
    }
  }
  gboxLED[1]->setEnabled(false);
  gboxLED[2]->setEnabled(false);

  grpboxKeyRollover =
      MakeGroup(this, "grpboxKeyRollover", " Key Rollover ", QRect(11, 171, 160, 96));
  memoRollover = MakeNote(grpboxKeyRollover, "memoRollover",
                          QStringLiteral("How many keys can be \npressed down simultaneously?"),
                          QRect(5, 18, 150, 41));
  spinRollover = MakeSpin(grpboxKeyRollover, "spinRollover", QRect(46, 58, 57, 22), 1, 6, 2);

  gboxCharPacing =
      MakeGroup(this, "gboxCharPacing", " Character Pacing ", QRect(184, 171, 160, 53));
  lblCharPacing = MakeLabel(gboxCharPacing, "lblCharPacing", "Pacing (ms):", QPoint(12, 24));
  spinCharacterPacing =
      MakeSpin(gboxCharPacing, "spinCharacterPacing", QRect(86, 20, 57, 26), 0, 200, 2);
  spinCharacterPacing->setSingleStep(2);
  spinCharacterPacing->setToolTip(
      QStringLiteral("Pacing is the time between bytes during macro playback."));

  grpboxDownloadDelay =
      MakeGroup(this, "grpboxDownloadDelay", " Download Delay ", QRect(184, 237, 160, 53));
  Label2 = MakeLabel(grpboxDownloadDelay, "Label2", "Delay (ms):", QPoint(12, 24));
  spinDownloadDelay =
      MakeSpin(grpboxDownloadDelay, "spinDownloadDelay", QRect(86, 20, 57, 26), 0, 200, 10);
  spinDownloadDelay->setToolTip(QStringLiteral("Slows download on fast PC's."));

  gboxRs232 = MakeGroup(this, "gboxRs232", " RS232 Settings ", QRect(11, 279, 160, 81));
  lblBaudRate = MakeLabel(gboxRs232, "lblBaudRate", "Baud Rate :", QPoint(8, 24));
  cboxBaudRate = MakeCombo(gboxRs232, "cboxBaudRate", QRect(84, 22, 70, 21), kBaudRates);
  cboxBaudRate->setMaxVisibleItems(9);
  cboxBaudRate->setCurrentIndex(3);
  lblWordFormat = MakeLabel(gboxRs232, "lblWordFormat", "Word Format :", QPoint(8, 53));
  const QString wordFormatHint = QStringLiteral("Data bits, parity, # stop bits");
  lblWordFormat->setToolTip(wordFormatHint);
  cboxWordFormat = MakeCombo(gboxRs232, "cboxWordFormat", QRect(84, 49, 70, 21), kWordFormats);
  cboxWordFormat->setCurrentIndex(-1);
  cboxWordFormat->setEditText(QStringLiteral("8N1"));
  cboxWordFormat->setToolTip(wordFormatHint);

  gboxHostMode = MakeGroup(this, "gboxHostMode", " USB Host Mode ", QRect(356, 171, 160, 191));
  rbHostDefaultCDC = new QRadioButton(QStringLiteral("Default (CDC Virtual COM)"), gboxHostMode);
  rbHostDefaultCDC->setObjectName(QStringLiteral("rbHostDefaultCDC"));
  rbHostDefaultCDC->setGeometry(10, 22, 146, 17);
  lblCdcSerialNo = MakeLabel(gboxHostMode, "lblCdcSerialNo", "CDC S/N:", QPoint(33, 47));
  spinCdcSerialNo = MakeSpin(gboxHostMode, "spinCdcSerialNo", QRect(88, 41, 63, 22), 0, 9999, 1);
  SetCdcSerialControlsEnabled(false);
  rbHostVesper = new QRadioButton(QStringLiteral("Vesper Virtual COM"), gboxHostMode);
  rbHostVesper->setObjectName(QStringLiteral("rbHostVesper"));
  rbHostVesper->setGeometry(10, 79, 148, 17);
  rbHostHID = new QRadioButton(QStringLiteral("PC Keyboard (USB HID)"), gboxHostMode);
  rbHostHID->setObjectName(QStringLiteral("rbHostHID"));
  rbHostHID->setGeometry(10, 108, 148, 17);
  Memo1 = MakeNote(gboxHostMode, "Memo1",
                   QStringLiteral("NOTE: If an RS232 cable is \nplugged in, the unit will default "
                                  "\nto that host type."),
                   QRect(7, 141, 150, 41));

  btnApply = MakeButton(this, "btnApply", "&Apply", QRect(139, 377, 67, 25));
  btnApply->setEnabled(false);
  btnOK = MakeButton(this, "btnOK", "&OK", QRect(231, 377, 75, 25));
  btnOK->setEnabled(false);
  btnCancel = MakeButton(this, "btnCancel", "&Cancel", QRect(331, 377, 61, 25));

  // Connected after the initial values are set, so that building the dialog
  // counts as no change.
  // A spin edit changes with its value, and with every keystroke typed into
  // it even while the text is not yet a value in range.
  const std::array<std::pair<QSpinBox*, void (TfrmParameters::*)()>, 4> spins = {{
      {spinRollover, &TfrmParameters::spinRolloverChange},
      {spinCharacterPacing, &TfrmParameters::spinCharacterPacingChange},
      {spinDownloadDelay, &TfrmParameters::spinDownloadDelayChange},
      {spinCdcSerialNo, &TfrmParameters::spinCdcSerialNumberChange},
  }};
  for (const auto& [spin, handler] : spins) {
    connect(spin, &QSpinBox::valueChanged, this, [this, handler = handler] { (this->*handler)(); });
    connect(SpinText(spin), &QLineEdit::textEdited, this,
            [this, handler = handler] { (this->*handler)(); });
  }
  // A row picked from the list or text typed by the user is a change; a row
  // selected by the program is not.
  connect(cboxBaudRate, &QComboBox::activated, this, [this] { cboxBaudRateChange(); });
  connect(cboxBaudRate->lineEdit(), &QLineEdit::textEdited, this, [this] { cboxBaudRateChange(); });
  connect(cboxBaudRate->lineEdit(), &QLineEdit::editingFinished, this,
          [this] { SettleTypedText(cboxBaudRate); });
  connect(cboxWordFormat, &QComboBox::activated, this, [this] { cboxWordFormatChange(); });
  connect(cboxWordFormat->lineEdit(), &QLineEdit::textEdited, this,
          [this] { cboxWordFormatChange(); });
  connect(cboxWordFormat->lineEdit(), &QLineEdit::editingFinished, this,
          [this] { SettleTypedText(cboxWordFormat); });
  connect(rbHostDefaultCDC, &QRadioButton::toggled, this, [this](bool checked) {
    if (checked) rbHostDefaultCDCClick();
  });
  connect(rbHostVesper, &QRadioButton::toggled, this, [this](bool checked) {
    if (checked) rbHostVesperClick();
  });
  connect(rbHostHID, &QRadioButton::toggled, this, [this](bool checked) {
    if (checked) rbHostHIDClick();
  });
  connect(btnApply, &QPushButton::clicked, this, [this] { btnApplyClick(); });
  connect(btnOK, &QPushButton::clicked, this, [this] { btnOKClick(); });
  connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });
}

void TfrmParameters::SetTabOrder() {
  // Form level: Cancel, rollover, LED 1, pacing, download delay, RS232, Apply,
  // OK, host mode, LED 2, LED 3; within a group, its controls top to bottom.
  std::vector<QWidget*> chain = {btnCancel, spinRollover};
  for (QRadioButton* rb : rbLed[0]) chain.push_back(rb);
  for (QWidget* w : std::initializer_list<QWidget*>{
           spinCharacterPacing, spinDownloadDelay, cboxBaudRate, cboxWordFormat, btnApply, btnOK,
           rbHostDefaultCDC, spinCdcSerialNo, rbHostVesper, rbHostHID})
    chain.push_back(w);
  for (QRadioButton* rb : rbLed[1]) chain.push_back(rb);
  for (QRadioButton* rb : rbLed[2]) chain.push_back(rb);
  for (size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void TfrmParameters::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;  // restored from the task bar: not a new showing
  if (QScreen* s = screen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(s->availableGeometry().center());
    move(frame.topLeft());
  }
  FormShow();
  btnCancel->setFocus(Qt::OtherFocusReason);
}

void TfrmParameters::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Enter:
    case Qt::Key_Return:
      // Enter clicks the button that has the focus, and nothing else.
      if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button && button->isEnabled())
        button->click();
      event->accept();
      return;
    case Qt::Key_Escape:
      // Only Cancel and the window's close box leave the dialog.
      event->accept();
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}

void TfrmParameters::FormShow() {
  bInFormShow = true;

  spinRollover->setValue(fKeypad.KeyRollOver());
  spinCharacterPacing->setValue(fKeypad.CharacterPacing());
  spinDownloadDelay->setValue(fKeypad.DownloadDelay());

  const uint8_t opMode = fKeypad.OpMode();
  if (opMode == kOpModeVesper)
    rbHostVesper->setChecked(true);
  else if (opMode == kOpModeKeyboard)
    rbHostHID->setChecked(true);
  else
    rbHostDefaultCDC->setChecked(true);
  HostType = opMode == kOpModeKeyboard ? 2 : 1;

  spinCdcSerialNo->setValue(fKeypad.CdcSerialNo());

  // A value the list has no choice for leaves the group's selection as it was.
  const std::array<TLEDBehavior, kLedGroups> leds = {fKeypad.LED1Behavior(), fKeypad.LED2Behavior(),
                                                     fKeypad.LED3Behavior()};
  for (int g = 0; g < kLedGroups; ++g)
    if (leds[g] < kLedChoices) SelectLed(g, leds[g]);

  UpdateLedChoices();

  const uint8_t baudRate = fKeypad.BaudRate();
  cboxBaudRate->setCurrentIndex(baudRate < kBaudRates.size() ? baudRate : -1);
  cboxWordFormat->setCurrentIndex(WordFormatRow(fKeypad.WordFormat()));

  // LEDs 2 and 3 exist only on the 48-key keypad; their settings are kept
  // (and applied) whatever the layout.
  const bool led23 = fGuiKeyLayout() != 24;
  for (int g = 1; g < kLedGroups; ++g) {
    gboxLED[g]->setEnabled(led23);
    for (QRadioButton* rb : rbLed[g]) rb->setEnabled(led23);
  }

  // The serial number belongs to the default CDC mode: editable exactly while
  // that mode is selected.
  SetCdcSerialControlsEnabled(rbHostDefaultCDC->isChecked());

  bInFormShow = false;
}

void TfrmParameters::UpdateLedChoices() {
  const bool keyboard = rbHostHID->isChecked();
  const auto& captions = keyboard ? kKeyboardCaptions : kVirtualComCaptions;
  for (auto& group : rbLed) {
    for (int i = 1; i <= 3; ++i) group[i]->setText(QString::fromLatin1(captions[i - 1]));
    for (int i = 4; i < kLedChoices; ++i) group[i]->setVisible(keyboard);
  }
}

void TfrmParameters::ConvertLedChoicesToHid() {
  for (int g = 0; g < kLedGroups; ++g) {
    switch (SelectedLed(g)) {
      case led_VSLevel_KBCaps:
        SelectLed(g, led_VSPower_KBLevel);
        break;
      case led_VSPower_KBLevel:
        SelectLed(g, led_KBPower);
        break;
      case led_VSHostMacro_KBNum:
        SelectLed(g, led_KBMacro);
        break;
      default:
        break;
    }
  }
}

void TfrmParameters::ConvertLedChoicesFromHid() {
  for (int g = 0; g < kLedGroups; ++g) {
    switch (SelectedLed(g)) {
      case led_VSPower_KBLevel:
        SelectLed(g, led_VSLevel_KBCaps);
        break;
      case led_KBPower:
        SelectLed(g, led_VSPower_KBLevel);
        break;
      case led_KBMacro:
        SelectLed(g, led_VSHostMacro_KBNum);
        break;
      case led_VSLevel_KBCaps:
      case led_VSHostMacro_KBNum:
      case led_KBScroll:
        // Caps, Num and Scroll Lock have no virtual COM counterpart.
        SelectLed(g, ledNone);
        break;
      default:
        break;
    }
  }
}

void TfrmParameters::btnApplyClick() {
  // Text still being typed counts as entered.
  for (QSpinBox* spin : {spinRollover, spinCharacterPacing, spinDownloadDelay, spinCdcSerialNo})
    spin->setValue(spin->value());
  SettleTypedText(cboxBaudRate);
  SettleTypedText(cboxWordFormat);

  const std::array<void (TKeypadClass::*)(TLEDBehavior), kLedGroups> setLed = {
      &TKeypadClass::SetLED1Behavior, &TKeypadClass::SetLED2Behavior,
      &TKeypadClass::SetLED3Behavior};
  for (int g = 0; g < kLedGroups; ++g) {
    const int selected = SelectedLed(g);
    (fKeypad.*setLed[g])(static_cast<TLEDBehavior>(selected < 0 ? 0 : selected));
  }

  fKeypad.SetKeyRollOver(static_cast<uint8_t>(spinRollover->value()));
  fKeypad.SetCharacterPacing(static_cast<uint8_t>(spinCharacterPacing->value()));
  fKeypad.SetDownloadDelay(spinDownloadDelay->value());

  // No row selected (index -1) is stored as 255.
  fKeypad.SetBaudRate(static_cast<uint8_t>(cboxBaudRate->currentIndex()));
  const int wordFormatRow = cboxWordFormat->currentIndex();
  if (wordFormatRow >= 0) fKeypad.SetWordFormat(kWordFormatCodes[wordFormatRow]);

  if (rbHostVesper->isChecked())
    fKeypad.SetOpMode(kOpModeVesper);
  else if (rbHostHID->isChecked())
    fKeypad.SetOpMode(kOpModeKeyboard);
  else
    fKeypad.SetOpMode(kOpModeDefaultCdc);

  fKeypad.SetCdcSerialNo(spinCdcSerialNo->value());

  fMarkChanged();
  btnApply->setEnabled(false);
}

void TfrmParameters::btnOKClick() {
  // Applies even while Apply is disabled after an earlier Apply.
  btnApplyClick();
  accept();
}

void TfrmParameters::btnCancelClick() { reject(); }

void TfrmParameters::spinRolloverChange() { EnableApplyAndOk(); }
void TfrmParameters::spinCharacterPacingChange() { EnableApplyAndOk(); }
void TfrmParameters::spinDownloadDelayChange() { EnableApplyAndOk(); }
void TfrmParameters::cboxBaudRateChange() { EnableApplyAndOk(); }
void TfrmParameters::cboxWordFormatChange() { EnableApplyAndOk(); }

void TfrmParameters::spinCdcSerialNumberChange() {
  if (!bInFormShow) EnableApplyAndOk();
}

void TfrmParameters::rbLedClick() {
  if (!bInFormShow) EnableApplyAndOk();
}

void TfrmParameters::rbHostDefaultCDCClick() {
  if (bInFormShow) return;
  if (HostType == 2) ConvertLedChoicesFromHid();
  UpdateLedChoices();
  HostType = 1;
  SetCdcSerialControlsEnabled(true);
  EnableApplyAndOk();
}

void TfrmParameters::rbHostVesperClick() {
  if (bInFormShow) return;
  if (HostType == 2) ConvertLedChoicesFromHid();
  UpdateLedChoices();
  HostType = 1;
  SetCdcSerialControlsEnabled(false);
  EnableApplyAndOk();
}

void TfrmParameters::rbHostHIDClick() {
  if (bInFormShow) return;
  if (HostType == 1) ConvertLedChoicesToHid();
  UpdateLedChoices();
  HostType = 2;
  SetCdcSerialControlsEnabled(false);
  EnableApplyAndOk();
}

void TfrmParameters::EnableApplyAndOk() {
  btnApply->setEnabled(true);
  btnOK->setEnabled(true);
}

void TfrmParameters::SetCdcSerialControlsEnabled(bool enabled) {
  lblCdcSerialNo->setEnabled(enabled);
  spinCdcSerialNo->setEnabled(enabled);
}

int TfrmParameters::SelectedLed(int group) const {
  for (int i = 0; i < kLedChoices; ++i)
    if (rbLed[group][i]->isChecked()) return i;
  return -1;
}

void TfrmParameters::SelectLed(int group, int index) { rbLed[group][index]->setChecked(true); }

void TfrmParameters::SettleTypedText(QComboBox* box) {
  const QString typed = box->currentText().trimmed();
  const int row = box->findText(typed, Qt::MatchFixedString);  // case-insensitive
  if (row >= 0 && row != box->currentIndex()) {
    box->setCurrentIndex(row);
    return;
  }
  const QString shown = box->currentIndex() >= 0 ? box->itemText(box->currentIndex()) : QString();
  if (box->currentText() != shown) box->setEditText(shown);
}
