// Tests of Download, Test, Set Port, the Help menu, Key Labels and About.
#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QTimer>
#include <optional>

#include "About.h"
#include "MainWindowFixture.h"
#include "QtPlatform.h"

namespace {

const QString kMustSave = "You must save your file before downloading it to the keypad.";
const QString kOpenFirst = "Please open a Keypad .CKD file before attempting to download.";
const QString kNoLoader =
    "Could not find \"VOVirUvad.exe\" loader program.  Make sure it is located in the same "
    "directory as this application.";
const QString kNoTestProgram =
    "Could not find the Windows PadProbe Program.  Make sure it is located in the same directory "
    "as this application.";
const QString kNoPortChooser =
    "Could not find \"LinkChooser.exe\".  Make sure it is located in the same directory as this "
    "application.";

using Starts = std::vector<std::pair<QString, QString>>;

class ToolsTest : public MainWindowTest {
 public:
  // A definition file read at start-up: clean, with its download file named.
  QString StartWithDefinition(const QString& name = "pad.ckd") {
    const QString path = temp.path() + "/" + name;
    EXPECT_TRUE(QFile::copy(KEYLOOM_TEST_DATA "/new-24-key.ckd", path));
    Start({path});
    EXPECT_FALSE(W().IsChangesPending());
    return path;
  }
  QString Tool(const char* name) const { return platform.programFolder + name; }

  // Opens the About box from the Help menu; `look` sees the dialog while it
  // is shown, then OK closes it.
  void WithAboutDialog(const std::function<void(QDialog&)>& look) {
    bool seen = false;
    auto* poll = new QTimer(window.get());
    QObject::connect(poll, &QTimer::timeout, [&seen, &look, poll] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      poll->stop();
      seen = true;
      look(*dialog);
      auto* ok = dialog->findChild<QPushButton*>("btnOk");
      ASSERT_NE(ok, nullptr);
      QTest::mouseClick(ok, Qt::LeftButton);
      if (dialog->isVisible()) dialog->reject();  // never leave the test hanging
    });
    poll->start(10);
    W().AboutMenuItem->trigger();
    delete poll;
    EXPECT_TRUE(seen);
  }
};

// ---- Download --------------------------------------------------------------

TEST_F(ToolsTest, DownloadRefusesDirtyFirstThenAMissingFile) {
  struct Case {
    const char* what;
    bool withFile;
    bool dirty;
    QString message;
  };
  const Case cases[] = {
      {"untitled and clean", false, false, kOpenFirst},
      {"untitled and dirty", false, true, kMustSave},
      {"file read, then edited", true, true, kMustSave},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    prompts.errors.clear();
    platform.started.clear();
    if (c.withFile) {
      StartWithDefinition(QString("pad-%1.ckd").arg(c.what).replace(' ', '_').remove(','));
      // A download file on disk makes no difference.
      WriteFile(W().DownloadFileString().mid(1).chopped(1), "\"00\"\r\n");
    } else {
      Start();
    }
    if (c.dirty) TypeChar('a');
    ASSERT_EQ(W().IsChangesPending(), c.dirty);
    const QString title = W().windowTitle();
    Click("ToolBtnDownload");
    EXPECT_EQ(prompts.errors, QStringList{c.message});
    EXPECT_TRUE(platform.started.empty());
    EXPECT_EQ(W().windowTitle(), title);
    EXPECT_EQ(W().IsChangesPending(), c.dirty);
  }
}

TEST_F(ToolsTest, DownloadStartsTheLoaderWithTheQuotedDownloadFile) {
  const QString path = StartWithDefinition("my pad.ckd");
  const QString quoted = "\"" + temp.path() + "/my pad.hex\"";
  ASSERT_EQ(W().DownloadFileString(), quoted);
  Click("ToolBtnDownload");
  EXPECT_EQ(platform.started, (Starts{{Tool("VOVirUvad.exe"), quoted}}));
  EXPECT_TRUE(prompts.errors.isEmpty());
  EXPECT_FALSE(QFileInfo::exists(temp.path() + "/my pad.hex"));  // not looked for
}

