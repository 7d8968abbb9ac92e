#pragma once

#include "ModifierInputs.h"

// Modifier state set by a test.
struct FakeModifierInputs : IModifierInputs {
  int32_t bits = 0;
  bool pcShift = false;
  bool pcCaps = false;
  int32_t GetModifiers() const override { return bits; }
  TPcKeyState PcKeyState() const override { return {pcShift, pcCaps}; }
};
