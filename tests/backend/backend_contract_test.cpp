// The services every system backend gives the core, checked alike on each system (this file is
// built into the Linux and the Windows suites): CP932, files and atomic saves, pictures by their
// content, and dynamic libraries.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "platform/cp932.h"
#include "platform/dynlib.h"
#include "platform/files.h"
#include "platform/picture_codec.h"
#include "platform/raster/picture.h"

namespace {

using namespace platform;
using Pixels = std::vector<uint32_t>;

TEST(BackendCp932, ConvertsBothWaysAsWindowsWritesItWithoutGuessing) {
  const std::pair<std::string, std::string> cases[] = {
      {"日向 澄香", "\x93\xfa\x8c\xfc\x20\x90\x9f\x8d\x81"},
      // Where Shift_JIS differs from CP932: the full-width tilde, minus and parallel sign, the
      // backslash and tilde of ASCII, an NEC special character and an IBM extension.
      {"～－∥", "\x81\x60\x81\x7c\x81\x61"},
      {"C:\\~", "C:\x5c\x7e"},
      {"①纊", "\x87\x40\xfa\x5c"},
      {"ｶ", "\xb6"},  // half-width katakana: one byte
      {"", ""},
  };
  for (const auto& [utf8, cp932] : cases) {
    EXPECT_EQ(Utf8ToCp932(utf8), cp932) << utf8;
    EXPECT_EQ(Cp932ToUtf8(cp932), utf8) << utf8;
  }
  // No best-fit stand-ins: "é" would otherwise become "e", and "😀" a question mark.
  for (const char* text : {"é", "😀", "\xff\xfe", "a\xc3"}) EXPECT_FALSE(Utf8ToCp932(text)) << text;
  for (const char* bytes : {"\x81", "\x81\x20\x81"}) EXPECT_FALSE(Cp932ToUtf8(bytes)) << bytes;
}

// A fresh folder of the system's temporary one for each test.
class Backend : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(std::filesystem::create_directory(dir_)); }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string In(const std::string& name, const std::string& inner = "") const {
    return inner.empty() ? JoinPath(dir_, name) : JoinPath(JoinPath(dir_, name), inner);
  }
  const std::string dir_ = JoinPath(std::filesystem::temp_directory_path().string(),
                                    "kzv-backend-" + std::to_string(std::random_device()()));
};

TEST_F(Backend, SavesAtomicallyLeavingNothingButTheFile) {
  ASSERT_TRUE(WriteFileAtomically(In("save.dat"), "first"));
  ASSERT_TRUE(WriteFileAtomically(In("save.dat"), "second\r\n"));
  EXPECT_EQ(ReadWholeFile(In("save.dat")), "second\r\n");
  EXPECT_FALSE(WriteFileAtomically(In("gone", "save.dat"), "x"));  // into a folder not there
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir_))
    names.push_back(entry.path().filename().string());
  EXPECT_EQ(names, std::vector<std::string>{"save.dat"});
}

TEST_F(Backend, FindsFilesWhateverTheirCaseAndTellsWhatStandsThere) {
  std::filesystem::create_directory(In("Data"));
  ASSERT_TRUE(WriteFileAtomically(In("Data", "Save.dat"), "x"));
  EXPECT_EQ(ReadWholeFile(FindRegularFile(In("DATA", "save.DAT")).value_or("")), "x");
  const std::pair<std::string, PathKind> kinds[] = {{In("Data", "Save.dat"), PathKind::RegularFile},
                                                    {In("Data"), PathKind::Other},
                                                    {In("Data", "missing.dat"), PathKind::Nothing},
                                                    {In("missing", "Save.dat"), PathKind::Nothing}};
  for (const auto& [path, kind] : kinds) {
    const bool file = kind == PathKind::RegularFile;  // a folder is no file
    EXPECT_EQ(KindOf(path), kind) << path;
    EXPECT_EQ(FindRegularFile(path).has_value(), file) << path;
    EXPECT_EQ(ReadWholeFile(path).has_value(), file) << path;
    EXPECT_EQ(FileWritable(path), file) << path;
    EXPECT_EQ(DirectoryWritable(path), kind == PathKind::Other) << path;
  }
}

