// The file commands: New, Open, Save, Save As, their keyboard shortcuts, a
// definition file dropped onto the window, and the save prompt on close.
#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QToolButton>
#include <QUrl>
#include <filesystem>

#include "DefinitionFile.h"
#include "DownloadFile.h"
#include "PathText.h"
#include "Prompts.h"
#include "Unit1.h"

namespace {

const QString kUntitled = QStringLiteral("untitled.ckd");

// The hourglass for the whole screen while a file is read or written. It is
// put back however the command ends, so an error box never shows under it.
class BusyCursor {
 public:
  BusyCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
  ~BusyCursor() { QApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

// The local .ckd file a drag carries, or an empty string.
QString DroppedDefinition(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls()) return {};
  const QList<QUrl> urls = data->urls();
  if (urls.size() != 1 || !urls.first().isLocalFile()) return {};
  const QString path = urls.first().toLocalFile();
  if (!path.endsWith(QStringLiteral(".ckd"), Qt::CaseInsensitive)) return {};
  return path;
}

}  // namespace

void TfrmMain::BuildFileCommands() {
  // Window-wide shortcuts beside the tool bar buttons. The shortcut map sees
  // the key before the focused widget does, so the grid never types the
  // control character of Ctrl+N, Ctrl+O or Ctrl+S.
  auto add = [this](const char* name, QKeySequence::StandardKey standard, const QKeySequence& own,
                    void (TfrmMain::*handler)()) {
    auto* action = new QAction(this);
    action->setObjectName(QString::fromLatin1(name));
    QList<QKeySequence> keys = QKeySequence::keyBindings(standard);
    if (!keys.contains(own)) keys << own;  // some platforms bind no Save As key
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, handler);
    addAction(action);
    return action;
  };
  actionNew = add("actionNew", QKeySequence::New, QKeySequence(Qt::CTRL | Qt::Key_N),
                  &TfrmMain::ToolBtnNewClick);
  actionOpen = add("actionOpen", QKeySequence::Open, QKeySequence(Qt::CTRL | Qt::Key_O),
                   &TfrmMain::ToolBtnOpenClick);
  // Ctrl+S does what the Save button does, and only while the button can.
  actionSave = add("actionSave", QKeySequence::Save, QKeySequence(Qt::CTRL | Qt::Key_S),
                   &TfrmMain::SaveShortcut);
  actionSaveAs = add("actionSaveAs", QKeySequence::SaveAs,
                     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), &TfrmMain::ToolBtnSaveAsClick);
  setAcceptDrops(true);
}

void TfrmMain::SaveShortcut() {
  if (ToolBtnSave->isEnabled()) SaveMenuItemClick();
}

void TfrmMain::ToolBtnNewClick() { NewMenuItemClick(); }
void TfrmMain::ToolBtnOpenClick() { OpenMenuItemClick(); }
void TfrmMain::ToolBtnSaveClick() { SaveMenuItemClick(); }
void TfrmMain::ToolBtnSaveAsClick() { SaveAsMenuItemClick(); }

bool TfrmMain::SaveChangesFirst(bool clearOnNo) {
  if (!bChangesPending) return true;
  switch (fPrompts.AskYesNoCancel(this, kSavePrompt)) {
    case SaveAnswer::Cancel:
      return false;
    case SaveAnswer::No:
      if (clearOnNo) ChangesPending(false);
      return true;
    case SaveAnswer::Yes:
      // A Yes whose save did not happen stops the asking command, so that a
      // Yes never ends in lost changes.
      return SaveMenuItemClick();
  }
  return false;
}

void TfrmMain::NewMenuItemClick() {
  if (!SaveChangesFirst(true)) return;
  RunGuarded([this] {
    fKeypad.Initialize();
    CopyAllKeyParametersToScreen();
    ResetSelection();
    SetTitle(QStringLiteral("KeyloomTVRxx - ") + kUntitled);
    fCurrentFileName = kUntitled;
    fDownloadFileString.clear();
    UpdatePortPanel();
  });
}

void TfrmMain::OpenMenuItemClick() {
  if (!SaveChangesFirst(false)) return;
  FileDialogRequest request;
  request.title = QStringLiteral("Open Redefinition File");
  request.folder = fDirString + QStringLiteral("/Macro_Files");
  request.filters = {QStringLiteral("Custom Keyboard Definition (*.ckd)")};
  request.defaultSuffix = QStringLiteral("ckd");
  const std::optional<QString> path = fPrompts.GetOpenFileName(this, request);
  if (!path) return;
  OpenDefinition(*path);
}

void TfrmMain::OpenDroppedFile(const QString& path) {
  if (!SaveChangesFirst(false)) return;
  OpenDefinition(path);
}

void TfrmMain::OpenDefinition(const QString& path) {
  RunGuarded([this, &path] {
    {
      const BusyCursor busy;
      // The reader changes nothing when it fails, and the loader's parameter
      // is set only after it succeeded: a failed Open leaves the window as
      // it was.
      ReadDefinitionIntoWindow(path);
      fDownloadFileString = QuotedDownloadFileFor(path);
    }
    ResetSelection();
    UpdatePortPanel();
  });
}

bool TfrmMain::SaveMenuItemClick() {
  if (fCurrentFileName.isEmpty() || fCurrentFileName.compare(kUntitled, Qt::CaseInsensitive) == 0)
    return SaveAsMenuItemClick();
  return SaveDefinition(fCurrentFileName);
}

bool TfrmMain::SaveAsMenuItemClick() {
  FileDialogRequest request;
  request.title = QStringLiteral("Save Redefinition File");
  request.folder = fDirString + QStringLiteral("/Macro_Files");
  request.fileName = fCurrentFileName;
  request.filters = {QStringLiteral("Custom Keyboard Definition  Files (*.ckd)")};
  request.defaultSuffix = QStringLiteral("ckd");
  request.confirmOverwrite = true;
  const std::optional<QString> path = fPrompts.GetSaveFileName(this, request);
  if (!path) return false;
  return SaveDefinition(*path);
}

bool TfrmMain::SaveDefinition(const QString& path) {
  bool saved = false;
  RunGuarded([this, &path, &saved] {
    const BusyCursor busy;
    const LevelKeyRecord levelKeys = WriteDefinitionFile(fKeypad, ToPath(path), fGuiKeyLayout);
    // The definition file is written: the window names it from here on, even
    // should its download file fail below.
    SetTitleForFile(path);
    ChangesPending(false);
    fCurrentFileName = path;
    WriteDownloadFile(fKeypad, DownloadFilePathFor(ToPath(path)), fGuiKeyLayout, levelKeys,
                      ToPath(LoaderSettingsFile()));
    fDownloadFileString = QuotedDownloadFileFor(path);
    saved = true;
  });
  return saved;
}

bool TfrmMain::FormCloseQuery() { return SaveChangesFirst(false); }

void TfrmMain::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedDefinition(event->mimeData()).isEmpty())
    event->acceptProposedAction();
  else
    event->ignore();
}

void TfrmMain::dropEvent(QDropEvent* event) {
  const QString path = DroppedDefinition(event->mimeData());
  if (path.isEmpty()) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  OpenDroppedFile(QDir::toNativeSeparators(path));
}
