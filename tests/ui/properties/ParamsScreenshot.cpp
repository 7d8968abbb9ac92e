// Renders the Keypad Properties dialog to PNG files for a look at its layout:
//   properties_screenshot [folder]
// writes properties-keyboard.png (PC keyboard host mode, 48 keys) and
// properties-cdc.png (default CDC host mode, 24 keys) into the folder (default:
// the current one). Run it under xvfb-run with QT_QPA_PLATFORM=xcb to see the
// fonts of a real display.
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTest>
#include <cstdio>

#include "KeypadClass.h"
#include "Params.h"

namespace {

bool Shoot(TKeypadClass& keypad, int layout, const QString& path) {
  TfrmParameters dlg(
      keypad, [layout] { return layout; }, [] {});
  dlg.show();
  if (!QTest::qWaitForWindowExposed(&dlg)) return false;
  QApplication::processEvents();
  const bool saved = dlg.grab().save(path);
  std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
  dlg.close();
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());

  TKeypadClass keypad;
  keypad.SetOpMode(48);
  keypad.SetLED1Behavior(led_KBScroll);
  keypad.SetLED2Behavior(led_KBMacro);
  keypad.SetLED3Behavior(led_VSPower_KBLevel);
  keypad.SetDownloadDelay(0);  // as read from a file without a download delay
  bool ok = Shoot(keypad, 48, folder.filePath("properties-keyboard.png"));

  keypad.Initialize();
  keypad.SetBaudRate(7);
  keypad.SetWordFormat(6);
  keypad.SetCdcSerialNo(1234);
  ok = Shoot(keypad, 24, folder.filePath("properties-cdc.png")) && ok;
  return ok ? 0 : 1;
}
