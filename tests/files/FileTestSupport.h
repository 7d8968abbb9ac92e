// Small helpers for tests that work on real files: a fresh folder per test,
// whole-file reads and writes, and a model filled from lists of codes.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "KeypadClass.h"

namespace testing_files {

namespace fs = std::filesystem;

class TempFolder {
 public:
  TempFolder() {
    std::random_device rd;
    path_ =
        fs::temp_directory_path() / ("keyloom-test-" + std::to_string(rd()) + std::to_string(rd()));
    fs::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
  }
  const fs::path& Path() const { return path_; }
  fs::path operator/(const std::string& name) const { return path_ / fs::u8path(name); }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(path_))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  fs::path path_;
};

inline std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

// Appends codes to the macro of key `key`, level `level`.
inline void AddCodes(TKeypadClass& keypad, int key, int level, const std::vector<int32_t>& codes) {
  keypad.SetKey(static_cast<uint8_t>(key));
  keypad.SetLevel(static_cast<uint8_t>(level));
  for (int32_t code : codes) {
    int32_t position = keypad.NumOfElements();
    ASSERT_TRUE(keypad.InsertByte(position, code)) << "key " << key << " code " << code;
  }
}

inline std::vector<int32_t> CodesOf(TKeypadClass& keypad, int key, int level) {
  keypad.SetKey(static_cast<uint8_t>(key));
  keypad.SetLevel(static_cast<uint8_t>(level));
  std::vector<int32_t> codes;
  for (int i = 0; i < keypad.NumOfElements(); ++i) codes.push_back(keypad.CodeAt(i));
  return codes;
}

inline std::vector<int32_t> Text(const std::string& s) {
  return std::vector<int32_t>(s.begin(), s.end());
}

// Every field of two models, key by key, for EXPECT_EQ.
inline std::string Describe(TKeypadClass keypad) {
  std::string out =
      std::to_string(keypad.DownloadDelay()) + " " + std::to_string(keypad.KeyRollOver()) + " " +
      std::to_string(keypad.CharacterPacing()) + " " + std::to_string(keypad.LED1Behavior()) + " " +
      std::to_string(keypad.LED2Behavior()) + " " + std::to_string(keypad.LED3Behavior()) + " " +
      std::to_string(keypad.BaudRate()) + " " + std::to_string(keypad.WordFormat()) + " " +
      std::to_string(keypad.CmdPrefix()) + " " + std::to_string(keypad.OpMode()) + " " +
      std::to_string(keypad.CdcSerialNo()) + "\n";
  for (int k = 0; k < kKeyCount; ++k) {
    keypad.SetKey(static_cast<uint8_t>(k));
    out += "KEY" + std::to_string(k) + " type " + std::to_string(keypad.Keytype());
    for (int l = 0; l < kLevelCount; ++l) {
      keypad.SetLevel(static_cast<uint8_t>(l));
      // Appended piece by piece: g++ 12 warns falsely (-Wrestrict) on
      // "literal" + std::string temporaries here.
      out += " | ";
      out += std::to_string(keypad.CanAutoRepeat());
      out += ' ';
      for (char16_t c : keypad.GetMacroName()) {
        out += 'u';
        out += std::to_string(c);
      }
      out += " :";
      for (int i = 0; i < keypad.NumOfElements(); ++i) {
        out += ' ';
        out += std::to_string(keypad.CodeAt(i));
      }
    }
    out += "\n";
  }
  return out;
}

}  // namespace testing_files
