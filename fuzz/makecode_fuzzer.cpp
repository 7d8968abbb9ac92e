// Parses arbitrary text as a make-code string (the first byte is the command
// prefix). Beyond not crashing: the macro stays within its slots and budget,
// its make-code string is lower-case hexadecimal of even length, and parsing
// that string again gives the same codes.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "KeypadClass.h"
#include "MakeCodeParser.h"

namespace {

std::string Codes(const TKeypadClass& keypad) {
  std::string out;
  for (int i = 0; i < keypad.NumOfElements(); ++i) out += std::to_string(keypad.CodeAt(i)) + " ";
  return out;
}

bool IsLowerHex(const std::string& text) {
  for (char c : text) {
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return text.size() % 2 == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t prefix = data[0];
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

  auto keypad = std::make_unique<TKeypadClass>();
  keypad->SetCmdPrefix(prefix);
  keypad->SetKey(static_cast<uint8_t>(size % kKeyCount));
  keypad->SetLevel(static_cast<uint8_t>(size % 2));
  ParseMakeCodes(*keypad, text);
  FUZZ_CHECK(keypad->NumOfElements() <= CodeValue::kMacroBudget + 1);
  FUZZ_CHECK(keypad->CodeCount() <= CodeValue::kMacroBudget + 2);
  FUZZ_CHECK(keypad->CodeAt(keypad->NumOfElements()) == CodeValue::kEmpty);

  const std::string made = keypad->MakeCodes();
  FUZZ_CHECK(IsLowerHex(made));
  FUZZ_CHECK(IsLowerHex(keypad->DownloadCodes()));

  auto again = std::make_unique<TKeypadClass>();
  again->SetCmdPrefix(prefix);
  ParseMakeCodes(*again, made);
  FUZZ_CHECK(Codes(*again) == Codes(*keypad));
  FUZZ_CHECK(again->MakeCodes() == made);
  return 0;
}
