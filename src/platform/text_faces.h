// Fonts as the core's text layout needs them: a face for a control's font, measured and rendered.
#pragma once
#include <string>
#include <string_view>

#include "platform/text/text_coverage.h"
#include "platform/toolkit/window.h"

namespace platform {

// An open face: one font file at one pixel size and style, kept for the whole run.
struct Face;

// The face that draws a control's font: its design name stands for an installed family ("ＭＳ
// Ｐゴシック" for IPA P Gothic, "ＭＳ Ｐ明朝" for IPA P Mincho, an empty name for the interface
// font), else some font that covers Japanese, at FontPixels(points) pixels. Nothing when no font
// can be had (said once on stderr for each missing family).
Face* OpenFace(const Font& font);

// The height of a line and the distance from its top to the baseline, in pixels.
int FaceHeight(const Face* face);
int FaceAscent(const Face* face);

// The width of one line of UTF-8 text; 0 for no text.
int MeasureLine(Face* face, std::string_view line);

// Renders one line of UTF-8 text with the top-left of its line box at (x, y) and adds its glyph
// coverage into cov, clipped to cov.
void RenderLine(Face* face, const std::string& line, int x, int y, Coverage& cov);

}  // namespace platform
