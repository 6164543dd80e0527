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

// A 4 x 4 source whose pixel (x, y) is 0x10 * (y + 1) + x + 1: every pixel tells where it came
// from.
Surface Numbered() {
  Surface s(4, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) s.At(x, y) = uint32_t(0x10 * (y + 1) + x + 1);
  return s;
}

}  // namespace

TEST(BitBlt, CombinesByCopyOrAndAnd) {
  const Surface src = Make(3, 1, {0x00FF00, 0x0000F0, 0xFFFFFF});
  Surface copy = Make(3, 1, {0x123456, 0x123456, 0x123456});
  Surface paint = copy, mask = copy;
  BitBlt(copy, 0, 0, 3, 1, src, 0, 0, Rop::SrcCopy);
  BitBlt(paint, 0, 0, 3, 1, src, 0, 0, Rop::SrcPaint);
  BitBlt(mask, 0, 0, 3, 1, src, 0, 0, Rop::SrcAnd);
  EXPECT_EQ(copy.pixels, (std::vector<uint32_t>{0x00FF00, 0x0000F0, 0xFFFFFF}));
  EXPECT_EQ(paint.pixels, (std::vector<uint32_t>{0x12FF56, 0x1234F6, 0xFFFFFF}));
  EXPECT_EQ(mask.pixels, (std::vector<uint32_t>{0x003400, 0x000050, 0x123456}));
}

TEST(BitBlt, ClipsAtEveryEdge) {
  const Surface src = Numbered();
  {
    SCOPED_TRACE("destination above and left of the surface");
    Surface dst(4, 4);
    BitBlt(dst, -1, -1, 3, 3, src, 0, 0, Rop::SrcCopy);
    EXPECT_EQ(dst.pixels, (std::vector<uint32_t>{0x22, 0x23, 0, 0,  //
                                                 0x32, 0x33, 0, 0,  //
                                                 0, 0, 0, 0,        //
                                                 0, 0, 0, 0}));
  }
  {
    SCOPED_TRACE("source partly left of and below its surface");
    Surface dst(4, 4);
    BitBlt(dst, 0, 0, 3, 3, src, -1, 2, Rop::SrcCopy);
    EXPECT_EQ(dst.pixels, (std::vector<uint32_t>{0, 0x31, 0x32, 0,  //
                                                 0, 0x41, 0x42, 0,  //
                                                 0, 0, 0, 0,        //
                                                 0, 0, 0, 0}));
  }
  {
    SCOPED_TRACE("destination past the right and bottom edges");
    Surface dst(4, 4);
    BitBlt(dst, 3, 2, 2, 5, src, 0, 0, Rop::SrcCopy);
    EXPECT_EQ(dst.pixels, (std::vector<uint32_t>{0, 0, 0, 0,     //
                                                 0, 0, 0, 0,     //
                                                 0, 0, 0, 0x11,  //
                                                 0, 0, 0, 0x21}));
  }
  {
    SCOPED_TRACE("nothing lands: wholly outside, empty or absurd rectangles");
    Surface dst(4, 4, 7);
    BitBlt(dst, 4, 0, 2, 2, src, 0, 0, Rop::SrcCopy);
    BitBlt(dst, 0, -2, 2, 2, src, 0, 0, Rop::SrcCopy);
    BitBlt(dst, 0, 0, 2, 2, src, 4, 0, Rop::SrcCopy);
    BitBlt(dst, 0, 0, -3, 2, src, 0, 0, Rop::SrcCopy);
    BitBlt(dst, 0, 0, 0, 2, src, 0, 0, Rop::SrcCopy);
    BitBlt(dst, 0, 0, 2, 2, src, -2147483647, 0, Rop::SrcCopy);
    BitBlt(dst, 2147483647, 0, 2147483647, 2, src, 0, 0, Rop::SrcCopy);
    Surface empty;
    BitBlt(dst, 0, 0, 2, 2, empty, 0, 0, Rop::SrcCopy);
    BitBlt(empty, 0, 0, 2, 2, src, 0, 0, Rop::SrcCopy);
    EXPECT_EQ(dst.pixels, std::vector<uint32_t>(16, 7));
  }
}

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

