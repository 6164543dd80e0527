#include <gtest/gtest.h>

#include <string>

#include "flow/mission_end.h"
#include "flow/number_text.h"

namespace {

std::string RankCaption(int32_t reward) { return RankOf(reward).caption; }

TEST(RankTable, EachBandIncludesBothEndsAndTheFirstBandWins) {
  EXPECT_EQ(RankCaption(1250000), "Ｓランク");
  EXPECT_EQ(RankCaption(900000), "Ｓランク");  // also the top of A: S is tested first
  EXPECT_EQ(RankCaption(899999), "Ａランク");
  EXPECT_EQ(RankCaption(600000), "Ａランク");
  EXPECT_EQ(RankCaption(599999), "Ｂランク");
  EXPECT_EQ(RankCaption(250000), "Ｂランク");
  EXPECT_EQ(RankCaption(249999), "Ｃランク");
  EXPECT_EQ(RankCaption(150000), "Ｃランク");
  EXPECT_EQ(RankCaption(149999), "Ｄランク");
  EXPECT_EQ(RankCaption(1), "Ｄランク");
}

TEST(RankTable, NothingEarnedALossOrMoreThanTheKeyCanEarnIsE) {
  for (int32_t reward : {0, -1, -15000, -99999999, 1250001, 99999999}) {
    EXPECT_EQ(RankCaption(reward), "Ｅランク") << reward;
    EXPECT_EQ(RankOf(reward).voice, 26) << reward;
  }
}

TEST(RankTable, VoicesAndRemarksFollowTheRank) {
  EXPECT_EQ(RankOf(1000000).voice, 21);
  EXPECT_EQ(RankOf(700000).voice, 22);
  EXPECT_EQ(RankOf(300000).voice, 23);
  EXPECT_EQ(RankOf(200000).voice, 24);
  EXPECT_EQ(RankOf(100).voice, 25);
  EXPECT_EQ(std::string(RankOf(700000).remark),
            "君の能力は上層部でも高く評価されている。これからもがんばってくれたまえ。");
  EXPECT_EQ(std::string(RankOf(-5).remark), "君を降格する！さっさとこの場から消えたまえ！");
}

TEST(RecordName, CutCountsCharactersOfEitherWidthAlike) {
  // 25 full-width characters (3 bytes each in UTF-8): 20 characters are kept, not 20 bytes.
  const std::string wide = "日向澄香日向澄香日向澄香日向澄香日向澄香あいうえお";
  EXPECT_EQ(FirstCharacters(wide, 20), "日向澄香日向澄香日向澄香日向澄香日向澄香");
  EXPECT_EQ(FirstCharacters("abcdefghijklmnopqrstuvwxyz", 20), "abcdefghijklmnopqrst");
  // Mixed widths, and a four-byte character, are cut on character boundaries.
  EXPECT_EQ(FirstCharacters("ab日向😀cd", 4), "ab日向");
  EXPECT_EQ(FirstCharacters("ab日向😀cd", 5), "ab日向😀");
}

TEST(RecordName, ShorterNamesAreKeptWhole) {
  EXPECT_EQ(FirstCharacters("日向 澄香", 20), "日向 澄香");
  EXPECT_EQ(FirstCharacters("", 20), "");
  const std::string exactly20 = "一二三四五六七八九十一二三四五六七八九十";
  EXPECT_EQ(FirstCharacters(exactly20, 20), exactly20);
}

TEST(NumberText, NonNegativeNumbersGetABlankNegativeOnesTheirSign) {
  EXPECT_EQ(PaddedNumber(8), " 8");
  EXPECT_EQ(PaddedNumber(0), " 0");
  EXPECT_EQ(PaddedNumber(-15000), "-15000");
  EXPECT_EQ(BareNumber(8), "8");
  EXPECT_EQ(BareNumber(-15000), "-15000");
}

}  // namespace
