// Start-up, settings file, title and dirty mark, layout switch, port panel,
// closing.
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QTabBar>

#include "DefinitionFile.h"
#include "MainWindowFixture.h"

namespace {

const QColor kGreen(0, 128, 0);
const QColor kRed(255, 0, 0);

}  // namespace

TEST_F(MainWindowTest, StartsUntitledWithoutSettingsFile) {
  Start();
  EXPECT_EQ(W().windowTitle(), "KeyloomTVRxx - untitled.ckd");
  EXPECT_FALSE(W().ToolBtnSave->isEnabled());
  EXPECT_TRUE(W().ToolBtnSaveAs->isEnabled());
  EXPECT_EQ(W().GuiKeyLayout(), 24);
  EXPECT_TRUE(W().spbtn24Keys->isChecked());
  EXPECT_EQ(W().DirString(), QDir::toNativeSeparators(AppFolder()));
  EXPECT_TRUE(QFileInfo(AppFolder() + "/Macro_Files").isDir());
  EXPECT_TRUE(QFileInfo(AppFolder() + "/Keycap_Labels").isDir());
  EXPECT_EQ(W().panelPort->text(), "Port: <not set>");
  EXPECT_EQ(W().panelPort->palette().color(QPalette::WindowText), kRed);
  EXPECT_EQ(W().DownloadFileString(), "");
  EXPECT_EQ(W().CurrentFileName(), "untitled.ckd");
  EXPECT_TRUE(W().Grid->hasFocus());
  EXPECT_TRUE(prompts.errors.isEmpty());
  EXPECT_EQ(keypad.GetModifierSet(0), 0);  // the model is wired to the window
}

TEST_F(MainWindowTest, SettingsLayoutIsReadAndWrittenBack) {
  struct Case {
    QByteArray stored;
    int layout;
  };
  const Case cases[] = {{"24", 24},  {"48", 48},  {"36", 48},  {"0", 48},
                        {"-24", 48}, {"abc", 24}, {"0x30", 48}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored.toStdString());
    WriteSettings(c.stored);
    Start();
    EXPECT_EQ(W().GuiKeyLayout(), c.layout);
    EXPECT_EQ(W().btnLED2->isEnabled(), c.layout == 48);
    W().close();
    EXPECT_TRUE(ReadFile(AppFolder() + "/KeyloomTVRxx.ini")
                    .contains("Number_of_Keys=" + QByteArray::number(c.layout)));
    window.reset();
  }
}

TEST_F(MainWindowTest, FileArgumentSetsItsOwnLayoutAndTitle) {
  WriteSettings("24");
  TKeypadClass source;
  source.SetKey(0);
  int32_t position = 0;
  ASSERT_TRUE(source.InsertByte(position, 'h'));
  ASSERT_TRUE(source.InsertByte(position, 'i'));
  source.SetCanAutoRepeat(true);
  source.SetMacroName(u"greeting");
  source.SetKey(30);
  source.SetKeytype(ktToggle);
  const QString path = temp.path() + "/lab pad.ckd";
  WriteDefinitionFile(source, path.toStdU16String(), 48);

  Start({path});
  EXPECT_EQ(W().windowTitle(), "KeyloomTVRxx - lab pad.ckd");
  EXPECT_EQ(W().GuiKeyLayout(), 48);
  EXPECT_FALSE(W().ToolBtnSave->isEnabled());
  EXPECT_EQ(W().CurrentFileName(), path);
  EXPECT_EQ(W().DownloadFileString(), "\"" + temp.path() + "/lab pad.hex\"");
  EXPECT_EQ(Cell(0), "h");
  EXPECT_EQ(Cell(1), "i");
  EXPECT_EQ(Position(), 2);
  EXPECT_TRUE(W().chkboxAutoRepeat->isChecked());
  EXPECT_EQ(W().EditName->text(), "greeting");
  EXPECT_FALSE(W().KeyButton(31)->icon().isNull());  // key index 30 is a toggle key
  EXPECT_TRUE(prompts.errors.isEmpty());
  W().close();
  EXPECT_TRUE(ReadFile(AppFolder() + "/KeyloomTVRxx.ini").contains("Number_of_Keys=48"));
}

