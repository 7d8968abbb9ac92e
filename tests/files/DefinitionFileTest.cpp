#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <csignal>
#include <functional>

#include "DefinitionFile.h"
#include "DefinitionText.h"
#include "FileError.h"
#include "FileTestSupport.h"
#include "GoldenDefinition.h"
#include "KeypadClass.h"

namespace {

namespace fs = std::filesystem;
using namespace testing_files;

// All 48 keys and both levels in use, names beyond ASCII, every code class.
void FillFullDefinition(TKeypadClass& keypad) {
  keypad.SetDownloadDelay(25);
  SetSampleKeypadValues(keypad);
  for (int k = 0; k < kKeyCount; ++k) {
    AddCodes(keypad, k, 0, {'a' + k % 26, CodeValue::Delay(k), CodeValue::Command(5 + k % 9), 13});
    AddCodes(keypad, k, 1, {CodeValue::kAtSign, k, 255, 0, 64});
    keypad.SetKey(static_cast<uint8_t>(k));
    keypad.SetKeytype(k % 7 == 3 ? ktToggle : (k % 11 == 5 ? ktShift : ktNormal));
    keypad.SetLevel(0);
    keypad.SetCanAutoRepeat(k % 2 == 0);
    keypad.SetMacroName(u"Caf\u00E9 " + std::u16string(1, u'A' + k % 26));
    keypad.SetLevel(1);
    keypad.SetCanAutoRepeat(k % 3 == 0);
    std::u16string name = u"\u20AC";
    name += k == 47 ? std::u16string(u" \u03A9") : std::u16string(1, u'0' + k % 10);
    keypad.SetMacroName(name);
  }
  keypad.SetKey(5);
  keypad.SetLevel(1);
}

TEST(DefinitionFile, NewFileOfAResetModelMatchesTheGoldenFile) {
  TempFolder folder;
  TKeypadClass keypad;
  const LevelKeyRecord record = WriteDefinitionFile(keypad, folder / "new.ckd", 24);
  EXPECT_EQ(ReadBytes(folder / "new.ckd"),
            ReadBytes(fs::path(KEYLOOM_TEST_DATA) / "new-24-key.ckd"));
  EXPECT_EQ(record.ToggleKey1, 128);
  EXPECT_EQ(record.ShiftKey2, 128);
}

TEST(DefinitionFile, FullDefinitionWritesAndReadsBackAndSavesIdentically) {
  TempFolder folder;
  const auto path = folder / "Caf\u00E9 pad.ckd";
  TKeypadClass keypad;
  FillFullDefinition(keypad);
  WriteDefinitionFile(keypad, path, 48);
  EXPECT_EQ(keypad.Key(), 5);  // the cursor is put back
  EXPECT_EQ(keypad.Level(), 1);
  const std::string first = ReadBytes(path);
  EXPECT_EQ(first.substr(0, 2), "\xFF\xFE");  // Omega does not fit Windows-1252

  TKeypadClass loaded;
  loaded.bViewInHex = true;
  const auto result = ReadDefinitionFile(loaded, path);
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(result->keyCount, 48);
  EXPECT_EQ(Describe(loaded), Describe(keypad));
  EXPECT_TRUE(loaded.bViewInHex);
  EXPECT_EQ(loaded.Key(), 0);
  EXPECT_EQ(loaded.Level(), 0);

  WriteDefinitionFile(loaded, path, 48);
  EXPECT_EQ(ReadBytes(path), first);
}

struct Correction {
  const char* globals;
  int keyCount;
  int rollOver;
  int serial;
  int opMode;
  int led1;
  int led2;
};

class ReaderCorrection : public testing::TestWithParam<Correction> {};

TEST_P(ReaderCorrection, ValuesAreCorrectedAfterReading) {
  const Correction& c = GetParam();
  TKeypadClass keypad;
  const auto result =
      ReadDefinitionBytes(keypad, std::string("[GLOBAL_PARAMETERS]\r\n") + c.globals, "pad.ckd");
  EXPECT_EQ(result.keyCount, c.keyCount);
  EXPECT_EQ(keypad.KeyRollOver(), c.rollOver);
  EXPECT_EQ(keypad.CdcSerialNo(), c.serial);
  EXPECT_EQ(keypad.OpMode(), c.opMode);
  EXPECT_EQ(keypad.LED1Behavior(), c.led1);
  EXPECT_EQ(keypad.LED2Behavior(), c.led2);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReaderCorrection,
    testing::Values(
        Correction{"", 48, 2, 1, 0, 3, 0}, Correction{"Key_Roll_Over=7\r\n", 48, 2, 1, 0, 3, 0},
        Correction{"Key_Roll_Over=0\r\n", 48, 1, 1, 0, 3, 0},
        Correction{"Key_Roll_Over=262\r\n", 48, 6, 1, 0, 3, 0},
        Correction{"CDC_Serial_No=12345\r\n", 48, 2, 9999, 0, 3, 0},
        Correction{"CDC_Serial_No=-5\r\n", 48, 2, 0, 0, 3, 0},
        Correction{"Operating_Mode=49\r\nLED_Function=6\r\nLED2_Function=4\r\n", 48, 2, 1, 48, 6,
                   4},
        Correction{"Operating_Mode=32\r\nLED_Function=6\r\nLED2_Function=4\r\n", 48, 2, 1, 32, 0,
                   0},
        Correction{"Model_Number=Keyloom684\r\nNumber_Of_Keys=48\r\n", 24, 2, 1, 0, 3, 0},
        Correction{"Model_Number=keyloom684\r\nNumber_Of_Keys=48\r\n", 48, 2, 1, 0, 3, 0},
        Correction{"Number_Of_Keys=36\r\n", 24, 2, 1, 0, 3, 0},
        Correction{"number_of_keys = 24\r\nkey_roll_over=' 5 '\r\n", 24, 5, 1, 0, 3, 0}));

TEST(DefinitionFile, FileWithOnlyGlobalParametersGivesTheResetModel) {
  TKeypadClass keypad;
  AddCodes(keypad, 4, 1, {1, 2, 3});
  ReadDefinitionBytes(keypad, "[GLOBAL_PARAMETERS]\r\n", "pad.ckd");
  TKeypadClass reset;
  reset.SetDownloadDelay(0);
  EXPECT_EQ(Describe(keypad), Describe(reset));
}

TEST(DefinitionFile, KeySectionsAreReadWhateverTheirCaseQuotesAndBlanks) {
  TKeypadClass keypad;
  ReadDefinitionBytes(keypad,
                      "[global_parameters]\r\nCommand_Prefix=27\r\n"
                      "[key3]\r\nkeytype=2\r\nl1_autorepeat=1\r\nlevel_1_codes=61 1b0132 62\r\n"
                      "level_1_name=\"  Quoted \"\r\nLevel_2_Name=   padded   \r\n"
                      "Level_2_Codes=1B0D\r\n",
                      "pad.ckd");
  EXPECT_EQ(keypad.CmdPrefix(), 27);
  EXPECT_EQ(CodesOf(keypad, 3, 0), (std::vector<int32_t>{97, CodeValue::Delay(50), 98}));
  EXPECT_EQ(CodesOf(keypad, 3, 1), (std::vector<int32_t>{CodeValue::Command(13)}));
  keypad.SetLevel(0);
  EXPECT_EQ(keypad.Keytype(), ktToggle);
  EXPECT_TRUE(keypad.CanAutoRepeat());
  EXPECT_EQ(keypad.GetMacroName(), u"  Quoted ");
  keypad.SetLevel(1);
  EXPECT_EQ(keypad.GetMacroName(), u"padded");
}

TEST(DefinitionFile, KeySectionsOutsideTheKeypadAreSkippedAndAKeyNamedTwiceIsReadOnce) {
  TKeypadClass keypad;
  ReadDefinitionBytes(keypad,
                      "[GLOBAL_PARAMETERS]\r\n"
                      "[KEY48]\r\nLevel_1_Codes=01\r\n[KEY-1]\r\nLevel_1_Codes=02\r\n"
                      "[KEY300]\r\nLevel_1_Codes=03\r\n[KEY99999999999]\r\nLevel_1_Codes=04\r\n"
                      "[KEY3]\r\nLevel_1_Codes=0506\r\n[KEY03]\r\nLevel_1_Codes=07\r\n"
                      "[key3]\r\nLevel_1_Codes=08\r\n",
                      "pad.ckd");
  TKeypadClass expected;
  expected.SetDownloadDelay(0);
  AddCodes(expected, 3, 0, {7});
  expected.SetKey(0);
  expected.SetLevel(0);
  EXPECT_EQ(Describe(keypad), Describe(expected));
}

TEST(DefinitionFile, SavingTheSmallLayoutOverALargeFileKeepsItsOtherKeys) {
  TempFolder folder;
  const auto path = folder / "pad.ckd";
  TKeypadClass keypad;
  FillFullDefinition(keypad);
  WriteDefinitionFile(keypad, path, 48);
  AddCodes(keypad, 2, 0, {'z'});
  WriteDefinitionFile(keypad, path, 24);
  const TIniText text = TIniText::Parse(ReadBytes(path));
  EXPECT_EQ(text.Value(u"GLOBAL_PARAMETERS", u"Model_Number"), std::u16string_view(u"TVR24"));
  EXPECT_EQ(text.Value(u"KEY2", u"Level_1_Codes").value().substr(14), std::u16string_view(u"7a"));
  EXPECT_TRUE(text.HasSection(u"KEY47"));
  TKeypadClass loaded;
  EXPECT_EQ(ReadDefinitionFile(loaded, path)->keyCount, 24);
  EXPECT_EQ(Describe(loaded), Describe(keypad));  // keys 24 to 47 come from the old sections
}

TEST(DefinitionFile, LevelKeyRecordHoldsTheLowestAndHighestOfEachKind) {
  TKeypadClass keypad;
  for (int k : {3, 10, 20, 30}) keypad.SetKey(static_cast<uint8_t>(k)), keypad.SetKeytype(ktToggle);
  keypad.SetKey(7);
  keypad.SetKeytype(ktShift);
  keypad.SetKey(9);
  keypad.SetKeytype(static_cast<TKeyType>(0x82));  // top bit set: written as 2, not a toggle
  TIniText ini;
  const LevelKeyRecord small = WriteDefinitionText(keypad, ini, 24);
  EXPECT_EQ(ini.Value(u"KEY9", u"KeyType"), std::u16string_view(u"2"));
  EXPECT_EQ(
      (std::vector<int>{small.ToggleKey1, small.ToggleKey2, small.ShiftKey1, small.ShiftKey2}),
      (std::vector<int>{3, 20, 7, 128}));
  const LevelKeyRecord large = LevelKeysOf(keypad, 48);
  EXPECT_EQ(large.ToggleKey2, 30);
}

// The mended faults: a failure leaves the model and the old file as they were
// and names the file.

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const FileError& e) {
    return e.what();
  }
  return "no error";
}

