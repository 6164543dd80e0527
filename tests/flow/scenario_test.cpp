// The whole game from the player's keys: the title and its pages, a mission, its end.
#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "flow/game_state.h"
#include "platform/raster/picture.h"
#include "support/program_test.h"
#include "world/world_model.h"

namespace {

using Slots = std::vector<int>;
constexpr int kEnter = 13, kShift = 16, kEscape = 27, kRight = 39, kUp = 38, kDown = 40, kS = 83,
              kPad2 = 98, kPad8 = 104;
constexpr int kShotSound = 13, kShotReadySound = 11, kSixLeftVoice = 30, kMissionOver = 16;

// The sum of one layer of the map over every cell.
int Marks(int layer) {
  int sum = 0;
  for (int x = 0; x < kMapCells; ++x)
    for (int y = 0; y < kMapCells; ++y) sum += MapGrid[x][y][layer];
  return sum;
}

// The title, and play and the mission's end from it.
class TitleTest : public ProgramTest {
 protected:
  // The page box holds the picture of page n from the data folder.
  bool PageShows(int n) {
    auto expected = platform::LoadPictureFile(AppPath("data/page") + std::to_string(n) + ".mcg");
    const platform::Surface& shown = C("page").picture;
    return expected && C("page").visible && shown.width == expected->width &&
           shown.height == expected->height && shown.pixels == expected->pixels;
  }
  // The title menu and the screens at a glance, e.g.
  // "mode 1, menu 2 (0 0 1), step 0, title/page/ending 100".
  std::string Screen() {
    return "mode " + std::to_string(G.GameMode) + ", menu " + std::to_string(G.MenuChoice) + " (" +
           Highlights() + "), step " + std::to_string(G.PageStep) + ", title/page/ending " +
           std::to_string(C("title").visible) + std::to_string(C("page").visible) +
           std::to_string(C("ending").visible);
  }
  // How often the slot is among those played.
  int Count(const Slots& v, int slot) { return int(std::count(v.begin(), v.end(), slot)); }
  // What a mission start shows and holds: the game state, the map's traces, the log and the
  // status panel.
  std::string MissionStart() {
    std::ostringstream out;
    for (int v : {int(G.Reward), int(G.ViewX), int(G.ViewY), int(G.CursorX), int(G.CursorY),
                  int(G.Charge), int(G.NaviCounter), int(G.ComboCount), int(G.ComboArmed),
                  Marks(ShotMark), Marks(Blood), C("li").y1, C("all").left, C("all").top})
      out << v << " ";
    for (const char* name : {"yenm", "dne", "ndel", "cname", "ccode"})
      out << "\n" << name << " " << C(name).caption;
    for (int line = 0; line < 9; ++line)
      out << "\n" << C("sarch", line).caption << " " << C("sarch", line).transparent;
    return out.str();
  }
  // The new record's two notes and the name box: "notes 11, box 1 [name]".
  std::string NameBox() {
    return "notes " + std::to_string(C("chu2").visible) + std::to_string(C("chu").visible) +
           ", box " + std::to_string(C("ename").enabled) + " [" + C("ename").caption + "]";
  }
};

TEST_F(TitleTest, FirstTimePlayerIsLedThroughBriefingAndHelpToTheStart) {
  Boot();  // no settings file: the launcher writes the default one, Veteran 0
  EXPECT_EQ(Screen(), "mode 1, menu 0 (1 0 0), step 0, title/page/ending 100");
  TakePlayed();

  for (int page = 2; page <= 4; ++page) {
    Key(kShift);
    EXPECT_TRUE(PageShows(page));
  }
  EXPECT_EQ(G.PageStep, 3);
  Key(kShift);
  EXPECT_EQ(Screen(), "mode 1, menu 1 (0 1 0), step 0, title/page/ending 100");

  Key(kShift);
  EXPECT_TRUE(PageShows(1));
  Key(kShift);
  EXPECT_EQ(Screen(), "mode 1, menu 2 (0 0 1), step 0, title/page/ending 100");
  EXPECT_EQ(TakePlayed(), Slots(6, 15));

  Key(kShift);
  EXPECT_EQ(Screen(), "mode 3, menu 2 (0 0 1), step 0, title/page/ending 000");
  EXPECT_EQ(TakePlayed(), (Slots{20, 11}));
}

TEST_F(TitleTest, VeteranKeepsTheHighlightWherePut) {
  WriteSave("1,150000,\"日向 澄香\",1");
  Boot();
  EXPECT_EQ(Screen(), "mode 1, menu 2 (0 0 1), step 0, title/page/ending 100");

  for (int key : {kUp, kShift}) Key(key);
  EXPECT_TRUE(PageShows(1));
  Key(kShift);
  EXPECT_EQ(G.MenuChoice, 1);
  // Up to the briefing, through its three pages and back to the menu.
  for (int key : {kUp, kShift, kShift, kShift, kShift}) Key(key);
  EXPECT_EQ(Screen(), "mode 1, menu 0 (1 0 0), step 0, title/page/ending 100");
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
  EXPECT_EQ(Screen(), "mode 1, menu 0 (1 0 0), step 1, title/page/ending 110");
  EXPECT_TRUE(TakePlayed().empty());
}

// The S key is the SOUND panel's switch, over a page too: sound and music off and on, the mark
// shown while off, the setting saved.
TEST_F(TitleTest, SoundKeyWorksOverAPageAsTheClickDoes) {
  Boot();
  Key(kShift);
  TakePlayed();

  Key(kS);
  EXPECT_EQ(SaveValues(), "1,150000,\"日向 澄香\",0");
  EXPECT_TRUE(C("si").visible);
  EXPECT_TRUE(PageShows(2));
  EXPECT_EQ(G.PageStep, 1);
  EXPECT_EQ(TakeCalls(), std::vector<std::string>{"MTStop"});

  // With sound off the page turns in silence.
  Key(kShift);
  EXPECT_TRUE(PageShows(3));
  EXPECT_TRUE(TakePlayed().empty());

  Key(kS);
  EXPECT_EQ(TakeCalls(), (std::vector<std::string>{"MTPlay", "STPlay 15"}));
  EXPECT_FALSE(C("si").visible);
  EXPECT_EQ(SaveValues(), "1,150000,\"日向 澄香\",1");
  // The panel's click area lies inside the title: gone with it during play.
  C("title").visible = false;
  ASSERT_TRUE(host_->Click("sic"));
  EXPECT_EQ(G.SoundOn, 1);
  EXPECT_TRUE(TakeCalls().empty());
}

using PlayTest = TitleTest;

TEST_F(PlayTest, ShiftWhileChargingFiresNothing) {
  Boot();
  StartMissionFromTitle();
  TakePlayed();
  ASSERT_EQ(G.Charge, 246);
  Key(kShift);
  EXPECT_EQ(G.GameMode, 3);
  EXPECT_EQ(C("li").y1, 60);
  EXPECT_EQ(Marks(ShotMark), 0);
  EXPECT_TRUE(TakePlayed().empty());
  EXPECT_EQ(C("sarch", 0).caption, "Welcome!");
  // The position display still refreshes.
  EXPECT_EQ(C("box").caption + " " + C("box2").caption, "WidX: 14m WidY: 14m");
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
    EXPECT_EQ(slots.back(), kShotReadySound);
    if (shot < 56) {
      ASSERT_EQ(G.GameMode, 3) << "shot " << shot;
      EXPECT_EQ(C("sarch", 0).caption, "CarsolCode_#090");
    } else {
      // The last shot is resolved in full, then the result screen comes, and the fire key's
      // own last steps still run after it.
      EXPECT_EQ(Screen(), "mode 2, menu 2 (0 0 1), step 0, title/page/ending 001");
      EXPECT_EQ(Count(slots, kMissionOver), 1);
      EXPECT_EQ(G.Charge, 246);
    }
  }
  EXPECT_GT(Marks(ShotMark), 0);
  for (const char* timer : {"tim1", "Tim2", "Tim3"}) EXPECT_FALSE(C(timer).enabled) << timer;
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

// Escape on a page or during play, or the close box on the result screen with a new record's
// name typed: the game ends, and save.dat stays as it was.
TEST_F(PlayTest, EscapeOrTheCloseBoxEndsWithoutSaving) {
  for (const std::string where : {"page", "play", "result"}) {
    SCOPED_TRACE(where);
    TearDown();
    SetUp();
    WriteSave("1,150000,\"日向 澄香\",1");
    const std::string before = SaveBytes();
    Boot();
    if (where == "page") {
      for (int key : {kUp, kShift, kEscape}) Key(key);  // on help's page
    } else if (where == "play") {
      StartMissionFromTitle();
      WaitForCharge();
      for (int key : {kShift, kRight, kEscape}) Key(key);
    } else {
      EndMissionWithReward(400000);
      host_->Type("新記録");
      host_->Close();
    }
    EXPECT_EQ(host_->EndReason(), where == "result" ? "close" : "escape");
    EXPECT_EQ(SaveBytes(), before);
  }
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
  ASSERT_GT(Marks(ShotMark), 0);
  Key(13);  // the holder's name is still in the box
  ASSERT_EQ(G.GameMode, 1);
  EXPECT_EQ(Marks(ShotMark), 0);
  Key(kShift);
  ASSERT_EQ(G.GameMode, 3);
  EXPECT_EQ(MissionStart(), first);
}

using MissionEndTest = TitleTest;

TEST_F(MissionEndTest, RewardEqualToTheRecordIsNoNewRecordButTheNameIsCommitted) {
  Boot();
  EndMissionWithReward(150000);
  EXPECT_EQ(C("keka", 2).caption + " " + C("keka", 3).caption, "150000円 150000円");
  EXPECT_EQ(C("keka", 5).caption, "Ｃランク");
  EXPECT_EQ(C("keka", 4).caption, "君には失望させられたよ。基礎からやり直したほうがいいな…");
  EXPECT_EQ(NameBox(), "notes 00, box 0 [日向 澄香]");
  EXPECT_EQ(G.RecordReward, 150000);

  Key(kEnter);
  EXPECT_EQ(Screen(), "mode 1, menu 2 (0 0 1), step 0, title/page/ending 100");
  EXPECT_EQ(G.Veteran, 1);
  EXPECT_EQ(G.RecordHolder, "日向 澄香");
  EXPECT_EQ(SaveValues(), "1,150000,\"日向 澄香\",1");
}

TEST_F(MissionEndTest, ANewRecordWaitsForANameAndKeepsItsFirstTwentyCharacters) {
  Boot();
  TakePlayed();
  EndMissionWithReward(900000);
  // The record it beat, and the rank.
  EXPECT_EQ(C("keka", 3).caption + " " + C("keka", 5).caption, "150000円 Ｓランク");
  EXPECT_EQ(G.RecordReward, 900000);
  EXPECT_EQ(NameBox(), "notes 11, box 1 []");
  const Slots slots = TakePlayed();
  EXPECT_EQ((Slots(slots.end() - 3, slots.end())), (Slots{16, 21, 11}));

  // Nothing commits an empty name, and no other key acts here, Escape included.
  for (int key : {kEnter, kEscape, kShift}) Key(key);
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
  EXPECT_EQ(C("Label2").caption + "\n" + C("Label3").caption, line + "\n" + line);
  EXPECT_EQ(G.GameMode, 1);
}

}  // namespace
