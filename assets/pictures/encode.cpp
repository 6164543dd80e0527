#include "encode.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gif_lib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <unordered_map>

#include "platform/sdl/memory_stream.h"

namespace {

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "kzv-gen-pictures: %s\n", what.c_str());
  std::exit(1);
}

void Put16(Bytes& b, unsigned v) {
  b.push_back(v & 255);
  b.push_back(v >> 8 & 255);
}
void Put32(Bytes& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

Bytes BmpHeaders(const Image& im, int bits, int paletteEntries, uint32_t imageBytes) {
  Bytes b;
  uint32_t offset = 14 + 40 + 4 * paletteEntries;
  b.push_back('B');
  b.push_back('M');
  Put32(b, offset + imageBytes);
  Put32(b, 0);
  Put32(b, offset);
  Put32(b, 40);
  Put32(b, uint32_t(im.w));
  Put32(b, uint32_t(im.h));  // positive: rows stored bottom-up
  Put16(b, 1);
  Put16(b, unsigned(bits));
  Put32(b, 0);  // no compression
  Put32(b, imageBytes);
  Put32(b, 2835);  // 72 dpi
  Put32(b, 2835);
  Put32(b, uint32_t(paletteEntries));
  Put32(b, 0);
  return b;
}

}  // namespace

std::vector<uint32_t> Palette(const Image& im) {
  std::vector<uint32_t> order;
  std::unordered_map<uint32_t, int> seen;
  for (uint32_t c : im.px)
    if (seen.emplace(c, 0).second) order.push_back(c);
  return order;
}

Image ReduceColours(const Image& im, int n) {
  std::map<uint32_t, long> count;
  for (uint32_t c : im.px) ++count[c];
  if (int(count.size()) <= n) return im;
  std::vector<std::pair<long, uint32_t>> byFreq;
  for (auto& [c, k] : count) byFreq.push_back({-k, c});
  std::sort(byFreq.begin(), byFreq.end());
  std::vector<uint32_t> keep;
  for (int i = 0; i < n; ++i) keep.push_back(byFreq[size_t(i)].second);
  std::unordered_map<uint32_t, uint32_t> nearest;
  Image out = im;
  for (uint32_t& c : out.px) {
    auto it = nearest.find(c);
    if (it != nearest.end()) {
      c = it->second;
      continue;
    }
    uint32_t best = keep[0];
    long bestD = -1;
    for (uint32_t k : keep) {
      long dr = Red(c) - Red(k), dg = Green(c) - Green(k), db = Blue(c) - Blue(k);
      long d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
      if (bestD < 0 || d < bestD) bestD = d, best = k;
    }
    nearest[c] = best;
    c = best;
  }
  return out;
}

namespace {

// A 24-bit SDL surface of the picture, blue first as a bitmap stores it.
SDL_Surface* SdlSurface(const Image& im) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, im.w, im.h, 24, SDL_PIXELFORMAT_BGR24);
  if (!s) Fail(std::string("SDL: ") + SDL_GetError());
  for (int y = 0; y < im.h; ++y) {
    auto* row = static_cast<uint8_t*>(s->pixels) + size_t(y) * s->pitch;
    for (int x = 0; x < im.w; ++x) {
      const uint32_t c = im.Get(x, y);
      row[3 * x] = uint8_t(Blue(c));
      row[3 * x + 1] = uint8_t(Green(c));
      row[3 * x + 2] = uint8_t(Red(c));
    }
  }
  return s;
}

// The bytes an SDL writer makes of a surface, which is then freed.
template <typename Save>
Bytes SaveSurface(SDL_Surface* s, Save save) {
  std::optional<std::string> bytes = platform::WriteToMemory([&](SDL_RWops* rw) { return save(s, rw); });
  SDL_FreeSurface(s);
  if (!bytes) Fail(std::string("SDL cannot encode a picture: ") + SDL_GetError());
  return Bytes(bytes->begin(), bytes->end());
}

int AppendGifBytes(GifFileType* gif, const GifByteType* bytes, int n) {
  auto* out = static_cast<Bytes*>(gif->UserData);
  out->insert(out->end(), bytes, bytes + n);
  return n;
}

}  // namespace

Bytes EncodeBmp24(const Image& im) {
  return SaveSurface(SdlSurface(im), [](SDL_Surface* s, SDL_RWops* rw) { return SDL_SaveBMP_RW(s, rw, 0); });
}

