#include "LoaderSettings.h"

#include <cctype>
#include <charconv>
#include <fstream>
#include <iterator>
#include <system_error>

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

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

// "[Name]" gives Name; anything else nullopt.
std::optional<std::string_view> SectionOf(std::string_view line) {
  line = Trim(line);
  if (line.size() < 2 || line.front() != '[') return std::nullopt;
  const auto close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(1, close - 1));
}

// "key=value" gives key and value, both trimmed.
bool KeyValueOf(std::string_view line, std::string_view& key, std::string_view& value) {
  const auto eq = line.find('=');
  if (eq == std::string_view::npos) return false;
  key = Trim(line.substr(0, eq));
  value = Trim(line.substr(eq + 1));
  return !key.empty() && key.front() != ';';
}

std::string Utf16LeToUtf8(std::string_view bytes) {
  std::string out;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    char32_t c =
        static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8);
    if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size()) {
      const char32_t lo = static_cast<unsigned char>(bytes[i + 2]) |
                          (static_cast<unsigned char>(bytes[i + 3]) << 8);
      if (lo >= 0xDC00 && lo < 0xE000) {
        c = 0x10000 + ((c - 0xD800) << 10) + (lo - 0xDC00);
        i += 2;
      }
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::string Utf8ToUtf16Le(std::string_view s) {
  std::string out;
  auto put = [&out](char32_t u) {
    out += static_cast<char>(u & 0xFF);
    out += static_cast<char>((u >> 8) & 0xFF);
  };
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    char32_t c = b;
    std::size_t len = 1;
    if (b >= 0xF0 && i + 3 < s.size()) {
      c = ((b & 0x07u) << 18) | ((s[i + 1] & 0x3Fu) << 12) | ((s[i + 2] & 0x3Fu) << 6) |
          (s[i + 3] & 0x3Fu);
      len = 4;
    } else if (b >= 0xE0 && i + 2 < s.size()) {
      c = ((b & 0x0Fu) << 12) | ((s[i + 1] & 0x3Fu) << 6) | (s[i + 2] & 0x3Fu);
      len = 3;
    } else if (b >= 0xC0 && i + 1 < s.size()) {
      c = ((b & 0x1Fu) << 6) | (s[i + 1] & 0x3Fu);
      len = 2;
    }
    if (c >= 0x10000) {
      c -= 0x10000;
      put(0xD800 + (c >> 10));
      put(0xDC00 + (c & 0x3FF));
    } else {
      put(c);
    }
    i += len;
  }
  return out;
}

}  // namespace

TLoaderSettings::TLoaderSettings(std::filesystem::path path) : path_(std::move(path)) {
  std::ifstream in(path_, std::ios::binary);
  if (!in) return;
  exists_ = true;
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (text.size() >= 2 && text[0] == '\xFF' && text[1] == '\xFE') {
    bom_ = "\xFF\xFE";
    text = Utf16LeToUtf8(std::string_view(text).substr(2));
  } else if (text.rfind("\xEF\xBB\xBF", 0) == 0) {
    bom_ = "\xEF\xBB\xBF";
    text.erase(0, 3);
  }
  if (text.find("\r\n") == std::string::npos && text.find('\n') != std::string::npos)
    newline_ = "\n";
  std::size_t pos = 0;
  while (pos < text.size()) {
    auto eol = text.find('\n', pos);
    if (eol == std::string::npos) eol = text.size();
    std::string line = text.substr(pos, eol - pos);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines_.push_back(std::move(line));
    pos = eol + 1;
  }
}

std::optional<std::string> TLoaderSettings::Read(std::string_view section,
                                                 std::string_view key) const {
  bool inSection = false;
  for (const auto& line : lines_) {
    if (auto name = SectionOf(line)) {
      inSection = SameName(*name, section);
      continue;
    }
    std::string_view k, v;
    if (inSection && KeyValueOf(line, k, v) && SameName(k, key)) {
      if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        v = v.substr(1, v.size() - 2);
      }
      return std::string(v);
    }
  }
  return std::nullopt;
}

int32_t TLoaderSettings::ReadInteger(std::string_view section, std::string_view key,
                                     int32_t def) const {
  const auto text = Read(section, key);
  if (!text || text->empty()) return def;
  std::string_view s = *text;
  bool negative = false;
  if (s.front() == '-' || s.front() == '+') {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  int base = 10;
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    base = 16;
    s.remove_prefix(2);
  }
  int64_t value = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value, base);
  if (ec != std::errc() || end != s.data() + s.size() || s.empty()) return def;
  if (negative) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) return def;
  return static_cast<int32_t>(value);
}

void TLoaderSettings::Write(std::string_view section, std::string_view key,
                            std::string_view value) {
  const std::string entry = std::string(key) + "=" + std::string(value);
  bool inSection = false;
  std::optional<std::size_t> sectionEnd;  // index after the section's last key line
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (auto name = SectionOf(lines_[i])) {
      if (inSection) break;
      inSection = SameName(*name, section);
      if (inSection) sectionEnd = i + 1;
      continue;
    }
    if (!inSection) continue;
    std::string_view k, v;
    if (KeyValueOf(lines_[i], k, v)) {
      if (SameName(k, key)) {
        lines_[i] = std::string(k) + "=" + std::string(value);
        return;
      }
      sectionEnd = i + 1;
    }
  }
  if (sectionEnd) {
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(*sectionEnd), entry);
    return;
  }
  if (!lines_.empty() && !Trim(lines_.back()).empty()) lines_.emplace_back();
  lines_.push_back("[" + std::string(section) + "]");
  lines_.push_back(entry);
}

bool TLoaderSettings::Save(std::string* error) const {
  std::error_code ec;
  if (path_.has_parent_path()) std::filesystem::create_directories(path_.parent_path(), ec);
  std::string text;
  for (const auto& line : lines_) text += line + newline_;
  if (bom_ == "\xFF\xFE") {
    text = bom_ + Utf8ToUtf16Le(text);
  } else {
    text = bom_ + text;
  }
  auto tmp = path_;
  tmp += ".tmp";
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
      if (error) *error = "cannot write " + tmp.string();
      std::filesystem::remove(tmp, ec);
      return false;
    }
  }
  std::filesystem::rename(tmp, path_, ec);
  if (ec) {
    if (error) *error = "cannot replace " + path_.string() + ": " + ec.message();
    std::filesystem::remove(tmp, ec);
    return false;
  }
  return true;
}

std::string PortTypeName(std::string_view comType) {
  if (comType == "U" || comType == "u") return "USB";
  if (comType == "R" || comType == "r") return "DB9";
  if (comType == "V" || comType == "v") return "CDC";
  return {};
}
