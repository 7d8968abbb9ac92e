// The loader stand-in must take every download file the editor writes and
// refuse a damaged one, naming the line where it goes wrong.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "DownloadCheck.h"
#include "DownloadText.h"
#include "KeypadClass.h"

namespace fs = std::filesystem;

namespace {

const fs::path kLoader = fs::path(KEYLOOM_BINARY_DIR) / "app" / "VOVirUvad.exe";

// Fills a macro with plain bytes 0x41, 0x42, ... (never the command prefix).
void FillMacro(TKeypadClass& keypad, int key, int level, int bytes, bool repeat) {
  keypad.SetKey(static_cast<uint8_t>(key));
  keypad.SetLevel(static_cast<uint8_t>(level));
  int32_t pos = 0;
  for (int i = 0; i < bytes; ++i) ASSERT_TRUE(keypad.InsertByte(pos, 0x41 + i % 26));
  keypad.SetCanAutoRepeat(repeat);
}

struct Written {
  const char* what;
  int keyCount;
  std::function<void(TKeypadClass&)> setup;
};

// A sound file to damage: 24 keys, key 1 with a 2-byte level-1 macro.
std::vector<std::string> SoundLines() {
  TKeypadClass keypad;
  FillMacro(keypad, 1, 0, 2, true);
  const std::string text = DownloadFileText(keypad, 24, LevelKeyRecord{});
  std::vector<std::string> lines;
  for (std::size_t pos = 0; pos < text.size(); pos += 6) lines.push_back(text.substr(pos, 6));
  return lines;
}

std::string Join(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& l : lines) text += l;
  return text;
}

struct RunResult {
  int exitCode;
  std::string output;
};

