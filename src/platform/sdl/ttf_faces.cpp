// Text faces on SDL_ttf: fonts found through fontconfig, opened once, measured and rendered.
#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "platform/sdl/fonts.h"
#include "platform/text/text.h"
#include "platform/text_faces.h"
#include "platform/warning.h"

namespace platform {

struct Face {
  TTF_Font* ttf = nullptr;
};

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

Face* OpenFace(const Font& font) {
  if (!TtfReady()) return nullptr;
  const FontFile file = FontFileFor(font.name);
  if (!file.Found()) return nullptr;
  const int px = std::max(1, FontPixels(font.points));
  const int style = (font.bold ? TTF_STYLE_BOLD : 0) | (font.italic ? TTF_STYLE_ITALIC : 0);
  static std::map<std::tuple<std::string, int, int, int>, std::unique_ptr<Face>> open;
  auto key = std::make_tuple(file.path, file.face, px, style);
  auto it = open.find(key);
  if (it != open.end()) return it->second.get();
  TTF_Font* f = TTF_OpenFontIndex(file.path.c_str(), px, file.face);
  std::unique_ptr<Face>& face = open[key];  // a font that failed once is not tried again
  if (!f) {
    Warn("cannot open font " + file.path + ": " + TTF_GetError());
    return nullptr;
  }
  TTF_SetFontStyle(f, style);
  TTF_SetFontHinting(f, TTF_HINTING_NORMAL);
  face = std::make_unique<Face>(Face{f});
  return face.get();
}

int FaceHeight(const Face* face) { return face ? TTF_FontHeight(face->ttf) : 0; }

int FaceAscent(const Face* face) { return face ? TTF_FontAscent(face->ttf) : 0; }

int MeasureLine(Face* face, std::string_view line) {
  if (!face || line.empty()) return 0;
  int w = 0, h = 0;
  if (TTF_SizeUTF8(face->ttf, std::string(line).c_str(), &w, &h) != 0) return 0;
  return w;
}

void RenderLine(Face* face, const std::string& line, int x, int y, Coverage& cov) {
  if (!face || line.empty()) return;
  SDL_Surface* rendered = TTF_RenderUTF8_Blended(face->ttf, line.c_str(), SDL_Color{255, 255, 255, 255});
  if (!rendered) return;
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(rendered);
  if (!argb) return;
  for (int ry = 0; ry < argb->h; ++ry) {
    const int cy = y + ry;
    if (cy < 0 || cy >= cov.h) continue;
    auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(argb->pixels) +
                                                  size_t(ry) * argb->pitch);
    for (int rx = 0; rx < argb->w; ++rx) {
      const int cx = x + rx;
      if (cx < 0 || cx >= cov.w) continue;
      uint8_t& a = cov.alpha[size_t(cy) * cov.w + cx];
      a = uint8_t(std::max<uint32_t>(a, row[rx] >> 24));
    }
  }
  SDL_FreeSurface(argb);
}

}  // namespace platform
