#include <iostream>
#include <string>
#include <vector>

#include "Cli.h"

#ifdef _WIN32
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "TextEncoding.h"
#endif

int main(int argc, char** argv) {
  std::vector<std::string> args;
#ifdef _WIN32
  (void)argc;
  (void)argv;
  SetConsoleOutputCP(CP_UTF8);
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  for (int i = 1; wide != nullptr && i < count; ++i) {
    std::u16string text(wide[i], wide[i] + wcslen(wide[i]));
    args.push_back(Utf16ToUtf8(text));
  }
  LocalFree(wide);
#else
  args.assign(argv + 1, argv + argc);
#endif
  return RunCli(args, std::cout, std::cerr);
}
