// GetDisplayValue: the short text of one code in a cell of the macro grid.
#include <array>
#include <cstdio>
#include <cstring>
#include <string>

#include "KeypadClass.h"

using namespace CodeValue;

namespace {

// Codes 0..32 by name; 127 is handled separately.
const std::array<const char16_t*, 33> kControlNames = {
    u"^@  00h", u"^A  01h", u"^B  02h", u"^C  03h", u"^D  04h", u"^E  05h", u"^F  06h",
    u"Bel",     u"BS",      u"Tab",     u"LF",      u"^K  0Bh", u"^L  0Ch", u"CR",
    u"^N  0Eh", u"^O  0Fh", u"^P  10h", u"^Q  11h", u"^R  12h", u"^S  13h", u"^T  14h",
    u"^U  15h", u"^V  16h", u"^W  17h", u"^X  18h", u"^Y  19h", u"^Z  1Ah", u"Esc",
    u"^\\  1Ch", u"^]  1Dh", u"^^  1Eh", u"^_  1Fh", u"Space"};

const char16_t* CommandName(int32_t code) {
  switch (code) {
    case 0x4005: return u"Led3 Off";
    case 0x4006: return u"Led3 On";
    case 0x4007: return u"Led3 Flash";
    case 0x4008: return u"Led1 Off";
    case 0x4009: return u"Led1 On";
    case 0x400A: return u"Led1 Flash";
    case 0x400B: return u"Led2 Off";
    case 0x400C: return u"Led2 On";
    case 0x400D: return u"Led2 Flash";
    case kAtSign: return u"@@";
    default: return u"";  // not a code the editor makes
  }
}

std::u16string Ascii(const char* text) { return std::u16string(text, text + std::strlen(text)); }

std::u16string HexText(int32_t v) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%02X", static_cast<unsigned>(v));
  return Ascii(buffer);
}

std::u16string TextView(int32_t v) {
  if (v == kEmpty) return u" ";
  if (v < 0) return u"";
  if (v < kDelayBit) {
    if (v <= 32) return kControlNames[v];
    if (v == 127) return u"Del";
    return std::u16string(1, static_cast<char16_t>(v));
  }
  if (IsDelay(v)) {
    const int32_t n = v - kDelayBit;
    if (n < 0 || n > 255) return u"";
    return u"Dly " + Ascii(std::to_string(n * 4).c_str());
  }
  if (IsCommand(v)) return CommandName(v);
  return u"";
}

}  // namespace

std::u16string TKeypadClass::GetDisplayValue(int32_t index) const {
  const int32_t v = CodeAt(index);
  if (bViewInHex) return v < 0 ? u" " : HexText(v);
  return TextView(v);
}
