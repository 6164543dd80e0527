#include "sniping/scope_view.h"

#include "shell/forms.h"
#include "sniping_fixture.h"
#include "world/world_model.h"

namespace {

using crafted::BloodCovers;
using crafted::PersonCovers;

// What one tick must show, worked out pixel by pixel from the world and the crafted pictures,
// with the values of the state as the tick starts.
struct ExpectedTick {
  int scopeX, scopeY, cursorX, cursorY, navi, cursorFrame;
  bool flash;

  static ExpectedTick Now() {
    return {G.ViewX, G.ViewY, G.CursorX, G.CursorY, G.NaviCounter, G.CursorFrame, G.ShotFlash == 1};
  }

  // The map view as the scope takes it: cells (or the flash), mask, cursor and band.
  uint32_t BeforeHairs(int px, int py) const {
    const int x = scopeX + px / 15 + 1, y = scopeY + py / 15 + 1, lx = px % 15, ly = py % 15;
    const uint8_t* cell = MapGrid[x][y];
    uint32_t c = cell[Terrain] < 800 / 15 ? crafted::Tile(cell[Terrain], cell[ShotMark] != 0) : 0;
    if (cell[Blood] != 0 && BloodCovers(lx, ly)) c = crafted::BloodImage(cell[Blood]);
    if (cell[Occupant] != 0 && PersonCovers(lx, ly)) c = crafted::PersonImage(cell[Occupant]);
    if (flash) c = 0xFFFFFF;
    c &= crafted::Eye(px, py);
    if (px / 15 + 1 == cursorX && py / 15 + 1 == cursorY)
      c |= cursorFrame == 15 ? crafted::CursorFrame15 : crafted::CursorFrame0;
    if (py >= navi && py < navi + 50) c |= crafted::Band;
    return c;
  }

  uint32_t Main(int px, int py) const {
    uint32_t c = BeforeHairs(px, py);
    if (px == 15 * cursorX - 8) c |= crafted::VerticalHair;
    if (py == 15 * cursorY - 8) c |= crafted::HorizontalHair;
    return c;
  }

  // The scope: the 45 x 45 pixels round the cursor cell, each repeated by replication.
  uint32_t Big(int X, int Y) const {
    if (crafted::ScopeRimAt(X, Y)) return crafted::ScopeRim;
    return BeforeHairs(15 * (cursorX - 2) + X * 45 / 200, 15 * (cursorY - 2) + Y * 45 / 200);
  }
};

// Compares a whole surface with the expected pixels, reporting only the first difference.
template <typename F>
::testing::AssertionResult SurfaceIs(const platform::Surface& s, int w, int h, F expected) {
  if (s.width != w || s.height != h)
    return ::testing::AssertionFailure() << "size " << s.width << "x" << s.height;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (s.At(x, y) != expected(x, y))
        return ::testing::AssertionFailure() << "pixel (" << x << "," << y << ") is " << std::hex
                                             << s.At(x, y) << ", expected " << expected(x, y);
  return ::testing::AssertionSuccess();
}

class ScopeViewTest : public SnipingTest {
 protected:
  void SetUp() override {
    SnipingTest::SetUp();
    NewMissionReset();  // a mission as it starts, its view moved to (20, 30)
    G.ViewX = 20;
    G.ViewY = 30;
    // Streets of varied tiles over the whole grid, a building here and there.
    for (int x = 0; x < kMapCells; ++x)
      for (int y = 0; y < kMapCells; ++y) MapGrid[x][y][Terrain] = uint8_t((x * 7 + y * 3) % 53);
  }

  // Runs one tick and checks both pictures against the expectation taken as it started.
  void TickAndCompare() {
    const ExpectedTick expected = ExpectedTick::Now();
    Tim1_Timer();
    EXPECT_TRUE(SurfaceIs(Form1()("main").image, 225, 225,
                          [&](int x, int y) { return expected.Main(x, y); }));
    EXPECT_TRUE(SurfaceIs(Form1()("big").image, 200, 200,
                          [&](int x, int y) { return expected.Big(x, y); }));
  }

  // The aimed cell.
  static int Cx() { return G.ViewX + G.CursorX; }
  static int Cy() { return G.ViewY + G.CursorY; }

