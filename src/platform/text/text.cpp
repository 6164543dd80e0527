// Labels and the text box: their lines laid out in their room, rendered through the cache and
// painted in their colours.
#include "platform/text/text.h"

#include <algorithm>
#include <cmath>

#include "platform/text/text_cache.h"
#include "platform/text/text_coverage.h"
#include "platform/text_faces.h"
#include "platform/text/text_squeeze.h"
#include "platform/text/utf8.h"

namespace platform {
namespace {

bool g_caretVisible = true;
std::string g_composition;

// Where a line's baseline lies below its top: as MS P Gothic places it (86 % of the em),
// which is a pixel higher than IPA P Gothic would, so that the one-line labels of the design,
// a pixel shorter than the font, keep the feet of their characters.
int BaselineShift(const Face* f, const Font& font) {
  return int(std::lround(FontPixels(font.points) * 0.86)) - FaceAscent(f);
}


LabelKey KeyOf(const Control& c) {
  return {c.caption, c.font.name, c.font.points, c.font.bold, c.font.italic,
          c.width,   c.height,    TextRoom(c),   c.align};
}

Coverage RenderLabel(const Control& label) {
  Coverage cov{label.width, label.height, {}};
  if (cov.w <= 0 || cov.h <= 0) return cov;
  cov.alpha.assign(size_t(cov.w) * cov.h, 0);
  Face* f = OpenFace(label.font);
  if (!f) return cov;
  const int room = TextRoom(label);
  const int lineHeight = FaceHeight(f);
  int y = BaselineShift(f, label.font);
  for (const std::string& line : LabelLines(label)) {
    if (y >= cov.h) break;  // clipped to the label's height
    const LineRendering r = RenderFitted(f, line, room, y, cov.h);
    int x = label.align == Align::Left    ? 0
            : label.align == Align::Right ? room - r.advance
                                          : (room - r.advance) / 2;
    // The ink stays inside the room where it can: a pixel of a last stroke or of an italic
    // overhang moves the line rather than being cut off.
    x = std::min(x, room - (r.cov.inkX1 - r.pad));
    x = std::max(x, -(r.cov.inkX0 - r.pad));
    AddCoverage(r.cov, x - r.pad, 0, cov);
    y += lineHeight;
  }
  return cov;
}

Coverage RenderTextLine(const Control& box) {
  Coverage cov;
  Face* f = OpenFace(box.font);
  if (!f || box.caption.empty()) return cov;
  cov.w = MeasureLine(f, box.caption);
  cov.h = FaceHeight(f);
  if (cov.w <= 0 || cov.h <= 0) return {};
  cov.alpha.assign(size_t(cov.w) * cov.h, 0);
  RenderLine(f, box.caption, 0, 0, cov);
  return cov;
}

Rect FrameClip(const Surface& frame, const Rect& clip, const Rect& box) {
  return Intersect(Intersect(clip, {0, 0, frame.width, frame.height}), box);
}

TextCache& LabelCache() {
  static TextCache cache;
  return cache;
}

TextCache& TextBoxCache() {
  static TextCache cache;
  return cache;
}

}  // namespace

int FontPixels(double points) {
  return int(std::lround(points * 96.0 / 72.0));
}

int TextWidth(const Font& font, std::string_view text) {
  return MeasureLine(OpenFace(font), text);
}

int TextRoom(const Control& label) {
  int room = label.width;
  if (!label.form) return room;
  for (const auto& other : label.form->controls) {
    const Control& o = *other;
    if (&o == &label) break;  // the rest lie behind it
    if (o.kind != ControlKind::Label || o.container != label.container || !o.visible ||
        o.caption.empty())
      continue;
    const int shared = std::min(o.top + o.height, label.top + label.height) - std::max(o.top, label.top);
    if (2 * shared >= label.height && o.left > label.left && o.left < label.left + room)
      room = o.left - label.left;
  }
  return room;
}

std::vector<std::string> LabelLines(const Control& label) {
  Face* f = OpenFace(label.font);
  if (!f) return {};
  return WrapText(label.caption, TextRoom(label),
                  [f](std::string_view s) { return SqueezedWidth(f, s); });
}

void DrawLabel(const Control& label, Surface& frame, int x, int y, const Rect& clip) {
  const Rect area = FrameClip(frame, clip, {x, y, label.width, label.height});
  if (area.w <= 0 || area.h <= 0) return;
  if (label.caption.empty()) {
    if (!label.transparent) Fill(frame, area, label.backColor);
    return;
  }
  CachedText& text = Cached(LabelCache(), label, KeyOf(label), RenderLabel);
  if (label.transparent) {
    Paint(text.coverage, x, y, label.foreColor, frame, area);
    return;
  }
  if (text.opaque.Empty() || text.opaqueFore != label.foreColor ||
      text.opaqueBack != label.backColor) {
    text.opaque = Surface(label.width, label.height, label.backColor);
    Paint(text.coverage, 0, 0, label.foreColor, text.opaque, {0, 0, label.width, label.height});
    text.opaqueFore = label.foreColor;
    text.opaqueBack = label.backColor;
  }
  BitBlt(frame, area.x, area.y, area.w, area.h, text.opaque, area.x - x, area.y - y, Rop::SrcCopy);
}

void DrawTextBox(const Control& box, Surface& frame, int x, int y, const Rect& clip, bool focused) {
  const Rect area = FrameClip(frame, clip, {x, y, box.width, box.height});
  if (area.w <= 0 || area.h <= 0) return;
  Fill(frame, area, box.backColor);
  Face* f = OpenFace(box.font);
  if (!f) return;
  // A small margin inside the box, the text centred in its height, scrolled left when the
  // caret would leave the box.
  constexpr int kMargin = 2;
  const int lineHeight = FaceHeight(f);
  const int top = y + std::max(0, (box.height - lineHeight) / 2);
  const size_t caret = CharacterStart(box.caption, box.caret);
  const std::string before = box.caption.substr(0, caret);
  // The input method's text stands at the caret, and the caret after it.
  const std::string composing = focused ? g_composition : std::string();
  const int composingX = MeasureLine(f, before);
  const int caretX = composing.empty() ? composingX : MeasureLine(f, before + composing);
  // A disabled box shows its text from the start, wherever its caret was left.
  const int scroll = box.enabled ? std::max(0, caretX - (box.width - 2 * kMargin - 1)) : 0;
  const int left = x + kMargin - scroll;
  const int bottom = top + std::min(lineHeight, box.height) - 1;
  if (!composing.empty()) {
    Control shown = box;  // what the box will hold once the input method commits
    shown.caption = before + composing + box.caption.substr(caret);
    Coverage line = RenderTextLine(shown);
    line.FindInk();
    Paint(line, left, top, box.foreColor, frame, area);
    const Rect underline = Intersect(area, {left + composingX, bottom, caretX - composingX, 1});
    if (underline.w > 0 && underline.h > 0) Fill(frame, underline, box.foreColor);
  } else if (!box.caption.empty()) {
    Paint(Cached(TextBoxCache(), box, KeyOf(box), RenderTextLine).coverage, left, top, box.foreColor, frame,
          area);
  }
  if (focused && g_caretVisible) {
    const Rect bar = Intersect(area, {left + caretX, top, 1, std::min(lineHeight, box.height)});
    if (bar.w > 0 && bar.h > 0) Fill(frame, bar, box.foreColor);
  }
}

void SetComposition(std::string text) { g_composition = std::move(text); }

const std::string& Composition() { return g_composition; }

void SetCaretVisible(bool on) {
  g_caretVisible = on;
}

bool CaretVisible() { return g_caretVisible; }

}  // namespace platform
