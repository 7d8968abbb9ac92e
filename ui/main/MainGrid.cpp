// The macro editor: the level tab area with its header, the grid and the port
// panel; the refresh, insertion and removal that every other part goes through.
#include <QCheckBox>
#include <QFont>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QProgressBar>
#include <QTabBar>
#include <QToolButton>
#include <algorithm>

#include "MacroGrid.h"
#include "Prompts.h"
#include "Unit1.h"

void TfrmMain::BuildLevelTabs(QWidget* central) {
  levelArea = new QWidget(central);
  levelArea->setObjectName(QStringLiteral("levelArea"));
  levelArea->setGeometry(266, 58, 474, 219);

  auto* page = new QFrame(levelArea);
  page->setObjectName(QStringLiteral("levelPage"));
  page->setFrameShape(QFrame::StyledPanel);
  page->setGeometry(0, 20, 474, 199);

  TabControlLevel = new QTabBar(levelArea);
  TabControlLevel->setObjectName(QStringLiteral("TabControlLevel"));
  TabControlLevel->addTab(QStringLiteral("Level 1"));
  TabControlLevel->addTab(QStringLiteral("Level 2"));
  TabControlLevel->setDrawBase(false);
  TabControlLevel->setExpanding(false);
  TabControlLevel->setGeometry(2, 0, 160, 21);
  TabControlLevel->setAccessibleName(QStringLiteral("Level"));
  TabControlLevel->setAccessibleDescription(
      QStringLiteral("Choose which of the key's two macros to edit"));
  connect(TabControlLevel, &QTabBar::currentChanged, this, &TfrmMain::TabControlLevelChange);

  panelPort = new QLabel(QStringLiteral("Port: <not set>"), levelArea);
  panelPort->setObjectName(QStringLiteral("panelPort"));
  panelPort->setGeometry(283, 0, 179, 18);
  panelPort->setFrameShape(QFrame::Box);
  panelPort->setAlignment(Qt::AlignCenter);
  panelPort->setAutoFillBackground(true);
  QFont portFont(QStringLiteral("Arial"));
  portFont.setPointSize(8);
  portFont.setBold(true);
  panelPort->setFont(portFont);
  QPalette portPalette = panelPort->palette();
  portPalette.setColor(QPalette::Window, Qt::white);
  portPalette.setColor(QPalette::WindowText, Qt::red);
  panelPort->setPalette(portPalette);
  panelPort->setAccessibleDescription(QStringLiteral("The COM port the loader tools use"));

  pnlMacroHeader = new QFrame(levelArea);
  pnlMacroHeader->setObjectName(QStringLiteral("pnlMacroHeader"));
  pnlMacroHeader->setGeometry(5, 25, 461, 64);
  pnlMacroHeader->setFrameShape(QFrame::StyledPanel);

  lblMacroHeader = new QLabel(QStringLiteral("Macro for Key 1, Level 1"), pnlMacroHeader);
  lblMacroHeader->setObjectName(QStringLiteral("lblMacroHeader"));
  QFont bold = lblMacroHeader->font();
  bold.setBold(true);
  lblMacroHeader->setFont(bold);
  lblMacroHeader->setGeometry(8, 6, 200, 16);

  lblSpaceAvailable = new QLabel(QStringLiteral("Bytes available for this macro:"), pnlMacroHeader);
  lblSpaceAvailable->setObjectName(QStringLiteral("lblSpaceAvailable"));
  lblSpaceAvailable->setGeometry(214, 6, 200, 16);

  lblBytesUsed = new QLabel(QStringLiteral("100"), pnlMacroHeader);
  lblBytesUsed->setObjectName(QStringLiteral("lblBytesUsed"));
  lblBytesUsed->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  lblBytesUsed->setGeometry(414, 6, 36, 16);
  lblSpaceAvailable->setBuddy(lblBytesUsed);

  Gauge1 = new QProgressBar(pnlMacroHeader);
  Gauge1->setObjectName(QStringLiteral("Gauge1"));
  Gauge1->setRange(0, 100);
  Gauge1->setValue(0);
  Gauge1->setTextVisible(false);
  Gauge1->setGeometry(214, 24, 236, 8);
  QPalette gaugePalette = Gauge1->palette();
  gaugePalette.setColor(QPalette::Highlight, QColor(166, 202, 240));
  gaugePalette.setColor(QPalette::Base, Qt::black);
  gaugePalette.setColor(QPalette::Window, Qt::black);
  Gauge1->setPalette(gaugePalette);
  Gauge1->setAccessibleName(QStringLiteral("Bytes used"));

  chkboxAutoRepeat = new QCheckBox(QStringLiteral("- This macro can auto-repeat"), pnlMacroHeader);
  chkboxAutoRepeat->setObjectName(QStringLiteral("chkboxAutoRepeat"));
  chkboxAutoRepeat->setGeometry(8, 38, 196, 20);
  chkboxAutoRepeat->setToolTip(
      QStringLiteral("Check this box to make the current macro auto-repeat"));
  chkboxAutoRepeat->setAccessibleName(QStringLiteral("This macro can auto-repeat"));
  connect(chkboxAutoRepeat, &QCheckBox::clicked, this, &TfrmMain::chkboxAutorepeatClick);

  lblMacroName = new QLabel(QStringLiteral("Name:"), pnlMacroHeader);
  lblMacroName->setObjectName(QStringLiteral("lblMacroName"));
  lblMacroName->setGeometry(214, 40, 40, 16);

  EditName = new QLineEdit(pnlMacroHeader);
  EditName->setObjectName(QStringLiteral("EditName"));
  EditName->setMaxLength(25);
  EditName->setGeometry(256, 37, 194, 22);
  EditName->setToolTip(QStringLiteral("Enter optional name for key macro."));
  EditName->setAccessibleName(QStringLiteral("Macro name"));
  EditName->setAccessibleDescription(QStringLiteral("Enter optional name for key macro."));
  lblMacroName->setBuddy(EditName);
  EditName->installEventFilter(this);
  // A change that no key release follows (a paste with the mouse) reaches the
  // model at once, so that it is not lost when another key is selected.
  connect(EditName, &QLineEdit::textEdited, this, [this](const QString& text) {
    fKeypad.SetMacroName(text.toStdU16String());
    ChangesPending(true);
  });

  Grid = new TMacroGrid(*this, levelArea);
  Grid->setGeometry(6, 92, 461, 121);

  popmenuClearMacro = new QMenu(this);
  popmenuClearMacro->setObjectName(QStringLiteral("popmenuClearMacro"));
  menuitemClearMacro =
      popmenuClearMacro->addAction(QStringLiteral("Erase all codes for this macro"));
  menuitemClearMacro->setObjectName(QStringLiteral("menuitemClearMacro"));
  popmenuClearMacro->addSeparator();
  menuitemViewKeysAsText = popmenuClearMacro->addAction(QStringLiteral("View key codes as ASCII"));
  menuitemViewKeysAsText->setObjectName(QStringLiteral("menuitemViewKeysAsText"));
  menuitemViewKeysAsText->setCheckable(true);
  menuitemViewKeysAsText->setChecked(true);
  menuitemViewKeysAsHex = popmenuClearMacro->addAction(QStringLiteral("View key codes as Hex"));
  menuitemViewKeysAsHex->setObjectName(QStringLiteral("menuitemViewKeysAsHex"));
  menuitemViewKeysAsHex->setCheckable(true);
  connect(menuitemClearMacro, &QAction::triggered, this, &TfrmMain::menuitemClearMacroClick);
  connect(menuitemViewKeysAsText, &QAction::triggered, this,
          &TfrmMain::menuitemViewKeysAsTextClick);
  connect(menuitemViewKeysAsHex, &QAction::triggered, this, &TfrmMain::menuitemViewKeysAsHexClick);
  // The menu key and Shift+F10 open the same menu from the keyboard.
  Grid->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(Grid, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    menuitemViewKeysAsHex->setChecked(fKeypad.bViewInHex);
    menuitemViewKeysAsText->setChecked(!fKeypad.bViewInHex);
    popmenuClearMacro->popup(Grid->viewport()->mapToGlobal(pos));
  });
}

