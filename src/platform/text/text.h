#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/raster/compose.h"
#include "platform/raster/surface.h"
#include "platform/toolkit/window.h"

namespace platform {

// The pixel height of a font size in points on a 96-dpi display, rounded as Windows does
// (9 pt gives 12 px, 15.75 pt gives 21 px).
int FontPixels(double points);

// Splits text into the lines that fit in `width` pixels as `measure` sizes them. Japanese text
// breaks between any two characters, Latin text at spaces (the spaces at a break are dropped),
// a Latin word wider than the line anywhere; a line break in the text always breaks.
std::vector<std::string> WrapText(std::string_view text, int width,
                                  const std::function<int(std::string_view)>& measure);

// The width of text in a font, or 0 when no font can draw it.
int TextWidth(const Font& font, std::string_view text);

// The lines a label shows: its caption wrapped inside its width, in its own font.
std::vector<std::string> LabelLines(const Control& label);

// The width a label's text may take: its own, up to where a label in front of it that shares
// most of its rows begins (the status panel's deleted name ends where the price starts).
int TextRoom(const Control& label);

// Draws a label with its top-left corner at frame pixel (x, y), inside clip: the back colour
// when opaque, then the caption in foreColor, wrapped, aligned and clipped to the label.
void DrawLabel(const Control& label, Surface& frame, int x, int y, const Rect& clip);

// Draws the text box at frame pixel (x, y), inside clip: back colour, text, and the caret when
// the box has the focus and the caret is in its visible phase.
void DrawTextBox(const Control& box, Surface& frame, int x, int y, const Rect& clip, bool focused);

// What the input method is composing (UTF-8), "" for nothing: the focused box shows it at its
// caret, underlined, with the caret after it, until the input method commits it as typed text.
void SetComposition(std::string text);
const std::string& Composition();

// The host blinks the caret by switching this; it is on until told otherwise.
void SetCaretVisible(bool on);
bool CaretVisible();

// How many times text has been rendered anew rather than taken from the cache.
int TextRenderCount();

}  // namespace platform