  // What the hover shows: the cursor frame, the hovered and the shown person, the target
  // marker, the name and the kind labels, e.g. "15 77 77 marker 安斉 亜希子 ガングロ".
  static std::string Hover() {
    return std::to_string(G.CursorFrame) + " " + std::to_string(G.HoverPerson) + " " +
           std::to_string(G.ShownPerson) + (Form1()("gung").visible ? " marker " : " - ") +
           Form1()("cname").caption + " " + Form1()("ccode").caption;
  }
  // Moves person 77, standing on the aimed cell or east of it, to the other one.
  static void StepAcross(int fromDx, int toDx) {
    MapGrid[Cx() + fromDx][Cy()][Occupant] = 0;
    People[77][PosX] = uint8_t(Cx() + toDx);
    MapGrid[Cx() + toDx][Cy()][Occupant] = 4;
  }
};

TEST_F(ScopeViewTest, KnownPersonAndBloodOnKnownCells) {
  // View cell (4, 5) is map cell (24, 35): its top-left pixel is (45, 60).
  MapGrid[24][35][Terrain] = 7;
  PlacePerson(12, 24, 35, 3, Citizen);
  // A victim's cell at (27, 33) with its four splashes, one of them over a shot mark.
  const int splashes[][3] = {{27, 33, 5}, {27, 32, 1}, {28, 33, 2}, {27, 34, 3}, {26, 33, 4}};
  for (const auto& [x, y, blood] : splashes) MapGrid[x][y][Blood] = uint8_t(blood);
  MapGrid[27][33][ShotMark] = 1;
  MapGrid[26][33][ShotMark] = 1;
  PlacePerson(13, 28, 33, 5, Citizen);  // somebody standing in the east splash
  TickAndCompare();

  // The model itself, read at a few pixels.
  const platform::Surface& view = Form1()("main").image;
  // The person's image (look 3), a marked tile below blood, the person over the east splash.
  EXPECT_EQ(view.At(46, 61), 0x001300u);
  EXPECT_EQ(view.At(92, 42), 0x400000u | ((27 * 7 + 33 * 3) % 53));
  EXPECT_EQ(view.At(106, 31), 0x001500u);
}

TEST_F(ScopeViewTest, SpriteZeroIsDrawnOnEveryCellWhateverItHolds) {
  // Blood sheets whose sprite 0 is not empty: an image row that adds a bit everywhere, a mask
  // row that takes bits away everywhere.
  struct Case {
    uint32_t image, mask;
  };
  for (const Case c : {Case{0x010000, 0xFFFFFF}, Case{0x000000, 0xFFFFF0}}) {
    platform::Surface& chi = Form1()("chi").image;
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 15; ++x) chi.At(x, y) = y < 15 ? c.image : c.mask;
    PlacePerson(12, 24, 35, 3, Citizen);  // view cell (4, 5)
    Tim1_Timer();
    const platform::Surface& view = Form1()("main").image;
    const auto seen = [&](uint32_t tile) { return (tile & c.mask) | c.image; };
    EXPECT_EQ(view.At(1, 1), seen(crafted::Tile((21 * 7 + 31 * 3) % 53, false))) << c.mask;
    EXPECT_EQ(view.At(46, 61), 0x001300u);  // the person covers it
    EXPECT_EQ(view.At(55, 61), seen(crafted::Tile((24 * 7 + 35 * 3) % 53, false))) << c.mask;
  }
}

TEST_F(ScopeViewTest, TilesBeyondASmallSheetAreClippedAway) {
  Form1()("cip").image = platform::Surface(300, 30, 0x202020);  // tiles 0..19 only
  MapGrid[21][31][Terrain] = 19;                                // view cell (1, 1)
  MapGrid[22][31][Terrain] = 20;                                // view cell (2, 1)
  Tim1_Timer();
  const platform::Surface& view = Form1()("main").image;
  EXPECT_EQ(Numbers({view.At(1, 1), view.At(16, 1)}), Numbers({0x202020, 0x000000}));
}

TEST_F(ScopeViewTest, EveryTickMatchesTheModelWhereverTheViewCursorAndBandStand) {
  struct Case {
    int viewX, viewY, cursorX, cursorY, navi;
  } cases[] = {
      {20, 30, 8, 8, -50},  {20, 30, 8, 8, -49},   {20, 30, 8, 8, 176},  // the band clipped at
      {20, 30, 8, 8, 224},  {20, 30, 8, 8, 400},                         // both edges
      {20, 30, 2, 14, 100},  // the scope's source touches the view's left and bottom edges
      {60, 3, 14, 2, 0},    {82, 82, 14, 14, -10},
  };
  for (const Case& c : cases) {
    G.ViewX = c.viewX;
    G.ViewY = c.viewY;
    G.CursorX = c.cursorX;
    G.CursorY = c.cursorY;
    G.NaviCounter = int16_t(c.navi);
    TickAndCompare();
    // The scope follows the view from this tick.
    EXPECT_EQ(Numbers({G.ScopeX, G.ScopeY}), Numbers({c.viewX, c.viewY}));
  }
}

TEST_F(ScopeViewTest, FlashFrameLastsExactlyOneTick) {
  PlacePerson(5, Cx(), Cy(), 2, Target);
  G.NaviCounter = 100;
  G.ShotFlash = 1;
  TickAndCompare();
  // The flag cleared, the view white.
  EXPECT_EQ(Numbers({G.ShotFlash, Form1()("main").image.At(1, 1)}), Numbers({0, 0xFFFFFF}));
  TickAndCompare();  // and the map is back
  EXPECT_EQ(Form1()("main").image.At(1, 1), crafted::Tile((21 * 7 + 31 * 3) % 53, false));
}

