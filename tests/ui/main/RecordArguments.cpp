// Stands in for the programs the editor starts, on any system: it writes its
// arguments, each ended by a NUL byte, to the file named by
// KEYLOOM_RECORD_OUT. The file is written beside and then renamed, so that a
// test polling for it never reads half of it.
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  const char* out = std::getenv("KEYLOOM_RECORD_OUT");
  if (out == nullptr || *out == '\0') return 2;
  const std::string part = std::string(out) + ".part";
  std::FILE* file = std::fopen(part.c_str(), "wb");
  if (file == nullptr) return 3;
  bool ok = true;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    ok = ok && std::fwrite(arg.c_str(), 1, arg.size() + 1, file) == arg.size() + 1;
  }
  ok = std::fclose(file) == 0 && ok;
  if (!ok || std::rename(part.c_str(), out) != 0) return 4;
  return 0;
}
