// Tests of the file commands: New, Open, Save, Save As, their shortcuts, a
// dropped file and the close query.
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QTabBar>
#include <QUrl>

#include "MainWindowFixture.h"

namespace {

const QString kPrompt = QStringLiteral("Do you wish to save changes to your custom definition?");

QString Title(const QString& name) { return QStringLiteral("KeyloomTVRxx - ") + name; }
QString Quoted(const QString& path) { return '"' + path + '"'; }

// A 24-key definition whose key 0 level 1 holds "q" (0x71).
const QByteArray kSmallDefinition =
    "[GLOBAL_PARAMETERS]\r\nModel_Number=TVR24\r\nNumber_Of_Keys=24\r\n"
    "[KEY0]\r\nLevel_1_Codes=71\r\n";

}  // namespace

class FileCommandsTest : public MainWindowTest {
 public:
  void SetUp() override {
    MainWindowTest::SetUp();
    QDir().mkpath(Pads());
  }
  QString Pads() const { return temp.path() + "/pads"; }
  QString Pad(const QString& name) const { return Pads() + '/' + name; }
  // Makes the definition dirty the way a user does: the on-screen A key.
  void Edit() { Click("keyA"); }
  // Opens `path` through the Open command, the definition being clean.
  void OpenThroughCommand(const QString& path) {
    prompts.openAnswers.push_back(path);
    W().OpenMenuItemClick();
    ASSERT_EQ(W().CurrentFileName(), path);
  }
  void SaveAsThroughCommand(const QString& path) {
    prompts.saveAnswers.push_back(path);
    ASSERT_TRUE(W().SaveAsMenuItemClick());
  }
  // What the window says about its file: title, current file name, loader
  // parameter and dirty flag.
  void ExpectFileState(const QString& title, const QString& fileName, const QString& download,
                       bool dirty) {
    EXPECT_EQ(W().windowTitle(), title);
    EXPECT_EQ(W().CurrentFileName(), fileName);
    EXPECT_EQ(W().DownloadFileString(), download);
    EXPECT_EQ(W().IsChangesPending(), dirty);
    EXPECT_EQ(W().ToolBtnSave->isEnabled(), dirty);
  }
};

// ---- Every command in every state --------------------------------------------

enum class From { Untitled, Opened, Saved };
enum class Command { New, Open, Save, SaveAs };

struct StateCase {
  const char* name;
  From from;
  bool edited;
  Command command;
  bool prompted;  // the save prompt (answered No) was shown
  char dialog;    // 'o' open dialog, 's' save dialog, 0 none
  const char*
      end;  // the file the window ends on: "untitled.ckd", "a.ckd", "b.ckd", "s.ckd", "c.ckd"
};
void PrintTo(const StateCase& c, std::ostream* os) { *os << c.name; }

// The definition starts untitled, opened from a.ckd or saved as s.ckd, and
// possibly edited; the open dialog answers b.ckd, the save dialog c.ckd.
const StateCase kStateCases[] = {
    {"UntitledNew", From::Untitled, false, Command::New, false, 0, "untitled.ckd"},
    {"UntitledOpen", From::Untitled, false, Command::Open, false, 'o', "b.ckd"},
    {"UntitledSave", From::Untitled, false, Command::Save, false, 's', "c.ckd"},
    {"UntitledSaveAs", From::Untitled, false, Command::SaveAs, false, 's', "c.ckd"},
    {"EditedUntitledNew", From::Untitled, true, Command::New, true, 0, "untitled.ckd"},
    {"EditedUntitledOpen", From::Untitled, true, Command::Open, true, 'o', "b.ckd"},
    {"EditedUntitledSave", From::Untitled, true, Command::Save, false, 's', "c.ckd"},
    {"EditedUntitledSaveAs", From::Untitled, true, Command::SaveAs, false, 's', "c.ckd"},
    {"OpenedNew", From::Opened, false, Command::New, false, 0, "untitled.ckd"},
    {"OpenedOpen", From::Opened, false, Command::Open, false, 'o', "b.ckd"},
    {"OpenedSave", From::Opened, false, Command::Save, false, 0, "a.ckd"},
    {"OpenedSaveAs", From::Opened, false, Command::SaveAs, false, 's', "c.ckd"},
    {"EditedOpenedNew", From::Opened, true, Command::New, true, 0, "untitled.ckd"},
    {"EditedOpenedOpen", From::Opened, true, Command::Open, true, 'o', "b.ckd"},
    {"EditedOpenedSave", From::Opened, true, Command::Save, false, 0, "a.ckd"},
    {"EditedOpenedSaveAs", From::Opened, true, Command::SaveAs, false, 's', "c.ckd"},
    {"SavedNew", From::Saved, false, Command::New, false, 0, "untitled.ckd"},
    {"SavedOpen", From::Saved, false, Command::Open, false, 'o', "b.ckd"},
    {"SavedSave", From::Saved, false, Command::Save, false, 0, "s.ckd"},
    {"SavedSaveAs", From::Saved, false, Command::SaveAs, false, 's', "c.ckd"},
    {"EditedSavedNew", From::Saved, true, Command::New, true, 0, "untitled.ckd"},
    {"EditedSavedOpen", From::Saved, true, Command::Open, true, 'o', "b.ckd"},
    {"EditedSavedSave", From::Saved, true, Command::Save, false, 0, "s.ckd"},
    {"EditedSavedSaveAs", From::Saved, true, Command::SaveAs, false, 's', "c.ckd"},
};

