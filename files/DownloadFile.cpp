#include "DownloadFile.h"

#include <algorithm>

#include "AtomicFile.h"
#include "DefinitionText.h"
#include "DownloadText.h"
#include "KeypadClass.h"
#include "LoaderSettings.h"

namespace fs = std::filesystem;

namespace {

int32_t Bcd(int32_t x) { return (x / 10) * 16 + x % 10; }

int32_t LedByte(TLEDBehavior led) { return led <= 6 ? led : 0; }

void AppendMacroBlock(std::string& out, const std::string& codes) {
  if (codes.size() < 2) {
    out += HexLine(0);
    return;
  }
  const int32_t n = static_cast<int32_t>(codes.size() / 2);
  out += HexLine(n < 100 ? n + 1 : n);
  for (int32_t i = 0; i < n; ++i) {
    out += HexLine(HexPairToByte(std::string_view(codes).substr(2 * static_cast<size_t>(i), 2)));
  }
  if (n < 100) out += HexLine(0);
}

int32_t LevelFlag(const TKeypadClass& keypad) {
  if (keypad.MakeCodes().empty()) return 0;
  return keypad.CanAutoRepeat() ? 3 : 1;
}

}  // namespace

std::string HexLine(int32_t value) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string digits;
  auto bits = static_cast<uint32_t>(value);  // negative values as two's complement
  do {
    digits.insert(digits.begin(), kDigits[bits & 15]);
    bits >>= 4;
  } while (bits != 0);
  if (value <= 15) digits.insert(digits.begin(), '0');
  return "\"" + digits + "\"\r\n";
}

int32_t HexPairToByte(std::string_view text) {
  auto digit = [&](size_t i) {
    if (i >= text.size()) return 0;  // a missing character counts as 0
    int32_t d = static_cast<unsigned char>(text[i]) - '0';
    if (d > 9) d -= 39;
    return d;
  };
  return digit(0) * 16 + digit(1);
}

fs::path DownloadFilePathFor(const fs::path& definitionPath) {
  std::u32string text = definitionPath.u32string();
  text.resize(text.size() >= 3 ? text.size() - 3 : 0);
  text += U"hex";
  return fs::path(text);
}

std::string DownloadFileText(TKeypadClass& keypad, int keyCount, const LevelKeyRecord& levelKeys) {
  const int count = LayoutKeyCount(keyCount);
  std::string out;
  out.reserve(static_cast<size_t>(28 + count * 216) * 6);
  const int32_t serial = std::clamp<int32_t>(keypad.CdcSerialNo(), 0, 9999);
  const int32_t parameters[] = {keypad.CmdPrefix(),
                                1,
                                25,
                                200,
                                100,
                                levelKeys.ToggleKey1,
                                levelKeys.ToggleKey2,
                                levelKeys.ShiftKey1,
                                levelKeys.ShiftKey2,
                                keypad.KeyRollOver(),
                                0,
                                keypad.CharacterPacing() / 2,
                                LedByte(keypad.LED1Behavior()),
                                keypad.BaudRate(),
                                keypad.WordFormat(),
                                64,
                                LedByte(keypad.LED2Behavior()),
                                LedByte(keypad.LED3Behavior()),
                                keypad.OpMode(),
                                0,
                                0,
                                0,
                                0,
                                0,
                                0,
                                0,
                                Bcd(serial / 100),
                                Bcd(serial % 100)};
  for (int32_t v : parameters) out += HexLine(v);

  const uint8_t savedKey = keypad.Key();
  const uint8_t savedLevel = keypad.Level();
  for (int k = 0; k < count; ++k) {
    keypad.SetKey(static_cast<uint8_t>(k));
    out += HexLine(keypad.CmdPrefix());
    out += HexLine(2);
    out += HexLine(k);
    keypad.SetLevel(1);
    out += HexLine(LevelFlag(keypad));
    keypad.SetLevel(0);
    out += HexLine(LevelFlag(keypad));
    out += HexLine(k);
    AppendMacroBlock(out, keypad.DownloadCodes());
    keypad.SetLevel(1);
    AppendMacroBlock(out, keypad.DownloadCodes());
  }
  keypad.SetKey(savedKey);
  keypad.SetLevel(savedLevel);
  return out;
}

void WriteDownloadFile(TKeypadClass& keypad, const fs::path& path, int keyCount,
                       const LevelKeyRecord& levelKeys, const fs::path& loaderSettingsFile) {
  WriteFileAtomically(path, DownloadFileText(keypad, keyCount, levelKeys));
  if (!loaderSettingsFile.empty()) CopyDownloadDelay(loaderSettingsFile, keypad.DownloadDelay());
}
