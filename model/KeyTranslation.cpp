// InsertKey: from a PC key number and the modifiers in effect to one code.
#include "KeypadClass.h"
#include "PcKeyTable.h"

using namespace CodeValue;

namespace {
constexpr int32_t kAtSignKey = 3;  // the 2 key, whose shifted value is the at sign
}

int32_t TKeypadClass::TranslatePcKey(int32_t value, int32_t modifiers, bool pcShift,
                                     bool pcCaps) const {
  const bool inTable = value >= 0 && value < kPcKeyCount;
  // A character typed into the grid beyond the table is its own code; it has
  // no shifted or control form of its own.
  const int32_t unshifted = inTable ? PcKeyTable[value].Unshifted : value;
  const int32_t shifted = inTable ? PcKeyTable[value].Shifted : value;

  if ((modifiers & ModifierBit::kAnyShift) || pcShift || pcCaps) {
    if (shifted >= 0) return shifted;
  }
  if (!(modifiers & ModifierBit::kAnyShiftOrCtrl)) {
    if (unshifted >= 0) return unshifted;
  }
  if (modifiers & ModifierBit::kAnyCtrl) {
    // Only keys of the table have a control form; a typed character beyond it
    // gives none.
    if (inTable && unshifted >= 0) return CtrlCode(unshifted);
  }
  return -1;
}

bool TKeypadClass::InsertKey(int32_t& position, int32_t value) {
  const int32_t modifiers = fInputs ? fInputs->GetModifiers() : 0;
  const TPcKeyState pc = fInputs ? fInputs->PcKeyState() : TPcKeyState{};
  const bool pcShift = pc.shiftDown;
  const bool pcCaps = pc.capsLockOn;
  const bool atSign = value == kAtSignKey && (modifiers & ModifierBit::kAnyShift);

  // A character beyond one byte has no byte form and can never reach the
  // keypad: it is not stored, and it is not a refusal either, so the budget
  // does not come into it.
  if (IsPlain(value) && value > 255) {
    const int32_t n = NumOfElements();
    if (position > n) position = n;
    return true;
  }

  int32_t charge = 1;
  if (IsDelay(value)) {
    charge = 3;
  } else if (atSign || (value & kCommandBit)) {
    charge = 2;
  }
  if (CodeCount() + charge > kMacroBudget) return false;

  const int32_t n = NumOfElements();
  if (position > n) position = n;

  int32_t code;
  if (IsDelay(value)) {
    code = value;
  } else if (atSign) {
    code = kAtSign;
  } else if (value & kCommandBit) {
    code = value;
  } else {
    code = TranslatePcKey(value, modifiers, pcShift, pcCaps);
  }
  if (code < 0) return true;

  StoreAt(position, code);
  return true;
}
