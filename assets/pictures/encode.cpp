#include "encode.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <unordered_map>

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

Bytes EncodeBmp24(const Image& im) {
  int stride = (im.w * 3 + 3) / 4 * 4;
  Bytes b = BmpHeaders(im, 24, 0, uint32_t(stride * im.h));
  for (int y = im.h - 1; y >= 0; --y) {
    size_t start = b.size();
    for (int x = 0; x < im.w; ++x) {
      uint32_t c = im.Get(x, y);
      b.push_back(Blue(c));
      b.push_back(Green(c));
      b.push_back(Red(c));
    }
    while (b.size() - start < size_t(stride)) b.push_back(0);
  }
  return b;
}

Bytes EncodeBmpPalette(const Image& im, int bits) {
  int entries = 1 << bits;
  std::vector<uint32_t> pal = Palette(im);
  if (int(pal.size()) > entries)
    Fail("a " + std::to_string(im.w) + "x" + std::to_string(im.h) + " picture has " +
         std::to_string(pal.size()) + " colours, more than a " + std::to_string(bits) + "-bit bitmap holds");
  std::unordered_map<uint32_t, int> index;
  for (size_t i = 0; i < pal.size(); ++i) index[pal[i]] = int(i);
  pal.resize(size_t(entries), 0);
  int stride = ((im.w * bits + 7) / 8 + 3) / 4 * 4;
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
      int i = index[im.Get(x, y)];
      if (bits == 8)
        row[size_t(x)] = uint8_t(i);
      else
        row[size_t(x / 2)] |= uint8_t(x % 2 == 0 ? i << 4 : i);
    }
    b.insert(b.end(), row.begin(), row.end());
  }
  return b;
}

namespace {

// Packs variable-width codes least significant bit first, as GIF wants.
struct CodeWriter {
  Bytes out;
  uint32_t acc = 0;
  int nbits = 0;
  void Put(int code, int width) {
    acc |= uint32_t(code) << nbits;
    nbits += width;
    while (nbits >= 8) {
      out.push_back(acc & 255);
      acc >>= 8;
      nbits -= 8;
    }
  }
  void Flush() {
    if (nbits > 0) out.push_back(acc & 255);
    acc = 0;
    nbits = 0;
  }
};

Bytes Lzw(const std::vector<uint8_t>& indices, int minCodeSize) {
  const int clear = 1 << minCodeSize, end = clear + 1;
  // Table of (prefix code, next index) -> code; -1 for none.
  std::vector<int16_t> table(size_t(4096) * 256, -1);
  std::vector<int> used;  // entries to wipe at the next clear code
  CodeWriter w;
  int codeSize = minCodeSize + 1, next = end + 1;
  w.Put(clear, codeSize);
  int prefix = indices.empty() ? -1 : indices[0];
  for (size_t i = 1; i < indices.size(); ++i) {
    int c = indices[i];
    size_t key = size_t(prefix) * 256 + size_t(c);
    if (table[key] >= 0) {
      prefix = table[key];
      continue;
    }
    w.Put(prefix, codeSize);
    if (next < 4095) {
      table[key] = int16_t(next);
      used.push_back(int(key));
      ++next;
      // The decoder learns each code one step later, so it widens its codes when the
      // table holds one entry more than the current width can address.
      if (next > (1 << codeSize) && codeSize < 12) ++codeSize;
    } else {
      w.Put(clear, codeSize);
      for (int k : used) table[size_t(k)] = -1;
      used.clear();
      codeSize = minCodeSize + 1;
      next = end + 1;
    }
    prefix = c;
  }
  if (prefix >= 0) w.Put(prefix, codeSize);
  w.Put(end, codeSize);
  w.Flush();
  return w.out;
}

}  // namespace

