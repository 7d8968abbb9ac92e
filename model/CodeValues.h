// The code value space of a macro: what a stored integer means and what it
// costs against the 100-byte budget.
#pragma once

#include <cstdint>

namespace CodeValue {

constexpr int32_t kEmpty = -1;          // marks the slots after a macro's last code
constexpr int32_t kDelayBit = 0x1000;   // 0x1000 + n: a pause of n * 4 ms
constexpr int32_t kCommandBit = 0x4000; // 0x4000 + c: an LED command, or the at-sign code
constexpr int32_t kAtSign = 0x4040;     // the shifted 2 key under the window's Shift or Caps Lock
constexpr int32_t kFirstLedCommand = 5;
constexpr int32_t kLastLedCommand = 13;
constexpr int32_t kDelayCommand = 1;    // command number of a delay in the byte form
constexpr int32_t kAtSignCommand = 64;  // command number of the at-sign code in the byte form
// Command number that follows the prefix when the prefix byte itself is meant,
// as a plain code with more codes after it.
constexpr int32_t kLiteralPrefixCommand = 0;

constexpr int32_t kMacroBudget = 100;   // bytes per macro
constexpr int kSlotsPerMacro = 256;

// A delay is tested first: 0x5000 is a delay, not a command.
constexpr bool IsDelay(int32_t v) { return (v & kDelayBit) != 0; }
constexpr bool IsCommand(int32_t v) { return !IsDelay(v) && (v & kCommandBit) != 0; }
constexpr bool IsPlain(int32_t v) { return !IsDelay(v) && !IsCommand(v); }

constexpr int32_t Delay(int32_t n) { return kDelayBit + n; }
constexpr int32_t Command(int32_t c) { return kCommandBit + c; }

// Bytes a stored code counts towards the budget (CodeCount): a delay 3, every
// other code 1, command codes included.
constexpr int32_t CountedBytes(int32_t v) { return IsDelay(v) ? 3 : 1; }

}  // namespace CodeValue
