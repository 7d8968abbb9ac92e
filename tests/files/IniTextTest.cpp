#include <gtest/gtest.h>

#include "FileError.h"
#include "FileTestSupport.h"
#include "IniFile.h"
#include "IniText.h"

namespace {

using testing_files::ReadBytes;
using testing_files::TempFolder;
using testing_files::WriteBytes;

constexpr char kSample[] =
    "; settings kept by hand\r\n"
    "[Colors]\r\n"
    "Fore = \"  blue \"\r\n"
    "back='red'\r\n"
    "Plain=  some text  \r\n"
    "Half=\"open\r\n"
    "Mixed='x\"\r\n"
    "Empty=\r\n"
    "Equals=a=b\r\n"
    "\r\n"
    "[numbers]\r\n"
    "Dec=42\r\n"
    "Neg=-17\r\n"
    "Hex=0x1F\r\n"
    "HexUpper=0XfF\r\n"
    "HexAll=0xFFFFFFFF\r\n"
    "Spaced= 12 \r\n"
    "Word=twelve\r\n"
    "Dollar=$10\r\n"
    "Huge=99999999999\r\n"
    "Flag0=0\r\n"
    "Flag7=7\r\n";

TEST(IniText, ValuesAreTrimmedAndLoseOnePairOfQuotes) {
  const TIniText ini = TIniText::Parse(kSample);
  struct Case {
    const char16_t* section;
    const char16_t* key;
    const char16_t* value;
  } cases[] = {
      {u"Colors", u"Fore", u"  blue "},    {u"COLORS", u"BACK", u"red"},
      {u"colors", u"plain", u"some text"}, {u"Colors", u"Half", u"\"open"},
      {u"Colors", u"Mixed", u"'x\""},      {u"Colors", u"Empty", u""},
      {u"Colors", u"Equals", u"a=b"},
  };
  for (const auto& c : cases) {
    auto value = ini.Value(c.section, c.key);
    ASSERT_TRUE(value.has_value())
        << std::string(c.key, c.key + std::char_traits<char16_t>::length(c.key));
    EXPECT_EQ(*value, std::u16string_view(c.value));
  }
  EXPECT_FALSE(ini.Value(u"Colors", u"Dec").has_value());  // another section's key
  EXPECT_FALSE(ini.Value(u"Nothing", u"Fore").has_value());
}

TEST(IniText, IntegersAreDecimalOrHexadecimalAndAnythingElseGivesTheDefault) {
  TempFolder folder;
  WriteBytes(folder / "n.ini", kSample);
  const TIniFile ini(folder / "n.ini");
  struct Case {
    const char* key;
    int32_t expected;
  } cases[] = {{"Dec", 42},    {"Neg", -17},    {"Hex", 31},  {"HexUpper", 255},
               {"HexAll", -1}, {"Spaced", 12},  {"Word", -5}, {"Dollar", -5},
               {"Huge", -5},   {"Missing", -5}, {"Flag7", 7}};
  for (const auto& c : cases) EXPECT_EQ(ini.ReadInteger("NUMBERS", c.key, -5), c.expected) << c.key;
  EXPECT_FALSE(ini.ReadBool("numbers", "Flag0", true));
  EXPECT_TRUE(ini.ReadBool("numbers", "Flag7", false));
  EXPECT_TRUE(ini.ReadBool("numbers", "Word", true));
  EXPECT_FALSE(ini.ReadBool("numbers", "Word", false));
}

TEST(IniText, UpdateChangesOnlyTheEntriesWrittenAndKeepsEveryOtherLine) {
  TIniText ini = TIniText::Parse(
      "top=1\n"
      "[A]\r\n"
      "x = old ; note\r\n"
      "keep=this\r\n"
      "\r\n"
      "[b]\r\n"
      "y=2");  // no line end on the last line
  ini.SetValue(u"a", u"X", u"new");
  ini.SetValue(u"A", u"added", u"3");
  ini.SetValue(u"B", u"z", u"4");
  ini.SetValue(u"C", u"w", u"5");
  ini.SetValue(u"A", u"keep", u"this");  // unchanged value: the line stays as written
  EXPECT_EQ(ini.Serialize(),
            "top=1\n"
            "[A]\r\n"
            "x=new\r\n"
            "keep=this\r\n"
            "added=3\r\n"
            "\r\n"
            "[b]\r\n"
            "y=2\r\n"
            "z=4\r\n"
            "[C]\r\n"
            "w=5\r\n");
}

TEST(IniText, TextValuesReadBackExactlyWhateverTheirEnds) {
  const std::u16string values[] = {u"  padded  ", u"\"quoted\"", u"'single'", u"'",
                                   u"a\"b",       u"\t",         u"plain"};
  TIniText ini;
  const auto key = [](size_t i) { return std::u16string(1, static_cast<char16_t>(u'a' + i)); };
  for (size_t i = 0; i < std::size(values); ++i) ini.SetValue(u"S", key(i), values[i]);
  const TIniText again = TIniText::Parse(ini.Serialize());
  for (size_t i = 0; i < std::size(values); ++i) {
    EXPECT_EQ(again.Value(u"S", key(i)), std::u16string_view(values[i]));
  }
}

TEST(IniText, SectionNamesComeOnceInFileOrder) {
  const TIniText ini = TIniText::Parse("[One]\r\na=1\r\n[Two]\r\n[ONE]\r\na=2\r\n[three ]\r\n");
  EXPECT_EQ(ini.SectionNames(), (std::vector<std::u16string>{u"One", u"Two", u"three"}));
  EXPECT_EQ(ini.Value(u"one", u"a"), std::u16string_view(u"1"));  // the first section counts
}

TEST(IniFile, MissingFileReadsAsEmptyAndIsCreatedOnUpdate) {
  TempFolder folder;
  TIniFile ini(folder / "new.ini");
  EXPECT_FALSE(ini.Exists());
  EXPECT_EQ(ini.ReadInteger("S", "k", 9), 9);
  ini.WriteInteger("S", "k", -3);
  ini.WriteBool("S", "f", true);
  ini.WriteString("S", "t", u"x");
  ini.UpdateFile();
  EXPECT_EQ(ReadBytes(folder / "new.ini"), "[S]\r\nk=-3\r\nf=1\r\nt=x\r\n");
  EXPECT_TRUE(ini.Exists());
}

TEST(IniFile, FileThatCannotBeReadRaisesAnErrorNamingIt) {
  TempFolder folder;
  std::filesystem::create_directory(folder / "settings.ini");
  try {
    TIniFile ini(folder / "settings.ini");
    FAIL() << "no error";
  } catch (const FileError& e) {
    EXPECT_NE(std::string(e.what()).find("settings.ini"), std::string::npos) << e.what();
  }
}

}  // namespace
