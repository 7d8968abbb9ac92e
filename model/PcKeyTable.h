// The PC keyboard as the editor names it: key numbers 0..110 (scan-code set 1
// make codes for the main block and keypad, numbers of our own beyond), each
// with the code it gives unshifted and shifted, or -1 for none.
#pragma once

#include <array>
#include <cstdint>

struct TPcKeyRow {
  int32_t Unshifted;
  int32_t Shifted;
  const char* Label;
  const char* ShiftedLabel;
};

constexpr int kPcKeyCount = 111;
constexpr int32_t kDelayKeyNumber = 111;  // the on-screen delay key

extern const std::array<TPcKeyRow, kPcKeyCount> PcKeyTable;

// The code Ctrl gives with a key whose unshifted value is `unshifted`; below 0
// means none.
int32_t CtrlCode(int32_t unshifted);
