#include "platform/raster/picture.h"

#include <SDL.h>
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/raster/screenshot.h"
#include "support/files.h"

using namespace platform;
using Bytes = std::vector<unsigned char>;

namespace {

const TempDir kDir("picture");
std::string TempPath(const std::string& name) { return kDir / name; }

Bytes ReadBytes(const std::string& path) {
  const std::string s = ReadFile(path);
  return Bytes(s.begin(), s.end());
}

// A Windows bitmap through SDL_SaveBMP: 24 bits per pixel, or 8 with a palette (the pixels are
// then palette indices).
Bytes MakeBmp(int w, int h, const std::vector<uint32_t>& pixels,
              const std::vector<uint32_t>& palette = {}) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(
      0, w, h, 0, palette.empty() ? SDL_PIXELFORMAT_RGB24 : SDL_PIXELFORMAT_INDEX8);
  for (size_t i = 0; i < palette.size(); ++i) {
    const SDL_Color c = {uint8_t(palette[i] >> 16), uint8_t(palette[i] >> 8), uint8_t(palette[i]), 255};
    SDL_SetPaletteColors(s->format->palette, &c, int(i), 1);
  }
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint8_t* row = static_cast<uint8_t*>(s->pixels) + y * s->pitch;
      const uint32_t p = pixels[size_t(y * w + x)];
      if (!palette.empty()) row[x] = uint8_t(p);
      else row[3 * x] = uint8_t(p >> 16), row[3 * x + 1] = uint8_t(p >> 8), row[3 * x + 2] = uint8_t(p);
    }
  const std::string path = TempPath("made.bmp");
  EXPECT_EQ(SDL_SaveBMP(s, path.c_str()), 0) << SDL_GetError();
  SDL_FreeSurface(s);
  return ReadBytes(path);
}

int AppendGifBytes(GifFileType* gif, const GifByteType* bytes, int n) {
  static_cast<Bytes*>(gif->UserData)->insert(static_cast<Bytes*>(gif->UserData)->end(), bytes,
                                              bytes + n);
  return n;
}

// A GIF89a of a four-colour table through giflib; interlaced rows are written in the order
// of their four passes, as the format wants them.
Bytes MakeGif(int w, int h, std::vector<uint8_t> indices, const uint32_t (&colors)[4],
              int transparentIndex = -1, bool interlaced = false) {
  Bytes b;
  int error = 0;
  GifFileType* gif = EGifOpen(&b, AppendGifBytes, &error);
  GifColorType table[4];
  for (int i = 0; i < 4; ++i)
    table[i] = {uint8_t(colors[i] >> 16), uint8_t(colors[i] >> 8), uint8_t(colors[i])};
  ColorMapObject* map = GifMakeMapObject(4, table);
  EGifSetGifVersion(gif, true);
  EGifPutScreenDesc(gif, w, h, 2, 0, map);
  if (transparentIndex >= 0) {
    const GifByteType control[4] = {1, 0, 0, uint8_t(transparentIndex)};
    EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, control);
  }
  EGifPutImageDesc(gif, 0, 0, w, h, interlaced, nullptr);
  static constexpr int kFirst[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
  for (int pass = 0; pass < (interlaced ? 4 : 1); ++pass)
    for (int y = interlaced ? kFirst[pass] : 0; y < h; y += interlaced ? kStep[pass] : 1)
      EGifPutLine(gif, &indices[size_t(y * w)], w);
  EGifCloseFile(gif, &error);
  GifFreeMapObject(map);
  return b;
}

std::optional<Surface> Load(const Bytes& b) {
  return LoadPictureBytes(b.data(), b.size());
}

void WriteBytes(const std::string& path, const Bytes& b) { WriteFile(path, std::string(b.begin(), b.end())); }

const std::vector<uint32_t> kSix = {0xFF0000, 0x00FF00, 0x0000FF,  //
                                    0x123456, 0xFFFFFF, 0x000000};

}  // namespace

TEST(Picture, ReadsBitmapsOfTwentyFourAndEightBits) {
  auto p24 = Load(MakeBmp(3, 2, kSix));
  ASSERT_TRUE(p24);
  EXPECT_EQ(p24->width, 3);
  EXPECT_EQ(p24->height, 2);
  EXPECT_EQ(p24->pixels, kSix);
  const std::vector<uint32_t> palette = {0x000000, 0x00FF5A, 0x404040, 0xFFFF00};
  auto p8 = Load(MakeBmp(3, 2, {0, 1, 2, 3, 2, 1}, palette));
  ASSERT_TRUE(p8);
  EXPECT_EQ(p8->pixels, (std::vector<uint32_t>{0x000000, 0x00FF5A, 0x404040,  //
                                               0xFFFF00, 0x404040, 0x00FF5A}));
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
  // Interlaced rows come back in their places: 0, 8 | 4 | 2, 6 | 1, 3, 5, 7.
  std::vector<uint8_t> rows = {0, 1, 2, 3, 0, 1, 2, 3, 0};
  auto interlaced = Load(MakeGif(1, 9, rows, colors, -1, true));
  ASSERT_TRUE(interlaced);
  for (int y = 0; y < 9; ++y) EXPECT_EQ(interlaced->pixels[size_t(y)], colors[rows[size_t(y)]]) << y;
}

