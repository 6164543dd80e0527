#include <gtest/gtest.h>

#include <string>

#include "flow/mission_end.h"

namespace {

TEST(RankTable, EachBandIncludesBothEndsAndTheFirstBandWins) {
  struct Case {
    int32_t reward;
    const char* caption;
    int voice;
  };
  for (const Case& c : {Case{1250000, "Ｓランク", 21}, Case{900000, "Ｓランク", 21},  // S before A
                        Case{899999, "Ａランク", 22}, Case{600000, "Ａランク", 22},
                        Case{599999, "Ｂランク", 23}, Case{250000, "Ｂランク", 23},
                        Case{249999, "Ｃランク", 24}, Case{150000, "Ｃランク", 24},
                        Case{149999, "Ｄランク", 25}, Case{1, "Ｄランク", 25},
                        // Nothing earned, a loss, or more than the key can earn.
                        Case{0, "Ｅランク", 26}, Case{-1, "Ｅランク", 26},
                        Case{-99999999, "Ｅランク", 26}, Case{1250001, "Ｅランク", 26}}) {
    EXPECT_STREQ(RankOf(c.reward).caption, c.caption) << c.reward;
    EXPECT_EQ(RankOf(c.reward).voice, c.voice) << c.reward;
  }
  EXPECT_STREQ(RankOf(700000).remark,
            "君の能力は上層部でも高く評価されている。これからもがんばってくれたまえ。");
}

TEST(RecordName, CutCountsCharactersOfEitherWidthAlike) {
  // 25 full-width characters (3 bytes each in UTF-8): 20 characters are kept, not 20 bytes.
  const std::string wide = "日向澄香日向澄香日向澄香日向澄香日向澄香あいうえお";
  EXPECT_EQ(FirstCharacters(wide, 20), "日向澄香日向澄香日向澄香日向澄香日向澄香");
  EXPECT_EQ(FirstCharacters("abcdefghijklmnopqrstuvwxyz", 20), "abcdefghijklmnopqrst");
  // Mixed widths, and a four-byte character, are cut on character boundaries.
  EXPECT_EQ(FirstCharacters("ab日向😀cd", 4), "ab日向");
  EXPECT_EQ(FirstCharacters("ab日向😀cd", 5), "ab日向😀");
  // Shorter names are kept whole.
  EXPECT_EQ(FirstCharacters("日向 澄香", 20), "日向 澄香");
}

}  // namespace
