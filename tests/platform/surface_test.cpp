#include "platform/raster/surface.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace platform;

namespace {

Surface Random(std::mt19937& rng, int w, int h) {
  Surface s(w, h);
  for (auto& p : s.pixels) p = rng() & 0xFFFFFF;
  return s;
}

// The plain definition: every pixel of the w x h rectangle at (x, y) of dst combined with the
// pixel its place maps to in the sw x sh rectangle at (sx, sy) of src, both clipped.
Surface Plain(Surface dst, const Surface& src, int x, int y, int w, int h, int sx, int sy, int sw,
              int sh, Rop rop) {
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      const int dx = x + i, dy = y + j;
      const int c = sx + int(int64_t(i) * sw / w), r = sy + int(int64_t(j) * sh / h);
      if (dx < 0 || dy < 0 || dx >= dst.width || dy >= dst.height) continue;
      if (c < 0 || r < 0 || c >= src.width || r >= src.height) continue;
      const uint32_t d = dst.At(dx, dy), s = src.At(c, r);
      dst.At(dx, dy) = rop == Rop::SrcCopy ? s : rop == Rop::SrcPaint ? (d | s) : (d & s);
    }
  return dst;
}

}  // namespace

// The fast paths (vector rows, runs of replicated pixels, stepping without division) against
// the plain definition, pixel by pixel, over many sizes and positions, most of them clipped.
// Every fourth round copies within one surface, which must read the pixels as they were before.
TEST(StretchBlt, AgreesWithThePlainDefinitionEverywhere) {
  std::mt19937 rng(1234);
  auto pick = [&](int lo, int hi) { return lo + int(rng() % unsigned(hi - lo + 1)); };
  for (int round = 0; round < 3000; ++round) {
    Surface src = Random(rng, pick(1, 40), pick(1, 20));
    Surface dst = Random(rng, pick(1, 60), pick(1, 30));
    const int x = pick(-20, 50), y = pick(-10, 25), w = pick(1, 90), h = pick(1, 40);
    const int sx = pick(-10, 45), sy = pick(-5, 22), sw = pick(1, 50), sh = pick(1, 25);
    const Rop rop = Rop(round % 3);
    const bool within = round % 4 == 3;
    if (within) src = dst;
    const Surface expected = Plain(dst, src, x, y, w, h, sx, sy, sw, sh, rop);
    StretchBlt(dst, x, y, w, h, within ? dst : src, sx, sy, sw, sh, rop);
    ASSERT_EQ(dst.pixels, expected.pixels)
        << "round " << round << ": " << w << "x" << h << " at " << x << "," << y << " from " << sw
        << "x" << sh << " at " << sx << "," << sy;
  }
}

// As above, with the same rounds within one surface.
TEST(BitBlt, AgreesWithThePlainDefinitionEverywhere) {
  std::mt19937 rng(99);
  auto pick = [&](int lo, int hi) { return lo + int(rng() % unsigned(hi - lo + 1)); };
  for (int round = 0; round < 3000; ++round) {
    Surface src = Random(rng, pick(1, 40), pick(1, 20));
    Surface dst = Random(rng, pick(1, 40), pick(1, 20));
    const int x = pick(-20, 45), y = pick(-10, 25), w = pick(-2, 45), h = pick(-2, 25);
    const int sx = pick(-20, 45), sy = pick(-10, 25);
    const Rop rop = Rop(round % 3);
    const bool within = round % 4 == 3;
    if (within) src = dst;
    // The same rectangle of the source, unstretched.
    const Surface expected = Plain(dst, src, x, y, w, h, sx, sy, w, h, rop);
    BitBlt(dst, x, y, w, h, within ? dst : src, sx, sy, rop);
    ASSERT_EQ(dst.pixels, expected.pixels) << "round " << round;
  }
  // Rectangles whose ends overflow an int land nothing.
  Surface dst(4, 4, 7), src(4, 4, 1);
  BitBlt(dst, 0, 0, 2, 2, src, -2147483647, 0, Rop::SrcCopy);
  BitBlt(dst, 2147483647, 0, 2147483647, 2, src, 0, 0, Rop::SrcCopy);
  EXPECT_EQ(dst.pixels, std::vector<uint32_t>(16, 7));
}
