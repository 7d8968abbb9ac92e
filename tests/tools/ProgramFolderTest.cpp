// The editor looks for its tools and help documents beside its own
// executable, in the build's app folder as in an installed program folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

TEST(ProgramFolder, HoldsTheToolsAndHelpBesideTheEditor) {
  const fs::path app = fs::path(KEYLOOM_BINARY_DIR) / "app";
  for (const char* tool : {"VOVirUvad.exe", "PadProbe.exe", "LineScope.exe", "LinkChooser.exe"}) {
    const fs::path p = app / tool;
    EXPECT_TRUE(fs::is_regular_file(p)) << p;
    EXPECT_NE(fs::status(p).permissions() & fs::perms::owner_exec, fs::perms::none) << p;
  }
  for (const char* doc : {"First Steps.pdf", "KeyloomTVRxx.pdf"}) {
    const fs::path p = app / "Help" / doc;
    std::ifstream in(p, std::ios::binary);
    std::string head(5, '\0');
    in.read(head.data(), 5);
    EXPECT_EQ(head, "%PDF-") << p;
    EXPECT_GT(fs::file_size(p), 10000u) << p << " is too small to hold the document";
  }
}
