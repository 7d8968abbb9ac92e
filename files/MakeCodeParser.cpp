#include "MakeCodeParser.h"

#include <string>

#include "KeypadClass.h"

using namespace CodeValue;

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;  // hand-edited files
  return -1;
}

// Only hexadecimal digits carry meaning; spaces and anything unreadable are
// dropped so that the pairs around them still line up.
std::string DigitsOnly(std::string_view text) {
  std::string digits;
  digits.reserve(text.size());
  for (char c : text) {
    if (HexDigit(c) >= 0) digits += c;
  }
  return digits;
}

}  // namespace

void ParseMakeCodes(TKeypadClass& keypad, std::string_view text) {
  const std::string digits = DigitsOnly(text);
  // A lone digit at the end is half a byte: it is dropped.
  const size_t byteCount = digits.size() / 2;
  auto byteAt = [&](size_t i) { return HexDigit(digits[2 * i]) * 16 + HexDigit(digits[2 * i + 1]); };

  const int32_t prefix = keypad.CmdPrefix();
  int32_t position = 0;
  size_t i = 0;
  while (i < byteCount) {
    const int32_t b = byteAt(i++);
    if (b != prefix || i == byteCount) {
      keypad.InsertByte(position, b);
      continue;
    }
    const int32_t c = byteAt(i++);
    if (c == kDelayCommand) {
      // A delay cut off before its length byte is dropped.
      if (i < byteCount) keypad.InsertByte(position, Delay(byteAt(i++)));
    } else if (c == kAtSignCommand) {
      keypad.InsertByte(position, kAtSign);
    } else if (c >= kFirstLedCommand && c <= kLastLedCommand) {
      keypad.InsertByte(position, Command(c));
    } else if (c == kLiteralPrefixCommand) {
      keypad.InsertByte(position, prefix);  // the prefix byte itself
    }
    // Any other command number is not one the keypad knows: dropped.
  }
}
