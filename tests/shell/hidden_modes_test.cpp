// The two invisible click areas: the hidden operating mode and the sound switch.
#include "flow/game_state.h"
#include "shell/windows.h"
#include "shell_fixture.h"

TEST_F(ShellTest, ThreeClicksOnUraCycleTheModeAndTheCaption) {
  Boot();
  C("title").visible = false;  // during play nothing covers ura
  TakeCalls();
  const char* captions[] = {"K.Z.V（自動狙撃）", "K.Z.V（即時充電）", "K.Z.V"};
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(host_->Click("ura"));
    EXPECT_EQ(G.HiddenMode, (i + 1) % 3);
    EXPECT_EQ(Form1().caption, captions[i]);
  }
  EXPECT_TRUE(TakeCalls().empty());  // no sound
  EXPECT_EQ(SaveValues(), "0,150000,\"日向 澄香\",1");  // nothing saved
}

TEST_F(ShellTest, UraOnTheTitleIsCoveredByTheTitle) {
  Boot();
  ASSERT_TRUE(host_->Click("ura"));
  EXPECT_EQ(G.HiddenMode, 0);
  EXPECT_EQ(Form1().caption, "K.Z.V");
}

TEST_F(ShellTest, SicSwitchesSoundAndMusicAndSaves) {
  Boot();
  TakeCalls();
  ASSERT_TRUE(host_->Click("sic"));
  EXPECT_EQ(G.SoundOn, 0);
  EXPECT_TRUE(C("si").visible);
  EXPECT_EQ(TakeCalls(), std::vector<std::string>{"MTStop"});
  EXPECT_EQ(SaveValues(), "1,150000,\"日向 澄香\",0");

  ASSERT_TRUE(host_->Click("sic"));
  EXPECT_EQ(G.SoundOn, 1);
  EXPECT_FALSE(C("si").visible);
  EXPECT_EQ(TakeCalls(), (std::vector<std::string>{"MTPlay", "STPlay 15"}));
  EXPECT_EQ(SaveValues(), "1,150000,\"日向 澄香\",1");
}

TEST_F(ShellTest, SicDuringPlayReachesNothing) {
  Boot();
  C("title").visible = false;
  TakeCalls();
  ASSERT_TRUE(host_->Click("sic"));  // sic lies inside the hidden title
  EXPECT_EQ(G.SoundOn, 1);
  EXPECT_TRUE(TakeCalls().empty());
}

TEST_F(ShellTest, SicWithTheFileDeletedStillSwitchesButSavesNothing) {
  Boot();
  RemoveFile("save.dat");
  ASSERT_TRUE(host_->Click("sic"));
  EXPECT_EQ(G.SoundOn, 0);
  EXPECT_EQ(SaveValues(), "");
}

TEST_F(ShellTest, TheCloseBoxEndsTheProgramWithoutSaving) {
  WriteSave("1,300000,\"誰か\",1");
  Boot();
  G.RecordReward = 999999;
  host_->Close();
  EXPECT_EQ(host_->EndReason(), "close");
  EXPECT_EQ(SaveValues(), "1,300000,\"誰か\",1");
}
