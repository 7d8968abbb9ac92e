// What InsertKey needs to know about modifiers at the moment of a call: the
// main window's modifier bits and the state of the PC's own keyboard. The
// window provides the real one; tests provide a fake.
#pragma once

#include <cstdint>

class IModifierInputs {
 public:
  virtual ~IModifierInputs() = default;
  // The window's modifier bits (see ModifierBit in KeypadTypes.h).
  virtual int32_t GetModifiers() const = 0;
  // A Shift key of the PC keyboard is held down.
  virtual bool PcShiftDown() const = 0;
  // Caps Lock of the PC keyboard is toggled on (and not held at this moment).
  virtual bool PcCapsLockOn() const = 0;
};
