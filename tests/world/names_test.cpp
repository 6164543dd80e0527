#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "flow/game_state.h"
#include "world/names.h"
#include "world/world_model.h"

namespace {

// The code points of a UTF-8 text.
std::vector<char32_t> CodePoints(const std::string& text) {
  std::vector<char32_t> points;
  for (size_t i = 0; i < text.size();) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t point = length == 1 ? lead : lead & (0x3F >> (length - 1));
    for (int k = 1; k < length && i + k < text.size(); ++k) {
      point = (point << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    }
    points.push_back(point);
    i += length;
  }
  return points;
}

// One to three kanji (the iteration mark 々 counts, as in 佐々木).
bool OneToThreeKanji(const std::vector<char32_t>& points) {
  if (points.empty() || points.size() > 3) return false;
  for (char32_t p : points) {
    if (!((p >= 0x4E00 && p <= 0x9FFF) || p == 0x3005)) return false;
  }
  return true;
}

// Positions of the entries that occur more than once, grouped by entry.
std::vector<std::vector<int>> Repeats(const char* const* table, int count) {
  std::map<std::string, std::vector<int>> where;
  for (int i = 1; i <= count; ++i) where[table[i]].push_back(i);
  std::vector<std::vector<int>> repeats;
  for (const auto& [entry, positions] : where) {
    if (positions.size() > 1) repeats.push_back(positions);
  }
  std::sort(repeats.begin(), repeats.end());
  return repeats;
}

TEST(NameTables, SurnamesAreOneToThreeKanjiWithOneNameTwice) {
  EXPECT_STREQ(SurnameTable[1], "安西");
  EXPECT_STREQ(SurnameTable[2], "安斉");
  EXPECT_STREQ(SurnameTable[3], "足立");
  for (int i = 1; i <= kSurnameCount; ++i) {
    ASSERT_NE(SurnameTable[i], nullptr) << i;
    EXPECT_TRUE(OneToThreeKanji(CodePoints(SurnameTable[i]))) << i << " " << SurnameTable[i];
  }
  EXPECT_EQ(Repeats(SurnameTable, kSurnameCount), (std::vector<std::vector<int>>{{64, 67}}));
}

TEST(NameTables, GivenNamesAreABlankAndOneToThreeKanjiWithThreeNamesTwice) {
  EXPECT_STREQ(GivenNameTable[1], " 亜由美");
  EXPECT_STREQ(GivenNameTable[2], " 晶子");
  EXPECT_STREQ(GivenNameTable[3], " 亜希子");
  for (int i = 1; i <= kGivenNameCount; ++i) {
    ASSERT_NE(GivenNameTable[i], nullptr) << i;
    const std::string entry = GivenNameTable[i];
    ASSERT_EQ(entry[0], ' ') << i;
    EXPECT_TRUE(OneToThreeKanji(CodePoints(entry.substr(1)))) << i << entry;
  }
  EXPECT_EQ(Repeats(GivenNameTable, kGivenNameCount),
            (std::vector<std::vector<int>>{{20, 36}, {22, 92}, {24, 54}}));
}

TEST(BuildPersonName, JoinsFamilyAndGivenNameWithOneBlank) {
  People[7][Surname] = 1;
  People[7][GivenName] = 1;
  People[8][Surname] = 152;
  People[8][GivenName] = 114;
  BuildPersonName(7);
  EXPECT_EQ(G.ShotName, "安西 亜由美");
  BuildPersonName(8);
  EXPECT_EQ(G.ShotName, std::string(SurnameTable[152]) + GivenNameTable[114]);

  // A shot person keeps the name columns, so the name stays the same.
  People[7][State] = 0;
  People[7][PosX] = 0;
  People[7][PosY] = 0;
  BuildPersonName(7);
  EXPECT_EQ(G.ShotName, "安西 亜由美");
  ResetWorld();
}

TEST(BuildPersonName, AColumnOutsideItsTableContributesNothing) {
  People[9][Surname] = 153;
  People[9][GivenName] = 2;
  BuildPersonName(9);
  EXPECT_EQ(G.ShotName, " 晶子");
  People[9][Surname] = 3;
  People[9][GivenName] = 0;
  BuildPersonName(9);
  EXPECT_EQ(G.ShotName, "足立");
  People[9][GivenName] = 200;
  BuildPersonName(9);
  EXPECT_EQ(G.ShotName, "足立");
  BuildPersonName(0);  // the unused row 0 is all zero
  EXPECT_EQ(G.ShotName, "");
  ResetWorld();
}

TEST(BuildPersonName, EveryNameIsThreeToSevenCharacters) {
  for (int s = 1; s <= kSurnameCount; ++s) {
    for (int g = 1; g <= kGivenNameCount; ++g) {
      People[1][Surname] = uint8_t(s);
      People[1][GivenName] = uint8_t(g);
      BuildPersonName(1);
      const size_t length = CodePoints(G.ShotName).size();
      ASSERT_GE(length, 3u) << G.ShotName;
      ASSERT_LE(length, 7u) << G.ShotName;
    }
  }
  ResetWorld();
}

}  // namespace
