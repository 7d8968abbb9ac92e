#include "Win32Platform.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// After windows.h, which they build on.
#include <shellapi.h>
#include <shlobj.h>

#include <cwchar>
#include <vector>

namespace win32 {

namespace {

// The shell's answer to ShellExecuteW is an HINSTANCE that carries a number:
// above 32 means the program or document was started.
bool ShellStarted(HINSTANCE result) { return reinterpret_cast<INT_PTR>(result) > 32; }

}  // namespace

std::wstring DocumentsFolder() {
  // 262 characters: room for the longest classic path and its NUL.
  wchar_t buffer[262] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, 0, buffer))) {
    return {};
  }
  return std::wstring(buffer, wcsnlen(buffer, 261));
}

std::wstring RunningExecutablePath() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) {
      return {};
    }
    // A result that fills the whole buffer may have been cut short.
    if (length < buffer.size()) {
      return std::wstring(buffer.data(), length);
    }
    if (buffer.size() >= 32768) {
      return {};
    }
    buffer.resize(buffer.size() * 2);
  }
}

std::wstring ProgramFolder() {
  const std::wstring path = RunningExecutablePath();
  const std::wstring::size_type slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) {
    return {};
  }
  return path.substr(0, slash + 1);
}

bool StartProgram(const std::wstring& program, const std::wstring& parameters) {
  return ShellStarted(ShellExecuteW(nullptr, nullptr, program.c_str(),
                                    parameters.empty() ? nullptr : parameters.c_str(), nullptr,
                                    SW_SHOWNORMAL));
}

bool OpenDocument(const std::wstring& document) {
  return ShellStarted(
      ShellExecuteW(nullptr, L"open", document.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
}

bool RunAndWait(const std::wstring& program, const std::function<void()>& repaint) {
  // The command line is the bare path, as the port-selection program has
  // always been started. The program is also named as the application, so
  // that a path with blanks runs exactly this file: with no application name,
  // Windows would try each blank-separated prefix ("C:\Program.exe" for
  // "C:\Program Files\...") and could start a different program.
  std::vector<wchar_t> commandLine(program.begin(), program.end());
  commandLine.push_back(L'\0');

  STARTUPINFOW startup;
  ZeroMemory(&startup, sizeof startup);
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process;
  ZeroMemory(&process, sizeof process);

  // 0x220: a new process group at normal priority.
  constexpr DWORD kCreationFlags = CREATE_NEW_PROCESS_GROUP | NORMAL_PRIORITY_CLASS;
  static_assert(kCreationFlags == 0x220);
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, kCreationFlags,
                      nullptr, nullptr, &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);

  for (;;) {
    const DWORD result = WaitForSingleObject(process.hProcess, 500);
    if (repaint) {
      repaint();
    }
    // Ended, or the handle cannot be waited on: either way stop waiting.
    if (result != WAIT_TIMEOUT) {
      break;
    }
  }
  CloseHandle(process.hProcess);
  return true;
}

KeyboardState GetPcKeyboardState() {
  const SHORT shift = GetKeyState(VK_SHIFT);
  const SHORT capsLock = GetKeyState(VK_CAPITAL);
  // Shift: the high bit (key down). Caps Lock: toggled on and not held down,
  // which is the state 1 exactly.
  return KeyboardState{(static_cast<unsigned short>(shift) & 0x8000U) != 0, capsLock == 1};
}

std::optional<std::wstring> QueryFileVersion(const std::wstring& exePath) {
  DWORD unused = 0;
  const DWORD size = GetFileVersionInfoSizeW(exePath.c_str(), &unused);
  if (size == 0) {
    return std::nullopt;
  }
  // The vector frees the resource copy on every way out.
  std::vector<unsigned char> buffer(size);
  if (!GetFileVersionInfoW(exePath.c_str(), 0, size, buffer.data())) {
    return std::nullopt;
  }
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(buffer.data(), L"\\StringFileInfo\\040904E4\\FileVersion", &value, &length) ||
      value == nullptr) {
    return std::nullopt;
  }
  const auto* text = static_cast<const wchar_t*>(value);
  return std::wstring(text, wcsnlen(text, length));
}

std::wstring VersionText(const std::wstring& exePath) {
  const std::optional<std::wstring> version = QueryFileVersion(exePath);
  if (!version) {
    return L"NA";
  }
  return version->substr(0, 5);
}

}  // namespace win32