int TfrmMain::InsertionPoint() const {
  const int row = Grid->currentRow();
  const int column = Grid->currentColumn();
  if (row < 0 || column < 0) return 0;
  return row * kGridColumns + column;
}

void TfrmMain::CopyDataToScreen(int gridIndex) {
  gridIndex = std::clamp(gridIndex, 0, kGridRows * kGridColumns - 2);
  Grid->setCurrentCell(gridIndex / kGridColumns, gridIndex % kGridColumns);
  for (int p = 0; p < 100; ++p)
    Grid->item(p / kGridColumns, p % kGridColumns)
        ->setText(QString::fromStdU16String(fKeypad.GetDisplayValue(p)));
  UpdateKeyboard(fKeypad.GetModifierSet(static_cast<uint8_t>(gridIndex)));
  lblMacroHeader->setText(
      QStringLiteral("Macro for Key %1, Level %2").arg(fKeypad.Key() + 1).arg(fKeypad.Level() + 1));
  const int32_t used = fKeypad.CodeCount();
  lblBytesUsed->setText(QString::number(100 - used));
  chkboxAutoRepeat->setChecked(fKeypad.CanAutoRepeat());
  Gauge1->setValue(std::clamp(used, 0, 100));
  const QString name = QString::fromStdU16String(fKeypad.GetMacroName());
  if (EditName->text() != name) EditName->setText(name);
}

