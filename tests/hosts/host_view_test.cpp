#include "platform/host_view.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using platform::DrawableToClient;
using platform::FitWhole;
using platform::WholeScaleToFit;

TEST(HostView, LargestWholeScaleThatFitsCentredWithPointsMappedBack) {
  auto fit = [](int availW, int availH) { return WholeScaleToFit(640, 480, availW, availH); };
  // The last one is too small even at 1: never below 1.
  EXPECT_EQ((std::vector{fit(1280, 1024), fit(1920, 1050), fit(2560, 1440), fit(1024, 700),
                         fit(320, 200)}),
            (std::vector{2, 2, 3, 1, 1}));
  // Letterboxed: centred, and points map back to the window's own.
  auto box = FitWhole(640, 480, 1920, 1080);
  EXPECT_EQ((std::vector<int>{box.scale, box.x, box.y}), (std::vector<int>{2, 320, 60}));
  auto client = [&box](int x, int y) {
    std::pair<int, int> c;
    DrawableToClient(box, x, y, c.first, c.second);
    return c;
  };
  // The black border lies outside.
  EXPECT_EQ((std::vector{client(320, 60), client(320 + 1279, 60 + 959), client(319, 59)}),
            (std::vector<std::pair<int, int>>{{0, 0}, {639, 479}, {-1, -1}}));
}

}  // namespace
