#include "sniping/shot.h"

#include "platform/message_box.h"
#include "shell/windows.h"
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
  EXPECT_EQ(MapGrid[kCx][kCy][Blood], 0);
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

TEST_F(ShotTest, TargetHitPaysTheRandomBonusAndReportsIt) {
  ShootAt(Target, 3);
  EXPECT_EQ(G.ShotReward, 10300);
  EXPECT_EQ(G.Reward, 10300);
  EXPECT_EQ(Label("dne").caption, "：+10300円");
  EXPECT_EQ(Label("dne").foreColor, 0x00C0C0u);
  EXPECT_EQ(Label("ndel").foreColor, 0x00C0C0u);
  EXPECT_EQ(Label("yenm").caption, "10300");
  EXPECT_EQ(Label("cname").caption, "安西 亜由美");
  EXPECT_EQ(Label("ccode").caption, "ガングロ");
  EXPECT_EQ(Label("ndel").caption, "Del._= 安西 亜由美");
  EXPECT_EQ(G.ComboArmed, 1);
  EXPECT_EQ(G.ComboCount, 0);
  EXPECT_EQ(G.TargetKills, 1);
  EXPECT_EQ(G.CivilianKills, 0);
  EXPECT_EQ(PlayedSlots(), (std::vector<int>{13, 29}));
  const std::vector<std::string> log = LogLines();
  EXPECT_EQ(log[0], "Nice!..GUNGURO");
  EXPECT_EQ(log[1], "Delete..安西 亜由美");
  EXPECT_EQ(log[2], "Set_=安西 亜由美");
  EXPECT_EQ(log[3], "Pdition-");
  EXPECT_EQ(log[4], "");
  EXPECT_EQ(G.ShotBusy, 0);
  EXPECT_EQ(G.ShotFlash, 1);
}

TEST_F(ShotTest, VictimLeavesTheWorldButKeepsTheNameColumns) {
  ShootAt(Citizen, 1, 42);
  EXPECT_EQ(G.ShotPerson, 42);
  EXPECT_EQ(People[42][State], 0);
  EXPECT_EQ(People[42][PosX], 0);
  EXPECT_EQ(People[42][PosY], 0);
  EXPECT_EQ(People[42][Surname], 1);
  EXPECT_EQ(People[42][Kind], Citizen);
  EXPECT_EQ(MapGrid[kCx][kCy][Occupant], 0);
  EXPECT_EQ(MapGrid[kCx][kCy][ShotMark], 1);
}

TEST_F(ShotTest, ConsecutiveTargetsRaiseTheCombo) {
  const int expected[] = {10500, 11025, 11550};
  int64_t total = 0;
  for (int hit = 0; hit < 3; ++hit) {
    ShootAt(Target, 5);
    total += expected[hit];
    EXPECT_EQ(G.ShotReward, expected[hit]) << hit;
    EXPECT_EQ(G.ComboCount, hit);
    EXPECT_EQ(G.Reward, total);
  }
  EXPECT_EQ(Label("dne").caption, "：+11550円");
  EXPECT_EQ(G.TargetKills, 3);
}

TEST_F(ShotTest, ComboStopsAtTwentyFromThe21stHitOn) {
  // 21 hits in a row leave the combo at 20; the 22nd raises it to 21, stored back as 20.
  G.ComboArmed = 1;
  G.ComboCount = 20;
  ShootAt(Target, 5);
  EXPECT_EQ(G.ComboCount, 20);
  EXPECT_EQ(G.ShotReward, 21000);  // 10500 at 200 %
}

TEST_F(ShotTest, ChildCostsMoneyInRedWithBothSoundsInOrder) {
  G.ComboArmed = 1;
  G.ComboCount = 7;
  ShootAt(Child, 10);
  EXPECT_EQ(G.ShotReward, -22000);
  EXPECT_EQ(G.Reward, -22000);
  EXPECT_EQ(Label("dne").caption, "：-22000円");
  EXPECT_EQ(Label("dne").foreColor, 0xFF0000u);
  EXPECT_EQ(Label("ndel").foreColor, 0xFF0000u);
  EXPECT_EQ(Label("yenm").caption, "-22000");
  EXPECT_EQ(Label("ccode").caption, "子供");
  EXPECT_EQ(PlayedSlots(), (std::vector<int>{13, 28, 17}));
  EXPECT_EQ(G.ComboArmed, 0);
  EXPECT_EQ(G.ComboCount, 0);
  EXPECT_EQ(G.CivilianKills, 1);
  EXPECT_EQ(G.TargetKills, 0);
  EXPECT_EQ(Form1()("sarch", 0).caption, "Delete..安西 亜由美");
}

TEST_F(ShotTest, EveryBystanderKindHasItsPenalty) {
  struct Case {
    int kind, k, value;
    const char* word;
  };
  for (const Case& c : {Case{Citizen, 7, -16050, "一般市民"}, Case{Elder, 1, -10100, "老人"},
                        Case{Child, 2, -20400, "子供"}}) {
    G.Reward = 0;
    ShootAt(c.kind, c.k);
    EXPECT_EQ(G.ShotReward, c.value) << c.word;
    EXPECT_EQ(Label("dne").caption, "：" + std::to_string(c.value) + "円");
    EXPECT_EQ(Label("ccode").caption, c.word);
  }
  EXPECT_EQ(G.CivilianKills, 3);
}

TEST_F(ShotTest, TotalIsClampedAtBothEnds) {
  G.Reward = 99'990'000;
  G.ComboArmed = 1;
  G.ComboCount = 20;
  ShootAt(Target, 10);  // 22000
  EXPECT_EQ(G.ShotReward, 22000);
  EXPECT_EQ(G.Reward, 99'999'999);
  EXPECT_EQ(Label("yenm").caption, "99999999");

  G.Reward = -99'990'000;
  ShootAt(Child, 10);  // -22000
  EXPECT_EQ(G.Reward, -99'999'999);
  EXPECT_EQ(Label("yenm").caption, "-99999999");
}

TEST_F(ShotTest, KillCountersStopAt255) {
  G.TargetKills = 254;
  ShootAt(Target, 1);
  ShootAt(Target, 1);
  EXPECT_EQ(G.TargetKills, 255);
  G.CivilianKills = 255;
  ShootAt(Elder, 1);
  EXPECT_EQ(G.CivilianKills, 255);
  EXPECT_EQ(G.TargetKills, 255);
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

TEST_F(ShotTest, MissLeavesNoBlood) {
  MapGrid[kCx][kCy][Blood] = 0;
  ResolveShot();
  for (int dx = -1; dx <= 1; ++dx)
    for (int dy = -1; dy <= 1; ++dy) EXPECT_EQ(MapGrid[kCx + dx][kCy + dy][Blood], 0);
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

TEST_F(ShotTest, NoSoundsWithSoundOff) {
  G.SoundOn = 0;
  ShootAt(Child, 3);
  ResolveShot();  // and a miss
  EXPECT_TRUE(PlayedSlots().empty());
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
