#include "EmbeddedVersion.h"

#include <cctype>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

// The markers around the table. This file's own copies of them are followed
// by no valid entry list, so a search through an executable that holds the
// reader but no table finds nothing.
constexpr std::string_view kBegin{
    "\x7F"
    "KLVERSIONINFO"
    "\x01"};
constexpr std::string_view kEnd{
    "\x7F"
    "KLVERSIONEND"
    "\x01"};
constexpr std::size_t kMaxText = 256;
constexpr int kMaxEntries = 64;

struct Entry {
  std::string_view table, name, value;
};

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

// One NUL-ended text of printable ASCII at `pos`; advances past the NUL.
std::optional<std::string_view> Text(std::string_view bytes, std::size_t& pos) {
  const std::size_t start = pos;
  while (pos < bytes.size() && pos - start <= kMaxText) {
    const auto c = static_cast<unsigned char>(bytes[pos]);
    if (c == 0) {
      ++pos;
      return bytes.substr(start, pos - 1 - start);
    }
    if (c < 0x20 || c > 0x7E) return std::nullopt;
    ++pos;
  }
  return std::nullopt;
}

// The entries of the table that starts right after a begin marker at `pos`,
// or nothing when what follows is not a whole table.
std::optional<std::vector<Entry>> TableAt(std::string_view bytes, std::size_t pos) {
  std::vector<Entry> entries;
  while (static_cast<int>(entries.size()) <= kMaxEntries) {
    if (bytes.substr(pos, kEnd.size()) == kEnd) {
      if (entries.empty()) return std::nullopt;
      return entries;
    }
    const auto table = Text(bytes, pos);
    if (!table || table->empty()) return std::nullopt;
    const auto name = Text(bytes, pos);
    if (!name || name->empty()) return std::nullopt;
    const auto value = Text(bytes, pos);
    if (!value) return std::nullopt;
    entries.push_back({*table, *name, *value});
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> FindEmbeddedVersionValue(std::string_view bytes, std::string_view table,
                                                    std::string_view name) {
  for (std::size_t at = bytes.find(kBegin); at != std::string_view::npos;
       at = bytes.find(kBegin, at + 1)) {
    const auto entries = TableAt(bytes, at + kBegin.size());
    if (!entries) continue;
    for (const Entry& e : *entries) {
      if (SameName(e.table, table) && SameName(e.name, name)) return std::string(e.value);
    }
    return std::nullopt;  // the table is there, the value is not
  }
  return std::nullopt;
}

std::optional<std::string> ReadEmbeddedFileVersion(const std::filesystem::path& executable) {
  std::ifstream in(executable, std::ios::binary);
  if (!in) return std::nullopt;
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return FindEmbeddedVersionValue(bytes, "040904E4", "FileVersion");
}