TEST(Picture, ReadsJpegsByContentWhateverTheName) {
  Surface solid(16, 8, 0x3060C0);
  const std::string path = TempPath("scope.mcg");
  ASSERT_TRUE(SavePictureJpeg(solid, path, 95));
  auto jpeg = LoadPictureFile(path);
  ASSERT_TRUE(jpeg);
  EXPECT_EQ(jpeg->width, 16);
  EXPECT_EQ(jpeg->height, 8);
  for (int shift : {16, 8, 0}) EXPECT_NEAR(int(jpeg->At(8, 4) >> shift & 0xFF), int(0x3060C0 >> shift & 0xFF), 6);
  // A bitmap named .mcg is read as a bitmap.
  const std::string bmp = TempPath("title.mcg");
  WriteBytes(bmp, MakeBmp(3, 2, kSix));
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
  const Bytes whole[] = {MakeBmp(5, 4, std::vector<uint32_t>(20, 0x808080)),
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

TEST(Picture, RefusesOtherKindsAndAbsurdSizes) {
  EXPECT_FALSE(LoadPictureBytes(nullptr, 10));
  EXPECT_FALSE(Load(Bytes{}));
  EXPECT_FALSE(LoadPictureFile(TempPath("no-such-picture.mcg")));

  // A real PNG, which the game's pictures never are.
  const std::string png = TempPath("shot.png");
  ASSERT_TRUE(SavePng(Surface(4, 3, 0x00FF00), png));
  EXPECT_FALSE(LoadPictureFile(png));

  Bytes huge = MakeBmp(1, 1, {0});
  huge[18] = 0x00;
  huge[19] = 0x00;
  huge[20] = 0x01;  // 65536 pixels wide
  EXPECT_FALSE(Load(huge));
  Bytes tall = MakeBmp(1, 1, {0});
  tall[22] = 0x00;
  tall[25] = 0x80;  // the most negative height
  EXPECT_FALSE(Load(tall));
  const uint32_t colors[4] = {0, 0, 0, 0};
  Bytes wideGif = MakeGif(1, 1, {0}, colors);
  wideGif[7] = 0xFF;  // 65281 pixels wide
  EXPECT_FALSE(Load(wideGif));
}
// F12's screenshots: in the player's pictures folder (named by the environment, else by
// user-dirs.dirs, else the record's folder), named by the local date and time, never over an
// earlier one.
TEST(Screenshot, GoesToThePicturesFolderNamedByTimeWithoutOverwriting) {
  const std::string root = TempPath("shots");
  std::filesystem::remove_all(root);
  std::filesystem::create_directories(root + "/home/.config");
  setenv("HOME", (root + "/home").c_str(), 1);
  unsetenv("XDG_CONFIG_HOME");
  unsetenv("XDG_PICTURES_DIR");
  SetScreenshotFallbackFolder(root + "/record");
  EXPECT_EQ(ScreenshotFolder(), root + "/record");
  WriteFile(root + "/home/.config/user-dirs.dirs",
            "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_PICTURES_DIR=\"$HOME/Bilder\"\n");
  EXPECT_EQ(ScreenshotFolder(), root + "/home/Bilder");
  EXPECT_TRUE(std::filesystem::is_directory(root + "/home/Bilder"));
  setenv("XDG_PICTURES_DIR", (root + "/pictures").c_str(), 1);
  EXPECT_EQ(ScreenshotFolder(), root + "/pictures");

  setenv("TZ", "UTC", 1);
  tzset();
  const std::time_t when = 1796675400;  // 2026-12-07 20:30:00 UTC
  Surface frame(640, 480, 0x80FF80);
  const std::string folder = ScreenshotFolder();
  EXPECT_EQ(SaveScreenshot(frame, folder, when), folder + "/kzv-20261207-203000.png");
  EXPECT_EQ(SaveScreenshot(frame, folder, when), folder + "/kzv-20261207-203000-2.png");
  EXPECT_EQ(SaveScreenshot(frame, folder, when + 1), folder + "/kzv-20261207-203001.png");
  EXPECT_EQ(ReadFile(folder + "/kzv-20261207-203000-2.png").substr(1, 3), "PNG");
  EXPECT_EQ(SaveScreenshot(frame, root + "/no-such-folder", when), std::nullopt);
}
