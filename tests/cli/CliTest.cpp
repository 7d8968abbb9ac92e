// keyloom-cli through the built binary: outputs and exit statuses.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#endif

#include <cstdlib>

#include "DefinitionFile.h"
#include "FileTestSupport.h"
#include "GoldenDefinition.h"
#include "KeypadClass.h"

namespace {

namespace fs = std::filesystem;
using namespace testing_files;

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

#ifdef _WIN32
std::wstring Widen(const std::string& text) {
  const int size =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

// One argument in Windows command-line quoting: backslashes count only before a quote.
std::wstring QuoteArgument(const std::wstring& arg) {
  std::wstring quoted = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, L'\\');
  return quoted + L"\"";
}

// Runs the tool without a shell, its output and errors going to two files; its exit code.
int RunTool(const std::vector<std::string>& args, const fs::path& out, const fs::path& err) {
  const std::wstring program = fs::path(KEYLOOM_CLI).make_preferred().wstring();
  std::wstring line = QuoteArgument(program);
  for (const auto& arg : args) line += L" " + QuoteArgument(Widen(arg));
  SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE outFile = CreateFileW(out.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited,
                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  HANDLE errFile = CreateFileW(err.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited,
                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = outFile;
  startup.hStdError = errFile;
  PROCESS_INFORMATION process{};
  const BOOL started = CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, 0,
                                      nullptr, nullptr, &startup, &process);
  CloseHandle(outFile);
  CloseHandle(errFile);
  if (!started) return -1;
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(code);
}

// The console streams end their lines with CR LF on Windows.
std::string ConsoleText(std::string text) {
  for (size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 1);
  return text;
}
#else
std::string Quote(const std::string& arg) {
  std::string quoted = "'";
  for (char c : arg) quoted += (c == '\'') ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}
#endif

class Cli : public testing::Test {
 protected:
  Outcome Invoke(const std::vector<std::string>& args) {
#ifdef _WIN32
    const int status = RunTool(args, folder_ / "stdout", folder_ / "stderr");
    Outcome run{status, ConsoleText(ReadBytes(folder_ / "stdout")),
                ConsoleText(ReadBytes(folder_ / "stderr"))};
#else
    std::string command = Quote(KEYLOOM_CLI);
    // Appended piece by piece: g++ 12 warns falsely (-Wrestrict) on
    // "literal" + std::string temporaries.
    for (const auto& arg : args) {
      command += ' ';
      command += Quote(arg);
    }
    command += " >";
    command += Quote((folder_ / "stdout").string());
    command += " 2>";
    command += Quote((folder_ / "stderr").string());
    const int raw = std::system(command.c_str());
    Outcome run{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadBytes(folder_ / "stdout"),
                ReadBytes(folder_ / "stderr")};
#endif
    fs::remove(folder_ / "stdout");
    fs::remove(folder_ / "stderr");
    return run;
  }
  std::string File(const std::string& name) { return (folder_ / name).string(); }
  std::string Golden(const std::string& name) {
    return ReadBytes(fs::path(KEYLOOM_TEST_DATA) / name);
  }

  TempFolder folder_;
};

int Lines(const std::string& text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

TEST_F(Cli, VersionAndHelp) {
  const Outcome version = Invoke({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "keyloom-cli 1.0.0.0\n");
  const Outcome help = Invoke({"--help"});
  EXPECT_EQ(help.status, 0);
  for (const char* word : {"hex FILE.ckd [-o OUT]", "show FILE.ckd", "check FILE.ckd..."}) {
    EXPECT_NE(help.out.find(word), std::string::npos) << word;
  }
  EXPECT_EQ(help.err, "");
}

TEST_F(Cli, BadArgumentsAndFilesGiveOneLineAndStatusTwo) {
  fs::create_directory(File("folder.ckd"));
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"frobnicate"},
      {"hex"},
      {"hex", File("a.ckd"), "-o"},
      {"hex", File("a.ckd"), "--fast"},
      {"show"},
      {"show", File("a.ckd"), File("b.ckd")},
      {"check"},
      {"hex", File("missing.ckd")},
      {"show", File("missing.ckd")},
      {"check", File("missing.ckd")},
      {"show", File("folder.ckd")},
  };
  for (const auto& args : cases) {
    const Outcome run = Invoke(args);
    const std::string shown =
        args.empty() ? "(none)" : args[0] + " " + (args.size() > 1 ? args[1] : "");
    EXPECT_EQ(run.status, 2) << shown;
    EXPECT_EQ(run.out, "") << shown;
    EXPECT_EQ(Lines(run.err), 1) << shown << ": " << run.err;
    EXPECT_EQ(run.err.rfind("keyloom-cli: ", 0), 0u) << run.err;
    if (args.size() > 1 && args[1].find(".ckd") != std::string::npos && args[1] != File("a.ckd")) {
      EXPECT_NE(run.err.find(args[1]), std::string::npos) << run.err;
    }
  }
}

TEST_F(Cli, HexWritesTheDownloadFileAsSaveWouldAndNothingElse) {
  WriteBytes(File("reset.ckd"), Golden("new-24-key.ckd"));
  Outcome run = Invoke({"hex", File("reset.ckd")});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadBytes(File("reset.hex")), Golden("reset-24-key.hex"));

  TKeypadClass keypad;
  FillGoldenDefinition(keypad);
  WriteDefinitionFile(keypad, File("full.ckd"), 48);
  run = Invoke({"hex", File("full.ckd"), "-o", File("out.txt")});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadBytes(File("out.txt")), Golden("full-48-key.hex"));
  EXPECT_EQ(folder_.Names(),
            (std::vector<std::string>{"full.ckd", "out.txt", "reset.ckd", "reset.hex"}));
}

