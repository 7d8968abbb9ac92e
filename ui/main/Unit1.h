// The main window: the keypad picture, the level tabs with the macro editor,
// the code entry controls below it and the tool bar above.
//
// TfrmMain is one class whose members are defined by concern in
// MainFrame.cpp (start-up, tool bar, layout, dirty state, port panel, close),
// MainGrid.cpp (the macro grid), MainEntry.cpp (on-screen keyboard, manual
// entry, delay, LEDs) and MainKeys.cpp (key selection and key properties).
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <cstdint>
#include <functional>

#include "KeypadClass.h"
#include "ModifierInputs.h"

class IPlatform;
class IPrompts;
class QAction;
class QDragEnterEvent;
class QDropEvent;
class QButtonGroup;
class QCheckBox;
class QFrame;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QMouseEvent;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabBar;
class QFrame;
class QToolButton;
class TMacroGrid;
struct DefinitionReadResult;

class TfrmMain : public QMainWindow, public IModifierInputs {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 755;
  static constexpr int kClientHeight = 503;
  static constexpr int kGridColumns = 7;
  static constexpr int kGridRows = 16;

  // Runs the whole creation handler: folders, settings, layout, the file named
  // by the first of `arguments` (if any), the port panel. `keypad` is the one
  // model of the program; the window hands it its modifier inputs.
  TfrmMain(IPlatform& platform, IPrompts& prompts, TKeypadClass& keypad,
           const QStringList& arguments, QWidget* parent = nullptr);
  ~TfrmMain() override;

  // What the model reads at every InsertKey.
  int32_t GetModifiers() const override { return ModifierBits; }
  TPcKeyState PcKeyState() const override;

  // ---- Frame ---------------------------------------------------------------
  // Sets the dirty flag, enables Save exactly while it is set and gives the
  // title one trailing "*" when it becomes set.
  void ChangesPending(bool value);
  bool IsChangesPending() const { return bChangesPending; }
  // 48 shows the 48-key picture; any other value the 24-key one.
  void ChangeGuiLayout(int numberOfKeys);
  int GuiKeyLayout() const { return fGuiKeyLayout; }
  // The per-user folder, without a trailing separator.
  const QString& DirString() const { return fDirString; }
  void UpdatePortPanel();
  // The loader settings file VOVirUvad.ini in the per-user folder.
  QString LoaderSettingsFile() const;

  // The window title as the file commands set it.
  void SetTitle(const QString& title) { setWindowTitle(title); }
  // "KeyloomTVRxx - " and the file name of `path` without its folder.
  void SetTitleForFile(const QString& path);
  // The file name the save dialog holds: "untitled.ckd" or a full path.
  const QString& CurrentFileName() const { return fCurrentFileName; }
  void SetCurrentFileName(const QString& name) { fCurrentFileName = name; }
  // The loader's parameter: the download file's path in double quotes, or empty.
  const QString& DownloadFileString() const { return fDownloadFileString; }
  void SetDownloadFileString(const QString& text) { fDownloadFileString = text; }
  // The quoted download file name for a definition path: its last three
  // characters replaced by "hex".
  static QString QuotedDownloadFileFor(const QString& definitionPath);

  // Reads a definition file into the model and applies it to the window (title,
  // first key and level, grid, clean state, save file name, layout). False,
  // with nothing changed, when no file exists at `path`; a file that cannot be
  // read throws FileError.
  bool ReadDefinitionIntoWindow(const QString& path);
  // Level tabs to "Level 1", cursor to key 0 level 0, Key001 down, panel sky
  // blue, then the grid redrawn with the insertion point at the macro's end.
  void ResetSelection();
  // Brings every key button's type image up to date from the model.
  void CopyAllKeyParametersToScreen();

  // The Properties command shows the keypad properties dialog modally through
  // this; the program entry sets it once the dialog exists.
  void SetPropertiesDialog(std::function<void()> showModal) {
    fShowProperties = std::move(showModal);
  }

  // Runs `command`; an error it raises is shown in the error box and ends it.
  void RunGuarded(const std::function<void()>& command);

  TKeypadClass& Keypad() { return fKeypad; }
  IPlatform& Platform() { return fPlatform; }
  IPrompts& Prompts() { return fPrompts; }

  // ---- Macro grid ----------------------------------------------------------
  void CopyDataToScreen(int gridIndex);
  void AddData(int32_t value);
  void AddByte(int32_t value);
  void RemoveData(int index);
  void UpdateKeyboard(TSetModifierKeys mkset);
  // The grid's current cell as a position: row * 7 + column.
  int InsertionPoint() const;