// Save As after an edit, then Download: the loader gets the new file's
// download file, in double quotes, and that file is on disk.
TEST_F(ToolsTest, DownloadAfterSaveStartsTheLoaderWithTheNewDownloadFile) {
  Start();
  TypeChar('a');
  Click("ToolBtnDownload");
  EXPECT_EQ(prompts.errors, QStringList{kMustSave});
  prompts.errors.clear();
  prompts.saveAnswers = {temp.path() + "/saved pad.ckd"};
  Click("ToolBtnSaveAs");
  ASSERT_FALSE(W().IsChangesPending());
  Click("ToolBtnDownload");
  const QString hex = temp.path() + "/saved pad.hex";
  EXPECT_EQ(platform.started, (Starts{{Tool("VOVirUvad.exe"), "\"" + hex + "\""}}));
  EXPECT_TRUE(QFileInfo::exists(hex));
  EXPECT_TRUE(prompts.errors.isEmpty());
}

TEST_F(ToolsTest, MissingLoaderIsReportedAndChangesNothing) {
  StartWithDefinition();
  platform.startResult = false;
  const QString title = W().windowTitle();
  const QString download = W().DownloadFileString();
  Click("ToolBtnDownload");
  EXPECT_EQ(prompts.errors, QStringList{kNoLoader});
  EXPECT_EQ(platform.started.size(), 1u);
  EXPECT_EQ(W().windowTitle(), title);
  EXPECT_EQ(W().DownloadFileString(), download);
  EXPECT_FALSE(W().IsChangesPending());
}

// The parameter reaches a program that splits its command line the Windows
// way as exactly the path, whatever the path holds.
TEST(LoaderParameter, ArrivesAsExactlyThePath) {
  const QString paths[] = {
      "C:\\My Pads\\lab one.hex",
      "/home/ann/pads/lab.hex",
      "/tmp/say \"hi\".hex",
      "/tmp/tail\\\" x.hex",
      "/tmp/a\\\\\"b.hex",
      "/tmp/a;rm -rf x $(id) `id`.hex",
      "/tmp/Tastenfeld f\u00fcr B\u00fcro \u952e\u76d8.hex",
  };
  for (const QString& path : paths) {
    SCOPED_TRACE(path.toStdString());
    const QString parameter = TfrmMain::LoaderParameter("\"" + path + "\"");
    EXPECT_EQ(SplitWindowsCommandLine(parameter), QStringList{path});
    if (!path.contains('"')) {
      EXPECT_EQ(parameter, "\"" + path + "\"");  // unchanged
    }
  }
}

// ---- Test --------------------------------------------------------------------

