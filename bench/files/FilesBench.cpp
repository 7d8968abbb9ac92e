// Run: build/bench/files/keyloom_files_bench
// Compare each of our operations with the QSettings row and the plain-copy
// row of the same file in the same run.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>

#include "DefinitionFile.h"
#include "DownloadFile.h"
#include "KeypadClass.h"

#ifdef KEYLOOM_BENCH_QSETTINGS
#include <QSettings>
#include <QString>
#endif

namespace fs = std::filesystem;

namespace {

// A folder of its own for the run, removed at exit.
struct TBenchFolder {
  TBenchFolder() {
    std::random_device rd;
    path = fs::temp_directory_path() / ("keyloom-bench-" + std::to_string(rd()));
    fs::create_directories(path);
  }
  ~TBenchFolder() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
  fs::path path;
};

const fs::path& Folder() {
  static const TBenchFolder folder;
  return folder.path;
}

// Every macro at its 100-byte budget, every name set.
TKeypadClass& FullKeypad() {
  static std::unique_ptr<TKeypadClass> keypad = [] {
    auto k = std::make_unique<TKeypadClass>();
    for (int key = 0; key < kKeyCount; ++key) {
      k->SetKey(static_cast<uint8_t>(key));
      k->SetKeytype(key == 47 ? ktToggle : ktNormal);
      for (uint8_t level = 0; level < kLevelCount; ++level) {
        k->SetLevel(level);
        for (int i = 0; i < 100; ++i) {
          int32_t position = i;
          k->InsertByte(position, 'a' + (key + i) % 26);
        }
        k->SetCanAutoRepeat(key % 2 == 0);
        k->SetMacroName(u"Key " + std::u16string(1, u'A' + key % 26) + u" level " +
                        std::u16string(1, u'1' + level) + u" caf\u00E9");
      }
    }
    k->SetKey(0);
    k->SetLevel(0);
    return k;
  }();
  return *keypad;
}

fs::path DefinitionPath() {
  static const fs::path path = [] {
    fs::path p = Folder() / "full.ckd";
    WriteDefinitionFile(FullKeypad(), p, 48);
    return p;
  }();
  return path;
}

fs::path DownloadPath() {
  static const fs::path path = [] {
    fs::path p = Folder() / "full.hex";
    TKeypadClass& k = FullKeypad();
    WriteDownloadFile(k, p, 48, WriteDefinitionFile(k, DefinitionPath(), 48), {});
    return p;
  }();
  return path;
}

void BM_ReadDefinition(benchmark::State& state) {
  const fs::path path = DefinitionPath();
  auto keypad = std::make_unique<TKeypadClass>();
  for (auto _ : state) {
    benchmark::DoNotOptimize(ReadDefinitionFile(*keypad, path));
  }
}
BENCHMARK(BM_ReadDefinition);

void BM_WriteDefinition(benchmark::State& state) {
  const fs::path path = DefinitionPath();
  TKeypadClass& keypad = FullKeypad();
  int32_t delay = 0;
  for (auto _ : state) {
    keypad.SetDownloadDelay(delay++ % 2);  // a value changes, so the file is written anew
    WriteDefinitionFile(keypad, path, 48);
  }
}
BENCHMARK(BM_WriteDefinition);

void BM_WriteDownloadFile(benchmark::State& state) {
  const fs::path path = DownloadPath();
  TKeypadClass& keypad = FullKeypad();
  const LevelKeyRecord record = WriteDefinitionFile(keypad, DefinitionPath(), 48);
  for (auto _ : state) {
    WriteDownloadFile(keypad, path, 48, record, {});
  }
}
BENCHMARK(BM_WriteDownloadFile);

// The floor: the file's bytes read and written to another file, as plain
// stream I/O; the flushed variant also waits for the disk as our writes do.
void CopyFile(const fs::path& from, const fs::path& to, bool flush) {
  std::ifstream in(from, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), {});
  if (!flush) {
    std::ofstream out(to, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return;
  }
  const int fd = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  benchmark::DoNotOptimize(::write(fd, bytes.data(), bytes.size()));
  ::fsync(fd);
  ::close(fd);
}

void BM_PlainCopyDefinition(benchmark::State& state) {
  const fs::path path = DefinitionPath();
  for (auto _ : state) CopyFile(path, Folder() / "copy.ckd", state.range(0) != 0);
}
BENCHMARK(BM_PlainCopyDefinition)->ArgName("flushed")->Arg(0)->Arg(1);

void BM_PlainCopyDownloadFile(benchmark::State& state) {
  const fs::path path = DownloadPath();
  for (auto _ : state) CopyFile(path, Folder() / "copy.hex", state.range(0) != 0);
}
BENCHMARK(BM_PlainCopyDownloadFile)->ArgName("flushed")->Arg(0)->Arg(1);

#ifdef KEYLOOM_BENCH_QSETTINGS

const char* const kGlobals[] = {
    "Model_Number",  "Number_Of_Keys",   "Download_Delay", "Macro_Length",   "Level1_Length",
    "Key_Roll_Over", "Character_Pacing", "LED_Function",   "LED2_Function",  "LED3_Function",
    "Baud_Rate",     "Word_Format",      "Command_Prefix", "Operating_Mode", "CDC_Serial_No"};
const char* const kKeyEntries[] = {"KeyType",      "L1_AutoRepeat", "Level_1_Codes",
                                   "Level_1_Name", "L2_AutoRepeat", "Level_2_Codes",
                                   "Level_2_Name"};

QString QPath(const fs::path& path) { return QString::fromStdString(path.string()); }

void BM_QSettingsReadDefinition(benchmark::State& state) {
  const QString path = QPath(DefinitionPath());
  auto stamp = fs::last_write_time(DefinitionPath());
  for (auto _ : state) {
    // QSettings keeps a parsed file while its time stamp stays; a new stamp
    // makes it read the file, as a program reading a file once would.
    state.PauseTiming();
    stamp += std::chrono::seconds(1);
    fs::last_write_time(DefinitionPath(), stamp);
    state.ResumeTiming();
    QSettings ini(path, QSettings::IniFormat);
    int sum = 0;
    ini.beginGroup("GLOBAL_PARAMETERS");
    for (const char* key : kGlobals) sum += ini.value(key).toString().size();
    ini.endGroup();
    for (int k = 0; k < kKeyCount; ++k) {
      ini.beginGroup(QStringLiteral("KEY%1").arg(k));
      for (const char* key : kKeyEntries) sum += ini.value(key).toString().size();
      ini.endGroup();
    }
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_QSettingsReadDefinition);

void BM_QSettingsWriteDefinition(benchmark::State& state) {
  const QString path = QPath(Folder() / "qsettings.ckd");
  TKeypadClass& keypad = FullKeypad();
  int delay = 0;
  for (auto _ : state) {
    QSettings ini(path, QSettings::IniFormat);
    ini.beginGroup("GLOBAL_PARAMETERS");
    ini.setValue("Model_Number", "TVR48");
    ini.setValue("Number_Of_Keys", 48);
    ini.setValue("Download_Delay", delay++ % 2);
    for (size_t i = 3; i < std::size(kGlobals); ++i) ini.setValue(kGlobals[i], 2);
    ini.endGroup();
    for (int k = 0; k < kKeyCount; ++k) {
      keypad.SetKey(static_cast<uint8_t>(k));
      ini.beginGroup(QStringLiteral("KEY%1").arg(k));
      ini.setValue("KeyType", static_cast<int>(keypad.Keytype()));
      for (uint8_t level = 0; level < kLevelCount; ++level) {
        keypad.SetLevel(level);
        const QString n = QString::number(level + 1);
        ini.setValue("L" + n + "_AutoRepeat", keypad.CanAutoRepeat() ? 1 : 0);
        ini.setValue("Level_" + n + "_Codes", QString::fromStdString(keypad.MakeCodes()));
        ini.setValue("Level_" + n + "_Name", QString::fromStdU16String(keypad.GetMacroName()));
      }
      ini.endGroup();
    }
    ini.sync();
  }
  keypad.SetKey(0);
  keypad.SetLevel(0);
}
BENCHMARK(BM_QSettingsWriteDefinition);

#endif

}  // namespace

BENCHMARK_MAIN();
