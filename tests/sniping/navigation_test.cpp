#include "sniping/navigation.h"

#include "shell/forms.h"
#include "sniping_fixture.h"

using NavigationTest = SnipingTest;

namespace {

// How many pixels of each gauge row show the recharging picture, checking that they come
// first and the charged picture fills the rest.
int RechargingWidth() {
  const platform::Surface& gauge = Form1()("gaga").image;
  int width = 0;
  while (width < gauge.width && gauge.At(width, 0) == crafted::Genai) ++width;
  for (int y = 0; y < gauge.height; ++y) {
    for (int x = 0; x < gauge.width; ++x) {
      EXPECT_EQ(gauge.At(x, y), x < width ? crafted::Genai : crafted::Geari) << x << "," << y;
      if (::testing::Test::HasFailure()) return -1;
    }
  }
  return width;
}

}  // namespace

TEST_F(NavigationTest, BandMovesFiveAndWrapsAfter400WithOneLogLineASweep) {
  G.NaviCounter = -50;
  int logged = 0;
  for (int tick = 1; tick <= 91; ++tick) {
    Form1()("sarch", 0).caption.clear();
    Tim3_Timer();
    EXPECT_EQ(G.NaviCounter, tick == 91 ? -50 : -50 + 5 * tick);
    if (Form1()("sarch", 0).caption == "navigation...") ++logged;
  }
  EXPECT_EQ(logged, 1);
  EXPECT_EQ(LogLines(2), (std::vector<std::string>{"navigation...", ""}));
}

TEST_F(NavigationTest, RechargeTakes25TicksAndSoundsOnceAtFullCharge) {
  G.Charge = 246;
  for (int tick = 1; tick <= 24; ++tick) {
    Tim3_Timer();
    ASSERT_EQ(G.Charge, 246 - 10 * tick);
    EXPECT_EQ(RechargingWidth(), G.Charge);
  }
  EXPECT_TRUE(PlayedSlots().empty());
  Tim3_Timer();
  EXPECT_EQ(G.Charge, 0);
  EXPECT_EQ(RechargingWidth(), 0);
  EXPECT_EQ(PlayedSlots(), std::vector<int>{12});
}

TEST_F(NavigationTest, ChargedGunLeavesTheGaugeAloneAndFullChargeIsSilentWithSoundOff) {
  G.Charge = 0;
  platform::Surface& gauge = Form1()("gaga").image;
  gauge.At(100, 30) = 0x010203;  // anything drawn before must survive
  for (int tick = 0; tick < 5; ++tick) Tim3_Timer();
  EXPECT_EQ(Numbers({G.Charge, gauge.At(100, 30)}), Numbers({0, 0x010203}));
  EXPECT_TRUE(PlayedSlots().empty());
  for (uint8_t sound : {uint8_t(0), uint8_t(2)}) {
    G.SoundOn = sound;
    G.Charge = 6;
    Tim3_Timer();
    EXPECT_EQ(G.Charge, 0);
    EXPECT_TRUE(PlayedSlots().empty()) << int(sound);
  }
}
