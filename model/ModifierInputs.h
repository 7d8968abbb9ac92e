// What InsertKey needs to know about modifiers at the moment of a call: the
// main window's modifier bits and the state of the PC's own keyboard. The
// window provides the real one; tests provide a fake.
#pragma once

#include <cstdint>

struct TPcKeyState {
  bool shiftDown = false;   // a Shift key of the PC keyboard is held down
  bool capsLockOn = false;  // Caps Lock is toggled on (and not held at this moment)
};

class IModifierInputs {
 public:
  virtual ~IModifierInputs() = default;
  // The window's modifier bits (see ModifierBit in KeypadTypes.h).
  virtual int32_t GetModifiers() const = 0;
  // The PC keyboard right now: one query answers both questions.
  virtual TPcKeyState PcKeyState() const = 0;
};
