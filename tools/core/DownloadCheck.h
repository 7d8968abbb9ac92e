// The loader stand-in's reading of a download file: it checks the structure
// line by line and, when the file is sound, gives back what would be sent to
// the keypad. Standard library only, so the checks are tested without Qt.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// One level of one key as the download file carries it.
struct TLevelImage {
  uint8_t flag = 0;            // 0 empty, 1 macro, 3 macro that repeats
  std::vector<uint8_t> bytes;  // the macro's bytes, without block count or closing 00
};

struct TKeyImage {
  int index = 0;
  std::array<TLevelImage, 2> levels;  // [0] is level 1, [1] is level 2
};

struct TDownloadImage {
  std::vector<uint8_t> parameters;  // the 28 bytes of the parameter record
  std::vector<TKeyImage> keys;      // 24 or 48, in key order
  std::size_t byteCount = 0;        // every byte of the file, i.e. its line count
};

struct TDownloadCheck {
  bool ok = false;
  int line = 0;          // 1-based line the fault lies on (0 when ok)
  std::string message;   // "line 17: ..." when not ok
  TDownloadImage image;  // complete only when ok
};

// Checks the text of a download file.
TDownloadCheck CheckDownloadText(std::string_view text);

// Reads and checks the file; a file that cannot be read, or is far larger
// than any download file, is reported with line 0.
TDownloadCheck CheckDownloadFile(const std::filesystem::path& path);

// "Level flag" in words: "empty", "macro", "macro, repeats".
std::string LevelFlagText(uint8_t flag);
