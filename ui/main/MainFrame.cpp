// The window frame: creation, tool bar, documents folder and settings file,
// layout switch, dirty state and title, port panel, closing.
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabBar>
#include <QToolButton>
#include <filesystem>
#include <stdexcept>

#include "Artwork.h"
#include "DefinitionFile.h"
#include "DownloadFile.h"
#include "FileError.h"
#include "IniFile.h"
#include "LoaderSettings.h"
#include "MacroGrid.h"
#include "PathText.h"
#include "Platform.h"
#include "Prompts.h"
#include "Unit1.h"

namespace {

const QString kAppTitle = QStringLiteral("KeyloomTVRxx");
const QColor kLevel1Colour(166, 202, 240);

QString Join(const QString& folder, const QString& name) {
  return folder + QDir::separator() + name;
}

}  // namespace

TfrmMain::TfrmMain(IPlatform& platform, IPrompts& prompts, TKeypadClass& keypad,
                   const QStringList& arguments, QWidget* parent)
    : QMainWindow(parent), fPlatform(platform), fPrompts(prompts), fKeypad(keypad) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(kAppTitle);
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(kClientWidth, kClientHeight);
  // The layout is laid out in pixels for an 8-point face at 96 dots per inch.
  QFont face = font();
  face.setPointSizeF(7.5);
  setFont(face);

  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("centralWidget"));
  central->setAutoFillBackground(true);
  QPalette pal = central->palette();
  pal.setColor(QPalette::Window, Qt::white);
  central->setPalette(pal);
  setCentralWidget(central);

  BuildToolBar(central);
  BuildEntry(central);  // the bevel lies below everything else it frames
  BuildKeyPanel(central);
  BuildLevelTabs(central);
  BuildFileCommands();

  // Keyboard order: tool bar, layout, keypad, level, macro properties, grid,
  // then the entry controls below.
  QList<QWidget*> order = {ToolBtnNew,        ToolBtnOpen,         ToolBtnSave,     ToolBtnSaveAs,
                           ToolBtnParameters, btnSetPort,          ToolBtnDownload, ToolButtonTest,
                           ToolBtnHelp,       ToolButtonKeyLabels, spbtn24Keys,     spbtn48Keys};
  for (QToolButton* key : keyButtons) order << key;
  order << TabControlLevel << chkboxAutoRepeat << EditName << Grid << btnLED1 << btnLED2 << btnLED3
        << spdbtnDelay << tbDelayValue << edManualInput << spdbtnInsert << rbDecimal
        << rbHexadecimal;
  for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order.at(i - 1), order.at(i));

  fKeypad.SetModifierInputs(this);
  FormCreate(arguments);
}

TfrmMain::~TfrmMain() { fKeypad.SetModifierInputs(nullptr); }

TPcKeyState TfrmMain::PcKeyState() const {
  const PcKeyboardState state = fPlatform.KeyboardState();
  return {state.shiftDown, state.capsLockOn};
}

// ---- Tool bar -----------------------------------------------------------------

