#include "text.h"

#include "language/language.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <tuple>

namespace {

const char* FamilyOf(Face f) {
  switch (f) {
    case Face::Gothic: return "IPAGothic";
    case Face::PGothic: return "IPAPGothic";
    case Face::PMincho: return "IPAPMincho";
  }
  return "IPAPGothic";
}

std::string FontFile(Face f) {
  static std::map<Face, std::string> files;
  auto it = files.find(f);
  if (it != files.end()) return it->second;
  FcInit();
  FcPattern* pat = FcNameParse(reinterpret_cast<const FcChar8*>(FamilyOf(f)));
  FcConfigSubstitute(nullptr, pat, FcMatchPattern);
  FcDefaultSubstitute(pat);
  FcResult result;
  FcPattern* match = FcFontMatch(nullptr, pat, &result);
  std::string path;
  FcChar8* file = nullptr;
  FcChar8* family = nullptr;
  if (match && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch &&
      FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch &&
      std::string(reinterpret_cast<char*>(family)) == FamilyOf(f))
    path = reinterpret_cast<char*>(file);
  if (match) FcPatternDestroy(match);
  FcPatternDestroy(pat);
  if (path.empty()) {
    std::fprintf(stderr, "kzv-gen-pictures: font %s not found (install fonts-ipafont-gothic and "
                 "fonts-ipafont-mincho)\n", FamilyOf(f));
    std::exit(1);
  }
  files[f] = path;
  return path;
}

TTF_Font* FontFor(const TextStyle& st) {
  static std::map<std::tuple<Face, int, bool>, TTF_Font*> fonts;
  auto key = std::make_tuple(st.face, st.size, st.bold);
  auto it = fonts.find(key);
  if (it != fonts.end()) return it->second;
  if (!TTF_WasInit() && TTF_Init() != 0) {
    std::fprintf(stderr, "kzv-gen-pictures: SDL_ttf: %s\n", TTF_GetError());
    std::exit(1);
  }
  TTF_Font* font = TTF_OpenFont(FontFile(st.face).c_str(), st.size);
  if (!font) {
    std::fprintf(stderr, "kzv-gen-pictures: cannot open font: %s\n", TTF_GetError());
    std::exit(1);
  }
  TTF_SetFontHinting(font, TTF_HINTING_NORMAL);
  if (st.bold) TTF_SetFontStyle(font, TTF_STYLE_BOLD);
  fonts[key] = font;
  return font;
}

}  // namespace

int TextWidth(const std::string& text, const TextStyle& st) {
  int w = 0, h = 0;
  TTF_SizeUTF8(FontFor(st), text.c_str(), &w, &h);
  return w;
}

int TextHeight(const TextStyle& st) { return TTF_FontHeight(FontFor(st)); }

int DrawText(Image& im, int x, int y, const std::string& text, uint32_t color, const TextStyle& st) {
  if (text.empty()) return 0;
  // A picture of another language never shows a Japanese word, nor loses the end of its own.
  if (!JapaneseSpoken() && HasJapanese(text)) {
    std::fprintf(stderr, "kzv-gen-pictures: a Japanese text in the %s pictures: %s\n", CurrentLanguage().c_str(), text.c_str());
    std::exit(1);
  }
  if (!JapaneseSpoken() && x + TextWidth(text, st) > im.w) {
    std::fprintf(stderr, "kzv-gen-pictures: \"%s\" runs out of its picture (%d + %d > %d pixels)\n", text.c_str(), x,
                 TextWidth(text, st), im.w);
    std::exit(1);
  }
  SDL_Color white{255, 255, 255, 255};
  SDL_Surface* s = st.smooth ? TTF_RenderUTF8_Blended(FontFor(st), text.c_str(), white)
                             : TTF_RenderUTF8_Solid(FontFor(st), text.c_str(), white);
  if (!s) return 0;
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(s);
  if (!argb) return 0;
  for (int j = 0; j < argb->h; ++j) {
    auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(argb->pixels) + size_t(j) * argb->pitch);
    for (int i = 0; i < argb->w; ++i) {
      int a = int(row[i] >> 24);
      if (!st.smooth) a = (row[i] & 0xFFFFFF) && a ? 255 : 0;
      if (a == 255)
        im.Set(x + i, y + j, color);
      else if (a > 0)
        BlendPixel(im, x + i, y + j, color, a / 255.0);
    }
  }
  int w = argb->w;
  SDL_FreeSurface(argb);
  return w;
}

void DrawTextCentered(Image& im, int cx, int y, const std::string& text, uint32_t color, const TextStyle& st) {
  DrawText(im, cx - TextWidth(text, st) / 2, y, text, color, st);
}

void DrawGlowText(Image& im, int x, int y, const std::string& text, uint32_t color, uint32_t glow,
                  const TextStyle& st, int radius) {
  // The glow is the text's coverage spread over a small disc, faded with distance.
  Image cover(TextWidth(text, st) + 2 * radius + 2, TextHeight(st) + 2 * radius + 2, 0);
  DrawText(cover, radius + 1, radius + 1, text, 0xFFFFFF, st);
  Image halo(cover.w, cover.h, 0);
  for (int j = 0; j < cover.h; ++j)
    for (int i = 0; i < cover.w; ++i) {
      double best = 0;
      for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
          if (!cover.Inside(i + dx, j + dy)) continue;
          double d = std::sqrt(double(dx * dx + dy * dy));
          if (d > radius + 0.01) continue;
          double v = (cover.Get(i + dx, j + dy) & 255) / 255.0 * (1.0 - d / (radius + 1));
          if (v > best) best = v;
        }
      halo.Set(i, j, Rgb(0, 0, int(best * 255)));
    }
  for (int j = 0; j < halo.h; ++j)
    for (int i = 0; i < halo.w; ++i)
      BlendPixel(im, x - radius - 1 + i, y - radius - 1 + j, glow, (halo.Get(i, j) & 255) / 255.0 * 0.8);
  DrawText(im, x, y, text, color, st);
}

void ShutDownText() {
  if (TTF_WasInit()) TTF_Quit();
}
