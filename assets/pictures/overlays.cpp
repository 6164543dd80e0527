// Pictures combined with the map view by the block copies: the scope overlay, the lens mask,
// the interference band, and the two looks of the recharge gauge.
#include <cmath>
#include <string>

#include "art.h"
#include "text.h"

namespace {
constexpr double kScopeRadius = 92.0;
}

Image MakeScope() {
  Image im(200, 400, ink::Black);
  // Mask (ANDed): white where the lens lets the view through, a dark falloff at its rim.
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 200; ++x) {
      double d = std::hypot(x + 0.5 - 100, y + 0.5 - 100);
      int v = d <= kScopeRadius - 8 ? 255 : d >= kScopeRadius ? 0 : int(255 * (kScopeRadius - d) / 8) / 16 * 16;
      im.Set(x, y, Rgb(v, v, v));
    }
  // Image (ORed): the housing outside the lens, the reticle inside; black adds nothing.
  Image over(200, 200, ink::Black);
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 200; ++x) {
      double d = std::hypot(x + 0.5 - 100, y + 0.5 - 100);
      if (d < kScopeRadius) continue;
      // Brushed metal, lit from the top left, in a few steps.
      double light = 0.5 + 0.5 * ((100 - x) + (100 - y)) / 283.0;
      int step = int(light * 6);
      uint32_t c = Scale(Rgb(20, 34, 24), 0.7 + 0.15 * step);
      if (d < kScopeRadius + 4) c = Scale(Rgb(70, 100, 76), 0.6 + 0.1 * step);
      if (d > kScopeRadius + 4 && d < kScopeRadius + 5.5) c = Rgb(6, 10, 8);
      over.Set(x, y, c);
    }
  for (int a = 0; a < 72; ++a) {  // degree ring on the rim
    double t = a * 3.14159265358979 / 36;
    double r0 = kScopeRadius + 0.5, r1 = kScopeRadius + (a % 6 == 0 ? 4.0 : 2.0);
    Line(over, int(100 + std::cos(t) * r0), int(100 + std::sin(t) * r0), int(100 + std::cos(t) * r1),
         int(100 + std::sin(t) * r1), Rgb(150, 200, 150));
  }
  uint32_t ret = Rgb(0, 150, 60), retBright = Rgb(40, 230, 100);
  // Cross-hair with an open centre and thick outer ends, and mil dots.
  FillRects(over, {{100, 12, 1, 70}, {100, 119, 1, 70}, {12, 100, 70, 1}, {119, 100, 70, 1}}, ret);
  FillRects(over, {{99, 12, 3, 30}, {99, 158, 3, 30}, {12, 99, 30, 3}, {158, 99, 30, 3}}, ret);
  for (int k = 1; k <= 4; ++k) {
    int o = 100 + k * 12, u = 100 - k * 12;
    FillRect(over, o, 98, 1, 5, ret), FillRect(over, u, 98, 1, 5, ret);
    FillRect(over, 98, o, 5, 1, ret), FillRect(over, 98, u, 5, 1, ret);
  }
  // The aimed cell is the middle third of the magnified view: its corners are marked.
  int a = 67, b = 133, len = 8;
  for (int s = 0; s < 2; ++s) {
    int x = s ? b - len : a, y0 = a, y1 = b;
    FillRect(over, x, y0, len, 1, retBright);
    FillRect(over, x, y1, len, 1, retBright);
  }
  FillRect(over, a, a, 1, len, retBright), FillRect(over, b, a, 1, len, retBright);
  FillRect(over, a, b - len + 1, 1, len, retBright), FillRect(over, b, b - len + 1, 1, len, retBright);
  over.Set(100, 100, Rgb(255, 80, 48));
  TextStyle small{Face::Gothic, 9, false, true};
  DrawText(over, 4, 2, "KZV-SCOPE", Rgb(120, 180, 120), small);
  DrawText(over, 150, 2, "x4.4", Rgb(120, 180, 120), small);
  DrawText(over, 4, 187, "IR-AMP", Rgb(90, 140, 90), small);
  DrawText(over, 156, 187, "LV.3", Rgb(90, 140, 90), small);
  Paste(im, 0, 200, over);
  return im;
}

