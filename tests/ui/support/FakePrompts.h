// Prompts that never open a window: answers are queued by the test, every
// text shown is recorded.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

#include "Prompts.h"

class FakePrompts : public IPrompts {
 public:
  QStringList errors;                              // texts of ShowError, in order
  QStringList questions;                           // texts of AskYesNoCancel
  std::deque<SaveAnswer> answers;                  // next answers; Cancel when empty
  std::deque<std::optional<QString>> openAnswers;  // nullopt = cancelled
  std::deque<std::optional<QString>> saveAnswers;
  std::vector<FileDialogRequest> openRequests;
  std::vector<FileDialogRequest> saveRequests;

  void ShowError(QWidget*, const QString& text) override { errors << text; }
  SaveAnswer AskYesNoCancel(QWidget*, const QString& text) override {
    questions << text;
    if (answers.empty()) return SaveAnswer::Cancel;
    const SaveAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::optional<QString> GetOpenFileName(QWidget*, const FileDialogRequest& request) override {
    openRequests.push_back(request);
    return Next(openAnswers);
  }
  std::optional<QString> GetSaveFileName(QWidget*, const FileDialogRequest& request) override {
    saveRequests.push_back(request);
    return Next(saveAnswers);
  }

 private:
  static std::optional<QString> Next(std::deque<std::optional<QString>>& queue) {
    if (queue.empty()) return std::nullopt;
    auto answer = queue.front();
    queue.pop_front();
    return answer;
  }
};
