#pragma once
#include <string>

// Where the main window's controls stand, in pixels, read from the window's own control table
// so that the pictures always fit the window they are drawn for.
struct Rect {
  int x = 0, y = 0, w = 0, h = 0;
  int Right() const { return x + w; }
  int Bottom() const { return y + h; }
};

// The rectangle of a control relative to its container (index -1 for a single control).
// The generator stops with a message when the table has no such control.
Rect ControlRect(const std::string& name, int index = -1);
// For the line "li": x1, y1, x2, y2 in pixels.
Rect LineEnds(const std::string& name);
