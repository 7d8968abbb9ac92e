// The Qt platform: parameter splitting, folders, starting a program without a
// shell.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "QtPlatform.h"

TEST(QtPlatform, SplitsParametersByWindowsRules) {
  struct Case {
    QString text;
    QStringList args;
  };
  const Case cases[] = {
      {"", {}},
      {"   ", {}},
      {"a b", {"a", "b"}},
      {"\"C:\\My Pads\\lab.hex\"", {"C:\\My Pads\\lab.hex"}},
      {"x \"two words\" y", {"x", "two words", "y"}},
      {"\"\"", {""}},
      {"a\\\\b", {"a\\\\b"}},         // backslashes not before a quote stay
      {"a\\\"b", {"a\"b"}},           // an escaped quote
      {"\"a\\\\\" b", {"a\\", "b"}},  // an even run before a quote halves
      {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
      {"ab\"c d\"ef", {"abc def"}},
      {"a;rm -rf x", {"a;rm", "-rf", "x"}},  // no shell: nothing is special
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.toStdString());
    EXPECT_EQ(SplitWindowsCommandLine(c.text), c.args);
  }
}

TEST(QtPlatform, FoldersHaveTheirSeparatorsAsPromised) {
  QtPlatform platform;
  const QString documents = platform.DocumentsFolder();
  EXPECT_FALSE(documents.isEmpty());
  EXPECT_FALSE(documents.endsWith(QDir::separator()));
  EXPECT_TRUE(platform.ProgramFolder().endsWith(QDir::separator()));
  EXPECT_TRUE(QFileInfo(platform.ProgramFolder()).isDir());
}

TEST(QtPlatform, QuotedPathReachesTheProgramAsOneArgument) {
  const QString touch = QStandardPaths::findExecutable(QStringLiteral("touch"));
  if (touch.isEmpty()) GTEST_SKIP() << "no touch program";
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QtPlatform platform;
  const QString target = dir.path() + "/my pad.hex";
  ASSERT_TRUE(platform.StartProgram(touch, "\"" + target + "\""));
  EXPECT_TRUE(QTest::qWaitFor([&] { return QFileInfo::exists(target); }, 10000));
  EXPECT_FALSE(QFileInfo::exists(dir.path() + "/my"));
  EXPECT_FALSE(platform.StartProgram(dir.path() + "/no-such-program", ""));
}

// Asked afresh at every call, with or without an X server to ask; nobody
// holds Shift while the tests run.
TEST(QtPlatform, KeyboardStateCanBeAskedAtEveryCall) {
  QtPlatform platform;
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(platform.KeyboardState().shiftDown);
}

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
