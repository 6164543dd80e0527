#pragma once
#include "platform/surface.h"
#include "platform/window.h"

namespace platform {

// Composes a shown form into one frame of its client size: the back colour and background
// picture, the form's own labels, shapes and lines, then its picture boxes and text box from
// back to front, each with its own children, clipped to its container.
void ComposeForm(Form& form, Surface& frame);

// The control that takes a click at client pixel (x, y): the front-most shown control under
// the point in stacking order (a transparent label with no caption still takes clicks), or
// nullptr for the form itself.
Control* HitTest(Form& form, int x, int y);

// A control's rectangle in client pixels of its form.
struct Rect {
  int x, y, w, h;
};
Rect Intersect(const Rect& a, const Rect& b);  // empty (w or h 0) when they do not overlap
void Fill(Surface& frame, const Rect& r, uint32_t color);  // clipped to the frame
Rect ClientRect(const Control& c);

}  // namespace platform
