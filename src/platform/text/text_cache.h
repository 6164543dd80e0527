#pragma once
#include <cstdint>
#include <deque>
#include <string>
#include <unordered_map>
#include <utility>

#include "platform/text/text_coverage.h"
#include "platform/toolkit/window.h"

// Rendered captions kept until what they were made from changes (TextRenderCount in text.h
// counts the renderings).
namespace platform {

// Everything a label's look depends on; the cached rendering is reused while it is the same.
struct LabelKey {
  std::string caption;
  std::string fontName;
  double points;
  bool bold, italic;
  int width, height, room;
  Align align;
  bool operator==(const LabelKey&) const = default;
};

struct CachedText {
  LabelKey key;
  Coverage coverage;
  // An opaque label drawn whole in the colours it had last time, copied as it is while they
  // stay the same.
  Surface opaque;
  uint32_t opaqueFore = 0, opaqueBack = 0;
};

// Keyed per control; each entry also holds the inputs it was made from, so a control that
// reuses the address of one that is gone never gets a stale picture.
// The last renderings are kept by what they were made from as well: a caption that moves to
// another control (the log's lines move up one label at a time) is not rendered again.
struct TextCache {
  std::unordered_map<const Control*, CachedText> byControl;
  std::deque<std::pair<LabelKey, Coverage>> recent;
};

// The entry of the control, rendered anew by `render` when its key differs from the one it was
// made with.
CachedText& Cached(TextCache& cache, const Control& c, LabelKey key,
                   Coverage (*render)(const Control&));

}  // namespace platform