void TfrmMain::AddData(int32_t value) {
  int32_t position = InsertionPoint();
  if (!fKeypad.InsertKey(position, value)) {
    fPrompts.ShowError(this, QStringLiteral("Macro Full!"));
    return;
  }
  if ((ModifierBits & ModifierBit::kCapsLock) == 0) ModifierBits = 0;
  CopyDataToScreen(position);
  ChangesPending(true);
}

void TfrmMain::AddByte(int32_t value) {
  int32_t position = InsertionPoint();
  if (!fKeypad.InsertByte(position, value)) {
    fPrompts.ShowError(this, QStringLiteral("Macro Full!"));
    return;
  }
  if ((ModifierBits & ModifierBit::kCapsLock) == 0) ModifierBits = 0;
  CopyDataToScreen(position);
  ChangesPending(true);
}

void TfrmMain::RemoveData(int index) {
  int left = Grid->currentColumn();
  int right = left;
  int top = Grid->currentRow();
  int bottom = top;
  const QList<QTableWidgetSelectionRange> ranges = Grid->selectedRanges();
  if (!ranges.isEmpty()) {
    left = ranges.first().leftColumn();
    right = ranges.first().rightColumn();
    top = ranges.first().topRow();
    bottom = ranges.first().bottomRow();
  }
  const int width = right - left + 1;
  int position = index;
  for (int row = top; row <= bottom; ++row) {
    for (int i = 0; i < width; ++i)
      if (position >= 0 && position <= 255) fKeypad.RemoveKey(static_cast<uint8_t>(position));
    position += kGridColumns - width;
  }
  CopyDataToScreen(index);  // also shrinks the selection to one cell
  ChangesPending(true);
}

void TfrmMain::UpdateKeyboard(TSetModifierKeys mkset) {
  auto set = [mkset](QToolButton* toggle, TModifierKeys key) {
    if (toggle != nullptr) toggle->setChecked((mkset & (1u << key)) != 0);
  };
  set(keyLShift, mkLShift);
  set(keyRShift, mkRShift);
  set(keyLCtrl, mkLCtrl);
  set(keyRCtrl, mkRCtrl);
}

bool TfrmMain::GridSelectCell(int column, int row) {
  if (TMacroGrid::IsRefusedCell(row, column)) return false;
  UpdateKeyboard(fKeypad.GetModifierSet(static_cast<uint8_t>(row * kGridColumns + column + 1)));
  return true;
}

void TfrmMain::GridDblClick() { RemoveData(InsertionPoint()); }

bool TfrmMain::GridKeyDown(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Backspace: {
      const int position = InsertionPoint();
      if (position > 0) RemoveData(position - 1);
      return true;
    }
    case Qt::Key_Delete:
      RemoveData(InsertionPoint());
      return true;
    case Qt::Key_Shift:
      ModifierBits |= ModifierBit::kLShift;
      return false;
    default:
      return false;
  }
}

void TfrmMain::GridKeyPress(char32_t ch) {
  if (ch < 128) {
    const int key = CharToKey(static_cast<int>(ch));
    if (key != 0) AddData(key);
    return;
  }
  // A character beyond one byte cannot reach the keypad. It must not reach the
  // model either: many such characters (U+4009, U+1234) carry the bits the
  // model reads as a command or a delay.
  if (ch > 255) return;
  AddData(static_cast<int32_t>(ch));
}

void TfrmMain::GridKeyUp(QKeyEvent* event) {
  if (event->key() == Qt::Key_Shift && !event->isAutoRepeat()) ModifierBits = 0;
}

void TfrmMain::GridMouseDown(QMouseEvent* event) {
  if (event->button() != Qt::RightButton) return;
  menuitemViewKeysAsHex->setChecked(fKeypad.bViewInHex);
  menuitemViewKeysAsText->setChecked(!fKeypad.bViewInHex);
  popmenuClearMacro->popup(event->globalPosition().toPoint());
}

void TfrmMain::menuitemClearMacroClick() {
  while (fKeypad.NumOfElements() > 0) {
    const uint8_t before = fKeypad.NumOfElements();
    RemoveData(0);
    if (fKeypad.NumOfElements() >= before) break;  // never spin on a removal that failed
  }
}

void TfrmMain::menuitemViewKeysAsTextClick() {
  fKeypad.bViewInHex = false;
  CopyDataToScreen(fKeypad.NumOfElements());
}

void TfrmMain::menuitemViewKeysAsHexClick() {
  fKeypad.bViewInHex = true;
  CopyDataToScreen(fKeypad.NumOfElements());
}