TEST_F(ToolsTest, TestStartsTheKeyTestOrSerialTestProgram) {
  struct Case {
    const char* what;
    int opMode;
    std::optional<QByteArray> settings;  // nullopt: no loader settings file
    bool startResult;
    Starts starts;  // programs by file name
    QStringList errors;
  };
  const Case cases[] = {
      {"PC keyboard mode, key-test program missing",
       48,
       "ComPort=5",
       false,
       {{"PadProbe.exe", ""}},
       {}},
      {"no settings file", 0, std::nullopt, true, {{"LineScope.exe", ""}}, {}},
      {"settings without a port", 32, "ComType=U", true, {{"LineScope.exe", ""}}, {}},
      {"port 0", 0, "ComPort=0", true, {{"LineScope.exe", ""}}, {}},
      {"port 5", 0, "ComPort=5", true, {{"LineScope.exe", "5"}}, {}},
      {"port in hexadecimal", 0, "ComPort=0x0C", true, {{"LineScope.exe", "12"}}, {}},
      {"port -2", 0, "ComPort=-2", true, {}, {kNoTestProgram}},
      {"serial test program missing",
       0,
       "ComPort=5",
       false,
       {{"LineScope.exe", "5"}},
       {kNoTestProgram}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (!window) Start();
    QFile::remove(AppFolder() + "/VOVirUvad.ini");
    if (c.settings) {
      MakeAppFolder();
      WriteFile(AppFolder() + "/VOVirUvad.ini",
                "[Com Port Configuration]\r\n" + *c.settings + "\r\n");
    }
    keypad.SetOpMode(static_cast<uint8_t>(c.opMode));
    platform.startResult = c.startResult;
    platform.started.clear();
    prompts.errors.clear();
    Click("ToolButtonTest");
    Starts expected;
    for (const auto& [program, parameters] : c.starts)
      expected.emplace_back(platform.programFolder + program, parameters);
    EXPECT_EQ(platform.started, expected);
    EXPECT_EQ(prompts.errors, c.errors);
  }
}

// ---- Set Port ----------------------------------------------------------------

TEST_F(ToolsTest, SetPortWaitsForTheChooserThenShowsItsPort) {
  for (const bool chooserFound : {true, false}) {
    SCOPED_TRACE(chooserFound ? "chooser found" : "chooser missing");
    QFile::remove(AppFolder() + "/VOVirUvad.ini");
    window.reset();
    Start();
    ASSERT_EQ(W().panelPort->text(), "Port: <not set>");
    // What the chooser leaves behind in the loader settings file.
    WriteLoaderSettings(chooserFound ? "7" : "3", "u");
    platform.runResult = chooserFound;
    platform.ranAndWaited.clear();
    prompts.errors.clear();

    // The wait repaints the main window: its widgets get paint events.
    struct PaintCounter : QObject {
      QWidget* main = nullptr;
      int paints = 0;
      bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Paint && widget && widget->window() == main) ++paints;
        return false;
      }
    } counter;
    counter.main = &W();
    QCoreApplication::processEvents();  // nothing left over to paint
    qApp->installEventFilter(&counter);
    W().btnSetPortClick();  // the handler alone: a pressed button would paint too
    qApp->removeEventFilter(&counter);

    EXPECT_EQ(platform.ranAndWaited, QStringList{Tool("LinkChooser.exe")});
    EXPECT_TRUE(platform.started.empty());
    EXPECT_GE(counter.paints, 1);
    EXPECT_EQ(prompts.errors, chooserFound ? QStringList{} : QStringList{kNoPortChooser});
    EXPECT_EQ(W().panelPort->text(), chooserFound ? "Port: COM7 (USB)" : "Port: COM3 (USB)");
  }
}

// ---- Help menu and Key Labels ------------------------------------------------

TEST_F(ToolsTest, HelpDropsDownItsThreeItems) {
  Start();
  QStringList items;
  for (const QAction* action : W().HelpMenu->actions())
    items << action->objectName() + "=" + action->text();
  EXPECT_EQ(items, (QStringList{"GettingStarted=&Getting Started", "UserManual=&User Manual",
                                "AboutMenuItem=&About Keyloom"}));
  Click("ToolBtnHelp");
  EXPECT_TRUE(W().HelpMenu->isVisible());
  const QPoint below = W().ToolBtnHelp->mapToGlobal(QPoint(0, W().ToolBtnHelp->height()));
  EXPECT_EQ(W().HelpMenu->pos(), below);
  W().HelpMenu->close();
  EXPECT_TRUE(platform.opened.isEmpty());
  EXPECT_TRUE(platform.started.empty());
}

TEST_F(ToolsTest, HelpDocumentsOpenFromTheProgramFolder) {
  struct Case {
    const char* item;
    const char* document;
    const char* message;
  };
  const Case cases[] = {
      {"GettingStarted", "Help/First Steps.pdf", "Could not find \"First Steps.pdf\" help file."},
      {"UserManual", "Help/KeyloomTVRxx.pdf", "Could not find \"KeyloomTVRxx.pdf\" help file."},
  };
  Start();
  for (const Case& c : cases) {
    for (const bool found : {true, false}) {
      SCOPED_TRACE(std::string(c.item) + (found ? " found" : " missing"));
      platform.openResult = found;
      platform.opened.clear();
      prompts.errors.clear();
      auto* item = W().HelpMenu->findChild<QAction*>(c.item);
      ASSERT_NE(item, nullptr);
      item->trigger();
      EXPECT_EQ(platform.opened,
                QStringList{QDir::toNativeSeparators(platform.programFolder + c.document)});
      EXPECT_EQ(prompts.errors, found ? QStringList{} : QStringList{c.message});
    }
  }
}

