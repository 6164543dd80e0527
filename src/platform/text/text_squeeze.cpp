// Squeezing wide Latin text into the room the design gave it.
#include "platform/text/text_squeeze.h"

#include <algorithm>

#include "platform/text/line_breaking.h"
#include "platform/text_faces.h"
#include "platform/text/utf8.h"

namespace platform {
namespace {

// The captions were laid out for MS P Gothic, whose Latin letters are narrower than IPA
// P Gothic's: "WidX: 14m" needs 62 px where its label has 59. Rather than wrap such a line and
// lose its end below the label, the gaps next to Latin characters may each give up a pixel per
// six pixels of font size (its digits are a third wider: "：+10815円" takes 66 px of 58).
int SqueezableGaps(std::string_view line) {
  int gaps = 0;
  bool previousWide = true, first = true;
  for (std::string_view c : SplitUtf8Characters(line)) {
    const bool wide = BreaksAnywhere(Utf8CodePoint(c));
    if (!first && !(wide && previousWide)) ++gaps;
    previousWide = wide;
    first = false;
  }
  return gaps;
}

// The narrowest a line can be drawn.
int SqueezePerGap(Face* f) {
  return std::max(1, FaceHeight(f) / 6);
}

// Draws a line character by character, `squeeze` pixels narrower than its natural width, taking
// up to a pixel from each gap next to a Latin character, spread evenly along the line.
void RenderSqueezed(Face* f, const std::string& line, int squeeze, int x, int y, Coverage& cov) {
  const int gaps = SqueezableGaps(line);
  int gap = 0;
  bool previousWide = true, first = true;
  size_t i = 0;
  for (std::string_view c : SplitUtf8Characters(line)) {
    const bool wide = BreaksAnywhere(Utf8CodePoint(c));
    if (!first && !(wide && previousWide)) ++gap;
    previousWide = wide;
    first = false;
    if (c != " ") {
      const int at = MeasureLine(f, std::string_view(line).substr(0, i)) - gap * squeeze / gaps;
      RenderLine(f, std::string(c), x + at, y, cov);
    }
    i += c.size();
  }
}

}  // namespace

int SqueezedWidth(Face* f, std::string_view line) {
  const int natural = MeasureLine(f, line);
  return natural == 0 ? 0 : std::max(1, natural - SqueezableGaps(line) * SqueezePerGap(f));
}

LineRendering RenderFitted(Face* f, const std::string& line, int room, int top, int height) {
  LineRendering r;
  r.pad = FaceHeight(f);
  const int natural = MeasureLine(f, line);
  const int most = SqueezableGaps(line) * SqueezePerGap(f);
  for (int squeeze = std::clamp(natural - room, 0, most);; ++squeeze) {
    r.cov = Coverage{natural + 2 * r.pad, height, {}};
    r.cov.alpha.assign(size_t(r.cov.w) * r.cov.h, 0);
    if (squeeze > 0)
      RenderSqueezed(f, line, squeeze, r.pad, top, r.cov);
    else
      RenderLine(f, line, r.pad, top, r.cov);
    r.cov.FindInk();
    r.advance = natural - squeeze;
    if (r.cov.inkX1 - r.cov.inkX0 <= room || squeeze >= most) return r;
  }
}

}  // namespace platform