TEST(StretchBlt, MagnifiesAndShrinksByReplication) {
  const Surface src = Make(3, 2,
                           {0xA, 0xB, 0xC,  //
                            0xD, 0xE, 0xF});
  Surface big(5, 4);
  StretchBlt(big, 0, 0, 5, 4, src, 0, 0, 3, 2, Rop::SrcCopy);
  EXPECT_EQ(big.pixels, (std::vector<uint32_t>{0xA, 0xA, 0xB, 0xB, 0xC,  //
                                               0xA, 0xA, 0xB, 0xB, 0xC,  //
                                               0xD, 0xD, 0xE, 0xE, 0xF,  //
                                               0xD, 0xD, 0xE, 0xE, 0xF}));
  Surface small(2, 1);
  StretchBlt(small, 0, 0, 2, 1, Numbered(), 0, 0, 4, 2, Rop::SrcCopy);
  EXPECT_EQ(small.pixels, (std::vector<uint32_t>{0x11, 0x13}));

  Surface masked = Make(2, 2, {0xFF, 0xFF, 0xFF, 0xFF});
  StretchBlt(masked, 0, 0, 2, 2, Make(1, 1, {0x0F}), 0, 0, 1, 1, Rop::SrcAnd);
  EXPECT_EQ(masked.pixels, std::vector<uint32_t>(4, 0x0F));
  StretchBlt(masked, 0, 0, 2, 2, Make(1, 1, {0x30}), 0, 0, 1, 1, Rop::SrcPaint);
  EXPECT_EQ(masked.pixels, std::vector<uint32_t>(4, 0x3F));
}

TEST(StretchBlt, ClipsLikeTheUnclippedPictureCutToTheEdges) {
  const Surface src = Make(2, 1, {0xA, 0xB});
  {
    SCOPED_TRACE("destination starting left of the surface");
    Surface dst(4, 1);
    StretchBlt(dst, -2, 0, 4, 1, src, 0, 0, 2, 1, Rop::SrcCopy);
    EXPECT_EQ(dst.pixels, (std::vector<uint32_t>{0xB, 0xB, 0, 0}));
  }
  {
    SCOPED_TRACE("source starting left of its surface");
    Surface dst(4, 1);
    StretchBlt(dst, 0, 0, 4, 1, src, -1, 0, 2, 1, Rop::SrcCopy);
    EXPECT_EQ(dst.pixels, (std::vector<uint32_t>{0, 0, 0xA, 0xA}));
  }
  {
    SCOPED_TRACE("source running past its surface, destination past the right edge");
    Surface dst(3, 1);
    StretchBlt(dst, 1, 0, 6, 1, src, 1, 0, 2, 1, Rop::SrcCopy);
    EXPECT_EQ(dst.pixels, (std::vector<uint32_t>{0, 0xB, 0xB}));
  }
}

TEST(StretchBlt, TheScopeMagnifiesNineCellsFromTheMapView) {
  // The scope takes the 45 x 45 pixels around the cursor and shows them at 200 x 200.
  Surface work(225, 225);
  for (int y = 0; y < 225; ++y)
    for (int x = 0; x < 225; ++x) work.At(x, y) = uint32_t(x << 8 | y);
  Surface scope(200, 200);
  StretchBlt(scope, 0, 0, 200, 200, work, 90, 60, 45, 45, Rop::SrcCopy);
  std::vector<int> copiesOfColumn(45, 0), copiesOfRow(45, 0);
  for (int i = 0; i < 200; ++i) {
    ++copiesOfColumn[size_t((scope.At(i, 0) >> 8) - 90)];
    ++copiesOfRow[size_t((scope.At(0, i) & 0xFF) - 60)];
  }
  for (int k = 0; k < 45; ++k) {
    EXPECT_GE(copiesOfColumn[size_t(k)], 4) << k;
    EXPECT_LE(copiesOfColumn[size_t(k)], 5) << k;
    EXPECT_GE(copiesOfRow[size_t(k)], 4) << k;
    EXPECT_LE(copiesOfRow[size_t(k)], 5) << k;
  }
  EXPECT_EQ(scope.At(0, 0), uint32_t(90 << 8 | 60));
  EXPECT_EQ(scope.At(199, 199), uint32_t(134 << 8 | 104));
  EXPECT_EQ(scope.At(100, 150), uint32_t((90 + 100 * 45 / 200) << 8 | (60 + 150 * 45 / 200)));
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
}
