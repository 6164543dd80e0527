#pragma once
#include <vector>

#include "platform/raster/rect.h"
#include "platform/raster/surface.h"
#include "platform/toolkit/window.h"

namespace platform {

// Composes a shown form into one frame of its client size: the back colour and background
// picture, the form's own labels, shapes and lines, then its picture boxes and text box from
// back to front, each with its own children, clipped to its container.
void ComposeForm(Form& form, Surface& frame);

// One control where composing puts it: the clip it is drawn within (its containers'
// rectangles on the frame), and whether it is drawn at all.
struct Placed {
  Control* control;
  Rect clip;
  bool drawn;
};
// How a form is composed: whether the window's own back colour and picture show (a picture
// box that covers the whole frame hides them), and every control but the timers, back to front.
struct Layout {
  bool windowShows = true;
  std::vector<Placed> controls;
};
Layout LayOut(Form& form);
// Composes only `area` of the frame (already of the form's client size) from the layout.
void ComposeArea(Form& form, const Layout& layout, Surface& frame, const Rect& area);

// The control that takes a click at client pixel (x, y): the front-most shown control under
// the point in stacking order (a transparent label with no caption still takes clicks), or
// nullptr for the form itself.
Control* HitTest(Form& form, int x, int y);

void Fill(Surface& frame, const Rect& r, uint32_t color);  // clipped to the frame
Rect ClientRect(const Control& c);

}  // namespace platform
