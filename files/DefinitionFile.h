// Custom keyboard definition files (*.ckd): INI text with GLOBAL_PARAMETERS
// and one KEYn section per key.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

class TKeypadClass;

// Which keys are level keys, for the download file; 128 means none.
struct LevelKeyRecord {
  int32_t ToggleKey1 = 128;
  int32_t ToggleKey2 = 128;
  int32_t ShiftKey1 = 128;
  int32_t ShiftKey2 = 128;
};

// What the window applies after a file was read.
struct DefinitionReadResult {
  int keyCount = 48;  // the layout to show: 48, or 24 for any other count
};

// Reads the file into `keypad`, replacing its whole definition (the cursor
// ends on key 0, level 0). nullopt, with `keypad` untouched, when no file
// exists at `path`. Throws FileError naming the file when it exists but
// cannot be read or is malformed; `keypad` is untouched then too.
std::optional<DefinitionReadResult> ReadDefinitionFile(TKeypadClass& keypad,
                                                       const std::filesystem::path& path);

// Writes the definition of keys 0..keyCount-1 (keyCount is the layout shown:
// 48, or 24 for anything else), updating an existing file in place and
// atomically. The keypad's cursor is restored. Throws FileError naming the
// file; the old file is then unchanged.
LevelKeyRecord WriteDefinitionFile(TKeypadClass& keypad, const std::filesystem::path& path,
                                   int keyCount);
