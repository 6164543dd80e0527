#pragma once
#include <SDL_ttf.h>

#include <string_view>

#include "platform/window.h"

// The fonts text is drawn in (FontPixels and TextWidth in text.h are made here too).
namespace platform {

// The open SDL_ttf font for a control's font, found through fontconfig; kept for the whole run,
// one per file, size and style. Nothing when no font can be had (said once on stderr).
TTF_Font* OpenFont(const Font& font);

// The width of text in an open font; 0 for no font or no text.
int MeasureIn(TTF_Font* f, std::string_view text);

// Where a line's baseline lies below its top: as MS P Gothic places it (86 % of the em),
// which is a pixel higher than IPA P Gothic would, so that the one-line labels of the design,
// a pixel shorter than the font, keep the feet of their characters.
int BaselineShift(TTF_Font* f, const Font& font);

}  // namespace platform