TEST_F(ScopeViewTest, HoverOnAndOffAPerson) {
  PlacePerson(77, Cx(), Cy(), 4, Target, 2, 3);
  TickAndCompare();
  EXPECT_EQ(Hover(), "15 77 77 marker 安斉 亜希子 ガングロ");
  EXPECT_EQ(PlayedSlots(), std::vector<int>{10});
  EXPECT_EQ(LogLines(2), (std::vector<std::string>{"Set_=安斉 亜希子", "Pdition-"}));
  TickAndCompare();  // the cursor now shows its occupied frame; nothing is repeated
  EXPECT_TRUE(PlayedSlots().empty());
  EXPECT_EQ(LogLines()[2], "");

  // A steps away: the cursor goes back to its empty frame, the labels stay.
  StepAcross(0, 1);
  Form1()("cname").caption = "kept";
  TickAndCompare();
  EXPECT_EQ(Hover(), "0 77 77 - kept ガングロ");
  EXPECT_EQ(G.HoverSoundPerson, 0);
  EXPECT_TRUE(PlayedSlots().empty());

  // And back: the sound again, but no new log lines and no label rewritten.
  StepAcross(1, 0);
  TickAndCompare();
  EXPECT_EQ(PlayedSlots(), std::vector<int>{10});
  EXPECT_EQ(Hover(), "15 77 77 marker kept ガングロ");
  EXPECT_EQ(LogLines()[2], "");
}

TEST_F(ScopeViewTest, HoverVariants) {
  struct Case {
    const char* what;
    int shotBusy, soundOn;
    bool twoOnTheCell, goneFromTheTable;  // 0 or 1
    std::string hover, logged;            // Hover() after the ticks, the newest log line
    int sound;                            // the one slot played, 0 for none
  } cases[] = {
      {"a bystander: no marker", 0, 1, 0, 0, "15 8 8 - 安西 亜由美 老人", "Set_=安西 亜由美", 10},
      {"two on the cell: the higher index", 0, 1, 1, 0, "15 400 400 marker 安斉 晶子 ガングロ",
       "Set_=安斉 晶子", 10},
      {"gone from the table: the last one kept", 0, 1, 0, 1, "15 8 8 - 安西 亜由美 老人",
       "Set_=安西 亜由美", 10},
      {"a shot busy: the display waits", 1, 1, 0, 0, "15 8 0 -  ", "", 10},
      {"sound off: silent", 0, 0, 0, 0, "15 8 8 - 安西 亜由美 老人", "Set_=安西 亜由美", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TearDown();
    SetUp();
    G.ShotBusy = uint8_t(c.shotBusy);
    G.SoundOn = uint8_t(c.soundOn);
    PlacePerson(8, Cx(), Cy(), 6, Elder);
    if (c.twoOnTheCell) PlacePerson(400, Cx(), Cy(), 2, Target, 2, 2);
    Form1()("gung").visible = !c.twoOnTheCell;  // shown or hidden by the hover, not left
    Tim1_Timer();
    if (c.goneFromTheTable) {
      People[8][PosX] = 0;  // the grid still shows somebody
      Tim1_Timer();
    }
    EXPECT_EQ(Hover(), c.hover);
    EXPECT_EQ(LogLines()[0], c.logged);
    EXPECT_EQ(PlayedSlots(), c.sound ? std::vector<int>{c.sound} : std::vector<int>{});
  }
}

TEST_F(ScopeViewTest, AutoSnipeShootsAPersonInTheSameTick) {
  G.HiddenMode = 1;
  G.Charge = 0;
  PlacePerson(31, Cx(), Cy(), 1, Target, 1, 1);
  PinBonus(2);
  Tim1_Timer();
  // Newest first: the kill's lines, the shot's code, the hover's two lines.
  const std::string set = "Set_=安西 亜由美";
  EXPECT_EQ(LogLines(),
            (std::vector<std::string>{"Nice!..GUNGURO", "Delete..安西 亜由美", set, "Pdition-",
                                      "CarsolCode_#090", set, "Pdition-", "", ""}));
  EXPECT_EQ(PlayedSlots(), (std::vector<int>{10, 13, 29}));
  // The shot's value (the shot itself is ShotTest's), the charge, busy and flash.
  EXPECT_EQ(Numbers({G.ShotReward, G.Charge, G.ShotBusy, G.ShotFlash}), "10200 246 1 1");
  TickAndCompare();  // the flash, then the cell reads empty
  EXPECT_EQ(G.CursorFrame, 0);
}

TEST_F(ScopeViewTest, AutoSnipeWaitsForTheChargeAndOnlyInItsMode) {
  PlacePerson(31, Cx(), Cy(), 1, Target);
  for (auto [mode, charge] : {std::pair{1, 6}, std::pair{2, 0}, std::pair{0, 0}}) {
    G.HiddenMode = uint8_t(mode);
    G.Charge = uint8_t(charge);
    Tim1_Timer();
    EXPECT_EQ(Numbers({People[31][State], G.Charge}), Numbers({1, charge})) << mode;
  }
}

}  // namespace
