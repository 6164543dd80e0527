// Rectangles in pixels: where controls lie, what a frame changed, what a clip lets through.
#pragma once

namespace platform {

// A rectangle in client pixels of a form (or any surface).
struct Rect {
  int x, y, w, h;
  bool operator==(const Rect&) const = default;
};

Rect Intersect(const Rect& a, const Rect& b);  // empty (w or h 0) when they do not overlap

}  // namespace platform
