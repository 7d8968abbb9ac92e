// The character encodings of the INI text files this program reads and
// writes: UTF-16LE or UTF-8 with a byte-order mark, otherwise Windows-1252.
#pragma once

#include <string>
#include <string_view>

enum class TTextEncoding {
  Windows1252,  // 8-bit text without a mark
  Utf8Bom,
  Utf16LeBom,
};

struct TDecodedText {
  std::u16string text;
  TTextEncoding encoding = TTextEncoding::Windows1252;
};

// Decodes file bytes by their byte-order mark. Nothing is lost: bytes that are
// not valid UTF-8 are kept as the lone surrogates U+DC80..U+DCFF and encoded
// back to the same bytes; the five bytes Windows-1252 leaves undefined map to
// the control characters of the same value.
TDecodedText DecodeText(std::string_view bytes);

// Encodes text with the mark of `encoding`. For Windows-1252 every character
// must fit (see FitsWindows1252).
std::string EncodeText(std::u16string_view text, TTextEncoding encoding);

bool FitsWindows1252(std::u16string_view text);

// UTF-8 <-> UTF-16 for names and messages; invalid input becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);
