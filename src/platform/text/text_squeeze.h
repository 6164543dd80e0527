// Squeezing wide Latin text into the room the design gave it.
#pragma once
#include <string>
#include <string_view>

#include "platform/text/text_coverage.h"
#include "platform/text_faces.h"

namespace platform {

// The width a line can be squeezed to (see text_squeeze.cpp); what wrapping measures.
int SqueezedWidth(Face* f, std::string_view line);

// One line of a label on its own, its pen starting `pad` pixels in, and how far it was squeezed:
// no more than a line that fits its room needs, but as far as it takes (and may go) to bring
// the ink itself inside the room, since a glyph's ink may reach past its advance.
struct LineRendering {
  Coverage cov;
  int pad = 0, advance = 0;
};

LineRendering RenderFitted(Face* f, const std::string& line, int room, int top, int height);

}  // namespace platform
