#pragma once
#include "platform/toolkit/window.h"

// A row of a window table of the tests' own: at (10, 10) pixels in its container, shown, and
// enabled unless it is a timer.
inline platform::ControlDef TestRow(const char* name, platform::ControlKind kind,
                                    const char* container = nullptr, int interval = 0,
                                    int widthPixels = 20) {
  platform::ControlDef d{};
  d.name = name;
  d.index = -1;
  d.kind = kind;
  d.container = container;
  d.left = d.top = 10 * platform::kTwipsPerPixel;
  d.width = widthPixels * platform::kTwipsPerPixel;
  d.height = 20 * platform::kTwipsPerPixel;
  d.visible = true;
  d.enabled = kind != platform::ControlKind::Timer;
  d.interval = interval;
  return d;
}
