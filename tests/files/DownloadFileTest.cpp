#include <gtest/gtest.h>

#include "DefinitionFile.h"
#include "DownloadFile.h"
#include "DownloadText.h"
#include "FileTestSupport.h"
#include "GoldenDefinition.h"
#include "IniFile.h"
#include "KeypadClass.h"
#include "LoaderSettings.h"

namespace {

namespace fs = std::filesystem;
using namespace testing_files;

std::string Golden(const char* name) { return ReadBytes(fs::path(KEYLOOM_TEST_DATA) / name); }

TEST(DownloadFile, ResetModelInTheSmallLayoutMatchesTheGoldenFile) {
  TempFolder folder;
  TKeypadClass keypad;
  WriteDownloadFile(keypad, folder / "pad.hex", 24, LevelKeyRecord{}, {});
  const std::string bytes = ReadBytes(folder / "pad.hex");
  EXPECT_EQ(bytes, Golden("reset-24-key.hex"));
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 220);
}

TEST(DownloadFile, FullDefinitionInTheLargeLayoutMatchesTheGoldenFile) {
  TempFolder folder;
  TKeypadClass keypad;
  FillGoldenDefinition(keypad);
  const LevelKeyRecord record = WriteDefinitionFile(keypad, folder / "pad.ckd", 48);
  WriteDownloadFile(keypad, DownloadFilePathFor(folder / "pad.ckd"), 48, record, {});
  EXPECT_EQ(ReadBytes(folder / "pad.hex"), Golden("full-48-key.hex"));
  EXPECT_EQ(keypad.Key(), 47);  // the cursor is put back
  EXPECT_EQ(keypad.Level(), 1);
}

TEST(DownloadFile, LayoutDecidesTheNumberOfKeyRecords) {
  TKeypadClass keypad;
  AddCodes(keypad, 30, 0, {1});
  for (auto [layout, lines] :
       {std::pair{24, 28 + 24 * 8}, {48, 28 + 47 * 8 + 10}, {36, 28 + 24 * 8}}) {
    const std::string text = DownloadFileText(keypad, layout, {});
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), lines) << layout;
  }
}

TEST(DownloadFile, HexLinesAndPairs) {
  const std::pair<int32_t, const char*> lines[] = {
      {0, "\"00\"\r\n"},  {10, "\"0A\"\r\n"},   {200, "\"C8\"\r\n"},      {15, "\"0F\"\r\n"},
      {16, "\"10\"\r\n"}, {300, "\"12C\"\r\n"}, {-5, "\"0FFFFFFFB\"\r\n"}};
  for (auto [value, line] : lines) EXPECT_EQ(HexLine(value), line) << value;
  const std::pair<const char*, int32_t> pairs[] = {
      {"00", 0}, {"ff", 255}, {"9a", 154}, {"c8", 200}};
  for (auto [text, value] : pairs) EXPECT_EQ(HexPairToByte(text), value) << text;
}

TEST(DownloadFile, PathLosesTheLastThreeCharacters) {
  EXPECT_EQ(DownloadFilePathFor("/pads/Office.ckd"), fs::path("/pads/Office.hex"));
  EXPECT_EQ(DownloadFilePathFor("/pads/pad.k"), fs::path("/pads/pahex"));
  EXPECT_EQ(DownloadFilePathFor(fs::u8path("/pads/\u00E9t\u00E9.ckd")),
            fs::u8path("/pads/\u00E9t\u00E9.hex"));
}

TEST(DownloadFile, LoaderSettingsReceiveTheDelayOnlyWhenTheyNameAPort) {
  struct Case {
    const char* before;  // nullptr: no settings file
    const char* after;
  } cases[] = {
      {"[Com Port Configuration]\r\nComPort=0\r\nComType=U\r\n",
       "[Com Port Configuration]\r\nComPort=0\r\nComType=U\r\nDownloadDelay=37\r\n"},
      {"[com port configuration]\r\ndownloaddelay=5\r\nComPort=3\r\n",
       "[com port configuration]\r\ndownloaddelay=37\r\nComPort=3\r\n"},
      {"[Com Port Configuration]\r\nComPort=-1\r\n", "[Com Port Configuration]\r\nComPort=-1\r\n"},
      {"[Com Port Configuration]\r\nComType=U\r\n", "[Com Port Configuration]\r\nComType=U\r\n"},
      {nullptr, nullptr},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    if (c.before) WriteBytes(folder / "VOVirUvad.ini", c.before);
    TKeypadClass keypad;
    keypad.SetDownloadDelay(37);
    WriteDownloadFile(keypad, folder / "pad.hex", 24, {}, folder / "VOVirUvad.ini");
    if (c.after) {
      EXPECT_EQ(ReadBytes(folder / "VOVirUvad.ini"), c.after);
    } else {
      EXPECT_FALSE(fs::exists(folder / "VOVirUvad.ini"));
    }
  }
}

TEST(LoaderSettings, PortAndTypeReadTheirDefaultsWhenFileOrKeyIsMissing) {
  TempFolder folder;
  const auto path = folder / "VOVirUvad.ini";
  EXPECT_EQ(ReadComPort(path, 0), 0);
  EXPECT_EQ(ReadComType(path, u"?"), u"?");
  WriteBytes(path, "[COM PORT CONFIGURATION]\r\ncomport = 7\r\nComType=v\r\n");
  EXPECT_EQ(ReadComPort(path, 0), 7);
  EXPECT_EQ(ReadComType(path, u"?"), u"v");
  WriteBytes(path, "[Com Port Configuration]\r\nComPort=COM7\r\n");
  EXPECT_EQ(ReadComPort(path, 0), 0);
  EXPECT_EQ(ReadComType(path, u"?"), u"?");
}

}  // namespace
