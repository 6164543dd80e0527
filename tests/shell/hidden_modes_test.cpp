// The invisible click area of the hidden operating mode (the sound switch is the S key's, whose
// test clicks it too).
#include "flow/game_state.h"
#include "shell/forms.h"
#include "support/program_test.h"

namespace {

using HiddenModesTest = ProgramTest;

TEST_F(HiddenModesTest, ClicksOnUraCycleTheModeAndTheCaptionOnlyWhenTheTitleIsGone) {
  Boot();
  ASSERT_TRUE(host_->Click("ura"));  // the title covers it
  EXPECT_EQ(G.HiddenMode, 0);
  C("title").visible = false;  // during play nothing covers ura
  TakeCalls();
  const char* captions[] = {"K.Z.V（自動狙撃）", "K.Z.V（即時充電）", "K.Z.V"};
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(host_->Click("ura"));
    EXPECT_EQ(G.HiddenMode, (i + 1) % 3);
    EXPECT_EQ(Form1().caption, captions[i]);
  }
  EXPECT_TRUE(TakeCalls().empty());
  EXPECT_EQ(SaveValues(), "0,150000,\"日向 澄香\",1");  // nothing saved
}

}  // namespace