TEST_F(ToolsTest, KeyLabelsOpensTheChosenFileInQuotes) {
  struct Case {
    const char* what;
    std::optional<QString> chosen;
    bool openResult;
    QStringList opened;
    QStringList errors;
  };
  const QString bitmap = "/home/ann/Keycap Labels/keys.bmp";
  const Case cases[] = {
      {"a bitmap", bitmap, true, {"\"" + bitmap + "\""}, {}},
      {"cancelled", std::nullopt, true, {}, {}},
      {"no program for it",
       bitmap,
       false,
       {"\"" + bitmap + "\""},
       {"Could not find \"Label Template.doc\" file."}},
  };
  Start();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    platform.openResult = c.openResult;
    platform.opened.clear();
    prompts.errors.clear();
    prompts.openRequests.clear();
    prompts.openAnswers = {c.chosen};
    Click("ToolButtonKeyLabels");
    ASSERT_EQ(prompts.openRequests.size(), 1u);
    const FileDialogRequest& request = prompts.openRequests.front();
    EXPECT_EQ(request.title, "");
    EXPECT_EQ(request.defaultSuffix, "");
    EXPECT_EQ(QDir::cleanPath(request.folder), QDir::cleanPath(AppFolder() + "/Keycap_Labels"));
    EXPECT_EQ(request.filters, (QStringList{"Keycap Documents (*.doc)", "Keycap Templates (*.bmp)",
                                            "All Files (*.*)"}));
    EXPECT_EQ(request.selectedFilter, 2);
    EXPECT_EQ(platform.opened, c.opened);
    EXPECT_EQ(prompts.errors, c.errors);
    EXPECT_TRUE(platform.started.empty());
  }
}

// ---- About -------------------------------------------------------------------

TEST_F(ToolsTest, AboutShowsTheFirstFiveCharactersOfTheFileVersion) {
  struct Case {
    std::optional<QString> fileVersion;
    QString label;
  };
  const Case cases[] = {
      {"1.0.0.0", "Version 1.0.0"},
      {"12.34.5.6", "Version 12.34"},
      {"2.1", "Version 2.1"},
      {std::nullopt, "Version NA"},
  };
  Start();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label.toStdString());
    platform.version = c.fileVersion;
    EXPECT_EQ("Version " + GetOurVersion(platform), c.label);
    WithAboutDialog([&](QDialog& dialog) {
      EXPECT_EQ(dialog.windowTitle(), "About");
      auto* label = dialog.findChild<QLabel*>("lblVersion");
      ASSERT_NE(label, nullptr);
      EXPECT_EQ(label->text(), c.label);
      EXPECT_EQ(dialog.parent(), nullptr);
    });
  }
  EXPECT_TRUE(prompts.errors.isEmpty());
}

TEST_F(ToolsTest, AboutOpensCentredOnTheMovedMainWindow) {
  Start();
  for (const QPoint place : {QPoint(40, 30), QPoint(301, 157)}) {
    W().move(place);
    QCoreApplication::processEvents();
    const QRect main = W().frameGeometry();
    WithAboutDialog([&](QDialog& dialog) {
      const QRect outer = dialog.frameGeometry();
      EXPECT_EQ(outer.left(), main.left() + main.width() / 2 - outer.width() / 2);
      EXPECT_EQ(outer.top(), main.top() + main.height() / 2 - outer.height() / 2);
    });
  }
  // Freed on closing: no About box is left behind.
  QCoreApplication::processEvents();
  for (QWidget* top : QApplication::topLevelWidgets()) EXPECT_NE(top->objectName(), "frmAbout");
}

// This test binary carries the version table the build puts into the editor,
// and the real platform reads it back from the running executable.
TEST(RealPlatformVersion, ReadsTheProjectVersionFromTheExecutable) {
  QtPlatform platform;
  ASSERT_EQ(platform.FileVersion(), std::optional<QString>(KEYLOOM_PROJECT_VERSION));
  EXPECT_EQ(GetOurVersion(platform), QString(KEYLOOM_PROJECT_VERSION).left(5));
}

// ---- The real platform with a program that records its arguments -------------

// The real platform, with its program folder moved to where the tests put
// copies of the recording program under the tools' names, and the documents
// folder to the test's own.
class PlatformWithToolsIn : public QtPlatform {
 public:
  PlatformWithToolsIn(QString documents, QString tools)
      : documents_(std::move(documents)), tools_(std::move(tools)) {}
  QString DocumentsFolder() const override { return documents_; }
  QString ProgramFolder() const override { return tools_; }

 private:
  QString documents_;
  QString tools_;
};