TEST_F(MainWindowTest, MissingFileArgumentIsReadAsNothing) {
  const QString path = temp.path() + "/nowhere.ckd";
  Start({path, "ignored"});
  EXPECT_EQ(W().windowTitle(), "KeyloomTVRxx");
  EXPECT_TRUE(W().ToolBtnSave->isEnabled());
  EXPECT_EQ(W().CurrentFileName(), "untitled.ckd");
  EXPECT_EQ(W().DownloadFileString(), "\"" + temp.path() + "/nowhere.hex\"");
  EXPECT_TRUE(prompts.errors.isEmpty());
}

TEST_F(MainWindowTest, UnreadableDefinitionIsReportedAndStartUpCompletes) {
  const QString path = temp.path() + "/bad.ckd";
  WriteFile(path, "[GLOBAL_PARAMETERS]\r\nNumber_Of_Keys=48\r\n[KEYxy]\r\nKeyType=1\r\n");
  WriteLoaderSettings("4", "V");
  Start({path});
  EXPECT_EQ(prompts.errors.size(), 1);
  EXPECT_EQ(W().windowTitle(), "KeyloomTVRxx");
  EXPECT_EQ(W().DownloadFileString(), "");
  EXPECT_EQ(W().panelPort->text(), "Port: COM4 (CDC)");  // the port panel still runs
}

TEST_F(MainWindowTest, DocumentsFolderThatCannotBeMadeIsReportedOnce) {
  // A plain file where the folder chain should begin.
  WriteFile(temp.path() + "/blocked", "x");
  platform.documents = temp.path() + "/blocked";
  Start();
  ASSERT_EQ(prompts.errors.size(), 1);
  EXPECT_TRUE(prompts.errors.first().contains("Corvella"));
  EXPECT_EQ(W().GuiKeyLayout(), 24);
  EXPECT_EQ(W().windowTitle(), "KeyloomTVRxx - untitled.ckd");
  TypeChar('a');
  EXPECT_EQ(Codes(), std::vector<int32_t>{97});
  prompts.answers.push_back(SaveAnswer::No);  // the typed code is not kept
  W().close();  // the settings file cannot be written either: one more report
  EXPECT_EQ(prompts.errors.size(), 2);
}

TEST_F(MainWindowTest, TwoEditsLeaveOneStar) {
  Start();
  TypeChar('a');
  TypeChar('b');
  EXPECT_EQ(W().windowTitle(), "KeyloomTVRxx - untitled.ckd*");
  EXPECT_TRUE(W().ToolBtnSave->isEnabled());
  EXPECT_TRUE(W().IsChangesPending());
  W().ChangesPending(false);
  EXPECT_FALSE(W().ToolBtnSave->isEnabled());
  EXPECT_EQ(W().windowTitle(), "KeyloomTVRxx - untitled.ckd*");  // clearing leaves the title
}

TEST_F(MainWindowTest, LayoutSwitchResetsSelectionAndRewritesKeyIndices) {
  WriteSettings("48");
  Start();
  EXPECT_EQ(W().KeyButton(9)->property("Tag").toInt(), 8);
  QTest::mouseClick(W().KeyButton(31), Qt::LeftButton);
  W().TabControlLevel->setCurrentIndex(1);
  ASSERT_EQ(keypad.Key(), 30);

  Click("spbtn24Keys");
  EXPECT_EQ(W().GuiKeyLayout(), 24);
  EXPECT_EQ(keypad.Key(), 0);
  EXPECT_EQ(keypad.Level(), 0);
  EXPECT_EQ(W().TabControlLevel->currentIndex(), 0);
  EXPECT_TRUE(W().KeyButton(1)->isChecked());
  EXPECT_FALSE(W().btnLED2->isEnabled());
  EXPECT_FALSE(W().btnLED3->isEnabled());
  EXPECT_EQ(W().KeyPanel2->geometry(), QRect(69, 83, 124, 186));
  EXPECT_EQ(W().KeyButton(9)->property("Tag").toInt(), 4);
  EXPECT_EQ(W().KeyButton(44)->property("Tag").toInt(), 23);
  EXPECT_FALSE(W().KeyButton(5)->isVisible());
  EXPECT_EQ(W().KeyPanel2->palette().color(QPalette::Window), QColor(166, 202, 240));
  EXPECT_FALSE(Dirty());

  Click("spbtn48Keys");
  EXPECT_EQ(W().KeyButton(9)->property("Tag").toInt(), 8);
  EXPECT_EQ(W().KeyButton(44)->property("Tag").toInt(), 43);
  EXPECT_TRUE(W().KeyButton(5)->isVisible());
  EXPECT_EQ(W().KeyPanel2->geometry(), QRect(9, 83, 246, 186));
  EXPECT_TRUE(W().btnLED3->isEnabled());
  W().ChangeGuiLayout(36);
  EXPECT_EQ(W().GuiKeyLayout(), 24);
}

