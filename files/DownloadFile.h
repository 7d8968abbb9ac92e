// The download file the loader sends to the keypad: one byte per line as two
// hexadecimal digits in double quotes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "DefinitionFile.h"

class TKeypadClass;

// The download file's path for a definition file: its last three characters
// replaced by "hex".
std::filesystem::path DownloadFilePathFor(const std::filesystem::path& definitionPath);

// Writes the download file atomically for keys 0..keyCount-1 (48, or 24 for
// anything else), then copies DownloadDelay into the loader settings file at
// `loaderSettingsFile` when that file names a ComPort. An empty
// `loaderSettingsFile` skips that step. Throws FileError naming the file.
void WriteDownloadFile(TKeypadClass& keypad, const std::filesystem::path& path, int keyCount,
                       const LevelKeyRecord& levelKeys,
                       const std::filesystem::path& loaderSettingsFile);

// One line of the download file, CR LF included: "0A", "C8", ...
std::string HexLine(int32_t value);
int32_t HexPairToByte(std::string_view text);
