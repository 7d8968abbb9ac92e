#include "IniFile.h"

#include "AtomicFile.h"
#include "FileError.h"
#include "IniText.h"
#include "TextEncoding.h"

namespace fs = std::filesystem;

TIniFile::TIniFile(fs::path path) : path_(std::move(path)) {
  if (FileExists(path_)) {
    exists_ = true;
    text_ = TIniText::Parse(ReadWholeFile(path_));
  }
}

const fs::path& TIniFile::FileName() const { return path_; }
bool TIniFile::Exists() const { return exists_; }

std::vector<std::string> TIniFile::ReadSections() const {
  std::vector<std::string> names;
  for (const auto& name : text_.SectionNames()) names.push_back(Utf16ToUtf8(name));
  return names;
}

bool TIniFile::ValueExists(std::string_view section, std::string_view key) const {
  return text_.FindEntry(Utf8ToUtf16(section), Utf8ToUtf16(key)) != nullptr;
}

std::u16string TIniFile::ReadString(std::string_view section, std::string_view key,
                                    std::u16string_view def) const {
  auto value = text_.Value(Utf8ToUtf16(section), Utf8ToUtf16(key));
  return std::u16string(value ? *value : def);
}

int32_t TIniFile::ReadInteger(std::string_view section, std::string_view key, int32_t def) const {
  auto value = text_.Value(Utf8ToUtf16(section), Utf8ToUtf16(key));
  if (!value) return def;
  return ParseIniInteger(*value).value_or(def);
}

bool TIniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TIniFile::WriteString(std::string_view section, std::string_view key,
                           std::u16string_view value) {
  text_.SetValue(Utf8ToUtf16(section), Utf8ToUtf16(key), value);
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
  WriteString(section, key, Utf8ToUtf16(std::to_string(value)));
}

void TIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? u"1" : u"0");
}

void TIniFile::UpdateFile() {
  WriteFileAtomically(path_, text_.Serialize());
  exists_ = true;
}
