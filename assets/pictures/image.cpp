#include "image.h"

#include <algorithm>
#include <cmath>

namespace {
int Clamp255(double v) { return std::clamp(int(std::lround(v)), 0, 255); }
}  // namespace

uint32_t Mix(uint32_t a, uint32_t b, double t) {
  return Rgb(Clamp255(Red(a) + (Red(b) - Red(a)) * t), Clamp255(Green(a) + (Green(b) - Green(a)) * t),
             Clamp255(Blue(a) + (Blue(b) - Blue(a)) * t));
}

uint32_t Scale(uint32_t c, double f) { return Rgb(Clamp255(Red(c) * f), Clamp255(Green(c) * f), Clamp255(Blue(c) * f)); }

void FillRect(Image& im, int x, int y, int w, int h, uint32_t c) {
  for (int j = std::max(0, y); j < std::min(im.h, y + h); ++j)
    for (int i = std::max(0, x); i < std::min(im.w, x + w); ++i) im.px[size_t(j) * im.w + i] = c;
}

void FillRects(Image& im, std::initializer_list<Box> boxes, uint32_t c) {
  for (const Box& b : boxes) FillRect(im, b.x, b.y, b.w, b.h, c);
}

void FrameRect(Image& im, int x, int y, int w, int h, uint32_t c) {
  FillRect(im, x, y, w, 1, c);
  FillRect(im, x, y + h - 1, w, 1, c);
  FillRect(im, x, y, 1, h, c);
  FillRect(im, x + w - 1, y, 1, h, c);
}

void BlendPixel(Image& im, int x, int y, uint32_t c, double alpha) {
  if (!im.Inside(x, y) || alpha <= 0) return;
  im.Set(x, y, Mix(im.Get(x, y), c, std::min(alpha, 1.0)));
}

void BlendRect(Image& im, int x, int y, int w, int h, uint32_t c, double alpha) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) BlendPixel(im, i, j, c, alpha);
}

void Line(Image& im, int x0, int y0, int x1, int y1, uint32_t c) {
  int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    im.Set(x0, y0, c);
    if (x0 == x1 && y0 == y1) break;
    int e2 = 2 * err;
    if (e2 >= dy) err += dy, x0 += sx;
    if (e2 <= dx) err += dx, y0 += sy;
  }
}

void DashedHLine(Image& im, int x0, int x1, int y, int on, int off, uint32_t c) {
  for (int x = x0; x <= x1; ++x)
    if ((x - x0) % (on + off) < on) im.Set(x, y, c);
}

void DashedVLine(Image& im, int x, int y0, int y1, int on, int off, uint32_t c) {
  for (int y = y0; y <= y1; ++y)
    if ((y - y0) % (on + off) < on) im.Set(x, y, c);
}

void Disc(Image& im, double cx, double cy, double r, uint32_t c) {
  for (int y = int(std::floor(cy - r)); y <= int(std::ceil(cy + r)); ++y)
    for (int x = int(std::floor(cx - r)); x <= int(std::ceil(cx + r)); ++x) {
      double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
      if (dx * dx + dy * dy <= r * r) im.Set(x, y, c);
    }
}

// Coverage of a pixel by a band around a circle, by 4 x 4 supersampling (exact and repeatable).
static double Coverage(double px, double py, double cx, double cy, double rIn, double rOut) {
  int hits = 0;
  for (int j = 0; j < 4; ++j)
    for (int i = 0; i < 4; ++i) {
      double dx = px + (i + 0.5) / 4 - cx, dy = py + (j + 0.5) / 4 - cy;
      double d2 = dx * dx + dy * dy;
      if (d2 <= rOut * rOut && d2 >= rIn * rIn) ++hits;
    }
  return hits / 16.0;
}

void Ring(Image& im, double cx, double cy, double r, double thickness, uint32_t c) {
  double rIn = r - thickness / 2, rOut = r + thickness / 2;
  for (int y = int(std::floor(cy - rOut)) - 1; y <= int(std::ceil(cy + rOut)); ++y)
    for (int x = int(std::floor(cx - rOut)) - 1; x <= int(std::ceil(cx + rOut)); ++x)
      BlendPixel(im, x, y, c, Coverage(x, y, cx, cy, std::max(0.0, rIn), rOut));
}

void SoftDisc(Image& im, double cx, double cy, double r, uint32_t c, double alpha) {
  for (int y = int(std::floor(cy - r)) - 1; y <= int(std::ceil(cy + r)); ++y)
    for (int x = int(std::floor(cx - r)) - 1; x <= int(std::ceil(cx + r)); ++x)
      BlendPixel(im, x, y, c, alpha * Coverage(x, y, cx, cy, 0, r));
}

void Bevel(Image& im, int x, int y, int w, int h, uint32_t face, uint32_t light, uint32_t dark) {
  FillRect(im, x, y, w, h, face);
  FillRect(im, x, y, w, 1, light);
  FillRect(im, x, y, 1, h, light);
  FillRect(im, x, y + h - 1, w, 1, dark);
  FillRect(im, x + w - 1, y, 1, h, dark);
}

void Paste(Image& dst, int x, int y, const Image& src, int sx, int sy, int w, int h) {
  if (w < 0) w = src.w - sx;
  if (h < 0) h = src.h - sy;
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i)
      if (src.Inside(sx + i, sy + j)) dst.Set(x + i, y + j, src.Get(sx + i, sy + j));
}

Image Crop(const Image& src, int x, int y, int w, int h) {
  Image out(w, h);
  Paste(out, -x, -y, src);
  return out;
}

Image Magnify(const Image& src, int factor) {
  Image out(src.w * factor, src.h * factor);
  for (int y = 0; y < out.h; ++y)
    for (int x = 0; x < out.w; ++x) out.px[size_t(y) * out.w + x] = src.Get(x / factor, y / factor);
  return out;
}

uint64_t Rng::Next() {
  // splitmix64: small, fast and the same on every machine.
  uint64_t z = (s_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}
