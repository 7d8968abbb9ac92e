// A platform that tests set up: folders they choose, programs and documents
// recorded instead of started, and a PC keyboard state they control.
#pragma once

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

#include "Platform.h"

class FakePlatform : public IPlatform {
 public:
  QString documents;
  QString programFolder = QStringLiteral("/opt/keyloom/");
  PcKeyboardState keyboard;
  std::optional<QString> version;
  bool startResult = true;
  bool openResult = true;
  bool runResult = true;

  std::vector<std::pair<QString, QString>> started;  // program, parameters
  QStringList opened;
  QStringList ranAndWaited;
  mutable int keyboardQueries = 0;

  QString DocumentsFolder() const override { return documents; }
  QString ProgramFolder() const override { return programFolder; }
  bool StartProgram(const QString& program, const QString& parameters) override {
    started.emplace_back(program, parameters);
    return startResult;
  }
  bool OpenDocument(const QString& document) override {
    opened << document;
    return openResult;
  }
  bool RunAndWait(const QString& program, const std::function<void()>& repaint) override {
    ranAndWaited << program;
    if (repaint) repaint();
    return runResult;
  }
  PcKeyboardState KeyboardState() const override {
    ++keyboardQueries;
    return keyboard;
  }
  std::optional<QString> FileVersion() const override { return version; }
};
