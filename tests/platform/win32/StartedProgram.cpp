// Stands in for the programs the editor starts. It records how it was started
// in the file named by KEYLOOM_HELPER_OUT (UTF-16, one item per line): first
// its own path, then each argument as Windows splits its command line. With
// KEYLOOM_HELPER_SLEEP_MS set it first sleeps that long, so that a caller
// waiting for it has something to wait for.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// After windows.h, which they build on.
#include <shellapi.h>

#include <cwchar>
#include <string>

namespace {

std::wstring Environment(const wchar_t* name) {
  wchar_t value[32768];
  const DWORD length = GetEnvironmentVariableW(name, value, 32768);
  return length > 0 && length < 32768 ? std::wstring(value, length) : std::wstring();
}

}  // namespace

int main() {
  const std::wstring sleepMs = Environment(L"KEYLOOM_HELPER_SLEEP_MS");
  if (!sleepMs.empty()) {
    Sleep(static_cast<DWORD>(std::wcstoul(sleepMs.c_str(), nullptr, 10)));
  }
  const std::wstring out = Environment(L"KEYLOOM_HELPER_OUT");
  if (out.empty()) {
    return 2;
  }

  wchar_t self[32768];
  const DWORD selfLength = GetModuleFileNameW(nullptr, self, 32768);
  std::wstring text(self, selfLength);
  text += L'\n';
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  for (int i = 1; argv != nullptr && i < argc; ++i) {
    text += argv[i];
    text += L'\n';
  }
  LocalFree(argv);

  // Written beside and then renamed, so that a reader polling for the file
  // never sees half of it.
  const std::wstring part = out + L".part";
  HANDLE file = CreateFileW(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return 3;
  }
  DWORD written = 0;
  const DWORD bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  const BOOL ok = WriteFile(file, text.data(), bytes, &written, nullptr);
  CloseHandle(file);
  if (!ok || written != bytes ||
      !MoveFileExW(part.c_str(), out.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    return 4;
  }
  return 0;
}
