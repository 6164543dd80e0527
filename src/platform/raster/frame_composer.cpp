#include "platform/raster/frame_composer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "platform/toolkit/input.h"
#include "platform/text/text.h"
#include "platform/warning.h"

namespace platform {
namespace {

// The frame pixels a control may change: its rectangle, and for a line the pen's width around
// it, within its clip.
Rect Reach(const Control& c, const Rect& clip) {
  Rect r = ClientRect(c);
  if (c.kind == ControlKind::Line) {
    const int pen = std::max(1, c.lineWidth);
    r = {r.x - pen, r.y - pen, r.w + 2 * pen, r.h + 2 * pen};
  }
  return Intersect(r, clip);
}

FrameComposer::Look LookOf(const Placed& p, const Control* focus) {
  FrameComposer::Look look;
  const Control& c = *p.control;
  look.control = &c;
  if (!p.drawn) return look;
  look.area = Reach(c, p.clip);
  if (look.area.w <= 0 || look.area.h <= 0) return look;
  look.rect = ClientRect(c);
  look.x1 = c.x1;
  look.y1 = c.y1;
  look.x2 = c.x2;
  look.y2 = c.y2;
  look.lineWidth = c.lineWidth;
  look.backColor = c.backColor;
  look.foreColor = c.foreColor;
  look.transparent = c.transparent;
  look.align = c.align;
  look.font = c.font;
  if (c.kind == ControlKind::Label || c.kind == ControlKind::TextBox) look.caption = c.caption;
  if (c.kind == ControlKind::Label && !c.caption.empty()) look.room = TextRoom(c);
  if (c.kind == ControlKind::TextBox) {
    look.enabled = c.enabled;
    look.focused = &c == focus;
    look.caretShown = look.focused && CaretVisible();
    look.caret = c.caret;
    if (look.focused) look.composition = Composition();
  }
  if (c.kind == ControlKind::PictureBox) {
    look.image = c.image.Version();
    look.imageWidth = c.image.width;
    look.imageHeight = c.image.height;
  }
  return look;
}

// Adds r to the rectangles, joining it with every one it overlaps, so that no pixel is
// composed twice.
void AddArea(std::vector<Rect>& areas, Rect r) {
  if (r.w <= 0 || r.h <= 0) return;
  for (size_t i = 0; i < areas.size();) {
    const Rect& a = areas[i];
    if (Intersect(a, r).w > 0 && Intersect(a, r).h > 0) {
      const int x0 = std::min(a.x, r.x), y0 = std::min(a.y, r.y);
      const int x1 = std::max(a.x + a.w, r.x + r.w), y1 = std::max(a.y + a.h, r.y + r.h);
      r = {x0, y0, x1 - x0, y1 - y0};
      areas.erase(areas.begin() + long(i));
      i = 0;  // the larger rectangle may overlap one passed already
    } else {
      ++i;
    }
  }
  areas.push_back(r);
}

// The rows [first, last) in which two images of one size differ; first == last when none.
std::pair<int, int> ChangedRows(const Surface& now, const Surface& before) {
  const size_t rowBytes = size_t(now.width) * sizeof(uint32_t);
  auto differs = [&](int y) {
    const size_t at = size_t(y) * now.width;
    return std::memcmp(&now.pixels[at], &before.pixels[at], rowBytes) != 0;
  };
  int first = 0, last = now.height;
  while (first < last && !differs(first)) ++first;
  while (last > first && !differs(last - 1)) --last;
  return {first, last};
}

bool SameSize(const Surface& a, const Surface& b) {
  return a.width == b.width && a.height == b.height && a.pixels.size() == b.pixels.size();
}

}  // namespace

std::vector<Rect> FrameComposer::Compose(Form& form, Surface& frame) {
  const Layout layout = LayOut(form);
  const Control* focus = FocusedTextBox(form);
  std::vector<Look> looks;
  looks.reserve(layout.controls.size());
  for (const Placed& p : layout.controls) looks.push_back(LookOf(p, focus));
  const Backdrop backdrop{&form,           std::max(0, form.clientWidth),
                          std::max(0, form.clientHeight), layout.windowShows,
                          form.backColor,  layout.windowShows ? form.picture.Version() : 0};

  std::vector<Rect> changed;
  const Rect all{0, 0, backdrop.width, backdrop.height};
  bool same = backdrop == backdrop_ && looks.size() == looks_.size() &&
              frame.width == all.w && frame.height == all.h;
  for (size_t i = 0; same && i < looks.size(); ++i) same = looks[i].control == looks_[i].control;
  if (!same) {
    if (frame.width != all.w || frame.height != all.h) frame = Surface(all.w, all.h);
    AddArea(changed, all);
    images_.assign(looks.size(), Surface());
    for (size_t i = 0; i < looks.size(); ++i)
      if (looks[i].image) images_[i] = looks[i].control->image;
  } else {
    for (size_t i = 0; i < looks.size(); ++i) {
      Look& before = looks_[i];
      const Look& now = looks[i];
      if (now == before) continue;
      const Surface& image = now.control->image;
      if (now.image && before.image && SameSize(image, images_[i])) {
        before.image = now.image;
        if (now == before) {  // only the picture was drawn again: redraw the rows it changed
          const auto [first, last] = ChangedRows(image, images_[i]);
          const size_t at = size_t(first) * image.width, count = size_t(last - first) * image.width;
          std::memcpy(&images_[i].pixels[at], &image.pixels[at], count * sizeof(uint32_t));
          AddArea(changed, Intersect({now.rect.x, now.rect.y + first, image.width, last - first}, now.area));
          continue;
        }
      }
      AddArea(changed, before.area);
      AddArea(changed, now.area);
      images_[i] = now.image ? image : Surface();
    }
  }
  for (const Rect& r : changed) ComposeArea(form, layout, frame, r);
  backdrop_ = backdrop;
  looks_ = std::move(looks);

#ifndef NDEBUG
  // Every change composing can see must have been found: the frame is the whole composition.
  Surface whole;
  ComposeForm(form, whole);
  if (whole.pixels != frame.pixels) {
    Warn("a change of " + form.name + " was not redrawn (a surface written without Touch?)");
    std::abort();
  }
#endif
  return changed;
}

}  // namespace platform
