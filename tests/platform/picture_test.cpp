#include "platform/picture.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "platform/files.h"

using namespace platform;
using Bytes = std::vector<unsigned char>;

namespace {

void Put16(Bytes& b, unsigned v) {
  b.push_back(v & 0xFF);
  b.push_back((v >> 8) & 0xFF);
}
void Put32(Bytes& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

// A Windows bitmap written by hand: 24 bits per pixel, or 8 or 4 with a palette (the pixels
// are then palette indices), rows bottom-up and padded to four bytes.
Bytes MakeBmp(int w, int h, int bits, const std::vector<uint32_t>& pixels,
              const std::vector<uint32_t>& palette = {}) {
  Bytes rows;
  for (int y = h - 1; y >= 0; --y) {
    Bytes row;
    for (int x = 0; x < w; ++x) {
      const uint32_t p = pixels[size_t(y * w + x)];
      if (bits == 24) {
        row.push_back(p & 0xFF);
        row.push_back((p >> 8) & 0xFF);
        row.push_back((p >> 16) & 0xFF);
      } else if (bits == 8) {
        row.push_back(uint8_t(p));
      } else if (x % 2 == 0) {
        row.push_back(uint8_t(p << 4));
      } else {
        row.back() |= uint8_t(p);
      }
    }
    while (row.size() % 4) row.push_back(0);
    rows.insert(rows.end(), row.begin(), row.end());
  }
  const uint32_t offset = 14 + 40 + uint32_t(palette.size() * 4);
  Bytes b = {'B', 'M'};
  Put32(b, offset + uint32_t(rows.size()));
  Put32(b, 0);
  Put32(b, offset);
  Put32(b, 40);
  Put32(b, uint32_t(w));
  Put32(b, uint32_t(h));
  Put16(b, 1);
  Put16(b, unsigned(bits));
  Put32(b, 0);  // no compression
  Put32(b, uint32_t(rows.size()));
  Put32(b, 2835);
  Put32(b, 2835);
  Put32(b, uint32_t(palette.size()));
  Put32(b, 0);
  for (uint32_t c : palette) Put32(b, c);
  b.insert(b.end(), rows.begin(), rows.end());
  return b;
}

// A code of a GIF's LZW stream and the number of bits it is written in.
struct Code {
  int value, bits;
};

// A GIF written by hand with a four-colour table (minimum code size 2: clear 4, end 5) and
// the LZW codes given, packed low bits first into one sub-block.
Bytes MakeGifFromCodes(int w, int h, const uint32_t (&colors)[4], const std::vector<Code>& codes,
                       int transparentIndex = -1) {
  Bytes b = {'G', 'I', 'F', '8', '9', 'a'};
  Put16(b, unsigned(w));
  Put16(b, unsigned(h));
  b.insert(b.end(), {0x81, 0, 0});  // global table of 2^(1+1) colours
  for (uint32_t c : colors) b.insert(b.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
  if (transparentIndex >= 0)
    b.insert(b.end(), {0x21, 0xF9, 4, 1, 0, 0, uint8_t(transparentIndex), 0});
  b.push_back(0x2C);
  Put16(b, 0);
  Put16(b, 0);
  Put16(b, unsigned(w));
  Put16(b, unsigned(h));
  b.push_back(0);
  b.push_back(2);
  Bytes packed;
  uint32_t acc = 0;
  int bits = 0;
  for (const Code& c : codes) {
    acc |= uint32_t(c.value) << bits;
    bits += c.bits;
    while (bits >= 8) {
      packed.push_back(acc & 0xFF);
      acc >>= 8;
      bits -= 8;
    }
  }
  if (bits) packed.push_back(acc & 0xFF);
  b.push_back(uint8_t(packed.size()));
  b.insert(b.end(), packed.begin(), packed.end());
  b.push_back(0);
  b.push_back(0x3B);
  return b;
}

// The same with the LZW stream sending a clear code before every second pixel, so every code
// stays three bits wide and no table is ever built.
Bytes MakeGif(int w, int h, const std::vector<uint8_t>& indices, const uint32_t (&colors)[4],
              int transparentIndex = -1) {
  std::vector<Code> codes;
  for (size_t i = 0; i < indices.size(); ++i) {
    if (i % 2 == 0) codes.push_back({4, 3});
    codes.push_back({indices[i], 3});
  }
  codes.push_back({5, 3});
  return MakeGifFromCodes(w, h, colors, codes, transparentIndex);
}

std::optional<Surface> Load(const Bytes& b) {
  return LoadPictureBytes(b.data(), b.size());
}

std::string TempPath(const std::string& name) {
  auto dir =
      std::filesystem::temp_directory_path() / ("kzv-picture-test-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  return (dir / name).string();
}

Bytes ReadBytes(const std::string& path) {
  auto s = ReadWholeFile(path);
  return s ? Bytes(s->begin(), s->end()) : Bytes{};
}

void WriteBytes(const std::string& path, const Bytes& b) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
}

const std::vector<uint32_t> kSix = {0xFF0000, 0x00FF00, 0x0000FF,  //
                                    0x123456, 0xFFFFFF, 0x000000};

}  // namespace

TEST(Picture, ReadsBitmapsOfTwentyFourEightAndFourBits) {
  auto p24 = Load(MakeBmp(3, 2, 24, kSix));
  ASSERT_TRUE(p24);
  EXPECT_EQ(p24->width, 3);
  EXPECT_EQ(p24->height, 2);
  EXPECT_EQ(p24->pixels, kSix);

  const std::vector<uint32_t> palette = {0x000000, 0x00FF5A, 0x404040, 0xFFFF00};
  auto p8 = Load(MakeBmp(3, 2, 8, {0, 1, 2, 3, 2, 1}, palette));
  ASSERT_TRUE(p8);
  EXPECT_EQ(p8->pixels, (std::vector<uint32_t>{0x000000, 0x00FF5A, 0x404040,  //
                                               0xFFFF00, 0x404040, 0x00FF5A}));
  auto p4 = Load(MakeBmp(3, 1, 4, {3, 0, 1}, palette));
  ASSERT_TRUE(p4);
  EXPECT_EQ(p4->pixels, (std::vector<uint32_t>{0xFFFF00, 0x000000, 0x00FF5A}));
}

TEST(Picture, ReadsGifsAndKeepsTheTransparentColour) {
  const uint32_t colors[4] = {0x000000, 0xFF8000, 0x80FF80, 0xFFFFFF};
  auto gif = Load(MakeGif(3, 2, {0, 1, 2, 3, 2, 1}, colors));
  ASSERT_TRUE(gif);
  EXPECT_EQ(gif->pixels, (std::vector<uint32_t>{0x000000, 0xFF8000, 0x80FF80,  //
                                                0xFFFFFF, 0x80FF80, 0xFF8000}));
  auto keyed = Load(MakeGif(2, 1, {1, 2}, colors, 1));
  ASSERT_TRUE(keyed);
  EXPECT_EQ(keyed->pixels, (std::vector<uint32_t>{0xFF8000, 0x80FF80}));
}

TEST(Picture, ReadsGifCodesThatBuildATableAndRefusesCodesAheadOfIt) {
  const uint32_t colors[4] = {0x000000, 0xFF8000, 0x80FF80, 0xFFFFFF};
  // 1; 6 is the entry this very code makes (1 1); 2 makes entry 7, after which codes are
  // four bits wide; then 7 (1 1 2) and the end.
  auto gif = Load(MakeGifFromCodes(
      7, 1, colors, {{4, 3}, {1, 3}, {6, 3}, {2, 3}, {7, 4}, {5, 4}}));
  ASSERT_TRUE(gif);
  EXPECT_EQ(gif->pixels, (std::vector<uint32_t>{0xFF8000, 0xFF8000, 0xFF8000, 0x80FF80,  //
                                                0xFF8000, 0xFF8000, 0x80FF80}));
  // Leading clear codes are skipped.
  EXPECT_TRUE(Load(MakeGifFromCodes(1, 1, colors, {{4, 3}, {4, 3}, {3, 3}, {5, 3}})));

  // A code beyond the entry it would make could tie the table into a loop.
  EXPECT_FALSE(Load(MakeGifFromCodes(2, 1, colors, {{4, 3}, {1, 3}, {7, 3}, {5, 3}})));
  // The code after a clear code is taken as a colour, so it must be one.
  EXPECT_FALSE(Load(MakeGifFromCodes(2, 1, colors, {{4, 3}, {5, 3}, {1, 3}, {5, 3}})));
  EXPECT_FALSE(Load(MakeGifFromCodes(2, 1, colors, {{4, 3}, {1, 3}, {4, 3}, {6, 3}, {5, 3}})));
  EXPECT_FALSE(Load(MakeGifFromCodes(2, 1, colors, {{4, 3}, {1, 3}, {4, 3}, {4, 3}, {2, 3}})));
}

TEST(Picture, ReadsJpegsByContentWhateverTheName) {
  Surface solid(16, 8, 0x3060C0);
  const std::string path = TempPath("scope.mcg");
  ASSERT_TRUE(SavePictureJpeg(solid, path, 95));
  auto jpeg = LoadPictureFile(path);
  ASSERT_TRUE(jpeg);
  EXPECT_EQ(jpeg->width, 16);
  EXPECT_EQ(jpeg->height, 8);
  for (uint32_t p : jpeg->pixels) {
    EXPECT_NEAR(int(p >> 16), 0x30, 6);
    EXPECT_NEAR(int((p >> 8) & 0xFF), 0x60, 6);
    EXPECT_NEAR(int(p & 0xFF), 0xC0, 6);
  }
  // A bitmap named .mcg is read as a bitmap.
  const std::string bmp = TempPath("title.mcg");
  WriteBytes(bmp, MakeBmp(3, 2, 24, kSix));
  auto fromFile = LoadPictureFile(bmp);
  ASSERT_TRUE(fromFile);
  EXPECT_EQ(fromFile->pixels, kSix);
}

TEST(Picture, RefusesCutShortPicturesOfEveryKind) {
  const uint32_t colors[4] = {0x000000, 0xFF8000, 0x80FF80, 0xFFFFFF};
  const std::string jpegPath = TempPath("cut.jpg");
  Surface gradient(32, 32);
  for (int i = 0; i < 32 * 32; ++i) gradient.pixels[size_t(i)] = uint32_t(i * 0x010203) & 0xFFFFFF;
  ASSERT_TRUE(SavePictureJpeg(gradient, jpegPath));
  const Bytes whole[] = {MakeBmp(5, 4, 24, std::vector<uint32_t>(20, 0x808080)),
                         MakeGif(4, 4, std::vector<uint8_t>(16, 2), colors), ReadBytes(jpegPath)};
  for (const Bytes& picture : whole) {
    ASSERT_TRUE(Load(picture));
    // Every cut that loses picture data is refused; the GIF trailer alone may go.
    for (size_t keep = 0; keep + 2 < picture.size(); ++keep) {
      Bytes cut(picture.begin(), picture.begin() + long(keep));
      EXPECT_FALSE(Load(cut)) << "kept " << keep << " of " << picture.size();
    }
  }
}

TEST(Picture, RefusesOtherKindsGarbageAndAbsurdSizes) {
  EXPECT_FALSE(LoadPictureBytes(nullptr, 10));
  EXPECT_FALSE(Load(Bytes{}));
  EXPECT_FALSE(LoadPictureFile(TempPath("no-such-picture.mcg")));

  // A real PNG, which the game's pictures never are.
  const std::string png = TempPath("shot.png");
  ASSERT_TRUE(SavePng(Surface(4, 3, 0x00FF00), png));
  EXPECT_FALSE(LoadPictureFile(png));

  std::mt19937 rng(7);
  for (int round = 0; round < 200; ++round) {
    Bytes junk(size_t(rng() % 300));
    for (auto& c : junk) c = uint8_t(rng());
    // Garbage behind each real signature, too.
    static const Bytes signatures[] = {
        {'B', 'M'}, {'G', 'I', 'F', '8', '9', 'a'}, {0xFF, 0xD8, 0xFF}};
    const Bytes& sig = signatures[round % 3];
    if (round % 2 && junk.size() >= sig.size()) std::copy(sig.begin(), sig.end(), junk.begin());
    EXPECT_FALSE(Load(junk)) << "round " << round;
  }

  Bytes huge = MakeBmp(1, 1, 24, {0});
  huge[18] = 0x00;
  huge[19] = 0x00;
  huge[20] = 0x01;  // 65536 pixels wide
  EXPECT_FALSE(Load(huge));
  Bytes tall = MakeBmp(1, 1, 24, {0});
  tall[22] = 0x00;
  tall[25] = 0x80;  // the most negative height
  EXPECT_FALSE(Load(tall));
  const uint32_t colors[4] = {0, 0, 0, 0};
  Bytes wideGif = MakeGif(1, 1, {0}, colors);
  wideGif[7] = 0xFF;  // 65281 pixels wide
  EXPECT_FALSE(Load(wideGif));
}

TEST(Picture, SavesScreenshotsAsPng) {
  const std::string path = TempPath("frame.png");
  Surface frame(640, 480, 0x102030);
  ASSERT_TRUE(SavePng(frame, path));
  const Bytes b = ReadBytes(path);
  ASSERT_GT(b.size(), 24u);
  EXPECT_EQ(Bytes(b.begin(), b.begin() + 8), (Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
  // IHDR: width and height, big-endian.
  EXPECT_EQ(b[16] << 24 | b[17] << 16 | b[18] << 8 | b[19], 640);
  EXPECT_EQ(b[20] << 24 | b[21] << 16 | b[22] << 8 | b[23], 480);
  EXPECT_FALSE(std::filesystem::exists(path + ".part"));
  // A folder that does not exist: false, and nothing left behind.
  EXPECT_FALSE(SavePng(frame, TempPath("missing-dir/frame.png")));
  EXPECT_FALSE(SavePng(Surface(), path));
}