  // The grid's events, called by the grid widget.
  bool GridSelectCell(int column, int row);
  void GridDblClick();
  bool GridKeyDown(QKeyEvent* event);  // true: the key was consumed
  void GridKeyPress(char32_t ch);
  void GridKeyUp(QKeyEvent* event);
  void GridMouseDown(QMouseEvent* event);

  // ---- Key selection -------------------------------------------------------
  void CopyKeyParametersToScreen(QToolButton* button);
  QToolButton* KeyButton(int number) const;  // Key001 .. Key048 by number 1..48

  int32_t ModifierBits = 0;

  // ---- File commands (MainFileCommands.cpp) -------------------------------
  // New, Open, Save and Save As. Save and Save As return true when both the
  // definition file and its download file were written.
  void NewMenuItemClick();
  void OpenMenuItemClick();
  bool SaveMenuItemClick();
  bool SaveAsMenuItemClick();
  // Opens `path` as Open does once its dialog has answered: used for a file
  // dropped onto the window, after the save prompt.
  void OpenDroppedFile(const QString& path);
  static inline const QString kSavePrompt =
      QStringLiteral("Do you wish to save changes to your custom definition?");
  QAction* actionNew = nullptr;
  QAction* actionOpen = nullptr;
  QAction* actionSave = nullptr;
  QAction* actionSaveAs = nullptr;

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // The shortcuts and the drop target; called once by the constructor.
  void BuildFileCommands();
  void SaveShortcut();
  // The save prompt of New, Open and closing, shown while the definition is
  // dirty. False when the asking command must stop: Cancel, or a Yes whose
  // save did not happen. No clears the dirty flag when `clearOnNo`.
  bool SaveChangesFirst(bool clearOnNo);
  // Open from the chosen path on: the busy cursor, the read, the loader's
  // parameter, the selection and the port panel.
  void OpenDefinition(const QString& path);
  // Writes the definition and its download file to `path`.
  bool SaveDefinition(const QString& path);

 public:

  // ---- External tools and help (MainTools.cpp) -----------------------------
  // The Help menu's items.
  void GettingStartedClick();
  void UserManualClick();
  void AboutMenuItemClick();
  QAction* GettingStarted = nullptr;
  QAction* UserManual = nullptr;
  QAction* AboutMenuItem = nullptr;
  // The loader's parameter for a download file string: the path in double
  // quotes, a double quote inside it escaped the way a Windows program's
  // start-up code reads it, so that the path arrives whole as one argument.
  static QString LoaderParameter(const QString& downloadFileString);


 public slots:
  // Tool bar. The file, properties, port, download, test, help and key-label
  // commands are filled in by their own parts of the window.
  void ToolBtnNewClick();
  void ToolBtnOpenClick();
  void ToolBtnSaveClick();
  void ToolBtnSaveAsClick();
  void ToolBtnParametersClick();
  void btnSetPortClick();
  void ToolBtnDownloadClick();
  void ToolButtonTestClick();
  void ToolBtnHelpClick();
  void ToolButtonKeyLabelsClick();

  void spbtn24KeysClick();
  void spbtn48KeysClick();

  void menuitemClearMacroClick();
  void menuitemViewKeysAsTextClick();
  void menuitemViewKeysAsHexClick();

  void KeyboardClick();
  void keyLShiftClick();
  void spdbtnInsertClick();
  void rbDecimalClick();
  void rbHexadecimalClick();
  void tbDelayValue1Change(int position);
  void btnLED1Click();
  void btnLED2Click();
  void btnLED3Click();
  void mnuLedClick();

  void KeyClick();
  void TabControlLevelChange(int index);
  void popmenKeyTypePopup();
  void KeyTypeMenuItemClick();
  void chkboxAutorepeatClick();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Creation: each part of the window builds its own controls.
  void BuildToolBar(QWidget* central);    // MainFrame.cpp
  void BuildKeyPanel(QWidget* central);   // MainKeys.cpp
  void BuildLevelTabs(QWidget* central);  // MainGrid.cpp
  void BuildEntry(QWidget* central);      // MainEntry.cpp
  void FormCreate(const QStringList& arguments);
  void MakeFolders();
  void ApplyLayout(int keys);
  bool FormCloseQuery();
  void FormClose();

