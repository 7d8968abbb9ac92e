// MakeCodes: the bytes the keypad receives for the current macro, two
// lower-case hexadecimal digits each.
#include "KeypadClass.h"

using namespace CodeValue;

namespace {

void AppendByte(std::string& out, int32_t byte) {
  static const char kDigits[] = "0123456789abcdef";
  const auto b = static_cast<uint8_t>(byte);
  out += kDigits[b >> 4];
  out += kDigits[b & 0x0F];
}

}  // namespace

std::string TKeypadClass::ByteForm(bool forKeypad) const {
  const auto& values = CurrentMacro().Values;
  const int n = NumOfElements();
  const int32_t prefix = fCmdPrefix;
  std::string out;
  out.reserve(static_cast<size_t>(n) * 6);
  for (int i = 0; i < n; ++i) {
    const int32_t v = values[i];
    if (IsDelay(v)) {
      AppendByte(out, prefix);
      AppendByte(out, kDelayCommand);
      AppendByte(out, v - kDelayBit);
    } else if (IsCommand(v)) {
      AppendByte(out, prefix);
      AppendByte(out, v - kCommandBit);
    } else if (v == prefix && i + 1 < n) {
      // The prefix byte itself, with more codes after it, would be read as the
      // start of a command and swallow the code after it. In the definition it
      // travels as the prefix and the command number 0, which no command uses.
      // With the default prefix the keypad has a pair of its own for that byte,
      // the at-sign command, and that is what the keypad is sent.
      const bool atSignPair = forKeypad && prefix == kAtSignCommand;
      AppendByte(out, prefix);
      AppendByte(out, atSignPair ? kAtSignCommand : kLiteralPrefixCommand);
    } else {
      AppendByte(out, v);
    }
  }
  return out;
}

std::string TKeypadClass::MakeCodes() const { return ByteForm(false); }

std::string TKeypadClass::DownloadCodes() const { return ByteForm(true); }
