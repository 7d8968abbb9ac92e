#include "DownloadCheck.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>

namespace {

constexpr std::size_t kParameterLines = 28;
// The largest sound file has 28 + 48 * (6 + 2 * 256) lines of 6 bytes each;
// anything far beyond that is not a download file.
constexpr std::uintmax_t kMaxFileSize = 1u << 20;

std::string Hex2(unsigned value) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02X", value & 0xFFu);
  return buf;
}

std::string KeyName(int index) {
  return "key " + std::to_string(index + 1) + " (index " + std::to_string(index) + ")";
}

std::string LevelName(int level) { return "level-" + std::to_string(level + 1); }

// A line as the user would read it in a message: printable ASCII kept,
// everything else shown as <XX>, cut after 24 characters.
std::string Shown(std::string_view line) {
  std::string out;
  for (std::size_t i = 0; i < line.size() && i < 24; ++i) {
    const auto c = static_cast<unsigned char>(line[i]);
    if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else {
      out += "<" + Hex2(c) + ">";
    }
  }
  if (line.size() > 24) out += "...";
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

class Checker {
 public:
  explicit Checker(TDownloadCheck& result) : r_(result) {}

  bool Fail(std::size_t line, const std::string& what) {
    r_.ok = false;
    r_.line = static_cast<int>(line);
    r_.message = "line " + std::to_string(line) + ": " + what;
    return false;
  }

  // Splits the text into byte values, one per `"XX"` CR LF line.
  bool Tokenize(std::string_view text) {
    std::size_t pos = 0;
    std::size_t line = 1;
    while (pos < text.size()) {
      const std::size_t eol = text.find('\n', pos);
      const std::size_t end = eol == std::string_view::npos ? text.size() : eol;
      std::string_view body = text.substr(pos, end - pos);
      const bool hasCr = !body.empty() && body.back() == '\r';
      if (hasCr) body.remove_suffix(1);
      const bool shapeOk = body.size() == 4 && body[0] == '"' && body[3] == '"' &&
                           HexDigit(body[1]) >= 0 && HexDigit(body[2]) >= 0;
      if (!shapeOk) {
        return Fail(line, "expected two upper-case hexadecimal digits in double quotes, found \"" +
                              Shown(body) + "\"" + (body.empty() ? " (an empty line)" : ""));
      }
      if (eol == std::string_view::npos) return Fail(line, "the last line does not end with CR LF");
      if (!hasCr) return Fail(line, "the line ends with LF alone instead of CR LF");
      values_.push_back(static_cast<uint8_t>(HexDigit(body[1]) * 16 + HexDigit(body[2])));
      pos = eol + 1;
      ++line;
    }
    return true;
  }

  bool Parse() {
    const std::size_t n = values_.size();
    if (n == 0) return Fail(1, "the file is empty");
    if (n < kParameterLines) {
      return Fail(n + 1, "the file ends inside the parameter record, which has 28 lines");
    }
    if (values_[1] != 1) {
      return Fail(2, "the parameter record's kind is " + Hex2(values_[1]) + ", expected 01");
    }
    if (values_[2] != 25) {
      return Fail(3, "the parameter record's line count is " + Hex2(values_[2]) +
                         ", expected 19 (25 lines follow)");
    }
    r_.image.parameters.assign(values_.begin(), values_.begin() + kParameterLines);
    const uint8_t prefix = values_[0];

    std::size_t pos = kParameterLines;
    int k = 0;
    while (pos < n) {
      if (k == 48) return Fail(pos + 1, "a 49th key record follows; a keypad has at most 48 keys");
      if (pos + 6 > n) return Fail(n + 1, "the file ends inside the record of " + KeyName(k));
      const std::size_t first = pos + 1;  // line number of the record's first line
      if (values_[pos] != prefix) {
        return Fail(first, "the record of " + KeyName(k) + " starts with " + Hex2(values_[pos]) +
                               ", expected the command prefix " + Hex2(prefix));
      }
      if (values_[pos + 1] != 2) {
        return Fail(first + 1, "the record kind of " + KeyName(k) + " is " +
                                   Hex2(values_[pos + 1]) + ", expected 02");
      }
      for (std::size_t at : {pos + 2, pos + 5}) {
        if (values_[at] != k) {
          return Fail(at + 1, "the key index is " + Hex2(values_[at]) + ", expected " +
                                  Hex2(static_cast<unsigned>(k)) + " for the record of " +
                                  KeyName(k));
        }
      }
      TKeyImage key;
      key.index = k;
      // The flags come level 2 first, the blocks level 1 first.
      const std::size_t flagAt[2] = {pos + 4, pos + 3};
      for (int level = 0; level < 2; ++level) {
        const uint8_t flag = values_[flagAt[level]];
        if (flag != 0 && flag != 1 && flag != 3) {
          return Fail(flagAt[level] + 1, "the " + LevelName(level) + " flag of " + KeyName(k) +
                                             " is " + Hex2(flag) + ", expected 00, 01 or 03");
        }
        key.levels[level].flag = flag;
      }
      pos += 6;
      for (int level = 0; level < 2; ++level) {
        if (!ParseBlock(pos, k, level, key.levels[level].bytes)) return false;
        const bool flagSaysEmpty = key.levels[level].flag == 0;
        if (flagSaysEmpty != key.levels[level].bytes.empty()) {
          return Fail(flagAt[level] + 1,
                      "the " + LevelName(level) + " flag of " + KeyName(k) + " is " +
                          Hex2(key.levels[level].flag) + " but its macro block holds " +
                          std::to_string(key.levels[level].bytes.size()) + " bytes");
        }
      }
      r_.image.keys.push_back(std::move(key));
      ++k;
    }
    if (k == 0) return Fail(n, "the file ends after the parameter record; no key record follows");
    if (k != 24 && k != 48) {
      return Fail(n, "the file ends after the record of " + KeyName(k - 1) + "; " +
                         std::to_string(k) + " key records, expected 24 or 48");
    }
    r_.image.byteCount = n;
    r_.ok = true;
    r_.line = 0;
    r_.message.clear();
    return true;
  }

 private:
  // A macro block: a count line c, then c lines. c = 0 is an empty macro;
  // c from 2 to 99 holds c-1 bytes and a closing 00; c of 100 or more holds c
  // bytes (at exactly 100 the last line may also be the closing 00 of a
  // 99-byte macro: both take the same lines).
  bool ParseBlock(std::size_t& pos, int k, int level, std::vector<uint8_t>& bytes) {
    const std::size_t n = values_.size();
    const std::string what = "the " + LevelName(level) + " macro block of " + KeyName(k);
    if (pos >= n) return Fail(n + 1, "the file ends before " + what);
    const unsigned count = values_[pos];
    if (count == 0) {
      ++pos;
      return true;
    }
    if (count == 1) {
      return Fail(pos + 1, what + " has the count 01; an empty macro is a single 00");
    }
    if (pos + 1 + count > n) {
      return Fail(n + 1, "the file ends inside " + what + ", whose count " + Hex2(count) +
                             " announces " + std::to_string(count) + " more lines");
    }
    const std::size_t last = pos + count;  // index of the block's last line
    bool closed = false;
    if (count < 100) {
      if (values_[last] != 0) {
        return Fail(last + 1, what + " should end with 00 here (count " + Hex2(count) +
                                  "), found " + Hex2(values_[last]));
      }
      closed = true;
    } else if (count == 100 && values_[last] == 0) {
      closed = true;
    }
    bytes.assign(values_.begin() + static_cast<std::ptrdiff_t>(pos + 1),
                 values_.begin() + static_cast<std::ptrdiff_t>(closed ? last : last + 1));
    pos = last + 1;
    return true;
  }

  TDownloadCheck& r_;
  std::vector<uint8_t> values_;
};

}  // namespace

TDownloadCheck CheckDownloadText(std::string_view text) {
  TDownloadCheck result;
  Checker checker(result);
  if (checker.Tokenize(text)) checker.Parse();
  if (!result.ok) result.image = TDownloadImage{};
  return result;
}

TDownloadCheck CheckDownloadFile(const std::filesystem::path& path) {
  TDownloadCheck result;
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  if (ec) {
    result.message = "cannot read the file: " + ec.message();
    return result;
  }
  if (size > kMaxFileSize) {
    result.message =
        "the file is " + std::to_string(size) + " bytes long, far more than any download file";
    return result;
  }
  std::ifstream in(path, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in.good() && !in.eof()) {
    result.message = "cannot read the file";
    return result;
  }
  return CheckDownloadText(text);
}

std::string LevelFlagText(uint8_t flag) {
  switch (flag) {
    case 0:
      return "empty";
    case 1:
      return "macro";
    case 3:
      return "macro, repeats";
    default:
      return "flag " + Hex2(flag);
  }
}
