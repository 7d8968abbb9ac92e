// The operating system as the editor sees it: folders, starting programs and
// documents, the PC keyboard's state and the program's version. The window
// talks to this interface only; tests hand it a fake.
#pragma once

#include <QString>
#include <functional>
#include <optional>

struct PcKeyboardState {
  bool shiftDown = false;    // a Shift key is held down
  bool capsLockOn = false;   // Caps Lock is toggled on (and not held at the moment)
};

class IPlatform {
 public:
  virtual ~IPlatform() = default;

  // The user's documents folder, without a trailing separator; empty when the
  // system cannot name it.
  virtual QString DocumentsFolder() const = 0;
  // The folder of the running executable, with a trailing separator.
  virtual QString ProgramFolder() const = 0;

  // Starts `program` with `parameters` (may be empty), without a shell and
  // without waiting. The parameter text follows Windows command-line quoting:
  // a double-quoted path with spaces reaches the program as one argument.
  // True when the program was started.
  virtual bool StartProgram(const QString& program, const QString& parameters) = 0;
  // Opens `document` (optionally in double quotes) with the program the system
  // associates with it. True when that worked.
  virtual bool OpenDocument(const QString& document) = 0;
  // Starts `program` and waits for it to end, calling `repaint` after every
  // 500 ms of waiting. False when it could not be started.
  virtual bool RunAndWait(const QString& program, const std::function<void()>& repaint) = 0;

  // The PC keyboard right now.
  virtual PcKeyboardState KeyboardState() const = 0;

  // "FileVersion" of string table "040904E4" in the program's version
  // resource; nullopt when the resource, the table or the value is missing.
  virtual std::optional<QString> FileVersion() const = 0;
};
