// The in-memory definition of one keypad: 48 keys, each with a key type and
// two macros (one per level), plus the keypad-wide properties.
//
// Every per-macro operation works on the macro under the cursor (Key, Level);
// callers move the cursor first. Storage is fixed at construction: nothing is
// allocated per code.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "KeypadTypes.h"
#include "ModifierInputs.h"

class TKeypadClass {
 public:
  TKeypadClass();

  // Resets every key, macro, name, the cursor and the keypad-wide properties
  // to their defaults. The user's choice of bViewInHex survives.
  void Initialize();

  // The source of modifier bits and keyboard state read by InsertKey. May be
  // null (no modifiers at all). Not owned.
  void SetModifierInputs(const IModifierInputs* inputs) { fInputs = inputs; }

  // Cursor. Out-of-range writes are ignored.
  uint8_t Key() const { return fKey; }
  void SetKey(uint8_t key) {
    if (key < kKeyCount) fKey = key;
  }
  uint8_t Level() const { return fLevel; }
  void SetLevel(uint8_t level) {
    if (level < kLevelCount) fLevel = level;
  }

  // The current macro.
  uint8_t NumOfElements() const;
  int32_t CodeCount() const;
  uint8_t PercentUsed() const { return static_cast<uint8_t>(CodeCount() * 100 / 100); }
  // The make-code string: the macro's byte form, two lower-case hexadecimal
  // digits per byte. A plain code equal to CmdPrefix with more codes after it
  // is written as the prefix and 00, so that it reads back as itself.
  std::string MakeCodes() const;
  // The same bytes as the keypad is to receive them: as MakeCodes, except that
  // with the default prefix 64 an escaped prefix byte is sent as the at-sign
  // pair (40 40), the keypad's own way of sending the at sign.
  std::string DownloadCodes() const;
  int32_t ReadLastKey() const;
  std::u16string GetMacroName() const { return CurrentMacro().Name; }
  bool SetMacroName(const std::u16string& value) {
    CurrentMacro().Name = value;
    return true;
  }
  bool CanAutoRepeat() const { return CurrentMacro().AutoRepeat; }
  void SetCanAutoRepeat(bool value) { CurrentMacro().AutoRepeat = value; }
  // Slot `index` of the current macro, -1 for an empty or nonexistent slot.
  int32_t CodeAt(int32_t index) const;

  // The key under the cursor.
  TKeyType Keytype() const { return keys[fKey].KeyType; }
  void SetKeytype(TKeyType type) { keys[fKey].KeyType = type; }

  // Editing. `position` is a code index into the current macro; it is clamped
  // to the end and advanced past an inserted code. False means the 100-byte
  // budget refused the code; nothing changed then.
  bool InsertByte(int32_t& position, int32_t value);
  bool InsertKey(int32_t& position, int32_t value);
  bool RemoveKey(uint8_t position);

  // Display text of slot `index` of the current macro, in the view chosen by
  // bViewInHex.
  std::u16string GetDisplayValue(int32_t index) const;

  // The modifier buttons' state after a redraw: always released.
  TSetModifierKeys GetModifierSet(uint8_t /*Index*/) const { return 0; }

  // Keypad-wide properties, stored as given.
  uint8_t KeyRollOver() const { return fKeyRollOver; }
  void SetKeyRollOver(uint8_t v) { fKeyRollOver = v; }
  TLEDBehavior LED1Behavior() const { return fLED1Behavior; }
  void SetLED1Behavior(TLEDBehavior v) { fLED1Behavior = v; }
  TLEDBehavior LED2Behavior() const { return fLED2Behavior; }
  void SetLED2Behavior(TLEDBehavior v) { fLED2Behavior = v; }
  TLEDBehavior LED3Behavior() const { return fLED3Behavior; }
  void SetLED3Behavior(TLEDBehavior v) { fLED3Behavior = v; }
  uint8_t CharacterPacing() const { return fCharacterPacing; }
  void SetCharacterPacing(uint8_t v) { fCharacterPacing = v; }
  int32_t DownloadDelay() const { return fDownloadDelay; }
  void SetDownloadDelay(int32_t v) { fDownloadDelay = v; }
  uint8_t OpMode() const { return fOpMode; }
  void SetOpMode(uint8_t v) { fOpMode = v; }
  uint8_t CmdPrefix() const { return fCmdPrefix; }
  void SetCmdPrefix(uint8_t v) { fCmdPrefix = v; }
  uint8_t BaudRate() const { return fBaudRate; }
  void SetBaudRate(uint8_t v) { fBaudRate = v; }
  uint8_t WordFormat() const { return fWordFormat; }
  void SetWordFormat(uint8_t v) { fWordFormat = v; }
  int32_t CdcSerialNo() const { return fCdcSerialNo; }
  void SetCdcSerialNo(int32_t v) { fCdcSerialNo = v; }

  // Codes are shown in hexadecimal rather than as text.
  bool bViewInHex = false;

 private:
  TMacroData& CurrentMacro() { return keys[fKey].Macro[fLevel]; }
  const TMacroData& CurrentMacro() const { return keys[fKey].Macro[fLevel]; }
  std::string ByteForm(bool forKeypad) const;
  // Shared tail of InsertByte and InsertKey: clamp, shift up, store, advance.
  void StoreAt(int32_t& position, int32_t code);
  // The code a PC key number gives under the current modifiers, or -1.
  int32_t TranslatePcKey(int32_t value, int32_t modifiers, bool pcShift, bool pcCaps) const;

  std::array<TKeyDataRec, kKeyCount> keys;
  uint8_t fKey = 0;
  uint8_t fLevel = 0;
  int32_t fDownloadDelay = 0;
  uint8_t fKeyRollOver = 0;
  uint8_t fCharacterPacing = 0;
  TLEDBehavior fLED1Behavior = ledNone;
  TLEDBehavior fLED2Behavior = ledNone;
  TLEDBehavior fLED3Behavior = ledNone;
  uint8_t fBaudRate = 0;
  uint8_t fWordFormat = 0;
  uint8_t fCmdPrefix = 0;
  uint8_t fOpMode = 0;
  int32_t fCdcSerialNo = 0;
  const IModifierInputs* fInputs = nullptr;
};