TEST_F(Cli, ShowPrintsTheValuesAndEveryKeyInUse) {
  WriteBytes(File("pad.ckd"),
             "[GLOBAL_PARAMETERS]\r\nNumber_Of_Keys=24\r\nOperating_Mode=48\r\nLED_Function=6\r\n"
             "Baud_Rate=7\r\nWord_Format=2\r\nCDC_Serial_No=905\r\n"
             "[KEY0]\r\nKeyType=2\r\n"
             "[KEY4]\r\nL1_AutoRepeat=1\r\nLevel_1_Codes=41 400132 400a 4040 0d 20 07\r\n"
             "Level_1_Name=Caf\xE9 \x80\r\nLevel_2_Name=Second\r\n"
             "[KEY30]\r\nLevel_2_Codes=1c\r\n");
  const Outcome run = Invoke({"show", File("pad.ckd")});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "Definition: " + File("pad.ckd") +
                         "\n"
                         "Layout: 24 keys\n"
                         "Baud rate: 115.2k\n"
                         "Word format: 7,E,1\n"
                         "Host mode: PC Keyboard (USB HID)\n"
                         "CDC serial number: 905\n"
                         "LED 1 mode: Scroll Lock\n"
                         "LED 2 mode: Led OFF\n"
                         "LED 3 mode: Led OFF\n"
                         "Key rollover: 2\n"
                         "Character pacing: 2 ms\n"
                         "Download delay: 0 ms\n"
                         "Command prefix: 64\n"
                         "\n"
                         "Key 1: level toggle\n"
                         "\n"
                         "Key 5: normal\n"
                         "  Level 1 \"Caf\xC3\xA9 \xE2\x82\xAC\", auto-repeat on, 9 of 100 bytes\n"
                         "    A | Dly 200 | Led1 Flash | @@ | CR | Space | Bel\n"
                         "  Level 2 \"Second\", auto-repeat off, 0 of 100 bytes\n"
                         "\n"
                         "Key 31: normal (outside the 24-key layout)\n"
                         "  Level 2, auto-repeat off, 1 of 100 bytes\n"
                         "    ^\\  1Ch\n");
}

TEST_F(Cli, CheckReportsFileAndLineAndExitsOneWhenAnythingWasFound) {
  WriteBytes(File("clean.ckd"), Golden("new-24-key.ckd"));
  WriteBytes(File("pad.ckd"),
             "[GLOBAL_PARAMETERS]\r\n"         // 1
             "Number_Of_Keys=24\r\n"           // 2
             "Key_Roll_Over=7\r\n"             // 3
             "CDC_Serial_No=-5\r\n"            // 4
             "LED2_Function=5\r\n"             // 5
             "[KEY0]\r\n"                      // 6
             "Level_1_Codes=61x62 400299\r\n"  // 7
             "Level_2_Codes=616\r\n"           // 8
             "[Notes]\r\n"                     // 9
             "[KEY30]\r\n"                     // 10
             "[key0]\r\n"                      // 11
             "[KEY00]\r\n"                     // 12
             "[KEY48]\r\n"                     // 13
             "[KEY1]\r\n"                      // 14
             "Level_1_Codes=" +
                 std::string(101 * 2, '1') + "\r\n");  // 15
  const Outcome run = Invoke({"check", File("clean.ckd"), File("pad.ckd"), File("missing.ckd")});
  EXPECT_EQ(run.status, 2);  // the missing file outweighs the findings
  EXPECT_NE(run.err.find("missing.ckd"), std::string::npos);
  const std::string f = File("pad.ckd") + ":";
  EXPECT_EQ(
      run.out,
      f + "3: Key_Roll_Over 7 is above 6; it reads as 2\n" + f +
          "4: CDC_Serial_No -5 is negative; it reads as 0\n" + f +
          "5: LED2_Function 5 needs the PC keyboard host mode; it reads as 0 (Led OFF)\n" + f +
          "7: Level_1_Codes: \"x\" is no hexadecimal digit; such characters are skipped\n" + f +
          "7: Level_1_Codes: command 02 after the command prefix is unknown; both bytes are "
          "dropped\n" +
          f + "8: Level_2_Codes: an odd number of digits; the last one is dropped\n" + f +
          "9: section [Notes] is not a key section: the editor refuses to open this file\n" + f +
          "10: section [KEY30] lies outside the 24-key layout: it is read and kept, but not sent "
          "to the keypad\n" +
          f + "11: duplicate section [key0] (first at line 6); its entries are ignored\n" + f +
          "12: section [KEY00] gives key 0 again (first at line 6); this one counts\n" + f +
          "13: section [KEY48] names no key of the keypad (0 to 47); it is skipped\n" + f +
          "15: Level_1_Codes: more than the macro's 100 bytes; the codes from code 101 on are "
          "dropped\n");

  const Outcome clean = Invoke({"check", File("clean.ckd")});
  EXPECT_EQ(clean.status, 0);
  EXPECT_EQ(clean.out, "");
  EXPECT_EQ(Invoke({"check", File("clean.ckd"), File("pad.ckd")}).status, 1);
}

TEST_F(Cli, ExamplesReadCleanly) {
  for (const char* name : {"office-24.ckd", "production-48.ckd"}) {
    const std::string path = (fs::path(KEYLOOM_EXAMPLES) / name).string();
    const Outcome check = Invoke({"check", path});
    EXPECT_EQ(check.status, 0) << check.out << check.err;
    const Outcome show = Invoke({"show", path});
    EXPECT_EQ(show.status, 0) << show.err;
    EXPECT_NE(show.out.find("level toggle"), std::string::npos);
  }
}

}  // namespace
