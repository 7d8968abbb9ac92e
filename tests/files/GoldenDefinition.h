// The 48-key definition behind tests/data/full-48-key.hex: level keys,
// names and every code class.
#pragma once

#include "FileTestSupport.h"
#include "KeypadClass.h"

namespace testing_files {

// Keypad-wide values away from every default, shared by the full definitions.
inline void SetSampleKeypadValues(TKeypadClass& keypad) {
  keypad.SetKeyRollOver(4);
  keypad.SetCharacterPacing(7);
  keypad.SetLED1Behavior(led_VSLevel_KBCaps);
  keypad.SetLED2Behavior(led_KBPower);
  keypad.SetLED3Behavior(led_KBScroll);
  keypad.SetBaudRate(7);
  keypad.SetWordFormat(2);
  keypad.SetOpMode(48);
  keypad.SetCdcSerialNo(905);
}

// The definition tests/data/make_golden.py describes as FULL48.
inline void FillGoldenDefinition(TKeypadClass& keypad) {
  SetSampleKeypadValues(keypad);
  for (int k : {3, 10, 20}) keypad.SetKey(static_cast<uint8_t>(k)), keypad.SetKeytype(ktToggle);
  for (int k : {7, 40}) keypad.SetKey(static_cast<uint8_t>(k)), keypad.SetKeytype(ktShift);
  AddCodes(keypad, 0, 0, Text("Hello\r"));
  AddCodes(keypad, 0, 1, {CodeValue::Delay(50), CodeValue::Command(9), CodeValue::kAtSign, 97});
  AddCodes(keypad, 5, 0, {97, 64});
  std::vector<int32_t> commands;
  for (int c = 5; c <= 13; ++c) commands.push_back(CodeValue::Command(c));
  commands.insert(commands.end(), {CodeValue::Delay(0), CodeValue::Delay(255), 0, 255});
  AddCodes(keypad, 30, 1, commands);
  std::vector<int32_t> letters, digits, delays(33, CodeValue::Delay(200));
  for (int i = 0; i < 99; ++i) letters.push_back('a' + i % 26);
  for (int i = 0; i < 100; ++i) digits.push_back('0' + i % 10);
  delays.push_back(9);
  AddCodes(keypad, 46, 0, letters);
  AddCodes(keypad, 47, 0, digits);
  AddCodes(keypad, 47, 1, delays);
  const std::pair<int, int> repeating[] = {{0, 1}, {5, 0}, {12, 0}, {47, 0}};
  for (auto [key, level] : repeating) {
    keypad.SetKey(static_cast<uint8_t>(key));
    keypad.SetLevel(static_cast<uint8_t>(level));
    keypad.SetCanAutoRepeat(true);
  }
  keypad.SetKey(0);
  keypad.SetLevel(0);
  keypad.SetMacroName(u"Gr\u00FC\u00DFe \u20AC");
  keypad.SetKey(47);
  keypad.SetLevel(1);
  keypad.SetMacroName(u"\u03A9 digits");
}

}  // namespace testing_files
