#include "world/world_creation.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <set>
#include <string>
#include <utility>

#include "flow/game_state.h"
#include "world/random_draw.h"
#include "world/world_model.h"
#include "world_fixture.h"

namespace {

using CreateWorldTest = WorldTest;

TEST_F(CreateWorldTest, AnAllStreetMapPlacesEveryoneInsideColumnsAndRowsFourToNinetySeven) {
  WriteMapFile(UniformMap('0'));
  CreateWorld();
  std::set<std::pair<int, int>> cells;
  std::set<int> xs, ys;
  for (int n = 1; n <= kPersonCount; ++n) {
    EXPECT_EQ(People[n][State], 1);
    // Shown where they stand, each on a cell of their own.
    EXPECT_EQ(MapGrid[People[n][PosX]][People[n][PosY]][Occupant], People[n][Look]) << n;
    EXPECT_EQ(PersonAt(People[n][PosX], People[n][PosY]), n);
    cells.insert({People[n][PosX], People[n][PosY]});
    xs.insert(People[n][PosX]);
    ys.insert(People[n][PosY]);
  }
  EXPECT_EQ(cells.size(), size_t(kPersonCount));
  // Both ends of the square are reached, so the draw is 4..97 and not narrower.
  EXPECT_EQ(Numbers({*xs.begin(), *xs.rbegin(), *ys.begin(), *ys.rbegin()}), "4 97 4 97");
}

TEST_F(CreateWorldTest, AnythingButADigitRepeatsThePreviousCell) {
  struct Case {
    const char* what;
    std::string text;
    std::vector<std::array<int, 3>> cells;  // x, y and the terrain read there
  };
  std::string shortText = UniformMap('0').substr(0, 9999);
  SetCell(shortText, 99, 100, '7');
  std::string others = UniformMap('0');
  SetCell(others, 4, 1, '3');
  SetCell(others, 5, 1, ' ');
  SetCell(others, 9, 1, 'B');
  SetCell(others, 12, 1, '6');       // the cells after (10, 1) are not shifted by its extra byte
  others.replace(9, 1, "\x82\xa0");  // cell (10, 1): "あ" in CP932, one character of two bytes
  // "ア" (83 41) after five digits keeps its one cell, a lead byte before a non-trail byte is a
  // character of its own, and "A" as a second byte is never read as terrain 10.
  std::string kana = UniformMap('0');
  kana.replace(0, 8, std::string("12345\x83\x41\x81") + '7');
  const std::string atFirst = "@" + UniformMap('0').substr(1);
  const Case cases[] = {
      {"a text one digit short", shortText, {{99, 100, 7}, {100, 100, 7}}},
      {"blanks and other characters",
       "  \t" + others,  // leading blanks are skipped
       {{4, 1, 3}, {5, 1, 3}, {9, 1, 11}, {10, 1, 11}, {11, 1, 0}, {12, 1, 6}}},
      {"CP932 characters, one a cell",
       kana,
       {{5, 1, 5}, {6, 1, 5}, {7, 1, 5}, {8, 1, 7}, {9, 1, 0}, {100, 100, 0}}},
      {"the field ends at the first comma", "0000005," + UniformMap('A'), {{100, 100, 5}}},
      {"the first cell keeps the value left from before", atFirst, {{1, 1, 8}, {2, 1, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ResetWorld();
    DecodedDigit = 8;
    WriteMapFile(c.text);
    CreateWorld();
    for (const auto& [x, y, terrain] : c.cells)
      EXPECT_EQ(MapGrid[x][y][Terrain], terrain) << x << "," << y;
  }
  EXPECT_EQ(G.MapText, atFirst);
}

TEST_F(CreateWorldTest, IdentitiesFollowTheirOddsOverManyWorlds) {
  WriteMapFile(StreetMap());
  SeedRandom(1);
  int counts[4] = {}, men = 0;  // by kind
  for (int world = 0; world < 6; ++world) {
    ResetWorld();
    CreateWorld();
    for (int n = 1; n <= kPersonCount; ++n) {
      const uint8_t* p = People[n];
      ASSERT_TRUE(p[Surname] >= 1 && p[Surname] <= 152 && p[GivenName] >= 1) << n;
      ASSERT_TRUE(p[GivenName] <= 114 && p[Kind] <= 3) << n;
      // Targets are women (given names below 63) with looks 1..4; everybody else looks 5..12.
      ASSERT_TRUE(p[Kind] == Target ? p[GivenName] < 63 && p[Look] >= 1 && p[Look] <= 4
                                    : p[Look] >= 5 && p[Look] <= 12)
          << n;
      ++counts[p[Kind]];
      men += p[GivenName] >= 63;
    }
  }
  // Expected 1000, 2000, 1667 and 833 of 6000; the bounds leave several standard deviations.
  EXPECT_NEAR(counts[Target], 1000, 150);
  EXPECT_NEAR(men, 2000, 200);
  EXPECT_NEAR(counts[Child], 1667, 200);
  EXPECT_NEAR(counts[Elder], 833, 150);
}

// Bad input: each of these stops the program with a message naming the file, before any
// of the world changes and without a single draw of the placement.
class BadMapTest : public WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    for (int x = 0; x <= 100; ++x)
      for (int y = 0; y <= 100; ++y) MapGrid[x][y][Terrain] = uint8_t((x + y) % 62);
    People[5][Surname] = 77;
    DecodedDigit = 41;
    G.TargetKills = 3;
    before_ = WorldBytes();
  }
  void ExpectNothingChanged() {
    EXPECT_EQ(WorldBytes(), before_);
    EXPECT_EQ(Numbers({DecodedDigit, G.TargetKills}), "41 3");
    EXPECT_EQ(G.MapText, "");
    EXPECT_EQ(clock_reads_, 0) << "the placement had started";
  }
  std::vector<uint8_t> before_;
};

// Walkable cells only where the test says: n of them inside the placement square, row by row
// from (4, 4), plus the whole of rows 1..3, which do not count.
std::string MapWithStreetCells(int n) {
  std::string map = UniformMap('Z');
  for (int y = 1; y <= 3; ++y)
    for (int x = 1; x <= 100; ++x) SetCell(map, x, y, '0');
  for (int i = 0; i < n; ++i) SetCell(map, 4 + i % 94, 4 + i / 94, '1');
  return map;
}

TEST_F(BadMapTest, EachStopsWithAClearMessageAndChangesNothing) {
  const std::string empty = "ファイル【map.dat】を読み込めません。（地図が空です）";
  const std::string fewStreets =
      "ファイル【map.dat】を読み込めません。（人が歩ける道が足りません）";
  struct Case {
    const char* what;
    const char* text;  // nullptr: no file; "/": a folder
    std::string map, reason, message;
  } cases[] = {
      {"no file", nullptr, "", "missing-file", "ファイル【map.dat】が存在しません。"},
      {"a folder", "/", "", "missing-file", "ファイル【map.dat】が存在しません。"},
      {"empty", "", "", "bad-map", empty},
      {"blanks", "   \r\n", "", "bad-map", empty},
      {"an empty field", ",0000", "", "bad-map", empty},
      {"an empty first line", "\n", UniformMap('0'), "bad-map", empty},
      {"too few street cells", "", MapWithStreetCells(999), "bad-map", fewStreets},
      {"no street at all", "", UniformMap('a'), "bad-map", fewStreets},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    boxes_.clear();
    std::filesystem::remove_all(DataDir() + "/map.dat");
    if (c.text && std::string(c.text) == "/")
      std::filesystem::create_directory(DataDir() + "/map.dat");
    else if (c.text)
      WriteMapFile(c.text + c.map);
    EXPECT_EQ(EndReason(CreateWorld), c.reason);
    EXPECT_EQ(boxes_, (Boxes{{"K.Z.V", c.message}}));
    ExpectNothingChanged();
  }
}

TEST_F(CreateWorldTest, ExactlyEnoughStreetCellsFillEveryOneOfThem) {
  WriteMapFile(MapWithStreetCells(1000));
  CreateWorld();
  for (int n = 1; n <= kPersonCount; ++n)
    EXPECT_EQ(MapGrid[People[n][PosX]][People[n][PosY]][Terrain], 1) << n;
}

}  // namespace
