#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/raster/compose.h"
#include "platform/raster/surface.h"
#include "platform/toolkit/window.h"

namespace platform {

// Keeps one frame of a form up to date: it remembers what every control looked like when the
// frame was last composed and redraws only where something changed since. In play most of the
// window stands still while the map view, the scope, the gauge and the log move.
class FrameComposer {
 public:
  // Brings frame up to date with form and answers the rectangles that were redrawn: the whole
  // frame for another form, another size or another background. Between calls the frame
  // belongs to the composer.
  std::vector<Rect> Compose(Form& form, Surface& frame);
  // The next composition redraws the whole frame.
  void Forget() { backdrop_ = {}; }

  // Everything composing reads of one control, and the part of the frame it covers (empty
  // when it is not drawn).
  struct Look {
    const Control* control = nullptr;
    Rect area{0, 0, 0, 0};
    Rect rect{0, 0, 0, 0};
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0, lineWidth = 0;
    uint32_t backColor = 0, foreColor = 0;
    bool transparent = false, enabled = false, focused = false, caretShown = false;
    Align align = Align::Left;
    Font font;
    std::string caption;
    size_t caret = 0;
    std::string composition;  // the input method's, in the focused box
    int room = 0;  // a label's text room, which labels in front of it narrow
    uint64_t image = 0;
    int imageWidth = 0, imageHeight = 0;
    bool operator==(const Look&) const = default;
  };

 private:
  // What lies behind every control: the form, its size, and its own colour and picture.
  struct Backdrop {
    const Form* form = nullptr;
    int width = 0, height = 0;
    bool windowShows = false;
    uint32_t backColor = 0;
    uint64_t picture = 0;
    bool operator==(const Backdrop&) const = default;
  };

  Backdrop backdrop_;
  std::vector<Look> looks_;
  // Each drawn picture box's image as composed: a new version of it is compared with this, so
  // only the rows that really changed are redrawn (the scope view draws every tick, most of
  // the time the same picture).
  std::vector<Surface> images_;
};

}  // namespace platform
