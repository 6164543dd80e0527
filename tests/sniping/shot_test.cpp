#include "sniping/shot.h"

#include <algorithm>

#include "platform/toolkit/message_box.h"
#include "shell/forms.h"
#include "sniping_fixture.h"
#include "world/world_model.h"

namespace {

constexpr int kCx = 18, kCy = 25;  // the aimed cell of every test
using Lines = std::vector<std::string>;

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
  // The captions of the labels, in the order given.
  static Lines Captions(std::initializer_list<const char*> names) {
    Lines captions;
    for (const char* name : names) captions.push_back(Label(name).caption);
    return captions;
  }
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
  EXPECT_EQ(LogLines(2), (Lines{"Failure Shot...", ""}));
  EXPECT_EQ(PlayedSlots(), std::vector<int>{13});
  // The combo, the total, the shot's busy and flash flags.
  EXPECT_EQ(Numbers({G.ComboArmed, G.ComboCount, G.Reward, G.ShotBusy, G.ShotFlash}),
            "0 0 5000 0 1");
  EXPECT_EQ(Captions({"dne", "cname"}), (Lines{"：+10300円", "前の人"}));
}

TEST_F(ShotTest, EachKindPaysOrCostsWithTheComboAndReportsIt) {
  struct Case {
    int kind, k, armed, combo;  // the bonus draw k, the combo state before the shot
    // The total and the kind's kill counter before it, the shot's value, the combo after it.
    int32_t reward, kills, value, armedAfter, comboAfter;
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
    const bool target = c.kind == Target;
    const int killed = std::min(255, c.kills + 1);
    // The shot's value, the total, the combo, the kill counters, the busy and flash flags, the
    // colours of the value and the victim's labels.
    EXPECT_EQ(
        Numbers({G.ShotReward, G.Reward, G.ComboArmed, G.ComboCount, G.TargetKills, G.CivilianKills,
                 G.ShotBusy, G.ShotFlash, Label("dne").foreColor, Label("ndel").foreColor}),
        Numbers({c.value, total, c.armedAfter, c.comboAfter, target ? killed : 0,
                 target ? 0 : killed, 0, 1, c.colour, c.colour}));
    const std::string sign = c.value > 0 ? "+" : "";
    EXPECT_EQ(Captions({"dne", "yenm", "ccode", "cname", "ndel"}),
              (Lines{"：" + sign + std::to_string(c.value) + "円", std::to_string(total), c.word,
                     "安西 亜由美", "Del._= 安西 亜由美"}));
    EXPECT_EQ(PlayedSlots(), c.sounds);
    // Every kill writes three lines, a target's a fourth on top of them.
    Lines lines = {"Delete..安西 亜由美", "Set_=安西 亜由美", "Pdition-"};
    lines.insert(target ? lines.begin() : lines.end(), target ? "Nice!..GUNGURO" : "");
    EXPECT_EQ(LogLines(4), lines);
    // The victim leaves the world but keeps the name columns.
    EXPECT_EQ(Numbers({G.ShotPerson, People[7][State], People[7][PosX], People[7][Surname],
                       MapGrid[kCx][kCy][Occupant]}),
              "7 0 0 1 0");
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
  const auto blood = [](int dx, int dy) { return MapGrid[kCx + dx][kCy + dy][Blood]; };
  // The victim's cell, north, east, south, west, and a diagonal, which stays clean.
  EXPECT_EQ(
      Numbers({blood(0, 0), blood(0, -1), blood(1, 0), blood(0, 1), blood(-1, 0), blood(1, 1)}),
      "5 0 5 3 4 0");
}

TEST_F(ShotTest, TwoPeopleOnTheCellTheHigherIndexIsShot) {
  PlacePerson(3, kCx, kCy, 6, Citizen, 2, 2);
  PlacePerson(9, kCx, kCy, 1, Target, 1, 1);
  PinBonus(1);
  ResolveShot();
  // Person 9 shot, person 3 still walking on the cell, hidden until they move on.
  EXPECT_EQ(Numbers({G.ShotPerson, People[9][PosX], People[3][State], People[3][PosX],
                     MapGrid[kCx][kCy][Occupant]}),
            Numbers({9, 0, 1, kCx, 0}));
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