class RealToolsTest : public MainWindowTest {
 public:
  void SetUp() override {
    MainWindowTest::SetUp();
    tools = temp.path() + "/program folder \u00e9/";
    ASSERT_TRUE(QDir().mkpath(tools));
    for (const char* name : {"VOVirUvad.exe", "LineScope.exe", "LinkChooser.exe"})
      ASSERT_TRUE(QFile::copy(KEYLOOM_RECORD_ARGUMENTS, tools + name));
    record = temp.path() + "/record";
    qputenv("KEYLOOM_RECORD_OUT", QFile::encodeName(record));
    // A shell, had one run, would make its files here.
    oldCurrent = QDir::currentPath();
    QDir::setCurrent(temp.path());
  }
  void TearDown() override {
    window.reset();
    QDir::setCurrent(oldCurrent);
    qunsetenv("KEYLOOM_RECORD_OUT");
  }
  TfrmMain& StartReal(const QStringList& arguments = {}) {
    real = std::make_unique<PlatformWithToolsIn>(temp.path(), tools);
    window = std::make_unique<TfrmMain>(*real, prompts, keypad, arguments);
    window->show();
    return *window;
  }
  // The arguments of the recording program's last run.
  std::optional<QList<QByteArray>> Recorded(bool wait) {
    if (wait && !QTest::qWaitFor([&] { return QFileInfo::exists(record); }, 10000))
      return std::nullopt;
    QFile file(record);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    QByteArray bytes = file.readAll();
    file.close();
    QFile::remove(record);
    QList<QByteArray> args;
    while (!bytes.isEmpty()) {
      const qsizetype end = bytes.indexOf('\0');
      if (end < 0) break;
      args << bytes.left(end);
      bytes.remove(0, end + 1);
    }
    return args;
  }

  QString tools;
  QString record;
  QString oldCurrent;
  std::unique_ptr<PlatformWithToolsIn> real;
};

TEST_F(RealToolsTest, DownloadHandsTheLoaderThePathAsOneArgumentWithoutAShell) {
  const QString names[] = {
      "my pads/lab one.ckd",
      "say \"hi\" twice.ckd",
      "tail\\\" x.ckd",
      "a;touch semicolon;b.ckd",
      "x\";touch escaped;\".ckd",
      "$(touch substituted) `touch backquoted` & x | y > z.ckd",
      "Tastenfeld f\u00fcr B\u00fcro \u952e\u76d8.ckd",
  };
  for (const QString& name : names) {
    SCOPED_TRACE(name.toStdString());
    const QString path = temp.path() + "/" + name;
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    ASSERT_TRUE(QFile::copy(KEYLOOM_TEST_DATA "/new-24-key.ckd", path));
    StartReal({path});
    ASSERT_FALSE(W().IsChangesPending());
    Click("ToolBtnDownload");
    EXPECT_TRUE(prompts.errors.isEmpty()) << prompts.errors.join('|').toStdString();
    const auto args = Recorded(true);
    ASSERT_TRUE(args.has_value());
    EXPECT_EQ(*args, QList<QByteArray>{QFile::encodeName(path.chopped(3) + "hex")});
  }
  for (const char* made : {"semicolon", "escaped", "substituted", "backquoted", "z", "b.hex"})
    EXPECT_FALSE(QFileInfo::exists(temp.path() + "/" + made)) << made;
}

TEST_F(RealToolsTest, TestPassesThePortAndSetPortWaitsForTheChooser) {
  WriteLoaderSettings("5", "V");
  StartReal();
  Click("ToolButtonTest");
  EXPECT_EQ(Recorded(true), (QList<QByteArray>{"5"}));

  // Set Port returns only when the chooser has ended: its record is there.
  Click("btnSetPort");
  EXPECT_EQ(Recorded(false), QList<QByteArray>{});
  EXPECT_EQ(W().panelPort->text(), "Port: COM5 (CDC)");

  // Without the programs, each command says so.
  QFile::remove(tools + "LineScope.exe");
  QFile::remove(tools + "LinkChooser.exe");
  Click("ToolButtonTest");
  Click("btnSetPort");
  EXPECT_EQ(prompts.errors, (QStringList{kNoTestProgram, kNoPortChooser}));
}

}  // namespace