void TfrmMain::BuildToolBar(QWidget* central) {
  ToolBar1 = new QFrame(central);
  ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
  ToolBar1->setGeometry(0, 0, kClientWidth, 40);
  ToolBar1->setAccessibleName(QStringLiteral("Tool bar"));

  struct ButtonDef {
    const char* name;
    const char* caption;
    const char* description;
    int gapBefore;
    QToolButton* TfrmMain::*member;
    void (TfrmMain::*handler)();
  };
  // The four groups are set apart by gaps; together with the ten 59-pixel
  // buttons they fill the window's width.
  static const ButtonDef kButtons[] = {
      {"ToolBtnNew", "   New  ", "Start a new definition", 2, &TfrmMain::ToolBtnNew,
       &TfrmMain::ToolBtnNewClick},
      {"ToolBtnOpen", " Open ", "Open a definition file", 35, &TfrmMain::ToolBtnOpen,
       &TfrmMain::ToolBtnOpenClick},
      {"ToolBtnSave", " Save ", "Save the definition", 0, &TfrmMain::ToolBtnSave,
       &TfrmMain::ToolBtnSaveClick},
      {"ToolBtnSaveAs", " Save As ", "Save the definition under a new name", 0,
       &TfrmMain::ToolBtnSaveAs, &TfrmMain::ToolBtnSaveAsClick},
      {"ToolBtnParameters", "Properties", "Edit the keypad properties", 42,
       &TfrmMain::ToolBtnParameters, &TfrmMain::ToolBtnParametersClick},
      {"btnSetPort", " Set Port ", "Choose the COM port", 38, &TfrmMain::btnSetPort,
       &TfrmMain::btnSetPortClick},
      {"ToolBtnDownload", "Download", "Send the definition to the keypad", 0,
       &TfrmMain::ToolBtnDownload, &TfrmMain::ToolBtnDownloadClick},
      {"ToolButtonTest", "  Test  ", "Test the keypad", 0, &TfrmMain::ToolButtonTest,
       &TfrmMain::ToolButtonTestClick},
      {"ToolBtnHelp", " Help  ", "Help", 42, &TfrmMain::ToolBtnHelp, &TfrmMain::ToolBtnHelpClick},
      {"ToolButtonKeyLabels", "Key Labels", "Open a keycap label document", 0,
       &TfrmMain::ToolButtonKeyLabels, &TfrmMain::ToolButtonKeyLabelsClick},
  };
  int x = 0;
  for (const ButtonDef& def : kButtons) {
    x += def.gapBefore;
    auto* button = new QToolButton(ToolBar1);
    const QString name = QString::fromLatin1(def.name);
    button->setObjectName(name);
    button->setText(QString::fromLatin1(def.caption));
    button->setIcon(ToolBarIcon(name));
    button->setIconSize(QSize(20, 20));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    button->setGeometry(x, 2, 59, 36);
    button->setAccessibleName(QString::fromLatin1(def.caption).trimmed());
    button->setAccessibleDescription(QString::fromLatin1(def.description));
    button->setToolTip(QString::fromLatin1(def.description));
    connect(button, &QToolButton::clicked, this, def.handler);
    this->*def.member = button;
    x += 59;
  }
  HelpMenu = new QMenu(this);
  HelpMenu->setObjectName(QStringLiteral("HelpMenu"));
  auto addHelpItem = [this](const char* name, const char* caption, void (TfrmMain::*handler)()) {
    QAction* item = HelpMenu->addAction(QString::fromLatin1(caption));
    item->setObjectName(QString::fromLatin1(name));
    connect(item, &QAction::triggered, this, handler);
    return item;
  };
  GettingStarted =
      addHelpItem("GettingStarted", "&Getting Started", &TfrmMain::GettingStartedClick);
  UserManual = addHelpItem("UserManual", "&User Manual", &TfrmMain::UserManualClick);
  AboutMenuItem = addHelpItem("AboutMenuItem", "&About Keyloom", &TfrmMain::AboutMenuItemClick);

  lblKeyLayout = new QLabel(QStringLiteral("Key Layout: "), central);
  lblKeyLayout->setObjectName(QStringLiteral("lblKeyLayout"));
  lblKeyLayout->setGeometry(72, 57, 68, 18);
  lblKeyLayout->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  auto* layoutGroup = new QButtonGroup(this);
  layoutGroup->setExclusive(true);
  auto makeLayoutButton = [&](const char* name, const char* caption, int left) {
    auto* button = new QToolButton(central);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(QString::fromLatin1(caption));
    button->setCheckable(true);
    button->setGeometry(left, 55, 22, 20);
    button->setAccessibleName(QStringLiteral("%1 keys").arg(QString::fromLatin1(caption)));
    button->setAccessibleDescription(QStringLiteral("Show the %1-key keypad").arg(caption));
    layoutGroup->addButton(button);
    return button;
  };
  spbtn24Keys = makeLayoutButton("spbtn24Keys", "24", 141);
  spbtn48Keys = makeLayoutButton("spbtn48Keys", "48", 162);
  lblKeyLayout->setBuddy(spbtn24Keys);
  connect(spbtn24Keys, &QToolButton::clicked, this, &TfrmMain::spbtn24KeysClick);
  connect(spbtn48Keys, &QToolButton::clicked, this, &TfrmMain::spbtn48KeysClick);
}

// The commands of these buttons belong to the file commands and the external
// tools.

