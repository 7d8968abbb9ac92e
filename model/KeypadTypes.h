// Plain data of a keypad definition: keys, macros and the enumerations the
// keypad-wide properties use.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "CodeValues.h"

enum TKeyType : uint8_t {
  ktNormal = 0,
  ktShift = 1,   // switches the level while held down
  ktToggle = 2,  // switches the level after release
};

enum TLEDBehavior : uint8_t {
  ledNone = 0,
  led_VSLevel_KBCaps = 1,
  led_VSHostMacro_KBNum = 2,
  led_VSPower_KBLevel = 3,
  led_KBMacro = 4,
  led_KBPower = 5,
  led_KBScroll = 6,
};

enum TModifierKeys : uint8_t {
  mkLShift = 0,
  mkRShift = 1,
  mkLCtrl = 2,
  mkRCtrl = 3,
};

// A set of TModifierKeys in one byte: bit i stands for ordinal i.
using TSetModifierKeys = uint8_t;

// The window's modifier bits, as InsertKey reads them.
namespace ModifierBit {
constexpr int32_t kLShift = 0x01;
constexpr int32_t kRShift = 0x02;
constexpr int32_t kLCtrl = 0x04;
constexpr int32_t kRCtrl = 0x08;
constexpr int32_t kCapsLock = 0x20;
constexpr int32_t kAnyShift = 0x23;  // either Shift or Caps Lock
constexpr int32_t kAnyShiftOrCtrl = 0x0F;
constexpr int32_t kAnyCtrl = 0x0C;
}  // namespace ModifierBit

struct TMacroData {
  std::array<int32_t, CodeValue::kSlotsPerMacro> Values{};
  bool AutoRepeat = false;
  std::u16string Name;
  // Kept in step with Values by TKeypadClass, so that counting a macro does
  // not rescan it at every insertion: the number of codes and their bytes as
  // CodeCount counts them.
  int32_t CodeTotal = 0;
  int32_t ByteTotal = 0;
};

struct TKeyDataRec {
  std::array<TMacroData, 2> Macro;
  TKeyType KeyType = ktNormal;
};

constexpr int kKeyCount = 48;
constexpr int kLevelCount = 2;
