#include <string>
#include <vector>

#include "flow/game_state.h"
#include "platform/raster/picture.h"
#include "shell/forms.h"
#include "support/program_test.h"

namespace {

using Slots = std::vector<int>;
constexpr int kShift = 16, kEscape = 27, kUp = 38, kDown = 40, kS = 83, kPad2 = 98, kPad8 = 104;

class TitleTest : public ProgramTest {
 protected:
  // The page box holds the picture of page n from the data folder.
  bool PageShows(int n) {
    auto expected = platform::LoadPictureFile(AppPath("data/page") + std::to_string(n) + ".mcg");
    const platform::Surface& shown = C("page").picture;
    return expected && C("page").visible && shown.width == expected->width &&
           shown.height == expected->height && shown.pixels == expected->pixels;
  }
};

TEST_F(TitleTest, FirstTimePlayerIsLedThroughBriefingAndHelpToTheStart) {
  Boot();  // no settings file: the launcher writes the default one, Veteran 0
  EXPECT_EQ(G.MenuChoice, 0);
  EXPECT_EQ(Highlights(), "1 0 0");
  TakePlayed();

  for (int page = 2; page <= 4; ++page) {
    Key(kShift);
    EXPECT_TRUE(PageShows(page));
  }
  EXPECT_EQ(G.PageStep, 3);
  Key(kShift);
  EXPECT_FALSE(C("page").visible);
  EXPECT_EQ(G.PageStep, 0);
  EXPECT_EQ(G.MenuChoice, 1);
  EXPECT_EQ(Highlights(), "0 1 0");

  Key(kShift);
  EXPECT_TRUE(PageShows(1));
  Key(kShift);
  EXPECT_FALSE(C("page").visible);
  EXPECT_EQ(G.MenuChoice, 2);
  EXPECT_EQ(Highlights(), "0 0 1");
  EXPECT_EQ(TakePlayed(), Slots(6, 15));

  Key(kShift);
  EXPECT_EQ(G.GameMode, 3);
  EXPECT_FALSE(C("title").visible);
  EXPECT_FALSE(C("page").visible);
  EXPECT_EQ(TakePlayed(), (Slots{20, 11}));
}

TEST_F(TitleTest, VeteranKeepsTheHighlightWherePut) {
  WriteSave("1,150000,\"日向 澄香\",1");
  Boot();
  EXPECT_EQ(G.MenuChoice, 2);
  EXPECT_EQ(Highlights(), "0 0 1");

  Key(kUp);
  Key(kShift);
  EXPECT_TRUE(PageShows(1));
  Key(kShift);
  EXPECT_EQ(G.MenuChoice, 1);
  Key(kUp);
  for (int i = 0; i < 4; ++i) Key(kShift);
  EXPECT_EQ(G.PageStep, 0);
  EXPECT_EQ(G.MenuChoice, 0);
  EXPECT_EQ(Highlights(), "1 0 0");
  EXPECT_EQ(G.GameMode, 1);
}

TEST_F(TitleTest, UpAndDownWrapAndAreIgnoredWhileAPageShows) {
  Boot();
  TakePlayed();
  std::string shown;
  for (int key : {kUp, kDown, kPad2, kPad8}) {
    Key(key);
    shown += std::to_string(G.MenuChoice) + ":" + Highlights() + " ";
  }
  EXPECT_EQ(shown, "2:0 0 1 0:1 0 0 1:0 1 0 0:1 0 0 ");
  EXPECT_EQ(TakePlayed(), (Slots{14, 14, 14, 14}));
  Key(kShift);  // page 2 of the briefing
  TakePlayed();
  for (int key : {kUp, kDown, kPad2}) Key(key);
  EXPECT_EQ(G.MenuChoice, 0);
  EXPECT_EQ(G.PageStep, 1);
  EXPECT_EQ(Highlights(), "1 0 0");
  EXPECT_TRUE(TakePlayed().empty());
}

// The S key is the SOUND panel's switch (whose own effects HiddenModesTest checks), over a page too.
TEST_F(TitleTest, SoundKeyWorksOverAPageAsTheClickDoes) {
  Boot();
  Key(kShift);
  TakePlayed();

  Key(kS);
  EXPECT_EQ(SaveValues(), "1,150000,\"日向 澄香\",0");
  EXPECT_TRUE(PageShows(2));
  EXPECT_EQ(G.PageStep, 1);
  EXPECT_EQ(TakeCalls(), std::vector<std::string>{"MTStop"});

  // With sound off the page turns in silence.
  Key(kShift);
  EXPECT_TRUE(PageShows(3));
  EXPECT_TRUE(TakePlayed().empty());

  Key(kS);
  EXPECT_EQ(TakeCalls(), (std::vector<std::string>{"MTPlay", "STPlay 15"}));
}

}  // namespace
