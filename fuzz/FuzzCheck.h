// What the fuzz targets compare and how they fail: a failed property aborts,
// so that libFuzzer keeps the input.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include "KeypadClass.h"

#define FUZZ_CHECK(condition)                                                               \
  do {                                                                                      \
    if (!(condition)) {                                                                     \
      std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                         \
    }                                                                                       \
  } while (0)

// Everything a definition file holds of a model. The key type is written
// without its top bit, so it is compared without it.
inline std::string ModelContent(TKeypadClass& keypad) {
  std::string out =
      std::to_string(keypad.DownloadDelay()) + "," + std::to_string(keypad.KeyRollOver()) + "," +
      std::to_string(keypad.CharacterPacing()) + "," + std::to_string(keypad.LED1Behavior()) + "," +
      std::to_string(keypad.LED2Behavior()) + "," + std::to_string(keypad.LED3Behavior()) + "," +
      std::to_string(keypad.BaudRate()) + "," + std::to_string(keypad.WordFormat()) + "," +
      std::to_string(keypad.CmdPrefix()) + "," + std::to_string(keypad.OpMode()) + "," +
      std::to_string(keypad.CdcSerialNo()) + "\n";
  const uint8_t key = keypad.Key(), level = keypad.Level();
  for (int k = 0; k < kKeyCount; ++k) {
    keypad.SetKey(static_cast<uint8_t>(k));
    out += std::to_string(keypad.Keytype() & 127);
    for (int l = 0; l < kLevelCount; ++l) {
      keypad.SetLevel(static_cast<uint8_t>(l));
      out += "|" + std::to_string(keypad.CanAutoRepeat()) + "|";
      for (char16_t c : keypad.GetMacroName()) out += std::to_string(c) + ".";
      out += "|";
      for (int i = 0; i < keypad.NumOfElements(); ++i)
        out += std::to_string(keypad.CodeAt(i)) + " ";
    }
    out += "\n";
  }
  keypad.SetKey(key);
  keypad.SetLevel(level);
  return out;
}
