#include "KeypadClass.h"

using namespace CodeValue;

TKeypadClass::TKeypadClass() { Initialize(); }

void TKeypadClass::Initialize() {
  for (TKeyDataRec& key : keys) {
    key.KeyType = ktNormal;
    for (TMacroData& macro : key.Macro) {
      macro.Values.fill(kEmpty);
      macro.CodeTotal = 0;
      macro.ByteTotal = 0;
      macro.AutoRepeat = false;
      macro.Name.clear();
    }
  }
  fKey = 0;
  fLevel = 0;
  fKeyRollOver = 2;
  fLED1Behavior = led_VSPower_KBLevel;
  fLED2Behavior = ledNone;
  fLED3Behavior = ledNone;
  fCharacterPacing = 2;
  fDownloadDelay = 10;
  fBaudRate = 3;
  fWordFormat = 8;
  fOpMode = 0;
  fCmdPrefix = 64;
  fCdcSerialNo = 1;
}

uint8_t TKeypadClass::NumOfElements() const {
  // The budget keeps a macro far below 255 codes.
  return static_cast<uint8_t>(CurrentMacro().CodeTotal);
}

int32_t TKeypadClass::CodeCount() const { return CurrentMacro().ByteTotal; }

int32_t TKeypadClass::ReadLastKey() const {
  const int n = NumOfElements();
  return n == 0 ? 0 : CurrentMacro().Values[n - 1];
}

int32_t TKeypadClass::CodeAt(int32_t index) const {
  if (index < 0 || index >= kSlotsPerMacro) return kEmpty;
  return CurrentMacro().Values[index];
}

void TKeypadClass::StoreAt(int32_t& position, int32_t code) {
  auto& values = CurrentMacro().Values;
  const int32_t n = NumOfElements();
  if (position > n) position = n;
  if (position < 0) position = 0;
  // Slot n holds the empty marker; the budget guarantees n + 1 < 256.
  for (int32_t i = n; i > position; --i) values[i] = values[i - 1];
  values[position] = code;
  ++position;
  CurrentMacro().CodeTotal += 1;
  CurrentMacro().ByteTotal += CountedBytes(code);
}

bool TKeypadClass::InsertByte(int32_t& position, int32_t value) {
  if (CodeCount() + 1 > kMacroBudget) return false;
  if (value == kEmpty) {
    // The empty marker is never a code; storing it would cut the macro short.
    const int32_t n = NumOfElements();
    if (position > n) position = n;
    return true;
  }
  StoreAt(position, value);
  return true;
}

bool TKeypadClass::RemoveKey(uint8_t position) {
  auto& values = CurrentMacro().Values;
  const int n = NumOfElements();
  if (position >= n) return false;
  CurrentMacro().CodeTotal -= 1;
  CurrentMacro().ByteTotal -= CountedBytes(values[position]);
  for (int i = position; i < n; ++i) values[i] = values[i + 1];
  return true;
}
