#include <filesystem>
#include <string>
#include <vector>

#include "flow/game_state.h"
#include "shell/forms.h"
#include "support/program_test.h"

namespace {

using Slots = std::vector<int>;
constexpr int kEnter = 13, kEscape = 27, kShift = 16;

using MissionEndTest = ProgramTest;

TEST_F(MissionEndTest, RewardEqualToTheRecordIsNoNewRecordButTheNameIsCommitted) {
  Boot();
  EndMissionWithReward(150000);
  EXPECT_EQ(C("keka", 2).caption, "150000円");
  EXPECT_EQ(C("keka", 3).caption, "150000円");
  EXPECT_EQ(C("keka", 5).caption, "Ｃランク");
  EXPECT_EQ(C("keka", 4).caption, "君には失望させられたよ。基礎からやり直したほうがいいな…");
  EXPECT_FALSE(C("chu2").visible);
  EXPECT_FALSE(C("chu").visible);
  EXPECT_FALSE(C("ename").enabled);
  EXPECT_EQ(C("ename").caption, "日向 澄香");
  EXPECT_EQ(G.RecordReward, 150000);

  Key(kEnter);
  EXPECT_EQ(G.GameMode, 1);
  EXPECT_EQ(G.Veteran, 1);
  EXPECT_EQ(G.RecordHolder, "日向 澄香");
  EXPECT_EQ(SaveValues(), "1,150000,\"日向 澄香\",1");
  EXPECT_EQ(G.MenuChoice, 2);
  EXPECT_EQ(G.PageStep, 0);
  EXPECT_EQ(Highlights(), "0 0 1");
  EXPECT_TRUE(C("title").visible);
  EXPECT_FALSE(C("ending").visible);
}

TEST_F(MissionEndTest, ANewRecordWaitsForANameAndKeepsItsFirstTwentyCharacters) {
  Boot();
  TakePlayed();
  EndMissionWithReward(900000);
  EXPECT_EQ(C("keka", 3).caption, "150000円");  // the record it beat
  EXPECT_EQ(C("keka", 5).caption, "Ｓランク");
  EXPECT_EQ(G.RecordReward, 900000);
  EXPECT_TRUE(C("chu2").visible);
  EXPECT_TRUE(C("chu").visible);
  EXPECT_TRUE(C("ename").enabled);
  EXPECT_EQ(C("ename").caption, "");
  const Slots slots = TakePlayed();
  EXPECT_EQ((Slots(slots.end() - 3, slots.end())), (Slots{16, 21, 11}));

  // Nothing commits an empty name, and no other key acts here, Escape included.
  Key(kEnter);
  Key(kEscape);
  Key(kShift);
  EXPECT_EQ(G.GameMode, 2);
  EXPECT_FALSE(host_->Ended());
  EXPECT_EQ(SaveValues(), "0,150000,\"日向 澄香\",1");

  // The box takes 20 characters of 21, and nothing once it is full: it shows what is kept.
  const std::string name = "軌道狙撃衛星の新しい操作員です、よろしく";
  host_->Type(name + "。");
  host_->Type("x");
  EXPECT_EQ(C("ename").caption, name);
  Key(kEnter);
  EXPECT_EQ(G.RecordHolder, name);
  EXPECT_EQ(SaveValues(), "1,900000,\"" + name + "\",1");
  const std::string line = "最高報酬者記録： スナイパー" + name + "： 900000円";
  EXPECT_EQ(C("Label2").caption, line);
  EXPECT_EQ(C("Label3").caption, line);
  EXPECT_EQ(G.GameMode, 1);
}

TEST_F(MissionEndTest, ClosingTheResultScreenLosesTheNewRecord) {
  Boot();
  const std::string before = SaveBytes();
  EndMissionWithReward(400000);
  host_->Type("新記録");
  host_->Close();
  EXPECT_EQ(host_->EndReason(), "close");
  EXPECT_EQ(SaveBytes(), before);
}

}  // namespace
