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
  // Cross-hair with an open centre, and mil dots.
  FillRect(over, 100, 12, 1, 70, ret);
  FillRect(over, 100, 119, 1, 70, ret);
  FillRect(over, 12, 100, 70, 1, ret);
  FillRect(over, 119, 100, 70, 1, ret);
  FillRect(over, 99, 12, 3, 30, ret);
  FillRect(over, 99, 158, 3, 30, ret);
  FillRect(over, 12, 99, 30, 3, ret);
  FillRect(over, 158, 99, 30, 3, ret);
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
  // ANDed onto the map view: a green-tinted light amplifier with a dark rim and scan lines.
  Image im(225, 225, 0);
  for (int y = 0; y < 225; ++y)
    for (int x = 0; x < 225; ++x) {
      double dx = (x + 0.5 - 112.5) / 112.5, dy = (y + 0.5 - 112.5) / 112.5;
      double d = std::sqrt(dx * dx + dy * dy);
      double v = d < 0.55 ? 1.0 : std::max(0.28, 1.0 - (d - 0.55) * 0.8);
      int level = int(v * 63 + 0.5);
      double f = level / 63.0 * (y % 2 ? 0.9 : 1.0);
      im.Set(x, y, Rgb(int(215 * f), int(255 * f), int(215 * f)));
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

Image MakeGauge(bool charged) {
  Image im(246, 62, ink::Panel);
  FrameRect(im, 0, 0, 246, 62, Rgb(40, 70, 46));
  FrameRect(im, 1, 1, 244, 13, Rgb(20, 40, 24));
  // The energy bar across the top: bright full cells when charged, hollow when recharging.
  for (int x = 3; x + 5 <= 243; x += 7) {
    if (charged) {
      FillRect(im, x, 3, 5, 9, Rgb(40, 200, 90));
      FillRect(im, x, 3, 5, 2, Rgb(150, 255, 170));
    } else {
      FillRect(im, x, 3, 5, 9, Rgb(40, 20, 8));
      FrameRect(im, x, 3, 5, 9, Rgb(120, 60, 20));
    }
  }
  // Scale and legend (mostly behind the status panel in the window).
  for (int x = 4; x < 144; x += 10) FillRect(im, x, 16, 1, x % 50 == 4 ? 5 : 3, ink::Dim);
  TextStyle st{Face::Gothic, 10, false, true};
  DrawText(im, 6, 24, "RAIL GUN ENERGY", ink::Dim, st);
  // The status word and lamp at the right, where the window leaves the gauge visible.
  FillRect(im, 146, 17, 96, 19, charged ? Rgb(10, 40, 18) : Rgb(40, 18, 6));
  FrameRect(im, 146, 17, 96, 19, charged ? Rgb(60, 160, 80) : Rgb(150, 80, 30));
  TextStyle word{Face::Gothic, 12, true, true};
  DrawTextCentered(im, 194, 20, charged ? "READY" : "CHARGING", charged ? Rgb(140, 255, 150) : Rgb(255, 170, 80), word);
  SoftDisc(im, 231, 48, 6, charged ? Rgb(60, 255, 110) : Rgb(255, 60, 30), 1.0);
  SoftDisc(im, 229.5, 46.5, 2, Rgb(230, 255, 230), 0.8);
  Ring(im, 231, 48, 7, 1, Rgb(60, 90, 66));
  return im;
}