void TfrmMain::ToolBtnParametersClick() {
  RunGuarded([this] {
    if (fShowProperties) fShowProperties();
    UpdatePortPanel();
  });
}

// ---- Creation ----------------------------------------------------------------

void TfrmMain::FormCreate(const QStringList& arguments) {
  MakeFolders();

  // A settings file that is missing or cannot be read gives the 24-key layout.
  fGuiKeyLayout = 24;
  try {
    const TIniFile settings(ToPath(Join(fDirString, QStringLiteral("KeyloomTVRxx.ini"))));
    fGuiKeyLayout = settings.ReadInteger("CONFIGURATION", "Number_of_Keys", 24);
  } catch (const std::exception&) {
    fGuiKeyLayout = 24;
  }
  if (fGuiKeyLayout != 24 && fGuiKeyLayout != 48) fGuiKeyLayout = 48;
  if (fGuiKeyLayout == 24)
    spbtn24KeysClick();
  else
    spbtn48KeysClick();

  if (!arguments.isEmpty()) {
    const QString path = arguments.first();
    RunGuarded([this, &path] {
      ReadDefinitionIntoWindow(path);
      fDownloadFileString = QuotedDownloadFileFor(path);
    });
  } else {
    ChangesPending(false);
    setWindowTitle(kAppTitle + QStringLiteral(" - untitled.ckd"));
  }
  RunGuarded([this] { UpdatePortPanel(); });
}

// Makes the documents folder chain one level at a time. A folder that cannot
// be made is reported once; the editor then starts with its defaults, and
// whatever would be kept there fails on its own later with its own message.
void TfrmMain::MakeFolders() {
  fDirString = Join(fPlatform.DocumentsFolder(), QStringLiteral("Corvella"));
  QString failed;
  auto make = [&failed](const QString& folder) {
    if (!failed.isEmpty()) return;
    if (QFileInfo(folder).isDir()) return;  // follows links
    if (!QDir().mkdir(folder)) failed = folder;
  };
  make(fDirString);
  fDirString = Join(fDirString, QStringLiteral("KeyloomTVRxx"));
  make(fDirString);
  make(Join(fDirString, QStringLiteral("Macro_Files")));
  make(Join(fDirString, QStringLiteral("Keycap_Labels")));
  if (!failed.isEmpty())
    fPrompts.ShowError(this, QStringLiteral("Unable to create the folder \"%1\".").arg(failed));
}

bool TfrmMain::ReadDefinitionIntoWindow(const QString& path) {
  const std::optional<DefinitionReadResult> result = ReadDefinitionFile(fKeypad, ToPath(path));
  if (!result) return false;
  SetTitleForFile(path);
  const QSignalBlocker blocker(TabControlLevel);
  TabControlLevel->setCurrentIndex(0);
  fKeypad.SetKey(0);
  fKeypad.SetLevel(0);
  CopyDataToScreen(fKeypad.NumOfElements());
  ChangesPending(false);
  fCurrentFileName = path;
  fGuiKeyLayout = result->keyCount == 48 ? 48 : 24;
  ChangeGuiLayout(fGuiKeyLayout);
  return true;
}

QString TfrmMain::QuotedDownloadFileFor(const QString& definitionPath) {
  return QStringLiteral("\"") + FromPath(DownloadFilePathFor(ToPath(definitionPath))) +
         QStringLiteral("\"");
}

void TfrmMain::SetTitleForFile(const QString& path) {
  setWindowTitle(kAppTitle + QStringLiteral(" - ") + QFileInfo(path).fileName());
}

void TfrmMain::RunGuarded(const std::function<void()>& command) {
  try {
    command();
  } catch (const std::exception& error) {
    fPrompts.ShowError(this, QString::fromUtf8(error.what()));
  } catch (...) {
    fPrompts.ShowError(this, QStringLiteral("An unexpected error occurred."));
  }
}

// ---- Dirty state -------------------------------------------------------------

void TfrmMain::ChangesPending(bool value) {
  bChangesPending = value;
  ToolBtnSave->setEnabled(value);
  if (value && !windowTitle().endsWith(u'*')) setWindowTitle(windowTitle() + u'*');
}

// ---- Layout switch -----------------------------------------------------------

