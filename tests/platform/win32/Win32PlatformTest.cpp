// The Win32 calls behind the platform interface, run for real (under Wine in
// the cross build). The programs they start are small test programs built
// beside this one, which record how they were started.
#include <gtest/gtest.h>

#include "Win32Platform.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// A test program built beside this one.
std::wstring Beside(const std::wstring& name) { return win32::ProgramFolder() + name; }

std::vector<std::wstring> ReadRecord(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
  std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
  std::vector<std::wstring> lines;
  std::wstring::size_type start = 0;
  for (std::wstring::size_type end; (end = text.find(L'\n', start)) != std::wstring::npos;
       start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

// Waits for a started program's record. Wine is slow to start a program the
// first time; the bound only keeps a program that never runs from hanging
// the suite.
std::optional<std::vector<std::wstring>> WaitForRecord(const fs::path& file) {
  for (int i = 0; i < 1200; ++i) {
    if (fs::exists(file)) {
      return ReadRecord(file);
    }
    Sleep(50);
  }
  return std::nullopt;
}

std::wstring Quoted(const fs::path& path) { return L"\"" + path.wstring() + L"\""; }

// A scratch folder whose name has blanks and letters beyond ASCII, as users'
// folders often do. Started programs record themselves into record.txt here.
class Win32StartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH + 1] = {};
    ASSERT_GT(GetTempPathW(MAX_PATH + 1, temp), 0U);
    const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    folder_ = fs::path(temp) / (L"Keyloom T\u00ebst \u00fc " + fs::path(test).wstring() + L" " +
                                std::to_wstring(GetCurrentProcessId()));
    fs::create_directories(folder_);
    record_ = folder_ / L"record.txt";
    SetEnvironmentVariableW(L"KEYLOOM_HELPER_OUT", record_.c_str());
    SetEnvironmentVariableW(L"KEYLOOM_HELPER_SLEEP_MS", nullptr);
  }

  void TearDown() override {
    SetEnvironmentVariableW(L"KEYLOOM_HELPER_OUT", nullptr);
    SetEnvironmentVariableW(L"KEYLOOM_HELPER_SLEEP_MS", nullptr);
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  // Copies the recording test program to `relative` inside the scratch folder.
  fs::path Install(const fs::path& relative) {
    const fs::path target = folder_ / relative;
    fs::create_directories(target.parent_path());
    EXPECT_TRUE(CopyFileW(Beside(L"keyloom_started_program.exe").c_str(), target.c_str(), FALSE));
    return target;
  }

  fs::path folder_;
  fs::path record_;
};

TEST(Win32FoldersTest, DocumentsFolderIsAnExistingFolderWithoutTrailingSeparator) {
  const std::wstring documents = win32::DocumentsFolder();
  ASSERT_FALSE(documents.empty());
  EXPECT_NE(documents.back(), L'\\');
  EXPECT_TRUE(fs::is_directory(documents)) << fs::path(documents).string();
}

TEST(Win32FoldersTest, ProgramFolderHoldsTheRunningProgram) {
  const std::wstring folder = win32::ProgramFolder();
  const fs::path self = win32::RunningExecutablePath();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), L'\\');
  EXPECT_TRUE(fs::equivalent(folder + self.filename().wstring(), self));
}