  // Code entry, in MainEntry.cpp.
  void edManualInputKeyPress(QKeyEvent* event);
  bool InsertManualValue();  // false when the decimal value was refused
  void OpenLedMenu(QPushButton* button, QMenu* menu);

  // Key selection, in MainKeys.cpp.
  void KeyMouseDown(QToolButton* button, QMouseEvent* event);
  void EditNameKeyUp(QKeyEvent* event);
  void EditNameKeyDown(QKeyEvent* event);
  void FocusGridIfShown();
  void DescribeKeyButton(QToolButton* button);

  IPlatform& fPlatform;
  IPrompts& fPrompts;
  TKeypadClass& fKeypad;

  int fGuiKeyLayout = 24;
  QString fDirString;
  bool bChangesPending = false;
  QString fDownloadFileString;
  QString fCurrentFileName = QStringLiteral("untitled.ckd");
  std::function<void()> fShowProperties;

 public:
  // Controls, named as their objectName.
  QFrame* ToolBar1 = nullptr;
  QToolButton* ToolBtnNew = nullptr;
  QToolButton* ToolBtnOpen = nullptr;
  QToolButton* ToolBtnSave = nullptr;
  QToolButton* ToolBtnSaveAs = nullptr;
  QToolButton* ToolBtnParameters = nullptr;
  QToolButton* btnSetPort = nullptr;
  QToolButton* ToolBtnDownload = nullptr;
  QToolButton* ToolButtonTest = nullptr;
  QToolButton* ToolBtnHelp = nullptr;
  QToolButton* ToolButtonKeyLabels = nullptr;
  QMenu* HelpMenu = nullptr;

  QLabel* lblKeyLayout = nullptr;
  QToolButton* spbtn24Keys = nullptr;
  QToolButton* spbtn48Keys = nullptr;

  QFrame* KeyPanel2 = nullptr;
  QButtonGroup* keyGroup = nullptr;
  QList<QToolButton*> keyButtons;  // Key001 .. Key048, the panel's order
  QMenu* popmenKeyType = nullptr;
  QAction* ShiftKeyMenuItem = nullptr;
  QAction* ToggleKeyMenuItem = nullptr;
  QToolButton* fKeyTypeMenuButton = nullptr;  // the button the menu was opened on

  QWidget* levelArea = nullptr;
  QTabBar* TabControlLevel = nullptr;
  QFrame* pnlMacroHeader = nullptr;
  QLabel* lblMacroHeader = nullptr;
  QLabel* lblSpaceAvailable = nullptr;
  QLabel* lblBytesUsed = nullptr;
  QProgressBar* Gauge1 = nullptr;
  QCheckBox* chkboxAutoRepeat = nullptr;
  QLabel* lblMacroName = nullptr;
  QLineEdit* EditName = nullptr;
  TMacroGrid* Grid = nullptr;
  QMenu* popmenuClearMacro = nullptr;
  QAction* menuitemClearMacro = nullptr;
  QAction* menuitemViewKeysAsText = nullptr;
  QAction* menuitemViewKeysAsHex = nullptr;
  QLabel* panelPort = nullptr;

  QFrame* Bevel1 = nullptr;
  QGroupBox* gboxInstructions = nullptr;
  QLabel* lblInstructions = nullptr;
  QGroupBox* gboxLEDs = nullptr;
  QPushButton* btnLED1 = nullptr;
  QPushButton* btnLED2 = nullptr;
  QPushButton* btnLED3 = nullptr;
  QMenu* mnuLED1 = nullptr;
  QMenu* mnuLED2 = nullptr;
  QMenu* mnuLED3 = nullptr;
  QGroupBox* gboxDelay = nullptr;
  QToolButton* spdbtnDelay = nullptr;
  QSlider* tbDelayValue = nullptr;
  QGroupBox* gboxManualData = nullptr;
  QLineEdit* edManualInput = nullptr;
  QToolButton* spdbtnInsert = nullptr;
  QRadioButton* rbDecimal = nullptr;
  QRadioButton* rbHexadecimal = nullptr;
  QList<QToolButton*> keyboardKeys;  // the on-screen PC keyboard
  QToolButton* keyLShift = nullptr;
  QToolButton* keyRShift = nullptr;
  QToolButton* keyLCtrl = nullptr;
  QToolButton* keyRCtrl = nullptr;
  QToolButton* keyCapsLock = nullptr;
};

// The PC key number that types character `ch` (0..127) on the US layout, or 0
// for a character that inserts nothing.
int CharToKey(int ch);