class FileCommandStates : public FileCommandsTest,
                          public ::testing::WithParamInterface<StateCase> {};

TEST_P(FileCommandStates, TitleFileNameLoaderParameterAndDirtyFlag) {
  const StateCase& c = GetParam();
  WriteFile(Pad("a.ckd"), kSmallDefinition);
  WriteFile(Pad("b.ckd"), kSmallDefinition);
  Start();
  if (c.from == From::Opened) OpenThroughCommand(Pad("a.ckd"));
  if (c.from == From::Saved) SaveAsThroughCommand(Pad("s.ckd"));
  const QString startName = c.from == From::Untitled ? QStringLiteral("untitled.ckd")
                            : c.from == From::Opened ? QStringLiteral("a.ckd")
                                                     : QStringLiteral("s.ckd");
  if (c.edited) {
    Edit();
    EXPECT_EQ(W().windowTitle(), Title(startName) + '*');
  }
  prompts.openRequests.clear();
  prompts.saveRequests.clear();
  prompts.answers.push_back(SaveAnswer::No);
  prompts.openAnswers.push_back(Pad("b.ckd"));
  prompts.saveAnswers.push_back(Pad("c.ckd"));

  switch (c.command) {
    case Command::New:
      Click("ToolBtnNew");
      break;
    case Command::Open:
      Click("ToolBtnOpen");
      break;
    case Command::Save:
      W().SaveMenuItemClick();
      break;  // the button is off while clean
    case Command::SaveAs:
      Click("ToolBtnSaveAs");
      break;
  }

  EXPECT_TRUE(prompts.errors.isEmpty()) << prompts.errors.join('\n').toStdString();
  EXPECT_EQ(prompts.questions, c.prompted ? QStringList{kPrompt} : QStringList{});
  EXPECT_EQ(prompts.openRequests.size(), c.dialog == 'o' ? 1u : 0u);
  EXPECT_EQ(prompts.saveRequests.size(), c.dialog == 's' ? 1u : 0u);
  if (c.dialog == 's') {
    const QString proposed =
        c.from == From::Untitled ? QStringLiteral("untitled.ckd") : Pad(startName);
    EXPECT_EQ(prompts.saveRequests.front().fileName, proposed);
  }
  const QString end = QString::fromLatin1(c.end);
  if (end == "untitled.ckd") {
    ExpectFileState(Title(end), end, QString(), false);
    EXPECT_TRUE(Codes().empty());
    return;
  }
  const QString path = Pad(end);
  QString hex = path;
  hex.chop(3);
  hex += "hex";
  ExpectFileState(Title(end), path, Quoted(hex), false);
  if (c.command == Command::Save || c.command == Command::SaveAs) {
    // The edit went into the file, and the download file was written beside it.
    const QByteArray written = ReadFile(path);
    EXPECT_EQ(written.contains("Level_1_Codes=61\r\n"), c.edited && c.from != From::Opened);
    EXPECT_EQ(written.contains("Level_1_Codes=7161\r\n"), c.edited && c.from == From::Opened);
    EXPECT_TRUE(QFileInfo::exists(hex));
  } else {
    EXPECT_EQ(Codes(), std::vector<int32_t>{0x71});  // b.ckd was read
  }
}

