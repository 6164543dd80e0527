#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

// A picture being drawn by the generator: 0x00RRGGBB pixels, row by row from the top.
struct Image {
  int w = 0, h = 0;
  std::vector<uint32_t> px;

  Image() = default;
  Image(int width, int height, uint32_t fill = 0) : w(width), h(height), px(size_t(width) * height, fill) {}
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
  uint32_t Get(int x, int y) const { return px[size_t(y) * w + x]; }
  void Set(int x, int y, uint32_t c) {
    if (Inside(x, y)) px[size_t(y) * w + x] = c;
  }
};

constexpr uint32_t Rgb(int r, int g, int b) { return uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b); }
inline int Red(uint32_t c) { return int(c >> 16 & 255); }
inline int Green(uint32_t c) { return int(c >> 8 & 255); }
inline int Blue(uint32_t c) { return int(c & 255); }

// Mixes b into a: t = 0 keeps a, t = 1 gives b.
uint32_t Mix(uint32_t a, uint32_t b, double t);
// Every channel multiplied by f and clamped.
uint32_t Scale(uint32_t c, double f);

// Drawing primitives; everything is clipped to the picture.
void FillRect(Image& im, int x, int y, int w, int h, uint32_t c);
struct Box {
  int x, y, w, h;
};
void FillRects(Image& im, std::initializer_list<Box> boxes, uint32_t c);  // in the order given
void FrameRect(Image& im, int x, int y, int w, int h, uint32_t c);
void BlendPixel(Image& im, int x, int y, uint32_t c, double alpha);
void BlendRect(Image& im, int x, int y, int w, int h, uint32_t c, double alpha);
void Line(Image& im, int x0, int y0, int x1, int y1, uint32_t c);
void DashedHLine(Image& im, int x0, int x1, int y, int on, int off, uint32_t c);
void DashedVLine(Image& im, int x, int y0, int y1, int on, int off, uint32_t c);
void Disc(Image& im, double cx, double cy, double r, uint32_t c);  // solid, no smoothing
void Ring(Image& im, double cx, double cy, double r, double thickness, uint32_t c);  // smoothed
void SoftDisc(Image& im, double cx, double cy, double r, uint32_t c, double alpha);  // smoothed edge
// A bevelled console panel: dark face, light top-left edge, dark bottom-right edge.
void Bevel(Image& im, int x, int y, int w, int h, uint32_t face, uint32_t light, uint32_t dark);
// Copies src (or a part) onto dst at (x, y).
void Paste(Image& dst, int x, int y, const Image& src, int sx = 0, int sy = 0, int w = -1, int h = -1);
Image Crop(const Image& src, int x, int y, int w, int h);
// Nearest-pixel magnification by an integer factor.
Image Magnify(const Image& src, int factor);

// The generator's own random numbers: the same seed always gives the same pictures.
class Rng {
 public:
  explicit Rng(uint64_t seed) : s_(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}
  uint64_t Next();
  int Below(int n) { return int(Next() % uint64_t(n)); }  // 0..n-1
  double Unit() { return double(Next() >> 11) / double(1ull << 53); }  // [0, 1)
  bool Chance(double p) { return Unit() < p; }

 private:
  uint64_t s_;
};