void TfrmMain::spbtn24KeysClick() { ApplyLayout(24); }
void TfrmMain::spbtn48KeysClick() { ApplyLayout(48); }

void TfrmMain::ChangeGuiLayout(int numberOfKeys) {
  if (numberOfKeys == 48)
    spbtn48KeysClick();
  else
    spbtn24KeysClick();
}

void TfrmMain::ApplyLayout(int keys) {
  const bool small = keys == 24;
  fGuiKeyLayout = keys;
  (small ? spbtn24Keys : spbtn48Keys)->setChecked(true);
  KeyPanel2->setGeometry(small ? 69 : 9, 83, small ? 124 : 246, 186);
  btnLED2->setEnabled(!small);
  btnLED3->setEnabled(!small);
  for (int row = 0; row < 6; ++row) {
    for (int column = 0; column < 8; ++column) {
      QToolButton* button = keyButtons.at(row * 8 + column);
      if (column < 4) {
        if (row > 0) button->setProperty("Tag", small ? 4 * row + column : 8 * row + column);
      } else {
        // Outside the narrowed panel: unseen, unreachable by mouse and Tab.
        button->setVisible(!small);
      }
    }
  }
  CopyAllKeyParametersToScreen();
  ResetSelection();
}

void TfrmMain::ResetSelection() {
  {
    const QSignalBlocker blocker(TabControlLevel);
    TabControlLevel->setCurrentIndex(0);
  }
  fKeypad.SetKey(0);
  fKeypad.SetLevel(0);
  keyButtons.first()->setChecked(true);
  QPalette pal = KeyPanel2->palette();
  pal.setColor(QPalette::Window, kLevel1Colour);
  KeyPanel2->setPalette(pal);
  CopyDataToScreen(fKeypad.NumOfElements());
}

void TfrmMain::CopyAllKeyParametersToScreen() {
  const uint8_t key = fKeypad.Key();
  for (QToolButton* button : keyButtons) {
    fKeypad.SetKey(static_cast<uint8_t>(button->property("Tag").toInt()));
    CopyKeyParametersToScreen(button);
  }
  fKeypad.SetKey(key);
}

// ---- Port panel --------------------------------------------------------------

QString TfrmMain::LoaderSettingsFile() const {
  return Join(fDirString, QString::fromLatin1(kLoaderSettingsFileName));
}

void TfrmMain::UpdatePortPanel() {
  // One read of the file for both keys.
  const TIniFile ini(ToPath(LoaderSettingsFile()));
  const int32_t port = ini.ReadInteger(kComPortSection, kComPortKey, 0);
  const QString type =
      QString::fromStdU16String(ini.ReadString(kComPortSection, kComTypeKey, u"?"));
  if (port < 0) return;
  QString caption;
  QColor colour;
  if (port > 0) {
    caption = QStringLiteral("Port: COM") + QString::number(port);
    if (type == u"U" || type == u"u")
      caption += QStringLiteral(" (USB)");
    else if (type == u"R" || type == u"r")
      caption += QStringLiteral(" (DB9)");
    else if (type == u"V" || type == u"v")
      caption += QStringLiteral(" (CDC)");
    colour = QColor(0, 128, 0);
  } else {
    caption = QStringLiteral("Port: <not set>");
    colour = QColor(255, 0, 0);
  }
  panelPort->setText(caption);
  QPalette pal = panelPort->palette();
  pal.setColor(QPalette::WindowText, colour);
  panelPort->setPalette(pal);
  panelPort->setAccessibleName(caption);
}

// ---- Showing and closing -----------------------------------------------------

void TfrmMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  Grid->setFocus();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
  if (!FormCloseQuery()) {
    event->ignore();
    return;
  }
  FormClose();
  event->accept();
}

// The save prompt for a changed definition joins here with the file commands.

// A settings file that cannot be written is reported; the window closes all
// the same, and the next start falls back to the 24-key layout.
void TfrmMain::FormClose() {
  RunGuarded([this] {
    TIniFile settings(ToPath(Join(fDirString, QStringLiteral("KeyloomTVRxx.ini"))));
    settings.WriteInteger("CONFIGURATION", "Number_of_Keys", fGuiKeyLayout);
    settings.UpdateFile();
  });
}