TEST_F(Backend, DigestsAFoldersFilesAlikeOnEverySystem) {
  ASSERT_TRUE(WriteFileAtomically(In("b.dat"), "2") && WriteFileAtomically(In("a.dat"), "1"));
  std::filesystem::create_directory(In("Data"));  // a folder in it is no file of it
  const std::optional<uint64_t> digest = FolderDigest(dir_);
  // The same number on every system: a replay recorded on one checks its data on another.
  EXPECT_EQ(digest, 0x50c9c531d67ac7e5u);  // FNV-1a of "a.dat", "1", "b.dat", "2" with separators
  ASSERT_TRUE(WriteFileAtomically(In("a.dat"), "3"));
  EXPECT_NE(FolderDigest(dir_), digest);
  EXPECT_FALSE(FolderDigest(In("missing")));
}

// Appends the n lowest bytes of v, lowest first.
void Put(std::string& b, uint32_t v, int n) {
  for (int i = 0; i < n; ++i) b += char(v >> 8 * i);
}

// A Windows bitmap of bottom-up rows: 24 bits a pixel, or 8 with a palette (the pixels are then
// its indices).
std::string Bmp(int w, int h, const Pixels& pixels, const Pixels& palette = {}) {
  const int bytes = palette.empty() ? 3 : 1, row = (w * bytes + 3) / 4 * 4;
  const uint32_t at = 54 + 4 * uint32_t(palette.size());
  std::string b = "BM";
  Put(b, at + row * h, 4), Put(b, 0, 4), Put(b, at, 4), Put(b, 40, 4), Put(b, w, 4), Put(b, h, 4);
  Put(b, 1, 2), Put(b, bytes * 8, 2), Put(b, 0, 4), Put(b, row * h, 4), Put(b, 2835, 4);
  Put(b, 2835, 4), Put(b, palette.size(), 4), Put(b, 0, 4);
  for (uint32_t colour : palette) Put(b, colour, 4);
  for (int y = h - 1; y >= 0; --y) {
    for (int x = 0; x < w; ++x) Put(b, pixels[size_t(y * w + x)], bytes);
    b.append(size_t(row - w * bytes), '\0');
  }
  return b;
}

// A GIF89a of a four-colour table, its pixels' indices in the order the file holds them (the
// rows of an interlaced one in the order of its passes). Each index is an LZW code of three bits
// after a clear code, so that the code size never grows.
std::string Gif(int w, int h, const std::vector<uint8_t>& indices, const Pixels& colours,
                int transparent = -1, bool interlaced = false) {
  std::string b = "GIF89a", data;
  Put(b, w, 2), Put(b, h, 2), Put(b, 0x81, 3);
  for (uint32_t c : colours) Put(b, c >> 16, 1), Put(b, c >> 8, 1), Put(b, c, 1);
  if (transparent >= 0) b += std::string("\x21\xf9\x04\x01\0\0", 6) + char(transparent) + '\0';
  b += ',', Put(b, 0, 4), Put(b, w, 2), Put(b, h, 2), Put(b, interlaced ? 0x40 : 0, 1);
  uint32_t bits = 0, count = 0;
  for (size_t i = 0; i <= indices.size(); ++i) {  // the end code last
    const bool index = i < indices.size();
    bits |= (index ? 4u | indices[i] << 3 : 5u) << count, count += index ? 6 : 3;
    for (; count >= 8; bits >>= 8, count -= 8) data += char(bits);
  }
  data += char(bits);
  return b + '\x02' + char(data.size()) + data + std::string("\0;", 2);
}

std::optional<Surface> Load(const std::string& b) {
  return LoadPictureBytes(reinterpret_cast<const unsigned char*>(b.data()), b.size());
}

const Pixels kSix = {0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0xFFFFFF, 0x000000};
const Pixels kFour = {0x000000, 0xFF8000, 0x80FF80, 0xFFFFF0};

// The colours of the four-colour table at these indices.
Pixels Of(const std::vector<uint8_t>& indices) {
  Pixels pixels;
  for (uint8_t i : indices) pixels.push_back(kFour[i]);
  return pixels;
}

