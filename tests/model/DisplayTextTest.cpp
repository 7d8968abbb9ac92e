#include <gtest/gtest.h>

#include "KeypadClass.h"

namespace {

TEST(DisplayText, BothViews) {
  struct Case {
    int32_t code;
    std::u16string text;
    std::u16string hex;
  } cases[] = {
      {0, u"^@  00h", u"0x00"},        {7, u"Bel", u"0x07"},
      {8, u"BS", u"0x08"},             {9, u"Tab", u"0x09"},
      {10, u"LF", u"0x0A"},            {13, u"CR", u"0x0D"},
      {26, u"^Z  1Ah", u"0x1A"},       {27, u"Esc", u"0x1B"},
      {28, u"^\\  1Ch", u"0x1C"},      {31, u"^_  1Fh", u"0x1F"},
      {32, u"Space", u"0x20"},         {33, u"!", u"0x21"},
      {64, u"@", u"0x40"},             {65, u"A", u"0x41"},
      {126, u"~", u"0x7E"},            {127, u"Del", u"0x7F"},
      {128, u"\u0080", u"0x80"},       {233, u"é", u"0xE9"},
      {255, u"ÿ", u"0xFF"},            {0x1000, u"Dly 0", u"0x1000"},
      {0x1001, u"Dly 4", u"0x1001"},   {0x1000 + 50, u"Dly 200", u"0x1032"},
      {0x1000 + 125, u"Dly 500", u"0x107D"},
      {0x1000 + 255, u"Dly 1020", u"0x10FF"},
      {0x4005, u"Led3 Off", u"0x4005"}, {0x4006, u"Led3 On", u"0x4006"},
      {0x4007, u"Led3 Flash", u"0x4007"}, {0x4008, u"Led1 Off", u"0x4008"},
      {0x4009, u"Led1 On", u"0x4009"}, {0x400A, u"Led1 Flash", u"0x400A"},
      {0x400B, u"Led2 Off", u"0x400B"}, {0x400C, u"Led2 On", u"0x400C"},
      {0x400D, u"Led2 Flash", u"0x400D"}, {0x4040, u"@@", u"0x4040"},
  };
  for (const auto& c : cases) {
    TKeypadClass k;
    int32_t pos = 0;
    k.InsertByte(pos, c.code);
    EXPECT_EQ(k.GetDisplayValue(0), c.text) << c.code;
    k.bViewInHex = true;
    EXPECT_EQ(k.GetDisplayValue(0), c.hex) << c.code;
    EXPECT_EQ(k.GetDisplayValue(1), u" ") << "empty slot, hex view";
    k.bViewInHex = false;
    EXPECT_EQ(k.GetDisplayValue(1), u" ") << "empty slot, text view";
  }
}

TEST(DisplayText, ValuesOutsideTheCodeSpaceShowNothing) {
  for (int32_t v : {0x2000, 0x4001, 0x4020, 0x8000, -5}) {
    TKeypadClass k;
    int32_t pos = 0;
    k.InsertByte(pos, v);
    EXPECT_EQ(k.GetDisplayValue(0), u"") << v;
  }
}

TEST(DisplayText, SwitchingTheViewLeavesTheMacroAlone) {
  TKeypadClass k;
  int32_t pos = 0;
  k.InsertByte(pos, 'a');
  const std::string before = k.MakeCodes();
  k.bViewInHex = true;
  EXPECT_EQ(k.MakeCodes(), before);
  EXPECT_EQ(k.GetDisplayValue(0), u"0x61");
}

}  // namespace
