#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/window.h"

using namespace platform;

TEST(WindowModel, Form1TableBuildsEveryControlInPixels) {
  auto form = BuildForm(kForm1Def);
  Control& li = (*form)("li");
  EXPECT_EQ(li.x1, 561);
  EXPECT_EQ(li.y1, 60);
  EXPECT_EQ(li.y2, 282);
  Control& main = (*form)("main");
  EXPECT_EQ(main.width, 225);
  EXPECT_EQ(main.image.width, 225);
  EXPECT_EQ((*form)("sarch", 8).foreColor, 0x004000u);
  EXPECT_EQ((*form)("cname").container, &(*form)("jyo"));
  EXPECT_EQ(form->FindByDisplayName("keka(4)"), &(*form)("keka", 4));
}

TEST(WindowModel, EnablingATimerStartsAFreshPeriod) {
  int64_t now = 0;
  SetClock([&] { return now; });
  auto form = BuildForm(kForm1Def);
  Control& tim2 = (*form)("Tim2");
  EXPECT_FALSE(tim2.enabled);
  now = 5000;
  tim2.SetEnabled(true);
  EXPECT_EQ(tim2.dueMicros, 5000 + 1000000);
  now = 9000;
  tim2.SetEnabled(true);  // already on: the period runs on
  EXPECT_EQ(tim2.dueMicros, 5000 + 1000000);
  tim2.SetEnabled(false);
  tim2.SetEnabled(true);
  EXPECT_EQ(tim2.dueMicros, 9000 + 1000000);
  // Shorter than the platform tick: fires at the tick.
  Control& tim1 = (*form)("tim1");
  tim1.SetEnabled(true);
  EXPECT_EQ(tim1.dueMicros, 9000 + 15625);
  SetClock({});
}