TEST_F(Backend, ReadsPicturesByContentWhateverTheirName) {
  // What, the file's bytes, the picture's width and pixels, how far a channel may be off.
  const std::tuple<std::string, std::string, int, Pixels, int> cases[] = {
      {"24-bit bitmap", Bmp(3, 2, kSix), 3, kSix, 0},
      {"8-bit bitmap", Bmp(3, 2, {0, 1, 2, 3, 2, 1}, kFour), 3, Of({0, 1, 2, 3, 2, 1}), 0},
      {"GIF", Gif(3, 2, {0, 1, 2, 3, 2, 1}, kFour), 3, Of({0, 1, 2, 3, 2, 1}), 0},
      // A transparent colour is kept as the colour it stands for.
      {"transparent GIF", Gif(2, 1, {1, 2}, kFour, 1), 2, Of({1, 2}), 0},
      // Rows 0, 8 | 4 | 2, 6 | 1, 3, 5, 7 in the file.
      {"interlaced GIF", Gif(1, 9, {0, 0, 0, 2, 2, 1, 3, 1, 3}, kFour, -1, true), 1,
       Of({0, 1, 2, 3, 0, 1, 2, 3, 0}), 0},
      {"JPEG", EncodeJpeg(Surface(16, 8, 0x3060C0), 95).value(), 16, Pixels(128, 0x3060C0), 6},
  };
  for (const auto& [what, bytes, width, pixels, tolerance] : cases) {
    ASSERT_TRUE(WriteFileAtomically(In("picture.mcg"), bytes));
    const std::optional<Surface> picture = LoadPictureFile(In("picture.mcg"));
    ASSERT_TRUE(picture) << what;
    EXPECT_EQ(picture->width, width) << what;
    ASSERT_EQ(picture->pixels.size(), pixels.size()) << what;
    for (size_t i = 0; i < pixels.size(); ++i)
      for (int shift : {16, 8, 0})
        EXPECT_NEAR(int(picture->pixels[i] >> shift & 0xFF), int(pixels[i] >> shift & 0xFF),
                    tolerance)
            << what << ", pixel " << i;
  }
}

TEST_F(Backend, RefusesCutShortPicturesOtherKindsAndAbsurdSizes) {
  for (const std::string& whole :
       {Bmp(5, 4, Pixels(20, 0x808080)), Gif(4, 4, std::vector<uint8_t>(16, 2), kFour),
        EncodeJpeg(Surface(16, 8, 0x3060C0), 95).value()}) {
    ASSERT_TRUE(Load(whole));
    // Every cut that loses picture data is refused; the GIF's last block end and trailer may go.
    for (size_t keep = 0; keep + 2 < whole.size(); ++keep)
      EXPECT_FALSE(Load(whole.substr(0, keep))) << "kept " << keep << " of " << whole.size();
  }
  std::string wide = Bmp(1, 1, {0}), tall = wide, wideGif = Gif(1, 1, {0}, kFour);
  wide[20] = 1;                     // 65537 pixels wide
  tall[22] = 0, tall[25] = '\x80';  // the most negative height
  wideGif[7] = '\xff';              // 65281 pixels wide
  // Nor is a PNG, which the game's pictures never are, read as one.
  const std::string png = EncodePng(Surface(4, 3, 0x00FF00)).value();
  EXPECT_EQ(png.substr(1, 3), "PNG");
  for (const std::string& bytes : {png, wide, tall, wideGif, std::string()})
    EXPECT_FALSE(Load(bytes)) << bytes.substr(0, 3);
  EXPECT_FALSE(LoadPictureBytes(nullptr, 10));
  EXPECT_FALSE(LoadPictureFile(In("missing.mcg")));
}

TEST_F(Backend, LibrariesNameTheFileThatFailsAndFindFunctionsByName) {
  EXPECT_FALSE(OpenDynamicLibrary(In("missing", "Stools.dll")));
  EXPECT_NE(DynamicLibraryError().find("Stools.dll"), std::string::npos) << DynamicLibraryError();
  // One of the system's own libraries, by its path on Windows, and one of its functions.
  const bool windows = kPathSeparator == '\\';
  DynamicLibrary* library = OpenDynamicLibrary(
      windows ? JoinPath(std::getenv("SystemRoot"), "System32\\kernel32.dll") : "libm.so.6");
  ASSERT_TRUE(library) << DynamicLibraryError();
  EXPECT_TRUE(FindDynamicSymbol(library, windows ? "GetTickCount" : "cos"));
  EXPECT_FALSE(FindDynamicSymbol(library, "STInit"));
  CloseDynamicLibrary(library);
}

}  // namespace
