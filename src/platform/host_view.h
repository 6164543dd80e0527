#pragma once
#include <vector>

#include "platform/toolkit/window.h"

// What both hosts share about showing the program: which form is in front, and how its client
// area is scaled into a window by a whole number.

namespace platform {

// The form the host shows: the one shown most recently among those still shown (the launcher
// first, then the main window). Call Update after every delivered event or timer.
class FrontForm {
 public:
  Form* Update();

 private:
  std::vector<Form*> order_;  // shown forms, oldest first
};

// The largest whole-number scale (at least 1) at which w x h fits into availW x availH.
int WholeScaleToFit(int w, int h, int availW, int availH);

// Where a client area of cw x ch lands in a drawable of drawW x drawH: the largest whole
// scale that fits, centred, the rest black.
struct Letterbox {
  int scale = 1, x = 0, y = 0;
};
Letterbox FitWhole(int cw, int ch, int drawW, int drawH);

// A drawable pixel mapped back to the client pixel under it (floor division, so points in
// the black border map outside 0..cw-1 / 0..ch-1).
void DrawableToClient(const Letterbox& box, int px, int py, int& cx, int& cy);

}  // namespace platform