TEST_F(MainWindowTest, PortPanelShowsTheLoaderSettings) {
  struct Case {
    QByteArray port, type;
    QString caption;
    QColor colour;
  };
  const Case cases[] = {
      {"3", "u", "Port: COM3 (USB)", kGreen},   {"3", "USB", "Port: COM3", kGreen},
      {"12", "R", "Port: COM12 (DB9)", kGreen}, {"7", "v", "Port: COM7 (CDC)", kGreen},
      {"5", "?", "Port: COM5", kGreen},         {"0", "U", "Port: <not set>", kRed},
      {"x", "U", "Port: <not set>", kRed},
  };
  Start();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caption.toStdString());
    WriteLoaderSettings(c.port, c.type);
    W().UpdatePortPanel();
    EXPECT_EQ(W().panelPort->text(), c.caption);
    EXPECT_EQ(W().panelPort->palette().color(QPalette::WindowText), c.colour);
  }
  WriteLoaderSettings("3", "u");
  W().UpdatePortPanel();
  WriteLoaderSettings("-1", "r");
  W().UpdatePortPanel();
  EXPECT_EQ(W().panelPort->text(), "Port: COM3 (USB)");
}

TEST_F(MainWindowTest, ToolBarHasEveryButtonInItsGroup) {
  Start();
  const char* names[] = {
      "ToolBtnNew", "ToolBtnOpen",     "ToolBtnSave",    "ToolBtnSaveAs", "ToolBtnParameters",
      "btnSetPort", "ToolBtnDownload", "ToolButtonTest", "ToolBtnHelp",   "ToolButtonKeyLabels"};
  const char* captions[] = {"   New  ",   " Open ",   " Save ",   " Save As ", "Properties",
                            " Set Port ", "Download", "  Test  ", " Help  ",   "Key Labels"};
  int right = 0;
  std::vector<int> gaps;
  for (int i = 0; i < 10; ++i) {
    auto* button = Find<QToolButton>(names[i]);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), captions[i]);
    EXPECT_EQ(button->size(), QSize(59, 36));
    EXPECT_FALSE(button->icon().isNull()) << names[i];
    gaps.push_back(button->x() - right);
    right = button->x() + button->width();
  }
  EXPECT_LE(right, TfrmMain::kClientWidth);
  // Groups: New | Open Save SaveAs | Properties | SetPort Download Test | Help KeyLabels.
  for (int i : {1, 4, 5, 8}) EXPECT_GT(gaps[size_t(i)], 20) << i;
  for (int i : {2, 3, 6, 7, 9}) EXPECT_EQ(gaps[size_t(i)], 0) << i;
  EXPECT_EQ(W().size(), QSize(TfrmMain::kClientWidth, TfrmMain::kClientHeight));
}

TEST_F(MainWindowTest, PropertiesShowsTheDialogThenRefreshesThePort) {
  Start();
  int shown = 0;
  W().SetPropertiesDialog([&] {
    ++shown;
    WriteLoaderSettings("9", "U");  // the port changed meanwhile
  });
  Click("ToolBtnParameters");
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(W().panelPort->text(), "Port: COM9 (USB)");
}
