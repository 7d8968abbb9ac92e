// INI text files as this program keeps them: names matched without regard to
// case, values trimmed and unquoted, and a write that updates the file in
// place (every other line kept) and replaces it atomically.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "IniText.h"

class TIniFile {
 public:
  // Loads `path` if it exists (UTF-16LE or UTF-8 with a byte-order mark,
  // otherwise Windows-1252). Throws FileError when it exists but cannot be
  // read.
  explicit TIniFile(std::filesystem::path path);

  const std::filesystem::path& FileName() const;
  bool Exists() const;  // the file existed when loaded

  std::vector<std::string> ReadSections() const;  // in file order
  bool ValueExists(std::string_view section, std::string_view key) const;
  std::u16string ReadString(std::string_view section, std::string_view key,
                            std::u16string_view def) const;
  // Decimal, or hexadecimal with a 0x prefix; anything else gives `def`.
  int32_t ReadInteger(std::string_view section, std::string_view key, int32_t def) const;
  bool ReadBool(std::string_view section, std::string_view key, bool def) const;

  void WriteString(std::string_view section, std::string_view key, std::u16string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int32_t value);
  void WriteBool(std::string_view section, std::string_view key, bool value);

  // Writes the file whole, atomically. Throws FileError naming the file; the
  // old file is then unchanged.
  void UpdateFile();

  // The text as it stands, for readers that work on text in memory.
  const TIniText& Text() const { return text_; }
  TIniText& Text() { return text_; }

 private:
  std::filesystem::path path_;
  bool exists_ = false;
  TIniText text_;
};
