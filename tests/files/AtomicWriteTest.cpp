#include <gtest/gtest.h>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "AtomicFile.h"
#include "DownloadFile.h"
#include "FileError.h"
#include "FileTestSupport.h"
#include "IniFile.h"
#include "KeypadClass.h"

namespace {

namespace fs = std::filesystem;
using namespace testing_files;

TEST(AtomicWrite, SymbolicLinkIsKeptAndItsTargetReplaced) {
  TempFolder folder;
  fs::create_directory(folder / "real");
  WriteBytes(folder / "real" / "pad.hex", "old");
  std::error_code ec;
  fs::create_symlink(fs::path("real") / "pad.hex", folder / "link.hex", ec);
  if (ec) GTEST_SKIP() << "no symbolic links here: " << ec.message();
  WriteFileAtomically(folder / "link.hex", "new");
  EXPECT_TRUE(fs::is_symlink(folder / "link.hex"));
  EXPECT_EQ(ReadBytes(folder / "real" / "pad.hex"), "new");
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"link.hex", "real"}));
}

#ifndef _WIN32
TEST(AtomicWrite, FileKeepsItsPermissionBits) {
  TempFolder folder;
  const auto path = folder / "VOVirUvad.ini";
  WriteBytes(path, "[Com Port Configuration]\r\nComPort=2\r\n");
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  TIniFile ini(path);
  ini.WriteInteger("Com Port Configuration", "DownloadDelay", 10);
  ini.UpdateFile();
  EXPECT_EQ(fs::status(path).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(ReadBytes(path), "[Com Port Configuration]\r\nComPort=2\r\nDownloadDelay=10\r\n");
}
#endif

TEST(AtomicWrite, PathsBeyondAsciiAreWritten) {
  TempFolder folder;
  const auto path = folder / "\u00C9t\u00E9 \u20AC \u03A9.ckd";
  WriteFileAtomically(path, "x");
  EXPECT_EQ(ReadBytes(path), "x");
}

TEST(AtomicWrite, FailedWriteLeavesTheOldFileAndNamesIt) {
  TempFolder folder;
  fs::create_directory(folder / "pad.hex");  // a folder where the file should be
  TKeypadClass keypad;
  try {
    WriteDownloadFile(keypad, folder / "pad.hex", 24, {}, {});
    FAIL() << "no error";
  } catch (const FileError& e) {
    EXPECT_NE(std::string(e.what()).find("pad.hex"), std::string::npos) << e.what();
  }
  EXPECT_TRUE(fs::is_directory(folder / "pad.hex"));
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"pad.hex"});
}

TEST(AtomicWrite, ReadOnlyFileIsNotReplaced) {
#ifndef _WIN32
  if (geteuid() == 0) GTEST_SKIP() << "root may write any file";
#endif
  TempFolder folder;
  const auto path = folder / "pad.hex";
  WriteBytes(path, "old");
  fs::permissions(path, fs::perms::owner_read);
  EXPECT_THROW(WriteFileAtomically(path, "new"), FileError);
  EXPECT_EQ(ReadBytes(path), "old");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"pad.hex"});
}

}  // namespace
