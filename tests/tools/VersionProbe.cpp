// A program that links the version reader, and in one of its two builds the
// version table, and prints what it finds in itself.
#include <cstdio>

#include "EmbeddedVersion.h"

int main(int argc, char** argv) {
  if (argc < 1) return 2;
  const auto version = ReadEmbeddedFileVersion(argv[0]);
  std::printf("%s\n", version ? version->c_str() : "NA");
  return 0;
}
