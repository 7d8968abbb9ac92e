// Every message box and file dialog of the editor goes through this interface,
// so that tests can answer them without a modal loop.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

enum class SaveAnswer { Yes, No, Cancel };

struct FileDialogRequest {
  QString title;                // empty: the toolkit's default title
  QString folder;               // the folder shown first
  QString fileName;             // proposed file name (may include a folder)
  QStringList filters;          // e.g. "Custom Keyboard Definition (*.ckd)"
  int selectedFilter = 0;       // index into filters
  QString defaultSuffix;        // without the dot; empty for none
  bool confirmOverwrite = false;
};

class IPrompts {
 public:
  virtual ~IPrompts() = default;
  // An error box with one OK button.
  virtual void ShowError(QWidget* parent, const QString& text) = 0;
  // A confirmation box with Yes, No and Cancel.
  virtual SaveAnswer AskYesNoCancel(QWidget* parent, const QString& text) = 0;
  // The open and save file dialogs; nullopt when cancelled.
  virtual std::optional<QString> GetOpenFileName(QWidget* parent, const FileDialogRequest& request) = 0;
  virtual std::optional<QString> GetSaveFileName(QWidget* parent, const FileDialogRequest& request) = 0;
};
