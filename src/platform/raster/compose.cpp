#include "platform/raster/compose.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/toolkit/input.h"
#include "platform/text/text.h"

namespace platform {
namespace {

bool Windowless(const Control& c) {
  return c.kind == ControlKind::Label || c.kind == ControlKind::Shape ||
         c.kind == ControlKind::Line;
}

// Picture boxes and the text box lie above the windowless controls of their container.
bool Windowed(const Control& c) {
  return c.kind == ControlKind::PictureBox || c.kind == ControlKind::TextBox;
}

bool Contains(const Rect& r, int x, int y) {
  return x >= r.x && y >= r.y && x < r.x + r.w && y < r.y + r.h;
}

// Client position of a container's origin (the form's is 0, 0).
void Origin(const Control* container, int& x, int& y) {
  x = y = 0;
  for (const Control* c = container; c; c = c->container) {
    x += c->left;
    y += c->top;
  }
}

// A square pen of the line's width, centred on each point of the line.
void Plot(Surface& frame, int x, int y, int width, uint32_t color, const Rect& clip) {
  Fill(frame, Intersect({x - width / 2, y - width / 2, width, width}, clip), color);
}

void DrawLine(const Control& line, Surface& frame, const Rect& clip) {
  int ox, oy;
  Origin(line.container, ox, oy);
  int x = ox + line.x1, y = oy + line.y1;
  const int x2 = ox + line.x2, y2 = oy + line.y2;
  const int width = std::max(1, line.lineWidth);
  const int dx = std::abs(x2 - x), dy = -std::abs(y2 - y);
  const int stepX = x < x2 ? 1 : -1, stepY = y < y2 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    Plot(frame, x, y, width, line.foreColor, clip);
    if (x == x2 && y == y2) break;
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += stepX;
    }
    if (e2 <= dx) {
      err += dx;
      y += stepY;
    }
  }
}

void DrawShape(const Control& shape, const Rect& r, Surface& frame, const Rect& clip) {
  if (!shape.transparent) Fill(frame, Intersect(r, clip), shape.backColor);
  const int b = std::max(1, shape.lineWidth);
  Fill(frame, Intersect({r.x, r.y, r.w, std::min(b, r.h)}, clip), shape.foreColor);
  Fill(frame, Intersect({r.x, r.y + r.h - b, r.w, std::min(b, r.h)}, clip), shape.foreColor);
  Fill(frame, Intersect({r.x, r.y, std::min(b, r.w), r.h}, clip), shape.foreColor);
  Fill(frame, Intersect({r.x + r.w - b, r.y, std::min(b, r.w), r.h}, clip), shape.foreColor);
}

void DrawPictureBox(const Control& box, const Rect& r, Surface& frame, const Rect& clip) {
  const Rect v = Intersect(Intersect(r, clip), {0, 0, frame.width, frame.height});
  if (v.w <= 0 || v.h <= 0) return;
  // The image normally covers the box; where it does not, the back colour shows.
  if (box.image.width < r.w || box.image.height < r.h) Fill(frame, v, box.backColor);
  BitBlt(frame, v.x, v.y, v.w, v.h, box.image, v.x - r.x, v.y - r.y, Rop::SrcCopy);
}

// One control alone, within clip; a picture box's children are placed after it.
void DrawControl(const Control& c, Surface& frame, const Rect& clip, const Control* focus) {
  if (clip.w <= 0 || clip.h <= 0) return;
  const Rect r = ClientRect(c);
  switch (c.kind) {
    case ControlKind::Label:
      DrawLabel(c, frame, r.x, r.y, clip);
      break;
    case ControlKind::Shape:
      DrawShape(c, r, frame, clip);
      break;
    case ControlKind::Line:
      DrawLine(c, frame, clip);
      break;
    case ControlKind::TextBox:
      DrawTextBox(c, frame, r.x, r.y, clip, &c == focus);
      break;
    case ControlKind::PictureBox:
      DrawPictureBox(c, r, frame, clip);
      break;
    case ControlKind::Timer:
      break;
  }
}

// Back to front: the windowless controls on the container's own surface first, then the
// picture boxes and the text box, each picture box followed by its own children; the table
// lists each group front to back. Only the first `windowedCount` windowed children are drawn,
// and the windowless ones only when asked (the window's own are hidden when a picture box
// covers the whole frame); the others are placed as not drawn.
void Place(Form& form, const std::vector<Control*>& children, size_t windowedCount,
           bool windowless, const Rect& clip, bool drawn, Layout& out) {
  for (auto it = children.rbegin(); it != children.rend(); ++it)
    if (Windowless(**it)) out.controls.push_back({*it, clip, drawn && windowless && (*it)->visible});
  for (size_t i = children.size(); i-- > 0;) {
    Control* c = children[i];
    if (!Windowed(*c)) continue;
    const bool shown = drawn && i < windowedCount && c->visible;
    out.controls.push_back({c, clip, shown});
    if (c->kind == ControlKind::PictureBox) {
      const std::vector<Control*> inner = form.ChildrenOf(c);
      Place(form, inner, inner.size(), true, Intersect(ClientRect(*c), clip), shown, out);
    }
  }
}

