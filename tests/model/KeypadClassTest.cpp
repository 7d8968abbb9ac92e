#include <gtest/gtest.h>

#include <vector>

#include "KeypadClass.h"

namespace {

std::vector<int32_t> Codes(const TKeypadClass& k) {
  std::vector<int32_t> codes;
  for (int i = 0; i < k.NumOfElements(); ++i) codes.push_back(k.CodeAt(i));
  return codes;
}

void Fill(TKeypadClass& k, std::vector<int32_t> codes) {
  int32_t pos = 0;
  for (int32_t c : codes) ASSERT_TRUE(k.InsertByte(pos, c));
}

TEST(KeypadClass, ResetRestoresEveryDefaultButKeepsTheView) {
  TKeypadClass k;
  k.SetKey(5);
  k.SetLevel(1);
  Fill(k, {1, 2, 3});
  k.SetMacroName(u"x");
  k.SetCanAutoRepeat(true);
  k.SetKeytype(ktToggle);
  k.SetKeyRollOver(6);
  k.SetLED1Behavior(led_KBScroll);
  k.SetLED2Behavior(led_KBMacro);
  k.SetLED3Behavior(led_KBPower);
  k.SetCharacterPacing(100);
  k.SetDownloadDelay(999);
  k.SetBaudRate(8);
  k.SetWordFormat(2);
  k.SetOpMode(48);
  k.SetCmdPrefix(27);
  k.SetCdcSerialNo(1234);
  k.bViewInHex = true;

  k.Initialize();

  EXPECT_EQ(k.Key(), 0);
  EXPECT_EQ(k.Level(), 0);
  EXPECT_EQ(k.KeyRollOver(), 2);
  EXPECT_EQ(k.LED1Behavior(), led_VSPower_KBLevel);
  EXPECT_EQ(k.LED2Behavior(), ledNone);
  EXPECT_EQ(k.LED3Behavior(), ledNone);
  EXPECT_EQ(k.CharacterPacing(), 2);
  EXPECT_EQ(k.DownloadDelay(), 10);
  EXPECT_EQ(k.BaudRate(), 3);
  EXPECT_EQ(k.WordFormat(), 8);
  EXPECT_EQ(k.OpMode(), 0);
  EXPECT_EQ(k.CmdPrefix(), 64);
  EXPECT_EQ(k.CdcSerialNo(), 1);
  EXPECT_TRUE(k.bViewInHex);
  for (uint8_t key = 0; key < kKeyCount; ++key) {
    k.SetKey(key);
    EXPECT_EQ(k.Keytype(), ktNormal);
    for (uint8_t level = 0; level < kLevelCount; ++level) {
      k.SetLevel(level);
      EXPECT_EQ(k.NumOfElements(), 0);
      EXPECT_EQ(k.CodeCount(), 0);
      EXPECT_EQ(k.MakeCodes(), "");
      EXPECT_EQ(k.GetMacroName(), u"");
      EXPECT_FALSE(k.CanAutoRepeat());
      for (int slot = 0; slot < 256; ++slot) ASSERT_EQ(k.CodeAt(slot), -1);
    }
  }
}

TEST(KeypadClass, CursorIgnoresOutOfRangeWrites) {
  TKeypadClass k;
  k.SetKey(47);
  EXPECT_EQ(k.Key(), 47);
  k.SetKey(48);
  EXPECT_EQ(k.Key(), 47);
  k.SetKey(255);
  EXPECT_EQ(k.Key(), 47);
  k.SetLevel(1);
  k.SetLevel(2);
  EXPECT_EQ(k.Level(), 1);
}

TEST(KeypadClass, KeyTypeBelongsToTheKeyAndMacrosToTheLevel) {
  TKeypadClass k;
  k.SetKey(3);
  k.SetKeytype(ktShift);
  Fill(k, {65});
  k.SetLevel(1);
  EXPECT_EQ(k.Keytype(), ktShift);
  EXPECT_EQ(k.NumOfElements(), 0);
  k.SetKey(4);
  EXPECT_EQ(k.Keytype(), ktNormal);
}

TEST(KeypadClass, InsertByteClampsShiftsAndAdvances) {
  struct Case {
    int32_t position;
    std::vector<int32_t> expected;
    int32_t positionAfter;
  } cases[] = {
      {7, {1, 2, 3, 9}, 4},
      {3, {1, 2, 3, 9}, 4},
      {0, {9, 1, 2, 3}, 1},
      {1, {1, 9, 2, 3}, 2},
  };
  for (const Case& c : cases) {
    TKeypadClass k;
    Fill(k, {1, 2, 3});
    int32_t pos = c.position;
    EXPECT_TRUE(k.InsertByte(pos, 9));
    EXPECT_EQ(Codes(k), c.expected) << "position " << c.position;
    EXPECT_EQ(pos, c.positionAfter);
    EXPECT_EQ(k.CodeAt(4), -1);
  }
}

TEST(KeypadClass, InsertByteChargesOneByteForAnyCode) {
  TKeypadClass k;
  Fill(k, std::vector<int32_t>(99, 'a'));
  int32_t pos = 99;
  // One byte left: even a delay (which counts three once stored) gets in.
  EXPECT_TRUE(k.InsertByte(pos, 0x1000 + 5));
  EXPECT_EQ(k.CodeCount(), 102);
  pos = 0;
  EXPECT_FALSE(k.InsertByte(pos, 'b'));
  EXPECT_EQ(pos, 0);
  EXPECT_EQ(k.NumOfElements(), 100);
}

TEST(KeypadClass, FullMacroRefusesAndChangesNothing) {
  TKeypadClass k;
  Fill(k, std::vector<int32_t>(100, 'a'));
  EXPECT_EQ(k.NumOfElements(), 100);
  EXPECT_EQ(k.CodeCount(), 100);
  EXPECT_EQ(k.PercentUsed(), 100);
  EXPECT_EQ(k.CodeAt(100), -1);
  EXPECT_EQ(k.MakeCodes().size(), 200u);
  int32_t pos = 50;
  EXPECT_FALSE(k.InsertByte(pos, 'b'));
  EXPECT_EQ(pos, 50);
  EXPECT_EQ(Codes(k), std::vector<int32_t>(100, 'a'));
}

TEST(KeypadClass, CommandCodesCountOneByte) {
  TKeypadClass k;
  Fill(k, {0x4009, 0x4040, 0x1000 + 50, 'a'});
  EXPECT_EQ(k.CodeCount(), 1 + 1 + 3 + 1);
}

TEST(KeypadClass, RemoveKeyAndReadLastKey) {
  TKeypadClass k;
  EXPECT_EQ(k.ReadLastKey(), 0);
  EXPECT_FALSE(k.RemoveKey(0));
  Fill(k, {1, 2, 3});
  EXPECT_EQ(k.ReadLastKey(), 3);
  EXPECT_FALSE(k.RemoveKey(3));
  EXPECT_TRUE(k.RemoveKey(1));
  EXPECT_EQ(Codes(k), (std::vector<int32_t>{1, 3}));
  EXPECT_EQ(k.CodeAt(2), -1);
  EXPECT_TRUE(k.RemoveKey(0));
  EXPECT_TRUE(k.RemoveKey(0));
  EXPECT_EQ(k.NumOfElements(), 0);
  EXPECT_EQ(k.CodeAt(0), -1);
}

TEST(KeypadClass, NamesAndAutoRepeatBelongToTheCurrentMacro) {
  TKeypadClass k;
  k.SetKey(10);
  k.SetLevel(1);
  EXPECT_TRUE(k.SetMacroName(u"Grüße €"));
  k.SetCanAutoRepeat(true);
  k.SetLevel(0);
  EXPECT_EQ(k.GetMacroName(), u"");
  EXPECT_FALSE(k.CanAutoRepeat());
  k.SetLevel(1);
  EXPECT_EQ(k.GetMacroName(), u"Grüße €");
  EXPECT_TRUE(k.CanAutoRepeat());
}

}  // namespace

namespace {

TEST(KeypadClass, CountsFollowEveryInsertAndRemoval) {
  TKeypadClass k;
  int32_t pos = 0;
  k.InsertByte(pos, 0x1000 + 9);
  k.InsertByte(pos, 'a');
  k.InsertByte(pos, 0x4005);
  EXPECT_EQ(k.CodeCount(), 5);
  k.RemoveKey(0);
  EXPECT_EQ(k.CodeCount(), 2);
  EXPECT_EQ(k.NumOfElements(), 2);
  k.SetLevel(1);
  EXPECT_EQ(k.CodeCount(), 0);
  k.SetLevel(0);
  TKeypadClass copy = k;
  EXPECT_EQ(copy.CodeCount(), 2);
  k.Initialize();
  EXPECT_EQ(k.CodeCount(), 0);
  EXPECT_EQ(k.NumOfElements(), 0);
}

}  // namespace
