#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "FakeModifierInputs.h"
#include "KeypadClass.h"
#include "PcKeyTable.h"

namespace {

// The keys that give codes, as the keypad's documentation lists them:
// number -> {unshifted, shifted}. Every other number 0..110 gives none.
const std::map<int, std::pair<int, int>> kKeysWithCodes = {
    {0, {0, 0}},       {1, {27, 27}},     {2, {49, 33}},     {3, {50, 64}},     {4, {51, 35}},
    {5, {52, 36}},     {6, {53, 37}},     {7, {54, 94}},     {8, {55, 38}},     {9, {56, 42}},
    {10, {57, 40}},    {11, {48, 41}},    {12, {45, 95}},    {13, {61, 43}},    {14, {8, 8}},
    {15, {9, 9}},      {16, {'q', 'Q'}},  {17, {'w', 'W'}},  {18, {'e', 'E'}},  {19, {'r', 'R'}},
    {20, {'t', 'T'}},  {21, {'y', 'Y'}},  {22, {'u', 'U'}},  {23, {'i', 'I'}},  {24, {'o', 'O'}},
    {25, {'p', 'P'}},  {26, {91, 123}},   {27, {93, 125}},   {28, {13, 13}},    {30, {'a', 'A'}},
    {31, {'s', 'S'}},  {32, {'d', 'D'}},  {33, {'f', 'F'}},  {34, {'g', 'G'}},  {35, {'h', 'H'}},
    {36, {'j', 'J'}},  {37, {'k', 'K'}},  {38, {'l', 'L'}},  {39, {59, 58}},    {40, {39, 34}},
    {41, {96, 126}},   {43, {92, 124}},   {44, {'z', 'Z'}},  {45, {'x', 'X'}},  {46, {'c', 'C'}},
    {47, {'v', 'V'}},  {48, {'b', 'B'}},  {49, {'n', 'N'}},  {50, {'m', 'M'}},  {51, {44, 60}},
    {52, {46, 62}},    {53, {47, 63}},    {55, {42, 42}},    {57, {32, 32}},    {71, {55, 55}},
    {72, {56, 56}},    {73, {57, 57}},    {74, {45, 45}},    {75, {52, 52}},    {76, {53, 53}},
    {77, {54, 54}},    {78, {43, 43}},    {79, {49, 49}},    {80, {50, 50}},    {81, {51, 51}},
    {82, {48, 48}},    {83, {46, 46}},    {86, {13, 13}},    {88, {47, 47}},    {100, {127, 127}},
};

int ExpectedCtrl(int u) {
  if (u == 13) return 10;
  if (u == 45) return 31;
  if (u == 50) return 0;
  if (u == 54) return 30;
  if (u == 91) return 27;
  if (u == 92) return 28;
  if (u == 93) return 29;
  return u - 96;
}

struct Situation {
  const char* name;
  int32_t bits;
  bool pcShift;
  bool pcCaps;
};

const Situation kSituations[] = {
    {"no modifier", 0, false, false},     {"window left Shift", 0x01, false, false},
    {"window Ctrl", 0x04, false, false},  {"window Caps Lock", 0x20, false, false},
    {"PC Shift key", 0, true, false},     {"PC Caps Lock", 0, false, true},
    {"Ctrl with Caps Lock", 0x24, false, false},
};

// The code the rules give, or -1 for none: the at-sign code for the 2 key
// under the window's Shift or Caps Lock; otherwise the shifted column under
// any shift, the unshifted one without Shift or Ctrl bits, the Ctrl mapping
// with Ctrl.
int32_t Expected(int key, const Situation& s) {
  const bool windowShift = (s.bits & 0x23) != 0;
  if (key == 3 && windowShift) return 0x4040;
  auto it = kKeysWithCodes.find(key);
  const int u = it == kKeysWithCodes.end() ? -1 : it->second.first;
  const int sh = it == kKeysWithCodes.end() ? -1 : it->second.second;
  if ((windowShift || s.pcShift || s.pcCaps) && sh >= 0) return sh;
  if ((s.bits & 0x0F) == 0 && u >= 0) return u;
  if ((s.bits & 0x0C) != 0 && u >= 0 && ExpectedCtrl(u) >= 0) return ExpectedCtrl(u);
  return -1;
}

class InsertKeyTest : public ::testing::Test {
 protected:
  InsertKeyTest() { keypad.SetModifierInputs(&inputs); }
  void Set(const Situation& s) {
    inputs.bits = s.bits;
    inputs.pcShift = s.pcShift;
    inputs.pcCaps = s.pcCaps;
  }
  FakeModifierInputs inputs;
  TKeypadClass keypad;
};

TEST_F(InsertKeyTest, EveryPcKeyUnderEveryModifier) {
  for (const Situation& s : kSituations) {
    Set(s);
    for (int key = 0; key <= 110; ++key) {
      keypad.Initialize();
      int32_t pos = 0;
      ASSERT_TRUE(keypad.InsertKey(pos, key));
      const int32_t expected = Expected(key, s);
      if (expected < 0) {
        EXPECT_EQ(keypad.NumOfElements(), 0) << s.name << ", key " << key;
        EXPECT_EQ(pos, 0);
      } else {
        EXPECT_EQ(keypad.NumOfElements(), 1) << s.name << ", key " << key;
        EXPECT_EQ(keypad.CodeAt(0), expected) << s.name << ", key " << key;
        EXPECT_EQ(pos, 1);
      }
    }
  }
}

TEST(PcKeyTable, LabelsNameTheKeys) {
  EXPECT_STREQ(PcKeyTable[1].Label, "Esc");
  EXPECT_STREQ(PcKeyTable[30].Label, "a");
  EXPECT_STREQ(PcKeyTable[30].ShiftedLabel, "A");
  EXPECT_STREQ(PcKeyTable[89].ShiftedLabel, "Shft-Prs");
  EXPECT_STREQ(PcKeyTable[110].Label, "RAltU");
  EXPECT_STREQ(PcKeyTable[86].Label, "Entr(kp)");
}

TEST_F(InsertKeyTest, ChargesAgainstTheBudget) {
  struct Case {
    const char* name;
    int filler;       // plain codes already in the macro
    int32_t bits;
    int32_t value;
    bool accepted;
    int32_t countAfter;
  } cases[] = {
      {"delay at 98", 98, 0, 0x1000 + 50, false, 98},
      {"delay at 97", 97, 0, 0x1000 + 50, true, 100},
      {"command at 99", 99, 0, 0x4009, false, 99},
      {"command at 98", 98, 0, 0x4009, true, 99},
      {"at-sign at 99", 99, 0x01, 3, false, 99},
      {"at-sign at 98", 98, 0x01, 3, true, 99},
      {"plain at 99", 99, 0, 30, true, 100},
      {"plain at 100", 100, 0, 30, false, 100},
      {"no code at 100", 100, 0x04, 2, false, 100},
  };
  for (const Case& c : cases) {
    keypad.Initialize();
    inputs.bits = 0;
    int32_t pos = 0;
    for (int i = 0; i < c.filler; ++i) ASSERT_TRUE(keypad.InsertByte(pos, 'x'));
    inputs.bits = c.bits;
    pos = 5;
    EXPECT_EQ(keypad.InsertKey(pos, c.value), c.accepted) << c.name;
    EXPECT_EQ(keypad.CodeCount(), c.countAfter) << c.name;
    EXPECT_EQ(pos, c.accepted ? 6 : 5) << c.name;
  }
}

TEST_F(InsertKeyTest, KeyWithoutCodeKeepsTheMacroAndClampsOnly) {
  int32_t pos = 0;
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(keypad.InsertByte(pos, 'a' + i));
  inputs.bits = 0x04;
  pos = 0;
  EXPECT_TRUE(keypad.InsertKey(pos, 2));  // Ctrl+1: nothing
  EXPECT_EQ(pos, 0);
  pos = 40;
  EXPECT_TRUE(keypad.InsertKey(pos, 2));
  EXPECT_EQ(pos, 5);
  EXPECT_EQ(keypad.MakeCodes(), "6162636465");
}

TEST_F(InsertKeyTest, TypedCharactersBeyondTheTable) {
  struct Case {
    const char* name;
    Situation s;
    int32_t value;
    int32_t expected;  // -1: nothing stored
  } cases[] = {
      {"e acute", {"", 0, false, false}, 233, 233},
      {"e acute under Shift", {"", 0x01, false, false}, 233, 233},
      {"e acute under PC Caps Lock", {"", 0, false, true}, 233, 233},
      {"e acute under Ctrl", {"", 0x04, false, false}, 233, -1},
      {"beyond one byte", {"", 0, false, false}, 0x20AC, -1},
      {"beyond one byte, shifted", {"", 0x20, false, false}, 300, -1},
  };
  for (const Case& c : cases) {
    keypad.Initialize();
    Set(c.s);
    int32_t pos = 0;
    EXPECT_TRUE(keypad.InsertKey(pos, c.value)) << c.name;
    if (c.expected < 0) {
      EXPECT_EQ(keypad.NumOfElements(), 0) << c.name;
    } else {
      EXPECT_EQ(keypad.CodeAt(0), c.expected) << c.name;
    }
  }
}

TEST_F(InsertKeyTest, CharacterBeyondOneByteIsNoRefusalEvenWhenFull) {
  int32_t pos = 0;
  for (int i = 0; i < 100; ++i) ASSERT_TRUE(keypad.InsertByte(pos, 'x'));
  pos = 120;
  EXPECT_TRUE(keypad.InsertKey(pos, 0x0394));  // Greek Delta
  EXPECT_EQ(pos, 100);
  EXPECT_EQ(keypad.NumOfElements(), 100);
}

TEST_F(InsertKeyTest, DelayAndCommandCodesAreStoredUnchangedWhateverTheModifiers) {
  inputs.bits = 0x2F;
  inputs.pcShift = true;
  int32_t pos = 0;
  EXPECT_TRUE(keypad.InsertKey(pos, 0x1000 + 125));
  EXPECT_TRUE(keypad.InsertKey(pos, 0x400D));
  EXPECT_EQ(keypad.CodeAt(0), 0x1000 + 125);
  EXPECT_EQ(keypad.CodeAt(1), 0x400D);
}

TEST_F(InsertKeyTest, ModifiersAreReadAtEveryCall) {
  int32_t pos = 0;
  keypad.InsertKey(pos, 30);
  inputs.pcCaps = true;
  keypad.InsertKey(pos, 30);
  inputs.pcCaps = false;
  keypad.InsertKey(pos, 30);
  EXPECT_EQ(keypad.MakeCodes(), "614161");
}

TEST(KeypadClass, ModifierSetIsAlwaysEmpty) {
  TKeypadClass k;
  int32_t pos = 0;
  k.InsertByte(pos, 0x4040);
  for (int i : {0, 1, 3, 255}) EXPECT_EQ(k.GetModifierSet(static_cast<uint8_t>(i)), 0);
}

}  // namespace
