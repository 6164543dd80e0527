#include "platform/font_cache.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <tuple>

#include "platform/fonts.h"
#include "platform/text.h"
#include "platform/warning.h"

namespace platform {
namespace {

bool TtfReady() {
  static const bool ready = [] {
    if (TTF_Init() == 0) return true;
    Warn(std::string("text cannot be drawn: ") + TTF_GetError());
    return false;
  }();
  return ready;
}

}  // namespace

int FontPixels(double points) {
  return int(std::lround(points * 96.0 / 72.0));
}

TTF_Font* OpenFont(const Font& font) {
  if (!TtfReady()) return nullptr;
  const FontFile file = FontFileFor(font.name);
  if (!file.Found()) return nullptr;
  const int px = std::max(1, FontPixels(font.points));
  const int style = (font.bold ? TTF_STYLE_BOLD : 0) | (font.italic ? TTF_STYLE_ITALIC : 0);
  static std::map<std::tuple<std::string, int, int, int>, TTF_Font*> open;
  auto key = std::make_tuple(file.path, file.face, px, style);
  auto it = open.find(key);
  if (it != open.end()) return it->second;
  TTF_Font* f = TTF_OpenFontIndex(file.path.c_str(), px, file.face);
  if (!f) {
    Warn("cannot open font " + file.path + ": " + TTF_GetError());
  } else {
    TTF_SetFontStyle(f, style);
    TTF_SetFontHinting(f, TTF_HINTING_NORMAL);
  }
  open[key] = f;  // a font that failed once is not tried again
  return f;
}

int MeasureIn(TTF_Font* f, std::string_view text) {
  if (!f || text.empty()) return 0;
  int w = 0, h = 0;
  if (TTF_SizeUTF8(f, std::string(text).c_str(), &w, &h) != 0) return 0;
  return w;
}

int TextWidth(const Font& font, std::string_view text) {
  return MeasureIn(OpenFont(font), text);
}

int BaselineShift(TTF_Font* f, const Font& font) {
  return int(std::lround(FontPixels(font.points) * 0.86)) - TTF_FontAscent(f);
}

}  // namespace platform