Image MakeEye() {
  // ANDed onto the map view, so every pixel is black or white: any level between would clear
  // some bits of each colour and not others and turn the city into coloured rings. The lens
  // darkens towards its rim by letting through fewer pixels, in an ordered 4 x 4 pattern.
  static const int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  Image im(225, 225, ink::Black);
  for (int y = 0; y < 225; ++y)
    for (int x = 0; x < 225; ++x) {
      double dx = (x + 0.5 - 112.5) / 112.5, dy = (y + 0.5 - 112.5) / 112.5;
      double d = std::sqrt(dx * dx + dy * dy);
      // Share of pixels let through: all in the middle, half at the view's edges, a third in
      // its corners, so nobody standing there is lost from sight.
      double open = d < 0.62 ? 1.0 : std::max(0.34, 1.0 - (d - 0.62) * 1.3);
      if (open * 16 > kBayer[y % 4][x % 4]) im.Set(x, y, ink::White);
    }
  return im;
}

Image MakeNoise() {
  // ORed onto the view: black leaves it alone; bright streaks strongest in the band's middle.
  Image im(225, 50, ink::Black);
  Rng rng(4550);
  for (int y = 0; y < 50; ++y) {
    double envelope = std::sin((y + 0.5) / 50.0 * 3.14159265358979);
    double rowLevel = envelope * (0.25 + 0.75 * rng.Unit());
    bool tear = rng.Below(6) == 0;
    for (int x = 0; x < 225; ++x) {
      double n = rng.Unit();
      double v = tear ? rowLevel * (0.6 + 0.4 * n) : (n > 1 - rowLevel * 0.5 ? rowLevel * n : 0);
      int g = int(v * 15) * 8;
      if (g > 0) im.Set(x, y, Rgb(g / 3, g, g / 2));
    }
  }
  return im;
}

// The two looks of the recharge gauge. The game shows the recharging look left of the charge
// still to go and the charged look right of it, and the status panel in front leaves only the
// top strip and the right end in sight; so the strip is the meter, filling from the right, the
// ready lamp sits in its first six columns (the last to change, on the final step), and every
// other part of the two pictures is alike, so nothing else ever claims the gun is ready.
Image MakeGauge(bool charged) {
  Image im(246, 62, ink::Panel);
  FrameRect(im, 0, 0, 246, 62, Rgb(40, 70, 46));
  FrameRect(im, 0, 0, 246, 15, Rgb(20, 40, 24));
  // The lamp: green when charged, red while charging.
  FillRect(im, 1, 1, 5, 13, charged ? Rgb(60, 255, 110) : Rgb(150, 28, 16));
  FillRect(im, 1, 1, 5, 2, charged ? Rgb(200, 255, 210) : Rgb(200, 70, 50));
  FillRect(im, 6, 1, 1, 13, Rgb(20, 40, 24));
  // The energy cells: bright when charged, hollow amber when not.
  for (int x = 9; x + 5 <= 244; x += 7) {
    if (charged) {
      FillRect(im, x, 3, 5, 9, Rgb(40, 200, 90));
      FillRect(im, x, 3, 5, 2, Rgb(150, 255, 170));
    } else {
      FillRect(im, x, 3, 5, 9, Rgb(40, 20, 8));
      FrameRect(im, x, 3, 5, 9, Rgb(120, 60, 20));
    }
  }
  // Below the strip both looks are the same: a scale, the legend, and the gun's plate at the
  // right end, where the window leaves it visible.
  for (int x = 9; x < 144; x += 10) FillRect(im, x, 16, 1, x % 50 == 9 ? 5 : 3, ink::Dim);
  TextStyle st{Face::Gothic, 10, false, true};
  DrawText(im, 6, 24, "RAIL GUN ENERGY", ink::Dim, st);
  FillRect(im, 146, 17, 96, 19, Rgb(12, 28, 16));
  FrameRect(im, 146, 17, 96, 19, Rgb(40, 90, 50));
  TextStyle word{Face::Gothic, 12, true, true};
  DrawTextCentered(im, 194, 20, "RAIL GUN", Rgb(90, 160, 100), word);
  for (int y = 40; y < 60; y += 4) FillRect(im, 219, y, 24, 2, Rgb(24, 50, 30));
  return im;
}
