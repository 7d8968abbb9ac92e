// LinkChooser writes the port into a settings file that also holds the
// editor's DownloadDelay and whatever else the user keeps there.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "LoaderSettings.h"

namespace fs = std::filesystem;

namespace {

fs::path Scratch(const std::string& name) {
  const fs::path dir = fs::temp_directory_path() / ("keyloom-ini-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  return dir / name;
}

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Put(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }

void SetPort(const fs::path& p, int port, const char* type) {
  TLoaderSettings s(p);
  s.Write(TLoaderSettings::kSection, "ComPort", std::to_string(port));
  s.Write(TLoaderSettings::kSection, "ComType", type);
  ASSERT_TRUE(s.Save());
}

}  // namespace

TEST(LoaderSettings, WritingThePortKeepsEveryOtherLine) {
  struct Case {
    const char* what;
    std::string before;
    std::string after;
  } cases[] = {
      {"keys replaced in place, names matched without case",
       "; loader\r\n[com port configuration]\r\ncomport=3\r\nDownloadDelay=20\r\nCOMTYPE=r\r\n"
       "[Other]\r\nComPort=9\r\n",
       "; loader\r\n[com port configuration]\r\ncomport=7\r\nDownloadDelay=20\r\nCOMTYPE=V\r\n"
       "[Other]\r\nComPort=9\r\n"},
      {"missing keys added at the end of their section",
       "[Com Port Configuration]\r\nDownloadDelay=5\r\n\r\n[Other]\r\nX=1\r\n",
       "[Com Port "
       "Configuration]\r\nDownloadDelay=5\r\nComPort=7\r\nComType=V\r\n\r\n[Other]\r\nX=1\r\n"},
      {"missing section added, LF file stays LF", "[Other]\nX=1\n",
       "[Other]\nX=1\n\n[Com Port Configuration]\nComPort=7\nComType=V\n"},
      {"no file yet", "", "[Com Port Configuration]\r\nComPort=7\r\nComType=V\r\n"},
  };
  for (const Case& c : cases) {
    const fs::path p = Scratch("VOVirUvad.ini");
    fs::remove(p);
    if (!c.before.empty()) Put(p, c.before);
    SetPort(p, 7, "V");
    EXPECT_EQ(Slurp(p), c.after) << c.what;
  }
}

TEST(LoaderSettings, ReadsTheWayTheEditorDoes) {
  const fs::path p = Scratch("read.ini");
  Put(p,
      "\xEF\xBB\xBF[Com Port Configuration]\r\n ComPort = 0x0C \r\nComType=\"u\"\r\n"
      "DownloadDelay=12ab\r\n");
  const TLoaderSettings s(p);
  EXPECT_EQ(s.ReadInteger(TLoaderSettings::kSection, "COMPORT", 0), 12);
  EXPECT_EQ(s.Read(TLoaderSettings::kSection, "comtype"), "u");
  EXPECT_EQ(PortTypeName(*s.Read(TLoaderSettings::kSection, "comtype")), "USB");
  EXPECT_EQ(s.ReadInteger(TLoaderSettings::kSection, "DownloadDelay", -1), -1);
  EXPECT_FALSE(TLoaderSettings(Scratch("none.ini")).Exists());
}

TEST(LoaderSettings, KeepsAUtf16FileUtf16) {
  const auto wide = [](std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
      bytes += static_cast<char>(c & 0xFF);
      bytes += static_cast<char>(c >> 8);
    }
    return bytes;
  };
  const fs::path p = Scratch("wide.ini");
  Put(p, wide(u"[Com Port Configuration]\r\nComPort=2\r\nNote=\u00e9t\u00e9\r\n"));
  EXPECT_EQ(TLoaderSettings(p).ReadInteger(TLoaderSettings::kSection, "ComPort", 0), 2);
  SetPort(p, 4, "U");
  EXPECT_EQ(Slurp(p),
            wide(u"[Com Port Configuration]\r\nComPort=4\r\nNote=\u00e9t\u00e9\r\nComType=U\r\n"));
}
