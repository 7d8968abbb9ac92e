#include <gtest/gtest.h>

#include "FileTestSupport.h"
#include "IniFile.h"
#include "IniText.h"
#include "TextEncoding.h"

namespace {

using testing_files::ReadBytes;
using testing_files::TempFolder;
using testing_files::WriteBytes;

std::string Utf16Le(std::u16string_view text) {
  return EncodeText(text, TTextEncoding::Utf16LeBom);
}

TEST(TextEncoding, FilesAreReadByTheirByteOrderMark) {
  struct Case {
    std::string bytes;
    TTextEncoding encoding;
  } cases[] = {
      {"[S]\r\nName=caf\xE9 \x80 5\r\n", TTextEncoding::Windows1252},
      {"\xEF\xBB\xBF[S]\r\nName=caf\xC3\xA9 \xE2\x82\xAC 5\r\n", TTextEncoding::Utf8Bom},
      {Utf16Le(u"[S]\r\nName=caf\u00E9 \u20AC 5\r\n"), TTextEncoding::Utf16LeBom},
  };
  for (const auto& c : cases) {
    const TDecodedText decoded = DecodeText(c.bytes);
    EXPECT_EQ(decoded.encoding, c.encoding);
    EXPECT_EQ(TIniText::Parse(c.bytes).Value(u"s", u"name"),
              std::u16string_view(u"caf\u00E9 \u20AC 5"));
  }
}

TEST(TextEncoding, NewFileIsWindows1252WhenEveryCharacterFitsElseUtf16) {
  struct Case {
    std::u16string name;
    std::string expected;
  } cases[] = {
      {u"caf\u00E9 \u20AC", "[S]\r\nN=caf\xE9 \x80\r\n"},
      {u"\u03A9 caf\u00E9", Utf16Le(u"[S]\r\nN=\u03A9 caf\u00E9\r\n")},
      {u"\U0001F600", Utf16Le(u"[S]\r\nN=\U0001F600\r\n")},
  };
  for (const auto& c : cases) {
    TIniText ini;
    ini.SetValue(u"S", u"N", c.name);
    EXPECT_EQ(ini.Serialize(), c.expected);
    EXPECT_EQ(TIniText::Parse(ini.Serialize()).Value(u"S", u"N"), std::u16string_view(c.name));
  }
}

TEST(TextEncoding, AnExistingFileKeepsItsEncodingUnlessANameDoesNotFit) {
  TempFolder folder;
  const auto path = folder / "pad.ini";
  struct Case {
    std::string before;
    std::u16string name;
    std::string after;
  } cases[] = {
      {Utf16Le(u"[S]\r\nA=1\r\n"), u"x", Utf16Le(u"[S]\r\nA=1\r\nN=x\r\n")},
      {"\xEF\xBB\xBF[S]\r\nA=\xFF\r\n", u"\u03A9", "\xEF\xBB\xBF[S]\r\nA=\xFF\r\nN=\xCE\xA9\r\n"},
      {"[S]\r\nA=\xE9\r\n", u"\u20AC", "[S]\r\nA=\xE9\r\nN=\x80\r\n"},
      {"[S]\r\nA=\xE9\x81\r\n", u"\u03A9", Utf16Le(u"[S]\r\nA=\u00E9\u0081\r\nN=\u03A9\r\n")},
  };
  for (const auto& c : cases) {
    WriteBytes(path, c.before);
    TIniFile ini(path);
    ini.WriteString("S", "N", c.name);
    ini.UpdateFile();
    EXPECT_EQ(ReadBytes(path), c.after);
    EXPECT_EQ(TIniFile(path).ReadString("S", "N", u"?"), c.name);
  }
}

TEST(TextEncoding, Utf8ConversionsForNamesAndMessages) {
  EXPECT_EQ(Utf16ToUtf8(u"\u00E9\u20AC\U0001F600"), "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
  EXPECT_EQ(Utf8ToUtf16("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"), u"\u00E9\u20AC\U0001F600");
  EXPECT_EQ(Utf8ToUtf16("a\xFF"), u"a\uFFFD");
}

}  // namespace
