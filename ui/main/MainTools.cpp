// The commands that leave the editor: Download, Test, Set Port, the Help menu
// and Key Labels. Programs and help documents are looked for in the program
// folder only; every failure is told once in the error box and changes nothing.
#include <QDir>
#include <QMenu>
#include <QToolButton>
#include <filesystem>

#include "About.h"
#include "LoaderSettings.h"
#include "PathText.h"
#include "Platform.h"
#include "Prompts.h"
#include "Unit1.h"

namespace {

const QString kMustSave =
    QStringLiteral("You must save your file before downloading it to the keypad.");
const QString kOpenFirst =
    QStringLiteral("Please open a Keypad .CKD file before attempting to download.");
const QString kNoLoader = QStringLiteral(
    "Could not find \"VOVirUvad.exe\" loader program.  Make sure it is located in the same "
    "directory as this application.");
const QString kNoTestProgram = QStringLiteral(
    "Could not find the Windows PadProbe Program.  Make sure it is located in the same directory "
    "as this application.");
const QString kNoPortChooser = QStringLiteral(
    "Could not find \"LinkChooser.exe\".  Make sure it is located in the same directory as this "
    "application.");
const QString kNoKeyLabels = QStringLiteral("Could not find \"Label Template.doc\" file.");

}  // namespace

QString TfrmMain::LoaderParameter(const QString& downloadFileString) {
  QString path = downloadFileString;
  if (path.size() >= 2 && path.startsWith(u'"') && path.endsWith(u'"'))
    path = path.mid(1, path.size() - 2);
  else
    return downloadFileString;  // not a quoted path: handed over as it is
  // A Windows path cannot hold a double quote, so there this gives back the
  // download file string unchanged. Elsewhere a quote in a file name is
  // escaped with a backslash, and the backslashes right before it doubled.
  QString text(u'"');
  qsizetype slashes = 0;
  for (const QChar c : path) {
    if (c == u'\\') {
      ++slashes;
    } else {
      if (c == u'"') text += QString(slashes + 1, u'\\');
      slashes = 0;
    }
    text += c;
  }
  text += QString(slashes, u'\\');  // so that the closing quote stays a quote
  text += u'"';
  return text;
}

// Download: a dirty definition first, then no download file; the loader is
// started and left to run, whether or not the file is on disk.
void TfrmMain::ToolBtnDownloadClick() {
  RunGuarded([this] {
    if (bChangesPending) {
      fPrompts.ShowError(this, kMustSave);
      return;
    }
    if (fDownloadFileString.isEmpty()) {
      fPrompts.ShowError(this, kOpenFirst);
      return;
    }
    const QString loader = fPlatform.ProgramFolder() + QStringLiteral("VOVirUvad.exe");
    if (!fPlatform.StartProgram(loader, LoaderParameter(fDownloadFileString)))
      fPrompts.ShowError(this, kNoLoader);
  });
}

// Test: the key-test program for a keypad in the PC keyboard mode, otherwise
// the serial test program on the loader's port. A negative port starts nothing.
void TfrmMain::ToolButtonTestClick() {
  RunGuarded([this] {
    const QString folder = fPlatform.ProgramFolder();
    if (fKeypad.OpMode() == 48) {
      fPlatform.StartProgram(folder + QStringLiteral("PadProbe.exe"), QString());
      return;  // its result is not looked at
    }
    // A missing settings file reads as port 0.
    const int32_t port = ReadComPort(ToPath(LoaderSettingsFile()), 0);
    const QString scope = folder + QStringLiteral("LineScope.exe");
    bool started = false;
    if (port == 0)
      started = fPlatform.StartProgram(scope, QString());
    else if (port > 0)
      started = fPlatform.StartProgram(scope, QString::number(port));
    if (!started) fPrompts.ShowError(this, kNoTestProgram);
  });
}

// Set Port: waits for the port chooser, repainting this window meanwhile and
// taking no other input, then shows whatever port the settings file names.
void TfrmMain::btnSetPortClick() {
  RunGuarded([this] {
    const QString chooser = fPlatform.ProgramFolder() + QStringLiteral("LinkChooser.exe");
    const bool ran = fPlatform.RunAndWait(chooser, [this] { repaint(); });
    if (!ran) fPrompts.ShowError(this, kNoPortChooser);
  });
  RunGuarded([this] { UpdatePortPanel(); });
}

// Help has no command of its own: it drops its menu down below the button.
void TfrmMain::ToolBtnHelpClick() {
  HelpMenu->popup(ToolBtnHelp->mapToGlobal(QPoint(0, ToolBtnHelp->height())));
}

void TfrmMain::GettingStartedClick() {
  RunGuarded([this] {
    const QString document = fPlatform.ProgramFolder() + QStringLiteral("Help") +
                             QDir::separator() + QStringLiteral("First Steps.pdf");
    if (!fPlatform.OpenDocument(document))
      fPrompts.ShowError(this, QStringLiteral("Could not find \"First Steps.pdf\" help file."));
  });
}

void TfrmMain::UserManualClick() {
  RunGuarded([this] {
    const QString document = fPlatform.ProgramFolder() + QStringLiteral("Help") +
                             QDir::separator() + QStringLiteral("KeyloomTVRxx.pdf");
    if (!fPlatform.OpenDocument(document))
      fPrompts.ShowError(this, QStringLiteral("Could not find \"KeyloomTVRxx.pdf\" help file."));
  });
}

void TfrmMain::AboutMenuItemClick() {
  RunGuarded([this] { ShowAboutDialog(this, fPlatform); });
}

// Key Labels: the user picks a keycap document or template in the key label
// folder, and the system opens it with its own program.
void TfrmMain::ToolButtonKeyLabelsClick() {
  RunGuarded([this] {
    FileDialogRequest request;
    request.folder = fDirString + QDir::separator() + QStringLiteral("Keycap_Labels");
    request.filters = {QStringLiteral("Keycap Documents (*.doc)"),
                       QStringLiteral("Keycap Templates (*.bmp)"),
                       QStringLiteral("All Files (*.*)")};
    request.selectedFilter = 2;
    const std::optional<QString> chosen = fPrompts.GetOpenFileName(this, request);
    if (!chosen) return;
    if (!fPlatform.OpenDocument(u'"' + *chosen + u'"')) fPrompts.ShowError(this, kNoKeyLabels);
  });
}
