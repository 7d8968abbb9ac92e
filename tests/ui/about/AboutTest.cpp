#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <optional>

#include "About.h"
#include "Platform.h"

namespace {

// Only the version matters to the About box.
class FakePlatform : public IPlatform {
 public:
  std::optional<QString> version;

  QString DocumentsFolder() const override { return {}; }
  QString ProgramFolder() const override { return {}; }
  bool StartProgram(const QString&, const QString&) override { return false; }
  bool OpenDocument(const QString&) override { return false; }
  bool RunAndWait(const QString&, const std::function<void()>&) override { return false; }
  PcKeyboardState KeyboardState() const override { return {}; }
  std::optional<QString> FileVersion() const override { return version; }
};

int AboutDialogsAlive() {
  int n = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) n += dynamic_cast<TfrmAbout*>(w) != nullptr;
  return n;
}

}  // namespace

TEST(About, VersionLabelShowsTheFirstFiveCharactersOrNA) {
  const struct {
    std::optional<QString> fileVersion;
    const char* label;
  } cases[] = {
      {QStringLiteral("1.0.0.0"), "Version 1.0.0"},
      {QStringLiteral("12.34.5.6"), "Version 12.34"},
      {QStringLiteral("2.1"), "Version 2.1"},
      {std::nullopt, "Version NA"},
  };
  for (const auto& c : cases) {
    FakePlatform platform;
    platform.version = c.fileVersion;
    TfrmAbout dialog(platform);
    const auto* label = dialog.findChild<QLabel*>("lblVersion");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text().toStdString(), c.label);
    EXPECT_GE(label->width(), label->sizeHint().width()) << c.label;
  }
}

TEST(About, FormHoldsItsControlsWhereTheyBelong) {
  FakePlatform platform;
  TfrmAbout dialog(platform);
  EXPECT_EQ(dialog.windowTitle(), "About");
  EXPECT_EQ(dialog.size(), QSize(385, 192));
  EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
  EXPECT_TRUE(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint);

  const struct {
    const char* name;
    QPoint topLeft;
    int height;
    const char* text;  // nullptr: not fixed
    int pixelSize;
    bool bold;
  } labels[] = {
      {"lblDescription", {10, 93}, 20, "Corvella  KeyloomTVRxx", 13, true},
      {"Label1",
       {10, 125},
       15,
       "Configuration program for TVR-series Orbis Serial Keypads",
       12,
       false},
      {"lblNotice", {10, 145}, 15, nullptr, 12, false},
      {"lblVersion", {10, 165}, 15, nullptr, 12, false},
  };
  for (const auto& l : labels) {
    const auto* label = dialog.findChild<QLabel*>(l.name);
    ASSERT_NE(label, nullptr) << l.name;
    EXPECT_EQ(label->pos(), l.topLeft) << l.name;
    EXPECT_EQ(label->height(), l.height) << l.name;
    if (l.text) {
      EXPECT_EQ(label->text().toStdString(), l.text);
    }
    EXPECT_EQ(label->font().pixelSize(), l.pixelSize) << l.name;
    EXPECT_EQ(label->font().bold(), l.bold) << l.name;
  }
  const auto* logo = dialog.findChild<QLabel*>("imgLogo");
  ASSERT_NE(logo, nullptr);
  EXPECT_EQ(logo->geometry(), QRect(0, 0, 300, 83));
  EXPECT_FALSE(logo->pixmap().isNull());
  const auto* ok = dialog.findChild<QPushButton*>("btnOk");
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->geometry(), QRect(292, 154, 80, 22));
  EXPECT_EQ(ok->text(), "OK");
}

// Each showing creates a dialog centred on the main window where it is now,
// with the focus on OK, and frees it once OK closed it.
TEST(About, ShowsCentredOnTheMainWindowAndIsFreedAfterwards) {
  FakePlatform platform;
  platform.version = QStringLiteral("1.0.0.0");
  QWidget mainWindow;
  mainWindow.resize(755, 503);
  mainWindow.show();
  const QPoint places[] = {{100, 50}, {333, 21}};
  for (const QPoint& place : places) {
    mainWindow.move(place);
    QPoint dialogPos;
    QSize dialogOuter;
    bool okHadFocus = false;
    bool sawDialog = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = dynamic_cast<TfrmAbout*>(QApplication::activeModalWidget());
      if (!dialog) return;
      sawDialog = true;
      dialogPos = dialog->frameGeometry().topLeft();
      dialogOuter = dialog->frameGeometry().size();
      auto* ok = dialog->findChild<QPushButton*>("btnOk");
      okHadFocus = ok->hasFocus() || dialog->focusWidget() == ok;
      QTest::mouseClick(ok, Qt::LeftButton);
    });
    ShowAboutDialog(&mainWindow, platform);
    ASSERT_TRUE(sawDialog);
    const QRect outer = mainWindow.frameGeometry();
    EXPECT_EQ(dialogPos, AboutDialogPlace(outer, dialogOuter));
    EXPECT_TRUE(okHadFocus);
    EXPECT_EQ(AboutDialogsAlive(), 0);
  }
}

TEST(About, PlacementTruncatesEachHalf) {
  // 755 / 2 = 377 and 385 / 2 = 192; 503 / 2 = 251 and 192 / 2 = 96.
  EXPECT_EQ(AboutDialogPlace(QRect(100, 50, 755, 503), QSize(385, 192)), QPoint(285, 205));
  EXPECT_EQ(AboutDialogPlace(QRect(-400, -10, 101, 51), QSize(385, 192)),
            QPoint(-400 + 50 - 192, -10 + 25 - 96));
}

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
