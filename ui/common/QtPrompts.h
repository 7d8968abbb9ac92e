// The real prompts: Qt's message boxes and file dialogs.
#pragma once

#include "Prompts.h"

class QtPrompts : public IPrompts {
 public:
  void ShowError(QWidget* parent, const QString& text) override;
  SaveAnswer AskYesNoCancel(QWidget* parent, const QString& text) override;
  std::optional<QString> GetOpenFileName(QWidget* parent,
                                         const FileDialogRequest& request) override;
  std::optional<QString> GetSaveFileName(QWidget* parent,
                                         const FileDialogRequest& request) override;
};