TEST_F(Win32StartTest, StartProgramPassesTheParameterTextAsTheCommandLine) {
  const fs::path program = Install(L"Loader Pr\u00f6gram\\loader.exe");
  const fs::path download = folder_ / L"Macro F\u00efles" / L"my k\u00e9ypad (2).hex";
  const struct {
    std::wstring parameters;
    std::vector<std::wstring> arguments;
  } cases[] = {
      {L"", {}},
      {Quoted(download), {download.wstring()}},
      {L"5", {L"5"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(fs::path(c.parameters).string());
    fs::remove(record_);
    ASSERT_TRUE(win32::StartProgram(program.wstring(), c.parameters));
    const auto record = WaitForRecord(record_);
    ASSERT_TRUE(record.has_value());
    ASSERT_EQ(record->size(), c.arguments.size() + 1);
    EXPECT_TRUE(fs::equivalent(record->front(), program));
    EXPECT_EQ(std::vector<std::wstring>(record->begin() + 1, record->end()), c.arguments);
  }
}

TEST_F(Win32StartTest, OpenDocumentOpensAQuotedPath) {
  // A program is a document the shell knows how to open on any system.
  const fs::path document = Install(L"Keycap L\u00e4bels\\label template.exe");
  ASSERT_TRUE(win32::OpenDocument(Quoted(document)));
  const auto record = WaitForRecord(record_);
  ASSERT_TRUE(record.has_value());
  ASSERT_EQ(record->size(), 1U);
  EXPECT_TRUE(fs::equivalent(record->front(), document));
}

TEST_F(Win32StartTest, MissingProgramsAndDocumentsAreReportedAsNotStarted) {
  const fs::path missing = folder_ / L"Help" / L"First Steps.exe";
  EXPECT_FALSE(win32::StartProgram(missing.wstring(), L""));
  EXPECT_FALSE(win32::StartProgram(missing.wstring(), L"5"));
  EXPECT_FALSE(win32::OpenDocument(Quoted(missing)));
  int repaints = 0;
  EXPECT_FALSE(win32::RunAndWait(missing.wstring(), [&] { ++repaints; }));
  EXPECT_EQ(repaints, 0);
}

TEST_F(Win32StartTest, RunAndWaitRepaintsWhileWaitingAndReturnsAfterTheProgramEnds) {
  // The program sleeps longer than one wait and records itself as its last
  // act, so its record exists on return only if the call waited for its end.
  const fs::path program = Install(L"Port Ch\u00f6oser\\chooser.exe");
  SetEnvironmentVariableW(L"KEYLOOM_HELPER_SLEEP_MS", L"1200");
  int repaints = 0;
  ASSERT_TRUE(win32::RunAndWait(program.wstring(), [&] { ++repaints; }));
  EXPECT_GE(repaints, 1);
  ASSERT_TRUE(fs::exists(record_));
  const std::vector<std::wstring> record = ReadRecord(record_);
  ASSERT_FALSE(record.empty());
  EXPECT_TRUE(fs::equivalent(record.front(), program));
}

TEST_F(Win32StartTest, RunAndWaitRunsExactlyTheNamedProgramWhenItsPathHasBlanks) {
  // "...\run wait\chooser.exe" as a bare command line could also be read as
  // "...\run.exe" with the argument "wait\chooser.exe".
  const fs::path program = Install(L"run wait\\chooser.exe");
  const fs::path decoy = Install(L"run.exe");
  ASSERT_TRUE(win32::RunAndWait(program.wstring(), {}));
  ASSERT_TRUE(fs::exists(record_));
  const std::vector<std::wstring> record = ReadRecord(record_);
  ASSERT_FALSE(record.empty());
  EXPECT_TRUE(fs::equivalent(record.front(), program));
}

TEST(Win32KeyboardTest, ReadsShiftDownAndCapsLockToggledOnAndNotHeld) {
  BYTE saved[256] = {};
  ASSERT_TRUE(GetKeyboardState(saved));
  // The key state bytes: 0x80 held down, 0x01 toggled on.
  const struct {
    BYTE shift;
    BYTE capsLock;
    bool shiftDown;
    bool capsLockOn;
  } cases[] = {
      {0x00, 0x00, false, false}, {0x80, 0x00, true, false}, {0x81, 0x00, true, false},
      {0x01, 0x00, false, false}, {0x00, 0x01, false, true}, {0x00, 0x81, false, false},
      {0x00, 0x80, false, false}, {0x80, 0x01, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "Shift " << int{c.shift} << ", Caps Lock " << int{c.capsLock});
    BYTE keys[256] = {};
    keys[VK_SHIFT] = c.shift;
    keys[VK_CAPITAL] = c.capsLock;
    ASSERT_TRUE(SetKeyboardState(keys));
    const win32::KeyboardState state = win32::GetPcKeyboardState();
    EXPECT_EQ(state.shiftDown, c.shiftDown);
    EXPECT_EQ(state.capsLockOn, c.capsLockOn);
  }
  SetKeyboardState(saved);
}

TEST(Win32VersionTest, VersionTextIsTheFirstFiveCharactersOfTheUsEnglishFileVersion) {
  const struct {
    std::wstring program;
    std::wstring text;
  } cases[] = {
      {win32::RunningExecutablePath(), L"1.0.0"},       // the project's own resource
      {Beside(L"keyloom_started_program.exe"), L"NA"},  // no resource
      {Beside(L"keyloom_version_long.exe"), L"12.34"},
      {Beside(L"keyloom_version_short.exe"), L"2.1"},
      {Beside(L"keyloom_version_german.exe"), L"NA"},  // another string table only
      {Beside(L"no such program.exe"), L"NA"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(fs::path(c.program).string());
    EXPECT_EQ(win32::VersionText(c.program), c.text);
  }
  EXPECT_EQ(win32::QueryFileVersion(win32::RunningExecutablePath()), L"1.0.0.0");
  EXPECT_EQ(win32::QueryFileVersion(Beside(L"keyloom_version_long.exe")), L"12.34.5.6");
}

#ifdef KEYLOOM_CLI_EXE
TEST(Win32VersionTest, TheCommandLineToolCarriesTheProjectVersion) {
  EXPECT_EQ(win32::VersionText(fs::path(KEYLOOM_CLI_EXE).wstring()), L"1.0.0");
}
#endif

}  // namespace
