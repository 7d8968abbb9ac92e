// The Windows side of the platform layer: plain functions over the Win32
// shell, process, keyboard and version calls, with wide strings in and plain
// results out. The Qt implementation of the platform interface calls these on
// Windows; they carry no Qt types so that they cross-build and run under Wine.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace win32 {

// The user's documents folder (the shell's personal folder), without a
// trailing backslash; empty when the shell cannot name it.
std::wstring DocumentsFolder();

// The folder of the running executable, with a trailing backslash.
std::wstring ProgramFolder();

// Starts `program` through the shell with its default verb, `parameters` as
// its command-line text (none when empty), no working folder and a normal
// window. True when the shell reports the program started.
bool StartProgram(const std::wstring& program, const std::wstring& parameters);

// Opens `document` with the program the shell associates with it (verb
// "open"). True when the shell reports success.
bool OpenDocument(const std::wstring& document);

// Starts `program` (a full path) and waits until it ends, calling `repaint`
// after every wait of at most 500 ms. False when it could not be started.
bool RunAndWait(const std::wstring& program, const std::function<void()>& repaint);

struct KeyboardState {
  bool shiftDown;   // a Shift key is held down
  bool capsLockOn;  // Caps Lock is toggled on and not held at this moment
};

// The PC keyboard's state as the calling thread sees it right now.
KeyboardState GetPcKeyboardState();

// "FileVersion" of string table "040904E4" in the version resource of
// `exePath`; nullopt when the file, the resource, the table or the value is
// missing.
std::optional<std::wstring> QueryFileVersion(const std::wstring& exePath);

// The version as the About box shows it: the first five characters of the
// file version, "NA" when there is none.
std::wstring VersionText(const std::wstring& exePath);

// The full path of the running executable.
std::wstring RunningExecutablePath();

}  // namespace win32
