// KeyloomTVRxx: the program entry. One keypad model for the whole run, the
// main window on the real platform and prompts, then the event loop.
#include <QApplication>
#include <QScreen>
#include <QTimer>

#include "Artwork.h"
#include "KeypadClass.h"
#include "Params.h"
#include "QtPlatform.h"
#include "QtPrompts.h"
#include "Unit1.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("KeyloomTVRxx"));
  QApplication::setApplicationDisplayName(QStringLiteral("KeyloomTVRxx"));
  QApplication::setOrganizationName(QStringLiteral("Corvella"));
  QApplication::setWindowIcon(AppIcon());

  QtPlatform platform;
  QtPrompts prompts;
  TKeypadClass keypad;

  // The creation handler runs inside the constructor: folders, settings,
  // layout, the file named on the command line, the port panel.
  TfrmMain frmMain(platform, prompts, keypad, app.arguments().mid(1));

  // The keypad properties dialog, created once, hidden until Properties.
  TfrmParameters frmParameters(
      keypad, [&frmMain] { return frmMain.GuiKeyLayout(); },
      [&frmMain] { frmMain.ChangesPending(true); }, &frmMain);
  frmMain.SetPropertiesDialog([&frmParameters] { frmParameters.exec(); });

  if (const QScreen* screen = frmMain.screen()) {
    const QRect area = screen->availableGeometry();
    frmMain.move(area.center() - QPoint(frmMain.width() / 2, frmMain.height() / 2));
  }
  frmMain.show();

  // scripts/screenshot.sh: save the window as a picture and end.
  const QString screenshot = qEnvironmentVariable("KEYLOOM_SCREENSHOT");
  if (!screenshot.isEmpty()) {
    QTimer::singleShot(800, &frmMain, [&frmMain, screenshot] {
      const bool saved = frmMain.grab().save(screenshot);
      QApplication::exit(saved ? 0 : 1);
    });
  }
  return app.exec();
}
