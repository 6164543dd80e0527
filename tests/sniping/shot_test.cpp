#include "sniping/shot.h"

#include <algorithm>

#include "platform/toolkit/message_box.h"
#include "shell/forms.h"
#include "sniping_fixture.h"
#include "world/world_model.h"

namespace {

constexpr int kCx = 18, kCy = 25;  // the aimed cell of every test

class ShotTest : public SnipingTest {
 protected:
  void SetUp() override {
    SnipingTest::SetUp();
    G.ScopeX = kCx - 8;
    G.CursorX = 8;
    G.ScopeY = kCy - 5;
    G.CursorY = 5;
    G.ShotBusy = 1;
  }

  // A person of the kind on the aimed cell, shot with the bonus draw k.
  static void ShootAt(int kind, int k, int person = 7) {
    PlacePerson(person, kCx, kCy, kind == Target ? 2 : 6, kind);
    PinBonus(k);
    ResolveShot();
  }

  static platform::Control& Label(const char* name) { return Form1()(name); }
};

TEST_F(ShotTest, MissMarksTheCellResetsTheComboAndTouchesNoMoney) {
  G.ComboArmed = 1;
  G.ComboCount = 4;
  G.Reward = 5000;
  Label("dne").caption = "：+10300円";
  Label("cname").caption = "前の人";
  ResolveShot();
  EXPECT_EQ(MapGrid[kCx][kCy][ShotMark], 1);
  for (int dx = -1; dx <= 1; ++dx)
    for (int dy = -1; dy <= 1; ++dy) EXPECT_EQ(MapGrid[kCx + dx][kCy + dy][Blood], 0);
  EXPECT_EQ(Form1()("sarch", 0).caption, "Failure Shot...");
  EXPECT_EQ(Form1()("sarch", 1).caption, "");
  EXPECT_EQ(PlayedSlots(), std::vector<int>{13});
  EXPECT_EQ(G.ComboArmed, 0);
  EXPECT_EQ(G.ComboCount, 0);
  EXPECT_EQ(G.Reward, 5000);
  EXPECT_EQ(Label("dne").caption, "：+10300円");
  EXPECT_EQ(Label("cname").caption, "前の人");
  EXPECT_EQ(G.ShotBusy, 0);
  EXPECT_EQ(G.ShotFlash, 1);
}

TEST_F(ShotTest, EachKindPaysOrCostsWithTheComboAndReportsIt) {
  struct Case {
    int kind, k, armed, combo;  // the bonus draw k, the combo state before the shot
    int32_t reward;             // the total before it
    int kills;                  // the kind's kill counter before it
    int32_t value;
    int armedAfter, comboAfter;
    const char* word;
    uint32_t colour;
    std::vector<int> sounds;
  } cases[] = {
      {Target, 3, 0, 0, 1000, 0, 10300, 1, 0, "ガングロ", 0x00C0C0, {13, 29}},
      {Target, 5, 0, 0, 1000, 0, 10500, 1, 0, "ガングロ", 0x00C0C0, {13, 29}},
      {Target, 5, 1, 0, 1000, 0, 11025, 1, 1, "ガングロ", 0x00C0C0, {13, 29}},  // armed: 105 %
      {Target, 5, 1, 1, 1000, 0, 11550, 1, 2, "ガングロ", 0x00C0C0, {13, 29}},
      {Target, 5, 1, 20, 1000, 0, 21000, 1, 20, "ガングロ", 0x00C0C0, {13, 29}},  // at most 200 %
      {Citizen, 7, 1, 4, 1000, 0, -16050, 0, 0, "一般市民", 0xFF0000, {13, 28, 17}},
      {Elder, 1, 0, 0, 1000, 0, -10100, 0, 0, "老人", 0xFF0000, {13, 28, 17}},
      {Child, 10, 1, 7, 1000, 0, -22000, 0, 0, "子供", 0xFF0000, {13, 28, 17}},
      // The total stops at eight nines either way, the kill counters at 255.
      {Target, 10, 1, 20, 99'990'000, 254, 22000, 1, 20, "ガングロ", 0x00C0C0, {13, 29}},
      {Child, 10, 1, 20, -99'990'000, 255, -22000, 0, 0, "子供", 0xFF0000, {13, 28, 17}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.word + std::to_string(c.k) + " from " + std::to_string(c.reward));
    G.Reward = c.reward;
    G.ComboArmed = uint8_t(c.armed);
    G.ComboCount = uint8_t(c.combo);
    (c.kind == Target ? G.TargetKills : G.CivilianKills) = uint8_t(c.kills);
    (c.kind == Target ? G.CivilianKills : G.TargetKills) = 0;
    G.ShotBusy = 1;
    ShootAt(c.kind, c.k);
    const int32_t total = std::clamp(c.reward + c.value, -99'999'999, 99'999'999);
    EXPECT_EQ(G.ShotReward, c.value);
    EXPECT_EQ(G.Reward, total);
    EXPECT_EQ(G.ComboArmed, c.armedAfter);
    EXPECT_EQ(G.ComboCount, c.comboAfter);
    EXPECT_EQ(c.kind == Target ? G.TargetKills : G.CivilianKills, std::min(255, c.kills + 1));
    EXPECT_EQ(c.kind == Target ? G.CivilianKills : G.TargetKills, 0);
    EXPECT_EQ(Label("dne").caption, std::string("：") + (c.value > 0 ? "+" : "") +
                                        std::to_string(c.value) + "円");
    EXPECT_EQ(Label("dne").foreColor, c.colour);
    EXPECT_EQ(Label("ndel").foreColor, c.colour);
    EXPECT_EQ(Label("yenm").caption, std::to_string(total));
    EXPECT_EQ(Label("ccode").caption, c.word);
    EXPECT_EQ(Label("cname").caption, "安西 亜由美");
    EXPECT_EQ(Label("ndel").caption, "Del._= 安西 亜由美");
    EXPECT_EQ(PlayedSlots(), c.sounds);
    using Lines = std::vector<std::string>;
    const Lines log = LogLines();
    EXPECT_EQ(Lines(log.begin(), log.begin() + 4),
              (c.kind == Target ? Lines{"Nice!..GUNGURO", "Delete..安西 亜由美", "Set_=安西 亜由美", "Pdition-"}
                                : Lines{"Delete..安西 亜由美", "Set_=安西 亜由美", "Pdition-", ""}));
    EXPECT_EQ(G.ShotBusy, 0);
    EXPECT_EQ(G.ShotFlash, 1);
    // The victim leaves the world but keeps the name columns.
    EXPECT_EQ(G.ShotPerson, 7);
    EXPECT_EQ(People[7][State], 0);
    EXPECT_EQ(People[7][PosX], 0);
    EXPECT_EQ(People[7][Surname], 1);
    EXPECT_EQ(MapGrid[kCx][kCy][Occupant], 0);
    for (int i = 0; i < 9; ++i) Form1()("sarch", i).caption.clear();
  }
}

TEST_F(ShotTest, BloodSplashesOnStreetsOnlyAndNeverCoversAVictim) {
  MapGrid[kCx][kCy - 1][Terrain] = 10;  // north: a building
  MapGrid[kCx + 1][kCy][Blood] = 5;     // east: an earlier victim
  MapGrid[kCx][kCy + 1][Blood] = 2;     // south: an older splash
  MapGrid[kCx - 1][kCy][Terrain] = 9;   // west: street, clean
  MapGrid[kCx][kCy][Blood] = 3;         // the victim's cell itself had a splash
  ShootAt(Elder, 4);
  EXPECT_EQ(MapGrid[kCx][kCy][Blood], 5);
  EXPECT_EQ(MapGrid[kCx][kCy - 1][Blood], 0);
  EXPECT_EQ(MapGrid[kCx + 1][kCy][Blood], 5);
  EXPECT_EQ(MapGrid[kCx][kCy + 1][Blood], 3);
  EXPECT_EQ(MapGrid[kCx - 1][kCy][Blood], 4);
  EXPECT_EQ(MapGrid[kCx + 1][kCy + 1][Blood], 0);  // diagonals stay clean
}

TEST_F(ShotTest, TwoPeopleOnTheCellTheHigherIndexIsShot) {
  PlacePerson(3, kCx, kCy, 6, Citizen, 2, 2);
  PlacePerson(9, kCx, kCy, 1, Target, 1, 1);
  PinBonus(1);
  ResolveShot();
  EXPECT_EQ(G.ShotPerson, 9);
  EXPECT_EQ(People[9][PosX], 0);
  EXPECT_EQ(People[3][State], 1);
  EXPECT_EQ(People[3][PosX], kCx);
  EXPECT_EQ(MapGrid[kCx][kCy][Occupant], 0);  // the other one is hidden until they move on
  EXPECT_EQ(Label("ccode").caption, "ガングロ");
}

TEST_F(ShotTest, GridShowingSomebodyTheTableDoesNotKnowStopsTheProgram) {
  std::string shown;
  platform::SetMessageBoxHandler(
      [&](const std::string&, const std::string& text) { shown = text; });
  MapGrid[kCx][kCy][Occupant] = 6;  // as the driver's setcell would leave it
  try {
    ResolveShot();
    FAIL() << "the shot went on";
  } catch (const platform::ProgramEnded& ended) {
    EXPECT_EQ(ended.reason, "missing-file");
  }
  EXPECT_EQ(shown, "ファイル【数オーバー】が存在しません。");
  EXPECT_EQ(G.MissingFile, "数オーバー");
  EXPECT_EQ(PlayedSlots(), std::vector<int>{13});
}

}  // namespace
