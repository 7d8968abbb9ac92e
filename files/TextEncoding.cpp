#include "TextEncoding.h"

#include <array>
#include <cstdint>

namespace {

// Windows-1252 bytes 0x80..0x9F; the undefined ones map to themselves.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The byte for a character, or -1 when it has none.
int ToWindows1252(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return c;
  for (size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == c) return static_cast<int>(0x80 + i);
  }
  return -1;
}

constexpr char16_t kReplacement = 0xFFFD;
constexpr char16_t kEscapeBase = 0xDC00;  // U+DC80..U+DCFF carry a raw byte

void AppendUtf16(std::u16string& out, uint32_t cp) {
  if (cp >= 0x10000) {
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  } else {
    out.push_back(static_cast<char16_t>(cp));
  }
}

// Decodes UTF-8; an invalid byte becomes `escape(byte)`.
template <typename Escape>
std::u16string DecodeUtf8(std::string_view s, Escape escape) {
  std::u16string out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
      out.push_back(b0);
      ++i;
      continue;
    }
    int len = 0;
    uint32_t cp = 0;
    uint32_t min = 0;
    if ((b0 & 0xE0) == 0xC0) {
      len = 2, cp = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
      len = 3, cp = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
      len = 4, cp = b0 & 0x07, min = 0x10000;
    }
    bool ok = len > 0 && i + len <= s.size();
    for (int k = 1; ok && k < len; ++k) {
      const auto b = static_cast<unsigned char>(s[i + k]);
      if ((b & 0xC0) != 0x80) ok = false;
      cp = (cp << 6) | (b & 0x3F);
    }
    if (ok && (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))) ok = false;
    if (!ok) {
      out.push_back(escape(b0));
      ++i;
      continue;
    }
    AppendUtf16(out, cp);
    i += len;
  }
  return out;
}

template <typename Unpaired>
std::string EncodeUtf8(std::u16string_view s, Unpaired unpaired) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    uint32_t cp = s[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 &&
        s[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      unpaired(out, static_cast<char16_t>(cp));
      continue;
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

void AppendUtf8Replacement(std::string& out) { out += "\xEF\xBF\xBD"; }

}  // namespace

TDecodedText DecodeText(std::string_view bytes) {
  TDecodedText result;
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
      static_cast<unsigned char>(bytes[1]) == 0xFE) {
    result.encoding = TTextEncoding::Utf16LeBom;
    result.text.reserve(bytes.size() / 2);
    // A last odd byte cannot form a character and is dropped.
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
      result.text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                  (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    }
    return result;
  }
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") {
    result.encoding = TTextEncoding::Utf8Bom;
    result.text = DecodeUtf8(
        bytes.substr(3), [](unsigned char b) { return static_cast<char16_t>(kEscapeBase + b); });
    return result;
  }
  result.text.resize(bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    result.text[i] = (b >= 0x80 && b < 0xA0) ? kHighControls[b - 0x80] : b;
  }
  return result;
}

std::string EncodeText(std::u16string_view text, TTextEncoding encoding) {
  switch (encoding) {
    case TTextEncoding::Utf16LeBom: {
      std::string out;
      out.resize(2 + text.size() * 2);
      out[0] = '\xFF';
      out[1] = '\xFE';
      for (size_t i = 0; i < text.size(); ++i) {
        out[2 + 2 * i] = static_cast<char>(text[i] & 0xFF);
        out[3 + 2 * i] = static_cast<char>(text[i] >> 8);
      }
      return out;
    }
    case TTextEncoding::Utf8Bom:
      return "\xEF\xBB\xBF" + EncodeUtf8(text, [](std::string& out, char16_t c) {
               if (c >= 0xDC80 && c <= 0xDCFF) {
                 out.push_back(static_cast<char>(c - kEscapeBase));
               } else {
                 AppendUtf8Replacement(out);
               }
             });
    case TTextEncoding::Windows1252:
      break;
  }
  std::string out;
  out.resize(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const int b = ToWindows1252(text[i]);
    out[i] = static_cast<char>(b < 0 ? '?' : b);  // callers check FitsWindows1252 first
  }
  return out;
}

bool FitsWindows1252(std::u16string_view text) {
  for (char16_t c : text) {
    if (c >= 0x80 && ToWindows1252(c) < 0) return false;
  }
  return true;
}

std::u16string Utf8ToUtf16(std::string_view text) {
  return DecodeUtf8(text, [](unsigned char) { return kReplacement; });
}

std::string Utf16ToUtf8(std::u16string_view text) {
  return EncodeUtf8(text, [](std::string& out, char16_t) { AppendUtf8Replacement(out); });
}