Bytes EncodeGif(const Image& source) {
  Image im = ReduceColours(source, 256);
  std::vector<uint32_t> pal = Palette(im);
  int bits = 1;
  while ((1 << bits) < int(pal.size())) ++bits;
  std::unordered_map<uint32_t, uint8_t> index;
  for (size_t i = 0; i < pal.size(); ++i) index[pal[i]] = uint8_t(i);
  pal.resize(size_t(1) << bits, 0);

  Bytes b = {'G', 'I', 'F', '8', '9', 'a'};
  Put16(b, unsigned(im.w));
  Put16(b, unsigned(im.h));
  b.push_back(uint8_t(0x80 | (bits - 1) << 4 | (bits - 1)));  // global colour table
  b.push_back(0);  // background colour index
  b.push_back(0);  // square pixels
  for (uint32_t c : pal) {
    b.push_back(Red(c));
    b.push_back(Green(c));
    b.push_back(Blue(c));
  }
  b.push_back(',');
  Put16(b, 0);
  Put16(b, 0);
  Put16(b, unsigned(im.w));
  Put16(b, unsigned(im.h));
  b.push_back(0);  // no local table, not interlaced
  int minCodeSize = std::max(2, bits);
  b.push_back(uint8_t(minCodeSize));
  std::vector<uint8_t> indices;
  indices.reserve(im.px.size());
  for (uint32_t c : im.px) indices.push_back(index[c]);
  Bytes data = Lzw(indices, minCodeSize);
  for (size_t i = 0; i < data.size(); i += 255) {
    size_t n = std::min<size_t>(255, data.size() - i);
    b.push_back(uint8_t(n));
    b.insert(b.end(), data.begin() + long(i), data.begin() + long(i + n));
  }
  b.push_back(0);  // end of the image data
  b.push_back(';');
  return b;
}

Bytes EncodeJpeg(const Image& im, int quality) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, im.w, im.h, 24, SDL_PIXELFORMAT_RGB24);
  if (!s) Fail(std::string("SDL: ") + SDL_GetError());
  for (int y = 0; y < im.h; ++y) {
    auto* row = static_cast<uint8_t*>(s->pixels) + size_t(y) * s->pitch;
    for (int x = 0; x < im.w; ++x) {
      uint32_t c = im.Get(x, y);
      row[3 * x] = uint8_t(Red(c));
      row[3 * x + 1] = uint8_t(Green(c));
      row[3 * x + 2] = uint8_t(Blue(c));
    }
  }
  // SDL_image writes JPEG through a stream; a growing memory buffer collects it.
  Bytes out;
  SDL_RWops* rw = SDL_AllocRW();
  if (!rw) Fail("SDL_AllocRW failed");
  rw->hidden.unknown.data1 = &out;
  rw->size = [](SDL_RWops*) -> Sint64 { return -1; };
  rw->seek = [](SDL_RWops* ctx, Sint64, int whence) -> Sint64 {
    auto* o = static_cast<Bytes*>(ctx->hidden.unknown.data1);
    return whence == RW_SEEK_CUR || whence == RW_SEEK_END ? Sint64(o->size()) : 0;
  };
  rw->read = [](SDL_RWops*, void*, size_t, size_t) -> size_t { return 0; };
  rw->write = [](SDL_RWops* ctx, const void* p, size_t size, size_t n) -> size_t {
    auto* o = static_cast<Bytes*>(ctx->hidden.unknown.data1);
    auto* c = static_cast<const unsigned char*>(p);
    o->insert(o->end(), c, c + size * n);
    return n;
  };
  rw->close = [](SDL_RWops* ctx) -> int {
    SDL_FreeRW(ctx);
    return 0;
  };
  IMG_Init(IMG_INIT_JPG);
  int rc = IMG_SaveJPG_RW(s, rw, 1, quality);
  SDL_FreeSurface(s);
  if (rc != 0 || out.size() < 4 || out[0] != 0xFF || out[1] != 0xD8)
    Fail(std::string("JPEG encoding failed: ") + IMG_GetError());
  return out;
}

void WriteFileAtomically(const std::string& path, const Bytes& bytes) {
  std::string tmp = path + ".part";
  {
    std::ofstream f(tmp, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!f) Fail("cannot write " + tmp);
  }
  std::error_code ec;
  std::filesystem::rename(tmp, path, ec);
  if (ec) Fail("cannot rename " + tmp + " to " + path + ": " + ec.message());
}
