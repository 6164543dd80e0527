#include <gtest/gtest.h>

#include "platform/host_view.h"

namespace {

using platform::DrawableToClient;
using platform::FitWhole;
using platform::WholeScaleToFit;

TEST(HostView, LargestWholeScaleThatFitsCentredWithPointsMappedBack) {
  EXPECT_EQ(WholeScaleToFit(640, 480, 1280, 1024), 2);
  EXPECT_EQ(WholeScaleToFit(640, 480, 1920, 1050), 2);
  EXPECT_EQ(WholeScaleToFit(640, 480, 2560, 1440), 3);
  EXPECT_EQ(WholeScaleToFit(640, 480, 1024, 700), 1);
  EXPECT_EQ(WholeScaleToFit(640, 480, 320, 200), 1);  // never below 1
  // Letterboxed: centred, and points map back to the window's own.
  auto box = FitWhole(640, 480, 1920, 1080);
  EXPECT_EQ(box.scale, 2);
  EXPECT_EQ(box.x, 320);
  EXPECT_EQ(box.y, 60);
  int cx = 0, cy = 0;
  DrawableToClient(box, 320, 60, cx, cy);
  EXPECT_EQ(cx, 0);
  EXPECT_EQ(cy, 0);
  DrawableToClient(box, 320 + 1279, 60 + 959, cx, cy);
  EXPECT_EQ(cx, 639);
  EXPECT_EQ(cy, 479);
  DrawableToClient(box, 319, 59, cx, cy);  // the black border lies outside
  EXPECT_EQ(cx, -1);
  EXPECT_EQ(cy, -1);
}

}  // namespace
