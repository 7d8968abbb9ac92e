// The real platform: Qt for folders, programs and documents; the native
// keyboard query for Shift and Caps Lock, which Qt cannot give.
#pragma once

#include <QStringList>

#include "Platform.h"

class QtPlatform : public IPlatform {
 public:
  QtPlatform();
  ~QtPlatform() override;
  QtPlatform(const QtPlatform&) = delete;
  QtPlatform& operator=(const QtPlatform&) = delete;

  QString DocumentsFolder() const override;
  QString ProgramFolder() const override;
  bool StartProgram(const QString& program, const QString& parameters) override;
  bool OpenDocument(const QString& document) override;
  bool RunAndWait(const QString& program, const std::function<void()>& repaint) override;
  PcKeyboardState KeyboardState() const override;
  std::optional<QString> FileVersion() const override;

 private:
  struct X11Keyboard;
  mutable X11Keyboard* x11_ = nullptr;  // opened on first use; null where there is no X display
  mutable bool x11Tried_ = false;
};

// Splits a parameter text into arguments as a Windows program's start-up code
// does: blanks separate arguments, double quotes group blanks into one, a
// backslash run before a quote halves and may escape it.
QStringList SplitWindowsCommandLine(const QString& parameters);
