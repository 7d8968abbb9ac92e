// Ratios to read from one run:
//   BM_MainWindowCreateShow / BM_BareWindowCreateShow: building and showing the
//     editor against a bare QMainWindow holding as many plain buttons;
//   BM_CopyDataToScreenFull / BM_TableWidget100Texts: one refresh of a full
//     macro against writing 100 cell texts straight into a QTableWidget.
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMainWindow>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>

#include "KeypadClass.h"
#include "Platform.h"
#include "Prompts.h"
#include "Unit1.h"

namespace {

class QuietPlatform : public IPlatform {
 public:
  QString documents;
  QString DocumentsFolder() const override { return documents; }
  QString ProgramFolder() const override { return QStringLiteral("/"); }
  bool StartProgram(const QString&, const QString&) override { return false; }
  bool OpenDocument(const QString&) override { return false; }
  bool RunAndWait(const QString&, const std::function<void()>&) override { return false; }
  PcKeyboardState KeyboardState() const override { return {}; }
  std::optional<QString> FileVersion() const override { return std::nullopt; }
};

class QuietPrompts : public IPrompts {
 public:
  void ShowError(QWidget*, const QString&) override {}
  SaveAnswer AskYesNoCancel(QWidget*, const QString&) override { return SaveAnswer::Cancel; }
  std::optional<QString> GetOpenFileName(QWidget*, const FileDialogRequest&) override {
    return std::nullopt;
  }
  std::optional<QString> GetSaveFileName(QWidget*, const FileDialogRequest&) override {
    return std::nullopt;
  }
};

struct Environment {
  QTemporaryDir folder;
  QuietPlatform platform;
  QuietPrompts prompts;
  TKeypadClass keypad;
  Environment() { platform.documents = folder.path(); }
};

int ButtonCountOfMainWindow() {
  Environment env;
  TfrmMain window(env.platform, env.prompts, env.keypad, {});
  return static_cast<int>(window.findChildren<QAbstractButton*>().size());
}

void BM_MainWindowCreateShow(benchmark::State& state) {
  Environment env;
  for (auto _ : state) {
    TfrmMain window(env.platform, env.prompts, env.keypad, {});
    window.show();
    QApplication::processEvents();
  }
}
BENCHMARK(BM_MainWindowCreateShow)->Unit(benchmark::kMillisecond);

// The same without showing: what the constructor costs on its own.
void BM_MainWindowCreateOnly(benchmark::State& state) {
  Environment env;
  for (auto _ : state) {
    TfrmMain window(env.platform, env.prompts, env.keypad, {});
    benchmark::DoNotOptimize(&window);
  }
}
BENCHMARK(BM_MainWindowCreateOnly)->Unit(benchmark::kMillisecond);

void BM_BareWindowCreateShow(benchmark::State& state) {
  static const int buttons = ButtonCountOfMainWindow();
  state.counters["buttons"] = buttons;
  for (auto _ : state) {
    QMainWindow window;
    window.setFixedSize(TfrmMain::kClientWidth, TfrmMain::kClientHeight);
    auto* central = new QWidget(&window);
    window.setCentralWidget(central);
    for (int i = 0; i < buttons; ++i) {
      auto* button = new QPushButton(QString::number(i), central);
      button->setGeometry((i % 25) * 30, (i / 25) * 30, 28, 28);
    }
    window.show();
    QApplication::processEvents();
  }
}
BENCHMARK(BM_BareWindowCreateShow)->Unit(benchmark::kMillisecond);

void BM_CopyDataToScreenFull(benchmark::State& state) {
  Environment env;
  // Two keys with full macros of different codes, so that every refresh
  // rewrites all 100 cells.
  for (uint8_t key = 0; key < 2; ++key) {
    env.keypad.SetKey(key);
    int32_t position = 0;
    for (int i = 0; i < 100; ++i) env.keypad.InsertByte(position, 'a' + (i + key) % 26);
  }
  TfrmMain window(env.platform, env.prompts, env.keypad, {});
  window.show();
  QApplication::processEvents();
  uint8_t key = 0;
  for (auto _ : state) {
    env.keypad.SetKey(key);
    window.CopyDataToScreen(100);
    key ^= 1;
  }
}
BENCHMARK(BM_CopyDataToScreenFull)->Unit(benchmark::kMicrosecond);

void BM_TableWidget100Texts(benchmark::State& state) {
  QTableWidget table(16, 7);
  for (int r = 0; r < 16; ++r)
    for (int c = 0; c < 7; ++c) table.setItem(r, c, new QTableWidgetItem);
  table.show();
  QApplication::processEvents();
  QStringList texts[2];
  for (int set = 0; set < 2; ++set)
    for (int i = 0; i < 100; ++i) texts[set] << QString(QChar('a' + (i + set) % 26));
  int set = 0;
  for (auto _ : state) {
    for (int p = 0; p < 100; ++p) table.item(p / 7, p % 7)->setText(texts[set].at(p));
    set ^= 1;
  }
}
BENCHMARK(BM_TableWidget100Texts)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
