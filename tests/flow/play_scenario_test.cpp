#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "flow/game_state.h"
#include "shell/forms.h"
#include "support/program_test.h"
#include "world/world_model.h"

namespace {

using Slots = std::vector<int>;
constexpr int kShift = 16, kEscape = 27, kRight = 39;
constexpr int kShotSound = 13, kShotReadySound = 11, kSixLeftVoice = 30, kMissionOver = 16;

int Count(const Slots& slots, int slot) { return int(std::count(slots.begin(), slots.end(), slot)); }

int ShotMarks() {
  int marks = 0;
  for (int x = 0; x < kMapCells; ++x)
    for (int y = 0; y < kMapCells; ++y) marks += MapGrid[x][y][ShotMark];
  return marks;
}

using PlayTest = ProgramTest;

TEST_F(PlayTest, ShiftWhileChargingFiresNothing) {
  Boot();
  StartMissionFromTitle();
  TakePlayed();
  ASSERT_EQ(G.Charge, 246);
  Key(kShift);
  EXPECT_EQ(G.GameMode, 3);
  EXPECT_EQ(C("li").y1, 60);
  EXPECT_EQ(ShotMarks(), 0);
  EXPECT_TRUE(TakePlayed().empty());
  EXPECT_EQ(C("sarch", 0).caption, "Welcome!");
  // The position display still refreshes.
  EXPECT_EQ(C("box").caption, "WidX: 14m");
  EXPECT_EQ(C("box2").caption, "WidY: 14m");
}

TEST_F(PlayTest, AMissionHasFiftySixShotsAndWarnsWhenSixRemain) {
  Boot();
  StartMissionFromTitle();
  for (int shot = 1; shot <= 56; ++shot) {
    WaitForCharge();
    TakePlayed();
    Key(kShift);
    const Slots slots = TakePlayed();
    ASSERT_EQ(Count(slots, kShotSound), 1) << "shot " << shot;
    EXPECT_EQ(Count(slots, kSixLeftVoice), shot == 50 ? 1 : 0) << "shot " << shot;
    EXPECT_EQ(C("li").y1, 60 + 4 * shot);
    if (shot < 56) {
      ASSERT_EQ(G.GameMode, 3) << "shot " << shot;
      EXPECT_EQ(C("sarch", 0).caption, "CarsolCode_#090");
      EXPECT_EQ(slots.back(), kShotReadySound);
    } else {
      // The last shot is resolved in full, then the result screen comes, and the fire key's
      // own last steps still run after it.
      EXPECT_EQ(G.GameMode, 2);
      EXPECT_TRUE(C("ending").visible);
      EXPECT_EQ(Count(slots, kMissionOver), 1);
      EXPECT_EQ(slots.back(), kShotReadySound);
      EXPECT_EQ(G.Charge, 246);
    }
  }
  EXPECT_GT(ShotMarks(), 0);
  EXPECT_FALSE(C("tim1").enabled);
  EXPECT_FALSE(C("Tim2").enabled);
  EXPECT_FALSE(C("Tim3").enabled);
  EXPECT_EQ(C("keka", 0).caption, std::to_string(G.TargetKills) + "人");
  EXPECT_EQ(C("keka", 1).caption, std::to_string(G.CivilianKills) + "人");
  EXPECT_EQ(C("keka", 2).caption, std::to_string(G.Reward) + "円");

  // Nothing moves on the result screen.
  const uint8_t charge = G.Charge;
  Wait(3000);
  Key(kShift);
  EXPECT_EQ(G.Charge, charge);
  EXPECT_EQ(C("li").y1, 284);
}

TEST_F(PlayTest, EscapeOnAPageOrDuringPlayEndsWithoutSaving) {
  for (const bool onAPage : {true, false}) {
    TearDown();
    SetUp();
    WriteSave("1,150000,\"日向 澄香\",1");
    const std::string before = SaveBytes();
    Boot();
    if (onAPage) {
      Key(38);
      Key(kShift);  // help
    } else {
      StartMissionFromTitle();
      WaitForCharge();
      Key(kShift);
      Key(kRight);
    }
    Key(kEscape);
    EXPECT_TRUE(host_->Ended());
    EXPECT_EQ(host_->EndReason(), "escape");
    EXPECT_EQ(SaveBytes(), before);
  }
}

// What a mission start shows and holds: the game state, the map's traces, the log and the
// status panel.
std::string MissionStart() {
  int marks = 0, blood = 0;
  for (int x = 0; x < kMapCells; ++x) {
    for (int y = 0; y < kMapCells; ++y) {
      marks += MapGrid[x][y][ShotMark];
      blood += MapGrid[x][y][Blood];
    }
  }
  std::ostringstream out;
  for (int v : {int(G.Reward), int(G.ViewX), int(G.ViewY), int(G.CursorX), int(G.CursorY),
                int(G.Charge), int(G.NaviCounter), int(G.ComboCount), int(G.ComboArmed), marks,
                blood, Form1()("li").y1, Form1()("all").left, Form1()("all").top})
    out << v << " ";
  for (const char* name : {"yenm", "dne", "ndel", "cname", "ccode"})
    out << "\n" << name << " " << Form1()(name).caption;
  for (int line = 0; line < 9; ++line)
    out << "\n" << Form1()("sarch", line).caption << " " << Form1()("sarch", line).transparent;
  return out.str();
}

TEST_F(PlayTest, ASecondMissionStartsAsTheFirstDid) {
  Boot();
  StartMissionFromTitle();
  const std::string first = MissionStart();
  WaitForCharge();
  for (int i = 0; i < 30; ++i) Key(kRight);
  // A hit, so that the status labels and the map carry traces, then the last shot.
  PutPersonUnderAim();
  Key(kShift);
  ASSERT_NE(G.ShotPerson, 0);
  C("li").y1 = 280;
  WaitForCharge();
  Key(kShift);
  ASSERT_EQ(G.GameMode, 2);
  ASSERT_GT(ShotMarks(), 0);
  Key(13);  // the holder's name is still in the box
  ASSERT_EQ(G.GameMode, 1);
  EXPECT_EQ(ShotMarks(), 0);
  Key(kShift);
  ASSERT_EQ(G.GameMode, 3);
  EXPECT_EQ(MissionStart(), first);
}

}  // namespace
