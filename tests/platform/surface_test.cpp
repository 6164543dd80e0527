#include "platform/surface.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace platform;

namespace {

Surface Make(int w, int h, std::vector<uint32_t> pixels) {
  Surface s(w, h);
  s.pixels = std::move(pixels);
  return s;
}

}  // namespace

// Source and destination the same surface, which the reference model below never has.
TEST(BitBlt, CopiesWithinOneSurfaceAsIfFromACopy) {
  {
    Surface s = Make(5, 1, {1, 2, 3, 4, 5});
    BitBlt(s, 1, 0, 4, 1, s, 0, 0, Rop::SrcCopy);
    EXPECT_EQ(s.pixels, (std::vector<uint32_t>{1, 1, 2, 3, 4}));
  }
  {
    Surface s = Make(5, 1, {1, 2, 3, 4, 5});
    BitBlt(s, 0, 0, 4, 1, s, 1, 0, Rop::SrcCopy);
    EXPECT_EQ(s.pixels, (std::vector<uint32_t>{2, 3, 4, 5, 5}));
  }
  {
    Surface s = Make(5, 1, {1, 2, 4, 8, 16});
    BitBlt(s, 1, 0, 4, 1, s, 0, 0, Rop::SrcPaint);
    EXPECT_EQ(s.pixels, (std::vector<uint32_t>{1, 3, 6, 12, 24}));
  }
  {
    Surface s = Make(5, 1, {3, 6, 12, 24, 48});
    BitBlt(s, 0, 0, 4, 1, s, 1, 0, Rop::SrcAnd);
    EXPECT_EQ(s.pixels, (std::vector<uint32_t>{2, 4, 8, 16, 48}));
  }
  {
    Surface s = Make(1, 5, {1, 2, 3, 4, 5});
    BitBlt(s, 0, 1, 1, 4, s, 0, 0, Rop::SrcCopy);
    EXPECT_EQ(s.pixels, (std::vector<uint32_t>{1, 1, 2, 3, 4}));
    BitBlt(s, 0, 0, 1, 4, s, 0, 1, Rop::SrcCopy);
    EXPECT_EQ(s.pixels, (std::vector<uint32_t>{1, 2, 3, 4, 4}));
  }
}

TEST(StretchBlt, WithinOneSurfaceReadsTheOriginalPixels) {
  Surface s = Make(4, 1, {1, 2, 3, 4});
  StretchBlt(s, 0, 0, 4, 1, s, 0, 0, 2, 1, Rop::SrcCopy);
  EXPECT_EQ(s.pixels, (std::vector<uint32_t>{1, 1, 2, 2}));
}

namespace {

uint32_t Combine(uint32_t d, uint32_t s, Rop rop) {
  return rop == Rop::SrcCopy ? s : rop == Rop::SrcPaint ? (d | s) : (d & s);
}

Surface Random(std::mt19937& rng, int w, int h) {
  Surface s(w, h);
  for (auto& p : s.pixels) p = rng() & 0xFFFFFF;
  return s;
}

}  // namespace

// The fast paths (vector rows, runs of replicated pixels, stepping without division) against
// the plain definition, pixel by pixel, over many sizes and positions, most of them clipped.
TEST(StretchBlt, AgreesWithThePlainDefinitionEverywhere) {
  std::mt19937 rng(1234);
  auto pick = [&](int lo, int hi) { return lo + int(rng() % unsigned(hi - lo + 1)); };
  for (int round = 0; round < 3000; ++round) {
    Surface src = Random(rng, pick(1, 40), pick(1, 20));
    Surface dst = Random(rng, pick(1, 60), pick(1, 30));
    const int x = pick(-20, 50), y = pick(-10, 25), w = pick(1, 90), h = pick(1, 40);
    const int sx = pick(-10, 45), sy = pick(-5, 22), sw = pick(1, 50), sh = pick(1, 25);
    const Rop rop = Rop(round % 3);
    Surface expected = dst;
    for (int j = 0; j < h; ++j)
      for (int i = 0; i < w; ++i) {
        const int dx = x + i, dy = y + j;
        const int c = sx + int(int64_t(i) * sw / w), r = sy + int(int64_t(j) * sh / h);
        if (dx < 0 || dy < 0 || dx >= dst.width || dy >= dst.height) continue;
        if (c < 0 || r < 0 || c >= src.width || r >= src.height) continue;
        expected.At(dx, dy) = Combine(expected.At(dx, dy), src.At(c, r), rop);
      }
    StretchBlt(dst, x, y, w, h, src, sx, sy, sw, sh, rop);
    ASSERT_EQ(dst.pixels, expected.pixels)
        << "round " << round << ": " << w << "x" << h << " at " << x << "," << y << " from " << sw
        << "x" << sh << " at " << sx << "," << sy;
  }
}

TEST(BitBlt, AgreesWithThePlainDefinitionEverywhere) {
  std::mt19937 rng(99);
  auto pick = [&](int lo, int hi) { return lo + int(rng() % unsigned(hi - lo + 1)); };
  for (int round = 0; round < 3000; ++round) {
    Surface src = Random(rng, pick(1, 40), pick(1, 20));
    Surface dst = Random(rng, pick(1, 40), pick(1, 20));
    const int x = pick(-20, 45), y = pick(-10, 25), w = pick(-2, 45), h = pick(-2, 25);
    const int sx = pick(-20, 45), sy = pick(-10, 25);
    const Rop rop = Rop(round % 3);
    Surface expected = dst;
    for (int j = 0; j < h; ++j)
      for (int i = 0; i < w; ++i) {
        const int dx = x + i, dy = y + j, cx = sx + i, cy = sy + j;
        if (dx < 0 || dy < 0 || dx >= dst.width || dy >= dst.height) continue;
        if (cx < 0 || cy < 0 || cx >= src.width || cy >= src.height) continue;
        expected.At(dx, dy) = Combine(expected.At(dx, dy), src.At(cx, cy), rop);
      }
    BitBlt(dst, x, y, w, h, src, sx, sy, rop);
    ASSERT_EQ(dst.pixels, expected.pixels) << "round " << round;
  }
  // Rectangles whose ends overflow an int land nothing.
  Surface dst(4, 4, 7), src(4, 4, 1);
  BitBlt(dst, 0, 0, 2, 2, src, -2147483647, 0, Rop::SrcCopy);
  BitBlt(dst, 2147483647, 0, 2147483647, 2, src, 0, 0, Rop::SrcCopy);
  EXPECT_EQ(dst.pixels, std::vector<uint32_t>(16, 7));
}
