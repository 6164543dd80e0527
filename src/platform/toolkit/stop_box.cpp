#include "platform/toolkit/stop_box.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/raster/compose.h"
#include "platform/text/text.h"
#include "platform/toolkit/window.h"

namespace platform {
namespace {

constexpr int kTitleBar = 20;
constexpr int kMargin = 12;
constexpr int kIcon = 32;
constexpr int kLineHeight = 16;
constexpr int kLongestLine = 480;
constexpr int kButtonW = 75, kButtonH = 23;
constexpr uint32_t kTitleBlue = 0x0A246A, kShadow = 0x808080, kDarkShadow = 0x404040;
constexpr uint32_t kWhite = 0xFFFFFF, kBlack = 0x000000;

// A frame one pixel wide: top and left in one colour, bottom and right in another.
void Bevel(Surface& s, Rect r, uint32_t topLeft, uint32_t bottomRight) {
  Fill(s, {r.x, r.y, r.w, 1}, topLeft);
  Fill(s, {r.x, r.y, 1, r.h}, topLeft);
  Fill(s, {r.x, r.y + r.h - 1, r.w, 1}, bottomRight);
  Fill(s, {r.x + r.w - 1, r.y, 1, r.h}, bottomRight);
}

Control TextLabel(const std::string& text, bool bold, uint32_t color, Align align, int width) {
  Control label;
  label.kind = ControlKind::Label;
  label.caption = text;
  label.font = Font{"", 9, bold, false};
  label.foreColor = color;
  label.transparent = true;
  label.align = align;
  label.width = width;
  return label;
}

// A red disc with a white cross.
void StopIcon(Surface& s, int left, int top) {
  const double c = (kIcon - 1) / 2.0;
  for (int y = 0; y < kIcon; ++y) {
    for (int x = 0; x < kIcon; ++x) {
      const double dx = x - c, dy = y - c, r = std::hypot(dx, dy);
      if (r > c + 0.5) continue;
      uint32_t color = r > c - 1.5 ? 0x800000 : 0xE02010;
      if (std::abs(dx) <= 7.5 && std::abs(dy) <= 7.5 &&
          (std::abs(dx - dy) <= 2.0 || std::abs(dx + dy) <= 2.0))
        color = kWhite;
      s.At(left + x, top + y) = color;
    }
  }
}

}  // namespace

StopBoxPicture DrawStopBox(const std::string& title, const std::string& text) {
  Control body = TextLabel(text, false, kBlack, Align::Left,
                           std::min(kLongestLine, TextWidth(Font{"", 9, false, false}, text) + 1));
  body.width = std::max(body.width, 1);
  body.height = std::max<int>(1, int(LabelLines(body).size())) * kLineHeight;

  const int textX = kMargin + kIcon + kMargin;
  const int contentH = std::max(kIcon, body.height);
  const int width = std::max(textX + body.width + 2 * kMargin, 2 * kMargin + 2 * kButtonW);
  const int buttonTop = kTitleBar + kMargin + contentH + kMargin;
  const int height = buttonTop + kButtonH + kMargin;

  StopBoxPicture box;
  Surface& s = box.picture = Surface(width, height, kButtonFace);
  Bevel(s, {0, 0, width, height}, kButtonFace, kDarkShadow);
  Bevel(s, {1, 1, width - 2, height - 2}, kWhite, kShadow);
  Fill(s, {2, 2, width - 4, kTitleBar - 2}, kTitleBlue);
  Control caption = TextLabel(title, true, kWhite, Align::Left, width - 10);
  caption.height = kLineHeight;
  DrawLabel(caption, s, 6, 2 + (kTitleBar - 2 - kLineHeight) / 2, {0, 0, width, kTitleBar});

  const int top = kTitleBar + kMargin;
  StopIcon(s, kMargin, top);
  DrawLabel(body, s, textX, top + (contentH - body.height) / 2, {0, 0, width, height});

  box.ok = {(width - kButtonW) / 2, buttonTop, kButtonW, kButtonH};
  const Rect& b = box.ok;
  Bevel(s, b, kBlack, kBlack);  // the default button's dark frame
  Bevel(s, {b.x + 1, b.y + 1, b.w - 2, b.h - 2}, kWhite, kDarkShadow);
  Bevel(s, {b.x + 2, b.y + 2, b.w - 4, b.h - 4}, kButtonFace, kShadow);
  Control ok = TextLabel("OK", false, kBlack, Align::Center, b.w);
  ok.height = kLineHeight;
  DrawLabel(ok, s, b.x, b.y + (b.h - kLineHeight) / 2, {b.x, b.y, b.w, b.h});
  return box;
}

void SetUpStopBoxForm(Form& form, const std::string& title, const Surface& picture) {
  static const FormDef kStopBoxDef = {"StopBox", "K.Z.V", 0,       0,       kButtonFace, false,
                                      false,     nullptr, nullptr, nullptr, 0};
  form.def = &kStopBoxDef;
  form.name = kStopBoxDef.name;
  form.caption = title;
  form.clientWidth = picture.width;
  form.clientHeight = picture.height;
  form.picture = picture;
  form.loaded = form.shown = true;
}

}  // namespace platform