RunResult RunCheck(const fs::path& file) {
  const std::string command = "\"" + kLoader.string() + "\" --check \"" + file.string() + "\"";
  RunResult r{-1, {}};
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return r;
  char buf[512];
  while (std::fgets(buf, sizeof buf, pipe)) r.output += buf;
  const int status = pclose(pipe);
  r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

class TempDir {
 public:
  TempDir() : path_(fs::temp_directory_path() / ("keyloom-tools-" + std::to_string(::getpid()))) {
    fs::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  fs::path File(const std::string& name, const std::string& content) const {
    const fs::path p = path_ / name;
    std::ofstream(p, std::ios::binary) << content;
    return p;
  }

 private:
  fs::path path_;
};

}  // namespace

TEST(DownloadCheck, AcceptsEveryGoldenDownloadFile) {
  int seen = 0;
  for (const auto& entry : fs::directory_iterator(KEYLOOM_TEST_DATA)) {
    if (entry.path().extension() != ".hex") continue;
    ++seen;
    const TDownloadCheck check = CheckDownloadFile(entry.path());
    EXPECT_TRUE(check.ok) << entry.path() << ": " << check.message;
    const RunResult run = RunCheck(entry.path());
    EXPECT_EQ(run.exitCode, 0) << run.output;
  }
  EXPECT_GT(seen, 0) << "no golden download files in " << KEYLOOM_TEST_DATA;
}

TEST(DownloadCheck, AcceptsWhatTheEditorWritesAndReadsItBack) {
  const Written cases[] = {
      {"reset, 24 keys", 24, [](TKeypadClass&) {}},
      {"reset, 48 keys", 48, [](TKeypadClass&) {}},
      {"one byte, repeating", 24, [](TKeypadClass& k) { FillMacro(k, 0, 0, 1, true); }},
      {"99 bytes on level 2 of the last key", 48,
       [](TKeypadClass& k) { FillMacro(k, 47, 1, 99, false); }},
      {"100 bytes on both levels", 24,
       [](TKeypadClass& k) {
         FillMacro(k, 5, 0, 100, false);
         FillMacro(k, 5, 1, 100, true);
       }},
      {"other command prefix, repeat on an empty level", 24,
       [](TKeypadClass& k) {
         k.SetCmdPrefix(0x7E);
         k.SetKey(3);
         k.SetCanAutoRepeat(true);
         FillMacro(k, 4, 1, 7, false);
       }},
  };
  for (const Written& w : cases) {
    TKeypadClass keypad;
    w.setup(keypad);
    const std::string text = DownloadFileText(keypad, w.keyCount, LevelKeyRecord{});
    const TDownloadCheck check = CheckDownloadText(text);
    ASSERT_TRUE(check.ok) << w.what << ": " << check.message;
    EXPECT_EQ(check.image.byteCount, text.size() / 6) << w.what;
    ASSERT_EQ(check.image.keys.size(), static_cast<std::size_t>(w.keyCount)) << w.what;
    for (const TKeyImage& key : check.image.keys) {
      for (int level = 0; level < 2; ++level) {
        keypad.SetKey(static_cast<uint8_t>(key.index));
        keypad.SetLevel(static_cast<uint8_t>(level));
        const TLevelImage& got = key.levels[static_cast<std::size_t>(level)];
        EXPECT_EQ(got.bytes.size(), static_cast<std::size_t>(keypad.CodeCount()))
            << w.what << ", key " << key.index << " level " << level + 1;
        const uint8_t flag = keypad.CodeCount() == 0 ? 0 : keypad.CanAutoRepeat() ? 3 : 1;
        EXPECT_EQ(got.flag, flag) << w.what << ", key " << key.index << " level " << level + 1;
        for (std::size_t i = 0; i < got.bytes.size(); ++i) {
          EXPECT_EQ(got.bytes[i], keypad.CodeAt(static_cast<int32_t>(i))) << w.what;
        }
      }
    }
  }
}

TEST(DownloadCheck, RefusesADamagedFileSayingWhere) {
  // SoundLines(), 223 lines: 28 parameter lines; key 0 on lines 29-36; key 1
  // on lines 37-47 with the level-1 block "03" "41" "42" "00" on lines 43-46;
  // keys 2 to 23 from line 48 on, eight lines each.
  struct Damage {
    const char* what;
    std::function<void(std::vector<std::string>&)> edit;
    int line;
    const char* says;
  } cases[] = {
      {"cut inside a key record", [](auto& l) { l.resize(100); }, 101, "ends inside"},
      {"cut after a whole key record", [](auto& l) { l.resize(28 + 8 + 11); }, 47,
       "expected 24 or 48"},
      {"cut inside a line", [](auto& l) { l.back() = "\"0"; }, 223, "two upper-case"},
      {"cut inside the parameter record", [](auto& l) { l.resize(20); }, 21, "parameter record"},
      {"wrong parameter count", [](auto& l) { l[2] = "\"18\"\r\n"; }, 3, "line count is 18"},
      {"wrong record kind", [](auto& l) { l[1] = "\"02\"\r\n"; }, 2, "kind is 02"},
      {"wrong macro block count", [](auto& l) { l[42] = "\"02\"\r\n"; }, 45, "should end with 00"},
      {"block count too large for the file", [](auto& l) { l[l.size() - 1] = "\"FF\"\r\n"; }, 224,
       "announces 255"},
      {"wrong key index", [](auto& l) { l[36 + 2] = "\"07\"\r\n"; }, 39, "key index is 07"},
      {"key records out of order", [](auto& l) { std::swap(l[28 + 2], l[28 + 8 + 2]); }, 31,
       "key index"},
      {"flag without macro", [](auto& l) { l[28 + 4] = "\"01\"\r\n"; }, 33, "holds 0 bytes"},
      {"unknown flag", [](auto& l) { l[36 + 3] = "\"02\"\r\n"; }, 40, "expected 00, 01 or 03"},
      {"lower-case digits", [](auto& l) { l[3] = "\"c8\"\r\n"; }, 4, "upper-case"},
      {"LF without CR", [](auto& l) { l[5] = "\"80\"\n"; }, 6, "LF alone"},
      {"blank line at the end", [](auto& l) { l.push_back("\r\n"); }, 224, "empty line"},
      {"a 25th key record",
       [](auto& l) {
         const std::vector<std::string> extra = {"\"40\"\r\n", "\"02\"\r\n", "\"18\"\r\n",
                                                 "\"00\"\r\n", "\"00\"\r\n", "\"18\"\r\n",
                                                 "\"00\"\r\n", "\"00\"\r\n"};
         l.insert(l.end(), extra.begin(), extra.end());
       },
       231, "25 key records"},
      {"empty file", [](auto& l) { l.clear(); }, 1, "empty"},
  };
  for (const Damage& d : cases) {
    std::vector<std::string> lines = SoundLines();
    ASSERT_TRUE(CheckDownloadText(Join(lines)).ok);
    d.edit(lines);
    const TDownloadCheck check = CheckDownloadText(Join(lines));
    EXPECT_FALSE(check.ok) << d.what;
    EXPECT_EQ(check.line, d.line) << d.what << ": " << check.message;
    EXPECT_EQ(check.message.rfind("line " + std::to_string(d.line) + ": ", 0), 0u)
        << d.what << ": " << check.message;
    EXPECT_NE(check.message.find(d.says), std::string::npos) << d.what << ": " << check.message;
    EXPECT_TRUE(check.image.keys.empty()) << d.what;
  }
}

TEST(DownloadCheck, CheckModeReportsOnStdoutWithItsExitCode) {
  TempDir dir;
  std::vector<std::string> lines = SoundLines();
  const RunResult sound = RunCheck(dir.File("with space ü.hex", Join(lines)));
  EXPECT_EQ(sound.exitCode, 0) << sound.output;
  EXPECT_NE(sound.output.find("sound, 223 bytes, 24 keys"), std::string::npos) << sound.output;

  lines.resize(150);
  const RunResult cut = RunCheck(dir.File("cut.hex", Join(lines)));
  EXPECT_EQ(cut.exitCode, 1) << cut.output;
  EXPECT_NE(cut.output.find("line 151: the file ends"), std::string::npos) << cut.output;

  const RunResult missing = RunCheck(dir.File("x", "").parent_path() / "missing.hex");
  EXPECT_EQ(missing.exitCode, 1) << missing.output;
}