Bytes EncodeBmpPalette(const Image& im, int bits) {
  const int entries = 1 << bits;
  std::vector<uint32_t> pal = Palette(im);
  if (int(pal.size()) > entries)
    Fail("a " + std::to_string(im.w) + "x" + std::to_string(im.h) + " picture has " +
         std::to_string(pal.size()) + " colours, more than a " + std::to_string(bits) + "-bit bitmap holds");
  std::unordered_map<uint32_t, int> index;
  for (size_t i = 0; i < pal.size(); ++i) index[pal[i]] = int(i);
  pal.resize(size_t(entries), 0);
  if (bits == 8) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, im.w, im.h, 8, SDL_PIXELFORMAT_INDEX8);
    if (!s) Fail(std::string("SDL: ") + SDL_GetError());
    // SDL writes each entry's alpha into the byte a bitmap's palette keeps reserved, as zero.
    std::vector<SDL_Color> colours;
    for (uint32_t c : pal) colours.push_back({uint8_t(Red(c)), uint8_t(Green(c)), uint8_t(Blue(c)), 0});
    SDL_SetPaletteColors(s->format->palette, colours.data(), 0, entries);
    for (int y = 0; y < im.h; ++y)
      for (int x = 0; x < im.w; ++x)
        static_cast<uint8_t*>(s->pixels)[size_t(y) * s->pitch + x] = uint8_t(index[im.Get(x, y)]);
    return SaveSurface(s, [](SDL_Surface* s, SDL_RWops* rw) { return SDL_SaveBMP_RW(s, rw, 0); });
  }
  // SDL writes no 4-bit bitmaps: two pixels a byte, the left one in the high half.
  const int stride = ((im.w * bits + 7) / 8 + 3) / 4 * 4;
  Bytes b = BmpHeaders(im, bits, entries, uint32_t(stride * im.h));
  for (uint32_t c : pal) {
    b.push_back(Blue(c));
    b.push_back(Green(c));
    b.push_back(Red(c));
    b.push_back(0);
  }
  for (int y = im.h - 1; y >= 0; --y) {
    Bytes row(size_t(stride), 0);
    for (int x = 0; x < im.w; ++x) {
      const int i = index[im.Get(x, y)];
      row[size_t(x / 2)] |= uint8_t(x % 2 == 0 ? i << 4 : i);
    }
    b.insert(b.end(), row.begin(), row.end());
  }
  return b;
}

Bytes EncodeGif(const Image& source) {
  Image im = ReduceColours(source, 256);
  std::vector<uint32_t> pal = Palette(im);
  int bits = 1;
  while ((1 << bits) < int(pal.size())) ++bits;
  std::unordered_map<uint32_t, GifPixelType> index;
  std::vector<GifColorType> colours(size_t(1) << bits, GifColorType{0, 0, 0});
  for (size_t i = 0; i < pal.size(); ++i) {
    index[pal[i]] = GifPixelType(i);
    colours[i] = {uint8_t(Red(pal[i])), uint8_t(Green(pal[i])), uint8_t(Blue(pal[i]))};
  }
  ColorMapObject* map = GifMakeMapObject(int(colours.size()), colours.data());
  Bytes out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, AppendGifBytes, &error);
  if (!gif || !map) Fail("giflib cannot start a GIF");
  EGifSetGifVersion(gif, true);
  // One image covering the screen, with the global colour table, not interlaced.
  bool ok = EGifPutScreenDesc(gif, im.w, im.h, bits, 0, map) == GIF_OK &&
            EGifPutImageDesc(gif, 0, 0, im.w, im.h, false, nullptr) == GIF_OK;
  std::vector<GifPixelType> row(size_t(im.w));
  for (int y = 0; y < im.h && ok; ++y) {
    for (int x = 0; x < im.w; ++x) row[size_t(x)] = index[im.Get(x, y)];
    ok = EGifPutLine(gif, row.data(), im.w) == GIF_OK;
  }
  if (!ok) error = gif->Error;
  ok = EGifCloseFile(gif, &error) == GIF_OK && ok;
  GifFreeMapObject(map);
  if (!ok) Fail(std::string("GIF encoding failed: ") + GifErrorString(error));
  return out;
}

Bytes EncodeJpeg(const Image& im, int quality) {
  IMG_Init(IMG_INIT_JPG);
  Bytes out = SaveSurface(SdlSurface(im), [quality](SDL_Surface* s, SDL_RWops* rw) {
    return IMG_SaveJPG_RW(s, rw, 0, quality);
  });
  if (out.size() < 4 || out[0] != 0xFF || out[1] != 0xD8) Fail("JPEG encoding gave no JPEG");
  return out;
}