// True when what the picture box shows covers all of area.
bool CoversArea(const Control& box, const Rect& area) {
  if (box.kind != ControlKind::PictureBox || !box.visible) return false;
  const Rect r = ClientRect(box);
  const int w = std::min(r.w, box.image.width), h = std::min(r.h, box.image.height);
  return r.x <= area.x && r.y <= area.y && r.x + w >= area.x + area.w && r.y + h >= area.y + area.h;
}

Control* HitChildren(Form& form, const Control* container, int x, int y, const Rect& clip) {
  if (!Contains(clip, x, y)) return nullptr;
  const std::vector<Control*> children = form.ChildrenOf(container);
  for (Control* c : children) {
    if (!c->visible || !Windowed(*c)) continue;
    const Rect r = ClientRect(*c);
    if (!Contains(Intersect(r, clip), x, y)) continue;
    if (c->kind == ControlKind::PictureBox)
      if (Control* inner = HitChildren(form, c, x, y, Intersect(r, clip))) return inner;
    return c;
  }
  // Lines and shapes have no click of their own; a click on them goes to what lies below.
  for (Control* c : children)
    if (c->visible && c->kind == ControlKind::Label &&
        Contains(Intersect(ClientRect(*c), clip), x, y))
      return c;
  return nullptr;
}

}  // namespace

Rect Intersect(const Rect& a, const Rect& b) {
  const int x0 = std::max(a.x, b.x), y0 = std::max(a.y, b.y);
  const int x1 = std::min(a.x + a.w, b.x + b.w), y1 = std::min(a.y + a.h, b.y + b.h);
  return {x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0)};
}

void Fill(Surface& frame, const Rect& r, uint32_t color) {
  const Rect v = Intersect(r, {0, 0, frame.width, frame.height});
  frame.Touch();
  for (int y = v.y; y < v.y + v.h; ++y) {
    uint32_t* d = &frame.At(v.x, y);
    std::fill(d, d + v.w, color);
  }
}

Rect ClientRect(const Control& c) {
  int ox, oy;
  Origin(c.container, ox, oy);
  if (c.kind == ControlKind::Line) {
    return {ox + std::min(c.x1, c.x2), oy + std::min(c.y1, c.y2), std::abs(c.x2 - c.x1) + 1,
            std::abs(c.y2 - c.y1) + 1};
  }
  return {ox + c.left, oy + c.top, c.width, c.height};
}

Layout LayOut(Form& form) {
  const Rect all{0, 0, std::max(0, form.clientWidth), std::max(0, form.clientHeight)};
  const std::vector<Control*> children = form.ChildrenOf(nullptr);
  // A picture box that covers the whole frame (the title and result screens) hides the window
  // behind it and everything further back.
  Layout layout;
  size_t drawn = children.size();
  for (size_t i = 0; i < children.size() && layout.windowShows; ++i)
    if (CoversArea(*children[i], all)) {
      drawn = i + 1;
      layout.windowShows = false;
    }
  Place(form, children, drawn, layout.windowShows, all, true, layout);
  return layout;
}

void ComposeArea(Form& form, const Layout& layout, Surface& frame, const Rect& area) {
  const Rect a = Intersect(area, {0, 0, frame.width, frame.height});
  if (a.w <= 0 || a.h <= 0) return;
  // A picture box paints every pixel of its rectangle: whatever lies behind one that covers
  // the whole area never shows.
  size_t first = 0;
  bool windowShows = layout.windowShows;
  for (size_t i = layout.controls.size(); i-- > 0;) {
    const Placed& p = layout.controls[i];
    if (p.drawn && p.control->kind == ControlKind::PictureBox &&
        Intersect(Intersect(ClientRect(*p.control), p.clip), a) == a) {
      first = i;
      windowShows = false;
      break;
    }
  }
  if (windowShows) {
    const Surface& p = form.picture;
    if (p.width < frame.width || p.height < frame.height) Fill(frame, a, form.backColor);
    BitBlt(frame, a.x, a.y, a.w, a.h, p, a.x, a.y, Rop::SrcCopy);
  }
  const Control* focus = FocusedTextBox(form);
  for (size_t i = first; i < layout.controls.size(); ++i) {
    const Placed& p = layout.controls[i];
    if (p.drawn) DrawControl(*p.control, frame, Intersect(p.clip, a), focus);
  }
}

void ComposeForm(Form& form, Surface& frame) {
  if (frame.width != form.clientWidth || frame.height != form.clientHeight)
    frame = Surface(std::max(0, form.clientWidth), std::max(0, form.clientHeight));
  ComposeArea(form, LayOut(form), frame, {0, 0, frame.width, frame.height});
}

Control* HitTest(Form& form, int x, int y) {
  return HitChildren(form, nullptr, x, y, {0, 0, form.clientWidth, form.clientHeight});
}

}  // namespace platform