INSTANTIATE_TEST_SUITE_P(All, FileCommandStates, ::testing::ValuesIn(kStateCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Dialogs -----------------------------------------------------------------

TEST_F(FileCommandsTest, DialogsAskWithTheirTitlesFiltersAndFolder) {
  Start();
  W().OpenMenuItemClick();
  W().SaveMenuItemClick();  // untitled: Save As
  ASSERT_EQ(prompts.openRequests.size(), 1u);
  ASSERT_EQ(prompts.saveRequests.size(), 1u);
  const FileDialogRequest& open = prompts.openRequests.front();
  EXPECT_EQ(open.title, "Open Redefinition File");
  EXPECT_EQ(open.filters, QStringList{"Custom Keyboard Definition (*.ckd)"});
  EXPECT_EQ(open.defaultSuffix, "ckd");
  EXPECT_EQ(QDir(open.folder).canonicalPath(), QDir(AppFolder() + "/Macro_Files").canonicalPath());
  const FileDialogRequest& save = prompts.saveRequests.front();
  EXPECT_EQ(save.title, "Save Redefinition File");
  EXPECT_EQ(save.filters, QStringList{"Custom Keyboard Definition  Files (*.ckd)"});
  EXPECT_EQ(save.defaultSuffix, "ckd");
  EXPECT_TRUE(save.confirmOverwrite);
  EXPECT_EQ(save.fileName, "untitled.ckd");
  EXPECT_EQ(QDir(save.folder).canonicalPath(), QDir(AppFolder() + "/Macro_Files").canonicalPath());
  // Both cancelled: nothing changed.
  ExpectFileState(Title("untitled.ckd"), "untitled.ckd", QString(), false);
}

TEST_F(FileCommandsTest, DownloadFileNameDropsTheLastThreeCharacters) {
  Start();
  Edit();
  SaveAsThroughCommand(Pad("pad.k"));
  EXPECT_TRUE(QFileInfo::exists(Pad("pahex")));
  ExpectFileState(Title("pad.k"), Pad("pad.k"), Quoted(Pad("pahex")), false);
  EXPECT_TRUE(ReadFile(Pad("pahex")).startsWith("\"40\"\r\n\"01\"\r\n"));
}

// An untitled file name only counts without a folder: a file that happens to
// be called untitled.ckd is saved in place.
TEST_F(FileCommandsTest, SaveOfAFileNamedUntitledWritesInPlace) {
  WriteFile(Pad("UNTITLED.CKD"), kSmallDefinition);
  Start();
  OpenThroughCommand(Pad("UNTITLED.CKD"));
  Edit();
  EXPECT_TRUE(W().SaveMenuItemClick());
  EXPECT_TRUE(prompts.saveRequests.empty());
  EXPECT_TRUE(ReadFile(Pad("UNTITLED.CKD")).contains("Level_1_Codes=7161\r\n"));
}

TEST_F(FileCommandsTest, SaveCopiesDownloadDelayIntoTheLoaderSettings) {
  WriteLoaderSettings("3", "u");
  Start();
  keypad.SetDownloadDelay(40);
  Edit();
  SaveAsThroughCommand(Pad("d.ckd"));
  EXPECT_TRUE(ReadFile(AppFolder() + "/VOVirUvad.ini").contains("DownloadDelay=40"));
}

// ---- Cancel at each prompt ---------------------------------------------------

struct CancelCase {
  const char* name;
  Command command;  // New and Open ask first; Save and Save As go to the dialog
  bool promptCancel;
};
void PrintTo(const CancelCase& c, std::ostream* os) { *os << c.name; }

const CancelCase kCancelCases[] = {
    {"NewPromptCancel", Command::New, true},
    {"OpenPromptCancel", Command::Open, true},
    {"OpenDialogCancel", Command::Open, false},
    {"SaveAsDialogCancel", Command::SaveAs, false},
};

class FileCommandCancel : public FileCommandsTest,
                          public ::testing::WithParamInterface<CancelCase> {};

TEST_P(FileCommandCancel, LeavesTheEditedDefinitionAlone) {
  const CancelCase& c = GetParam();
  WriteFile(Pad("a.ckd"), kSmallDefinition);
  Start();
  OpenThroughCommand(Pad("a.ckd"));
  Edit();
  prompts.answers.push_back(c.promptCancel ? SaveAnswer::Cancel : SaveAnswer::No);
  prompts.openRequests.clear();
  switch (c.command) {
    case Command::New:
      Click("ToolBtnNew");
      break;
    case Command::Open:
      Click("ToolBtnOpen");
      break;
    default:
      Click("ToolBtnSaveAs");
      break;
  }
  if (c.command == Command::Open) {
    EXPECT_EQ(prompts.openRequests.size(), c.promptCancel ? 0u : 1u);
  }
  EXPECT_EQ(Codes(), (std::vector<int32_t>{0x71, 0x61}));
  ExpectFileState(Title("a.ckd*"), Pad("a.ckd"), Quoted(Pad("a.hex")), true);
  EXPECT_EQ(ReadFile(Pad("a.ckd")), kSmallDefinition);
  EXPECT_TRUE(prompts.errors.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(All, FileCommandCancel, ::testing::ValuesIn(kCancelCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FileCommandsTest, UntitledSaveAsCancelledWritesNothing) {
  Start();
  Edit();
  Click("ToolBtnSave");
  Click("ToolBtnSaveAs");
  EXPECT_EQ(prompts.saveRequests.size(), 2u);
  ExpectFileState(Title("untitled.ckd*"), "untitled.ckd", QString(), true);
  EXPECT_TRUE(QDir(Pads()).isEmpty());
}

// ---- A Yes whose save does not happen stops the asking command -----------------

enum class SaveFails { DialogCancelled, WriteError };

struct YesCase {
  const char* name;
  Command command;  // New or Open; Save stands for closing the window
  SaveFails how;
};
void PrintTo(const YesCase& c, std::ostream* os) { *os << c.name; }

const YesCase kYesCases[] = {
    {"NewDialogCancelled", Command::New, SaveFails::DialogCancelled},
    {"NewWriteError", Command::New, SaveFails::WriteError},
    {"OpenDialogCancelled", Command::Open, SaveFails::DialogCancelled},
    {"OpenWriteError", Command::Open, SaveFails::WriteError},
    {"CloseDialogCancelled", Command::Save, SaveFails::DialogCancelled},
    {"CloseWriteError", Command::Save, SaveFails::WriteError},
};

class FileCommandYes : public FileCommandsTest, public ::testing::WithParamInterface<YesCase> {};

TEST_P(FileCommandYes, KeepsTheDefinition) {
  const YesCase& c = GetParam();
  WriteFile(Pad("b.ckd"), kSmallDefinition);
  Start();
  Edit();
  prompts.answers.push_back(SaveAnswer::Yes);
  // A folder that does not exist cannot take the file.
  prompts.saveAnswers.push_back(
      c.how == SaveFails::WriteError ? std::optional<QString>(Pad("missing/x.ckd")) : std::nullopt);
  prompts.openAnswers.push_back(Pad("b.ckd"));
  bool closed = false;
  switch (c.command) {
    case Command::New:
      Click("ToolBtnNew");
      break;
    case Command::Open:
      Click("ToolBtnOpen");
      break;
    default:
      closed = W().close();
      break;
  }
  EXPECT_EQ(prompts.questions, QStringList{kPrompt});
  EXPECT_EQ(prompts.saveRequests.size(), 1u);
  EXPECT_TRUE(prompts.openRequests.empty());
  EXPECT_EQ(prompts.errors.size(), c.how == SaveFails::WriteError ? 1 : 0);
  if (!prompts.errors.isEmpty()) {
    EXPECT_TRUE(prompts.errors.first().contains("x.ckd"));
  }
  EXPECT_FALSE(closed);
  EXPECT_TRUE(W().isVisible());
  EXPECT_EQ(Codes(), std::vector<int32_t>{0x61});
  ExpectFileState(Title("untitled.ckd*"), "untitled.ckd", QString(), true);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(All, FileCommandYes, ::testing::ValuesIn(kYesCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FileCommandsTest, YesSavesBeforeTheCommandGoesOn) {
  WriteFile(Pad("a.ckd"), kSmallDefinition);
  WriteFile(Pad("b.ckd"), "[GLOBAL_PARAMETERS]\r\nNumber_Of_Keys=48\r\n");
  Start();
  OpenThroughCommand(Pad("a.ckd"));
  Edit();
  prompts.answers.push_back(SaveAnswer::Yes);
  prompts.openAnswers.push_back(Pad("b.ckd"));
  Click("ToolBtnOpen");
  EXPECT_TRUE(prompts.saveRequests.empty());
  EXPECT_TRUE(ReadFile(Pad("a.ckd")).contains("Level_1_Codes=7161\r\n"));
  EXPECT_TRUE(QFileInfo::exists(Pad("a.hex")));
  ExpectFileState(Title("b.ckd"), Pad("b.ckd"), Quoted(Pad("b.hex")), false);
  EXPECT_EQ(W().GuiKeyLayout(), 48);
}

// ---- Closing -----------------------------------------------------------------

struct CloseCase {
  const char* name;
  bool edited;
  SaveAnswer answer;
  bool closes;
  bool writes;
};
void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.name; }

const CloseCase kCloseCases[] = {
    {"Clean", false, SaveAnswer::Cancel, true, false},
    {"Cancel", true, SaveAnswer::Cancel, false, false},
    {"No", true, SaveAnswer::No, true, false},
    {"Yes", true, SaveAnswer::Yes, true, true},
};

class FileCommandClose : public FileCommandsTest,
                         public ::testing::WithParamInterface<CloseCase> {};

TEST_P(FileCommandClose, AsksWhileDirty) {
  const CloseCase& c = GetParam();
  WriteFile(Pad("a.ckd"), kSmallDefinition);
  Start();
  OpenThroughCommand(Pad("a.ckd"));
  if (c.edited) Edit();
  prompts.answers.push_back(c.answer);
  EXPECT_EQ(W().close(), c.closes);
  EXPECT_EQ(prompts.questions.size(), c.edited ? 1 : 0);
  EXPECT_EQ(ReadFile(Pad("a.ckd")).contains("Level_1_Codes=7161"), c.writes);
  EXPECT_EQ(W().IsChangesPending(), c.edited && !c.writes);
  // The key layout is written back only by a close that happens.
  EXPECT_EQ(QFileInfo::exists(AppFolder() + "/KeyloomTVRxx.ini"), c.closes);
}

INSTANTIATE_TEST_SUITE_P(All, FileCommandClose, ::testing::ValuesIn(kCloseCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- A failed Open leaves the window as it was ---------------------------------

struct OpenFailure {
  const char* name;
  const char* file;
  QByteArray text;  // empty: a folder of that name
};
void PrintTo(const OpenFailure& c, std::ostream* os) { *os << c.name; }

const OpenFailure kOpenFailures[] = {
    // Key sections are read until one whose index is not a number.
    {"FailsPartWay", "bad.ckd",
     "[GLOBAL_PARAMETERS]\r\nNumber_Of_Keys=48\r\nDownload_Delay=77\r\n"
     "[KEY0]\r\nLevel_1_Codes=7a7a\r\n[KEYx]\r\nLevel_1_Codes=31\r\n"},
    {"CannotBeRead", "folder.ckd", {}},
};

class FileCommandOpenFailure : public FileCommandsTest,
                               public ::testing::WithParamInterface<OpenFailure> {};

TEST_P(FileCommandOpenFailure, ShowsTheErrorAndChangesNothing) {
  const OpenFailure& c = GetParam();
  const QString path = Pad(QString::fromLatin1(c.file));
  if (c.text.isEmpty())
    ASSERT_TRUE(QDir().mkpath(path));
  else
    WriteFile(path, c.text);
  WriteFile(Pad("a.ckd"), kSmallDefinition);
  Start();
  OpenThroughCommand(Pad("a.ckd"));
  Edit();
  prompts.answers.push_back(SaveAnswer::No);
  prompts.openAnswers.push_back(path);
  Click("ToolBtnOpen");
  ASSERT_EQ(prompts.errors.size(), 1);
  EXPECT_TRUE(prompts.errors.first().contains(QString::fromLatin1(c.file)))
      << prompts.errors.first().toStdString();
  EXPECT_EQ(Codes(), (std::vector<int32_t>{0x71, 0x61}));
  EXPECT_EQ(keypad.DownloadDelay(), 0);  // as a.ckd, which has none, gave it
  EXPECT_EQ(W().GuiKeyLayout(), 24);
  ExpectFileState(Title("a.ckd*"), Pad("a.ckd"), Quoted(Pad("a.hex")), true);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(All, FileCommandOpenFailure, ::testing::ValuesIn(kOpenFailures),
                         [](const auto& info) { return std::string(info.param.name); });

// A name that is not there reads as nothing and reports nothing; only the
// loader's parameter and the selection follow the command.
TEST_F(FileCommandsTest, OpenOfAMissingFileReadsNothing) {
  Start();
  Edit();
  keypad.SetKey(1);
  prompts.answers.push_back(SaveAnswer::No);
  prompts.openAnswers.push_back(Pad("gone.ckd"));
  Click("ToolBtnOpen");
  EXPECT_TRUE(prompts.errors.isEmpty());
  EXPECT_EQ(keypad.Key(), 0);
  EXPECT_EQ(Codes(), std::vector<int32_t>{0x61});
  ExpectFileState(Title("untitled.ckd*"), "untitled.ckd", Quoted(Pad("gone.hex")), true);
}

// ---- New ---------------------------------------------------------------------

TEST_F(FileCommandsTest, NewResetsEveryKeyAndKeepsTheLayout) {
  WriteFile(Pad("a.ckd"),
            "[GLOBAL_PARAMETERS]\r\nNumber_Of_Keys=24\r\nBaud_Rate=6\r\nDownload_Delay=3\r\n"
            "[KEY2]\r\nKeyType=2\r\nL2_AutoRepeat=1\r\nLevel_2_Codes=41\r\nLevel_2_Name=N\r\n");
  WriteSettings("48");
  Start();
  OpenThroughCommand(Pad("a.ckd"));
  ASSERT_EQ(W().GuiKeyLayout(), 24);
  ASSERT_FALSE(W().KeyButton(3)->icon().isNull());  // the toggle key's picture
  W().TabControlLevel->setCurrentIndex(1);
  Click("ToolBtnNew");
  EXPECT_EQ(W().GuiKeyLayout(), 24);
  EXPECT_TRUE(W().KeyButton(3)->icon().isNull());
  EXPECT_EQ(W().TabControlLevel->currentIndex(), 0);
  EXPECT_TRUE(W().KeyButton(1)->isChecked());
  EXPECT_EQ(keypad.BaudRate(), 3);
  EXPECT_EQ(keypad.DownloadDelay(), 10);
  keypad.SetKey(2);
  EXPECT_EQ(keypad.Keytype(), ktNormal);
  keypad.SetLevel(1);
  EXPECT_EQ(keypad.NumOfElements(), 0);
  EXPECT_FALSE(keypad.CanAutoRepeat());
  EXPECT_TRUE(keypad.GetMacroName().empty());
  ExpectFileState(Title("untitled.ckd"), "untitled.ckd", QString(), false);
}

// The port panel follows New and Open; a loader settings file that cannot be
// read is reported instead of escaping the command.
TEST_F(FileCommandsTest, NewAndOpenRefreshThePortPanel) {
  WriteFile(Pad("a.ckd"), kSmallDefinition);
  Start();
  WriteLoaderSettings("3", "u");
  OpenThroughCommand(Pad("a.ckd"));
  EXPECT_EQ(W().panelPort->text(), "Port: COM3 (USB)");
  WriteLoaderSettings("5", "V");
  Click("ToolBtnNew");
  EXPECT_EQ(W().panelPort->text(), "Port: COM5 (CDC)");
  QFile::remove(AppFolder() + "/VOVirUvad.ini");
  ASSERT_TRUE(QDir().mkpath(AppFolder() + "/VOVirUvad.ini"));
  Click("ToolBtnNew");
  EXPECT_EQ(prompts.errors.size(), 1);
  ExpectFileState(Title("untitled.ckd"), "untitled.ckd", QString(), false);
}

// ---- Command-line open -------------------------------------------------------

TEST_F(FileCommandsTest, CommandLineOpenThenSave) {
  WriteFile(Pad("lab.ckd"), kSmallDefinition);
  Start({Pad("lab.ckd")});
  ExpectFileState(Title("lab.ckd"), Pad("lab.ckd"), Quoted(Pad("lab.hex")), false);
  Edit();
  Click("ToolBtnSave");
  EXPECT_TRUE(prompts.saveRequests.empty());
  EXPECT_TRUE(ReadFile(Pad("lab.ckd")).contains("Level_1_Codes=7161\r\n"));
  EXPECT_TRUE(ReadFile(Pad("lab.hex")).contains("\"03\"\r\n\"71\"\r\n\"61\"\r\n\"00\"\r\n"));
  ExpectFileState(Title("lab.ckd"), Pad("lab.ckd"), Quoted(Pad("lab.hex")), false);
}

// ---- Shortcuts ---------------------------------------------------------------

struct ShortcutCase {
  const char* name;
  Qt::Key key;
  Qt::KeyboardModifiers mods;
  bool dirty;      // the prompt answers No
  int opens;       // open dialogs asked
  int saves;       // save dialogs asked
  bool savedFile;  // the named file was written without a dialog
  bool newed;      // New ran
  std::vector<int32_t> codes;
};
void PrintTo(const ShortcutCase& c, std::ostream* os) { *os << c.name; }

const ShortcutCase kShortcuts[] = {
    {"CtrlN", Qt::Key_N, Qt::ControlModifier, true, 0, 0, false, true, {}},
    {"CtrlO", Qt::Key_O, Qt::ControlModifier, true, 1, 0, false, false, {}},
    {"CtrlS", Qt::Key_S, Qt::ControlModifier, true, 0, 0, true, false, {}},
    {"CtrlShiftS",
     Qt::Key_S,
     Qt::ControlModifier | Qt::ShiftModifier,
     false,
     0,
     1,
     false,
     false,
     {}},
    // Like the Save button, Ctrl+S does nothing while there is nothing to save.
    {"CtrlSWhileClean", Qt::Key_S, Qt::ControlModifier, false, 0, 0, false, false, {}},
    // Other control keys still type their control character.
    {"CtrlM", Qt::Key_M, Qt::ControlModifier, true, 0, 0, false, false, {13}},
};

class FileCommandShortcut : public FileCommandsTest,
                            public ::testing::WithParamInterface<ShortcutCase> {};

TEST_P(FileCommandShortcut, RunsTheCommandFromTheGrid) {
  const ShortcutCase& c = GetParam();
  Start();
  W().SetCurrentFileName(Pad("k.ckd"));
  W().SetDownloadFileString("\"marker\"");
  if (c.dirty) W().ChangesPending(true);
  prompts.answers.push_back(SaveAnswer::No);
  ASSERT_TRUE(W().Grid->hasFocus());
  Type(c.key, c.mods);
  EXPECT_EQ(static_cast<int>(prompts.openRequests.size()), c.opens);
  EXPECT_EQ(static_cast<int>(prompts.saveRequests.size()), c.saves);
  EXPECT_EQ(QFileInfo::exists(Pad("k.ckd")), c.savedFile);
  EXPECT_EQ(W().DownloadFileString().isEmpty(), c.newed);
  EXPECT_EQ(Codes(), c.codes);
}

INSTANTIATE_TEST_SUITE_P(All, FileCommandShortcut, ::testing::ValuesIn(kShortcuts),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Drag and drop -----------------------------------------------------------

struct DropCase {
  const char* name;
  const char* file;
  bool accepted;
};
void PrintTo(const DropCase& c, std::ostream* os) { *os << c.name; }

const DropCase kDrops[] = {
    {"Definition", "b.ckd", true},
    {"UpperCaseExtension", "B.CKD", true},
    {"OtherFile", "b.txt", false},
};

class FileCommandDrop : public FileCommandsTest, public ::testing::WithParamInterface<DropCase> {};

TEST_P(FileCommandDrop, OpensADroppedDefinitionAfterThePrompt) {
  const DropCase& c = GetParam();
  const QString path = Pad(QString::fromLatin1(c.file));
  WriteFile(path, kSmallDefinition);
  Start();
  Edit();
  prompts.answers.push_back(SaveAnswer::No);
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(path)});
  const QPoint at(W().width() / 2, W().height() / 2);
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window.get(), &enter);
  EXPECT_EQ(enter.isAccepted(), c.accepted);
  QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window.get(), &drop);
  EXPECT_TRUE(prompts.openRequests.empty());
  if (c.accepted) {
    EXPECT_EQ(prompts.questions, QStringList{kPrompt});
    EXPECT_EQ(Codes(), std::vector<int32_t>{0x71});
    ExpectFileState(Title(QString::fromLatin1(c.file)), QDir::toNativeSeparators(path),
                    W().QuotedDownloadFileFor(QDir::toNativeSeparators(path)), false);
  } else {
    EXPECT_TRUE(prompts.questions.isEmpty());
    EXPECT_EQ(Codes(), std::vector<int32_t>{0x61});
  }
}

INSTANTIATE_TEST_SUITE_P(All, FileCommandDrop, ::testing::ValuesIn(kDrops),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FileCommandsTest, DropAnsweredCancelOpensNothing) {
  WriteFile(Pad("b.ckd"), kSmallDefinition);
  Start();
  Edit();
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(Pad("b.ckd"))});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window.get(), &enter);
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window.get(), &drop);
  EXPECT_EQ(prompts.questions.size(), 1);
  EXPECT_EQ(Codes(), std::vector<int32_t>{0x61});
  ExpectFileState(Title("untitled.ckd*"), "untitled.ckd", QString(), true);
}

// ---- End to end --------------------------------------------------------------

// Builds a definition with the mouse, saves it, compares both files with the
// golden ones, and opens it again in a fresh window.
TEST_F(FileCommandsTest, EditSaveAndOpenAgain) {
  Start();  // no settings file: the 24-key layout
  ASSERT_EQ(W().GuiKeyLayout(), 24);

  // Key 1 (index 0): "ab" on level 1; "C" and Enter on level 2, repeating, named "Go".
  Click("Key001");
  Click("keyA");
  Click("keyB");
  W().TabControlLevel->setCurrentIndex(1);
  Click("keyLShift");
  Click("keyC");
  Click("keyEnter");
  Click("chkboxAutoRepeat");
  QTest::keyClicks(W().EditName, "Go");
  // The first button of the second row is key index 5 in this layout.
  W().TabControlLevel->setCurrentIndex(0);
  Click("Key010");
  ASSERT_EQ(keypad.Key(), 5);
  Click("keyX");
  W().TabControlLevel->setCurrentIndex(1);
  Click("keyZ");
  // Key types through the key-type menu: key index 3 toggles, index 11 shifts.
  auto setType = [this](int number, QAction* item) {
    QTest::mousePress(W().KeyButton(number), Qt::RightButton);
    W().popmenKeyType->popup(W().KeyButton(number)->mapToGlobal(QPoint(4, 4)));
    item->trigger();
    W().popmenKeyType->hide();
  };
  setType(4, W().ToggleKeyMenuItem);
  setType(20, W().ShiftKeyMenuItem);
  // The keypad-wide properties, as the properties dialog stores them.
  keypad.SetDownloadDelay(25);
  keypad.SetKeyRollOver(6);
  keypad.SetCharacterPacing(20);
  keypad.SetOpMode(48);
  keypad.SetLED1Behavior(static_cast<TLEDBehavior>(5));
  keypad.SetLED2Behavior(static_cast<TLEDBehavior>(1));
  keypad.SetLED3Behavior(static_cast<TLEDBehavior>(2));
  keypad.SetBaudRate(7);
  keypad.SetWordFormat(2);
  keypad.SetCdcSerialNo(1234);
  ASSERT_TRUE(Dirty());

  const QString out = temp.path() + "/out";
  ASSERT_TRUE(QDir().mkpath(out));
  prompts.saveAnswers.push_back(out + "/lab.ckd");
  Click("ToolBtnSaveAs");
  ASSERT_TRUE(prompts.errors.isEmpty()) << prompts.errors.join('\n').toStdString();
  const QString golden = QStringLiteral(KEYLOOM_TEST_DATA) + "/saved-24-key";
  EXPECT_EQ(ReadFile(out + "/lab.ckd"), ReadFile(golden + ".ckd"));
  EXPECT_EQ(ReadFile(out + "/lab.hex"), ReadFile(golden + ".hex"));
  EXPECT_FALSE(QFileInfo::exists(AppFolder() + "/VOVirUvad.ini"));
  ExpectFileState(Title("lab.ckd"), out + "/lab.ckd", Quoted(out + "/lab.hex"), false);

  // A fresh window and model open it again.
  FakePrompts prompts2;
  TKeypadClass keypad2;
  WriteSettings("48");
  TfrmMain fresh(platform, prompts2, keypad2, {});
  ASSERT_EQ(fresh.GuiKeyLayout(), 48);
  prompts2.openAnswers.push_back(out + "/lab.ckd");
  fresh.OpenMenuItemClick();
  ASSERT_TRUE(prompts2.errors.isEmpty());
  EXPECT_EQ(fresh.windowTitle(), Title("lab.ckd"));
  EXPECT_EQ(fresh.GuiKeyLayout(), 24);
  EXPECT_EQ(fresh.DownloadFileString(), Quoted(out + "/lab.hex"));
  EXPECT_EQ(fresh.Grid->item(0, 0)->text(), "a");
  EXPECT_EQ(fresh.Grid->item(0, 1)->text(), "b");
  EXPECT_FALSE(fresh.KeyButton(4)->icon().isNull());
  EXPECT_FALSE(fresh.KeyButton(20)->icon().isNull());
  for (uint8_t k = 0; k < 48; ++k) {
    keypad.SetKey(k);
    keypad2.SetKey(k);
    EXPECT_EQ(keypad2.Keytype(), keypad.Keytype()) << int(k);
    for (uint8_t level = 0; level < 2; ++level) {
      keypad.SetLevel(level);
      keypad2.SetLevel(level);
      EXPECT_EQ(keypad2.MakeCodes(), keypad.MakeCodes()) << int(k) << '/' << int(level);
      EXPECT_EQ(keypad2.CanAutoRepeat(), keypad.CanAutoRepeat()) << int(k);
      EXPECT_EQ(keypad2.GetMacroName(), keypad.GetMacroName()) << int(k);
    }
  }
  EXPECT_EQ(keypad2.DownloadDelay(), 25);
  EXPECT_EQ(keypad2.KeyRollOver(), 6);
  EXPECT_EQ(keypad2.CharacterPacing(), 20);
  EXPECT_EQ(keypad2.OpMode(), 48);
  EXPECT_EQ(static_cast<int>(keypad2.LED1Behavior()), 5);
  EXPECT_EQ(static_cast<int>(keypad2.LED2Behavior()), 1);
  EXPECT_EQ(static_cast<int>(keypad2.LED3Behavior()), 2);
  EXPECT_EQ(keypad2.BaudRate(), 7);
  EXPECT_EQ(keypad2.WordFormat(), 2);
  EXPECT_EQ(keypad2.CdcSerialNo(), 1234);
  // Saved again elsewhere, it gives the same two files.
  prompts2.saveAnswers.push_back(out + "/again.ckd");
  EXPECT_TRUE(fresh.SaveAsMenuItemClick());
  EXPECT_EQ(ReadFile(out + "/again.ckd"), ReadFile(golden + ".ckd"));
  EXPECT_EQ(ReadFile(out + "/again.hex"), ReadFile(golden + ".hex"));
}