TEST(DefinitionFileFault, FileThatCannotBeReadLeavesTheModelAndNamesTheFile) {
  TempFolder folder;
  fs::create_directory(folder / "folder.ckd");
  TKeypadClass keypad;
  FillFullDefinition(keypad);
  const std::string before = Describe(keypad);
  const std::string error = ErrorOf([&] { ReadDefinitionFile(keypad, folder / "folder.ckd"); });
  EXPECT_NE(error.find("folder.ckd"), std::string::npos) << error;
  EXPECT_EQ(Describe(keypad), before);
  EXPECT_FALSE(ReadDefinitionFile(keypad, folder / "missing.ckd").has_value());
  EXPECT_EQ(Describe(keypad), before);
}

TEST(DefinitionFileFault, SectionThatNamesNoKeyLeavesTheModelAndNamesTheSection) {
  TempFolder folder;
  WriteBytes(folder / "notes.ckd",
             "[GLOBAL_PARAMETERS]\r\nDownload_Delay=99\r\n[KEY0]\r\nLevel_1_Codes=61\r\n"
             "[Comments]\r\nText=hello\r\n");
  TKeypadClass keypad;
  FillFullDefinition(keypad);
  const std::string before = Describe(keypad);
  const std::string error = ErrorOf([&] { ReadDefinitionFile(keypad, folder / "notes.ckd"); });
  EXPECT_NE(error.find("notes.ckd"), std::string::npos) << error;
  EXPECT_NE(error.find("[Comments]"), std::string::npos) << error;
  EXPECT_EQ(Describe(keypad), before);
}

#ifndef _WIN32
// Writes fail once a file would grow past a few bytes.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old_);
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldHandler_);
  }

 private:
  rlimit old_{};
  void (*oldHandler_)(int) = nullptr;
};

#endif

TEST(DefinitionFileFault, FailedWriteLeavesTheOldFileAndNoOtherAndNamesTheFile) {
  TempFolder folder;
  const auto path = folder / "pad.ckd";
  WriteBytes(path, "[GLOBAL_PARAMETERS]\r\nDownload_Delay=3\r\n; mine\r\n");
  TKeypadClass keypad;
  FillFullDefinition(keypad);
  std::string error;
  {
#ifdef _WIN32
    fs::permissions(path, fs::perms::owner_read);  // the read-only attribute
#else
    FileSizeLimit limit(1000);  // root may write even read-only files
#endif
    error = ErrorOf([&] { WriteDefinitionFile(keypad, path, 48); });
  }
  EXPECT_NE(error.find("pad.ckd"), std::string::npos) << error;
  EXPECT_EQ(ReadBytes(path), "[GLOBAL_PARAMETERS]\r\nDownload_Delay=3\r\n; mine\r\n");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"pad.ckd"});
}

}  // namespace
