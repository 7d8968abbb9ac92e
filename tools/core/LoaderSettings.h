// The loader settings file VOVirUvad.ini as the stand-in tools use it: the
// port in section "Com Port Configuration". Reading matches names without
// regard to case; writing changes only the lines of the keys it sets and
// keeps every other line of the file as it was. Standard library only.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TLoaderSettings {
 public:
  static constexpr std::string_view kSection = "Com Port Configuration";

  // Loads `path` when it exists; a missing file reads as empty.
  explicit TLoaderSettings(std::filesystem::path path);

  bool Exists() const { return exists_; }
  const std::filesystem::path& Path() const { return path_; }

  std::optional<std::string> Read(std::string_view section, std::string_view key) const;
  // Decimal, or hexadecimal with a 0x prefix; anything else gives `def`.
  int32_t ReadInteger(std::string_view section, std::string_view key, int32_t def) const;

  // Sets the key in memory: its line is replaced where it exists, otherwise
  // added at the end of its section (the section is added when missing).
  void Write(std::string_view section, std::string_view key, std::string_view value);

  // Writes the file (through a temporary file and a rename), creating its
  // folder when needed. False with `error` filled when that fails.
  bool Save(std::string* error = nullptr) const;

 private:
  std::filesystem::path path_;
  bool exists_ = false;
  std::string bom_;  // a UTF-8 byte-order mark, kept when present
  std::string newline_ = "\r\n";
  std::vector<std::string> lines_;
};

// "Port: COM5 (USB)" style summary of a ComType letter: "USB", "DB9", "CDC",
// or empty for anything else.
std::string PortTypeName(std::string_view comType);
