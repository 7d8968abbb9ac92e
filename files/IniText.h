// The text of an INI file in memory: its lines as they were read, so that an
// update changes only the entries written and keeps every other line (and its
// line ending) as it was.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "TextEncoding.h"

enum class TLineEnd : uint8_t { CrLf, Lf, Cr, None };

struct TIniLine {
  std::u16string text;
  TLineEnd end = TLineEnd::CrLf;
  int number = 0;  // 1-based line number in the text read; 0 for a line added since
  // For an entry line (one with a '='): where its name lies and where the '=' is.
  size_t nameBegin = 0, nameEnd = 0, equals = std::u16string::npos;

  bool IsEntry() const { return equals != std::u16string::npos; }
  std::u16string_view Name() const {
    return std::u16string_view(text).substr(nameBegin, nameEnd - nameBegin);
  }
  // The value as a reader sees it: blanks trimmed, one pair of quotes removed.
  std::u16string_view Value() const;
};

struct TIniSection {
  bool hasHeader = false;  // false only for the lines before the first section
  std::u16string name;     // trimmed, as written in the file
  TIniLine header;
  std::vector<TIniLine> lines;
};

class TIniText {
 public:
  TIniText() = default;
  // Bytes of a file (see DecodeText for the encodings).
  static TIniText Parse(std::string_view bytes);
  // The bytes to store: UTF-16LE text stays UTF-16LE, UTF-8 stays UTF-8, and
  // 8-bit text becomes UTF-16LE only when a character does not fit it.
  std::string Serialize() const;
  TTextEncoding EncodingToWrite() const;

  // Section names without duplicates (a later section with an equal name is
  // never looked at), in file order.
  std::vector<std::u16string> SectionNames() const;
  bool HasSection(std::u16string_view section) const;
  const TIniLine* FindEntry(std::u16string_view section, std::u16string_view key) const;
  std::optional<std::u16string_view> Value(std::u16string_view section,
                                           std::u16string_view key) const;
  // Replaces the value of the first entry `key` of `section`, or appends the
  // entry at the end of the section, or the section at the end of the text.
  // `value` is stored so that reading it gives it back unchanged: enclosed in
  // quotes when blanks or quotes at its ends would otherwise be lost.
  void SetValue(std::u16string_view section, std::u16string_view key, std::u16string_view value);

  const std::vector<TIniSection>& Sections() const { return sections_; }

 private:
  const TIniSection* FindSection(std::u16string_view section) const;
  TIniSection& AddSection(std::u16string_view section);
  void Reindex();

  std::vector<TIniSection> sections_;
  std::unordered_map<std::u16string, size_t> index_;  // folded name -> first section
  TTextEncoding encoding_ = TTextEncoding::Windows1252;
};

// Names compare without regard to case (A to Z against a to z).
bool NamesEqual(std::u16string_view a, std::u16string_view b);
std::u16string FoldName(std::u16string_view name);

// The value forms: integers are decimal or 0x-prefixed hexadecimal.
std::optional<int32_t> ParseIniInteger(std::u16string_view text);
