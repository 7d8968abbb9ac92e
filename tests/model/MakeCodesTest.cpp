#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "KeypadClass.h"
#include "MakeCodeParser.h"

namespace {

std::vector<int32_t> Codes(const TKeypadClass& k) {
  std::vector<int32_t> codes;
  for (int i = 0; i < k.NumOfElements(); ++i) codes.push_back(k.CodeAt(i));
  return codes;
}

TKeypadClass WithCodes(std::vector<int32_t> codes, uint8_t prefix = 64) {
  TKeypadClass k;
  k.SetCmdPrefix(prefix);
  int32_t pos = 0;
  for (int32_t c : codes) EXPECT_TRUE(k.InsertByte(pos, c));
  return k;
}

std::vector<int32_t> Parse(std::string_view text, uint8_t prefix = 64) {
  TKeypadClass k;
  k.SetCmdPrefix(prefix);
  ParseMakeCodes(k, text);
  return Codes(k);
}

TEST(MakeCodes, WritesEveryCodeClass) {
  struct Case {
    std::vector<int32_t> codes;
    uint8_t prefix;
    std::string text;
  } cases[] = {
      {{}, 64, ""},
      {{97, 0x1000 + 50, 0x4009, 0x4040, 13}, 64, "61400132400940400d"},
      {{0x1000 + 5}, 64, "400105"},
      {{0x1000 + 200}, 64, "4001c8"},
      {{0x1000 + 50, 64}, 27, "1b0132" "40"},
      {{0x4005, 10}, 5, "0505" "0a"},
      {{64}, 64, "40"},
      {{0xAB, 0xFF, 0}, 64, "abff00"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WithCodes(c.codes, c.prefix).MakeCodes(), c.text);
  }
}

TEST(ParseMakeCodes, ReadsTheMacroBack) {
  struct Case {
    const char* name;
    std::string text;
    uint8_t prefix;
    std::vector<int32_t> codes;
  } cases[] = {
      {"empty", "", 64, {}},
      {"every class", "61400132400940400d", 64, {97, 0x1000 + 50, 0x4009, 0x4040, 13}},
      {"spaces anywhere", " 61 6 2 ", 64, {0x61, 0x62}},
      {"upper-case digits", "4A4001C8", 64, {0x4A, 0x1000 + 200}},
      {"plain prefix at the end", "6140", 64, {0x61, 64}},
      {"unknown command dropped", "40026162", 64, {0x61, 0x62}},
      {"odd length: half byte dropped", "61626", 64, {0x61, 0x62}},
      {"delay cut off before its length", "614001", 64, {0x61}},
      {"unreadable characters skipped", "6x1-62\r\n", 64, {0x61, 0x62}},
      {"other prefix", "1b013240", 27, {0x1000 + 50, 64}},
      {"prefix 5", "0505" "0a", 5, {0x4005, 10}},
      {"escaped prefix", "400061", 64, {64, 0x61}},
  };
  for (const auto& c : cases) EXPECT_EQ(Parse(c.text, c.prefix), c.codes) << c.name;
}

TEST(ParseMakeCodes, InsertsInFrontOfExistingCodes) {
  TKeypadClass k = WithCodes({0x7A});
  ParseMakeCodes(k, "6162");
  EXPECT_EQ(Codes(k), (std::vector<int32_t>{0x61, 0x62, 0x7A}));
}

TEST(ParseMakeCodes, DropsWhatNoLongerFitsTheBudget) {
  // 98 plain bytes, then a delay (3 counted bytes) and one more byte.
  std::string text(98 * 2, '1');
  text += "400105" "62";
  const auto codes = Parse(text);
  ASSERT_EQ(codes.size(), 99u);  // the delay got the last charged byte...
  EXPECT_EQ(codes[98], 0x1000 + 5);
  // ...and everything after it is refused.
}

// A plain code equal to the prefix in the middle of a macro would otherwise
// be read back as the start of a command and swallow the code after it.
TEST(MakeCodes, PrefixByteInTheMiddleSurvivesTheRoundTrip) {
  for (uint8_t prefix : {64, 27, 5}) {
    const std::vector<int32_t> codes = {prefix, 0x01, 0x32, prefix, prefix};
    TKeypadClass k = WithCodes(codes, prefix);
    EXPECT_EQ(Parse(k.MakeCodes(), prefix), codes) << int(prefix);
  }
}

TEST(MakeCodes, KeypadGetsTheAtSignPairForAnAtSignInTheMiddle) {
  TKeypadClass k = WithCodes({64, 0x61, 64});
  EXPECT_EQ(k.MakeCodes(), "4000" "61" "40");
  EXPECT_EQ(k.DownloadCodes(), "4040" "61" "40");
  TKeypadClass other = WithCodes({27, 0x61, 0x1000 + 0x40, 0x4040}, 27);
  EXPECT_EQ(other.DownloadCodes(), other.MakeCodes());
}

TEST(MakeCodes, RandomMacrosSurviveTheRoundTrip) {
  std::mt19937 random(20261211);
  for (uint8_t prefix : {64, 27, 5}) {
    for (int round = 0; round < 3000; ++round) {
      TKeypadClass k;
      k.SetCmdPrefix(prefix);
      std::vector<int32_t> codes;
      int32_t pos = 0;
      int budget = 100;
      while (budget > 0) {
        int32_t code;
        switch (random() % 6) {
          case 0: code = 0x1000 + static_cast<int32_t>(random() % 256); break;
          case 1: code = 0x4000 + 5 + static_cast<int32_t>(random() % 9); break;
          case 2: code = 0x4040; break;
          case 3: code = prefix; break;
          default: code = static_cast<int32_t>(random() % 256); break;
        }
        const int cost = (code & 0x1000) ? 3 : 1;
        if (cost > budget || random() % 40 == 0) break;
        budget -= cost;
        ASSERT_TRUE(k.InsertByte(pos, code));
        codes.push_back(code);
      }
      const std::string text = k.MakeCodes();
      ASSERT_EQ(text.size() % 2, 0u);
      ASSERT_EQ(text.find_first_not_of("0123456789abcdef"), std::string::npos);
      ASSERT_EQ(Parse(text, prefix), codes) << "prefix " << int(prefix) << ": " << text;
    }
  }
}

}  // namespace
