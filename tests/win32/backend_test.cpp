// The Windows backend's own services under Wine: code page 932, files and atomic saves,
// pictures by content through WIC, GDI faces and LoadLibraryW.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "platform/cp932.h"
#include "platform/dynlib.h"
#include "platform/files.h"
#include "platform/raster/picture.h"
#include "platform/picture_codec.h"
#include "platform/text_faces.h"

namespace {

using platform::Cp932ToUtf8;
using platform::Utf8ToCp932;

struct Cp932Case {
  std::string utf8, cp932;
};

TEST(Win32Cp932, ConvertsBothWaysAsWindowsWritesIt) {
  const Cp932Case cases[] = {
      {"日向 澄香", "\x93\xfa\x8c\xfc\x20\x90\x9f\x8d\x81"},
      {"～", "\x81\x60"},  // the full-width tilde, where Shift_JIS differs from CP932
      {"①", "\x87\x40"},  // an NEC special character CP932 holds
      {"ｶ", "\xb6"},       // half-width katakana: one byte
      {"", ""},
  };
  for (const Cp932Case& c : cases) {
    EXPECT_EQ(Utf8ToCp932(c.utf8), c.cp932) << c.utf8;
    EXPECT_EQ(Cp932ToUtf8(c.cp932), c.utf8) << c.utf8;
  }
}

TEST(Win32Cp932, RefusesWhatItCannotHoldInsteadOfGuessing) {
  // No best-fit stand-ins: "é" would otherwise become "e", and "😀" a question mark.
  for (const char* text : {"é", "😀", "\xff\xfe", "a\xc3"}) EXPECT_FALSE(Utf8ToCp932(text)) << text;
  for (const char* bytes : {"\x81", "\x81\x20\x81"}) EXPECT_FALSE(Cp932ToUtf8(bytes)) << bytes;
}

class Win32Files : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    dir_ = platform::JoinPath(std::string(temp, temp + wcslen(temp)),
                              "kzv-test-" + std::to_string(GetCurrentProcessId()));
    CreateDirectoryA(dir_.c_str(), nullptr);
  }
  void TearDown() override {
    for (const char* name : {"save.dat", "ro.dat"}) {
      SetFileAttributesA(platform::JoinPath(dir_, name).c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(platform::JoinPath(dir_, name).c_str());
    }
    RemoveDirectoryA(platform::JoinPath(dir_, "data").c_str());
    RemoveDirectoryA(dir_.c_str());
  }
  std::string dir_;
};

TEST_F(Win32Files, SavesAtomicallyAndFindsFilesWhateverTheirCase) {
  const std::string path = platform::JoinPath(dir_, "save.dat");
  ASSERT_TRUE(platform::WriteFileAtomically(path, "first"));
  ASSERT_TRUE(platform::WriteFileAtomically(path, "second\r\n"));
  EXPECT_EQ(platform::ReadWholeFile(path), "second\r\n");
  EXPECT_TRUE(platform::FindRegularFile(platform::JoinPath(dir_, "SAVE.DAT")));
  EXPECT_EQ(platform::KindOf(path), platform::PathKind::RegularFile);
  // A folder named like a file is no file.
  CreateDirectoryA(platform::JoinPath(dir_, "data").c_str(), nullptr);
  EXPECT_FALSE(platform::FindRegularFile(platform::JoinPath(dir_, "data")));
  EXPECT_EQ(platform::KindOf(platform::JoinPath(dir_, "data")), platform::PathKind::Other);
  EXPECT_FALSE(platform::FindRegularFile(platform::JoinPath(dir_, "missing.dat")));
  // A save into a folder that is not there fails and leaves nothing behind.
  EXPECT_FALSE(platform::WriteFileAtomically(platform::JoinPath(dir_, "gone\\save.dat"), "x"));
  // Only the saved file is left: no temporary file beside it.
  EXPECT_TRUE(platform::FolderDigest(dir_));
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA(platform::JoinPath(dir_, "save.dat.tmp*").c_str(), &found);
  EXPECT_EQ(h, INVALID_HANDLE_VALUE);
  if (h != INVALID_HANDLE_VALUE) FindClose(h);
}

TEST_F(Win32Files, TellsReadOnlyFilesAndWritableFolders) {
  const std::string path = platform::JoinPath(dir_, "ro.dat");
  ASSERT_TRUE(platform::WriteFileAtomically(path, "x"));
  EXPECT_TRUE(platform::FileWritable(path));
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(platform::FileWritable(path));
  EXPECT_TRUE(platform::DirectoryWritable(dir_));
  EXPECT_FALSE(platform::DirectoryWritable(platform::JoinPath(dir_, "missing")));
  EXPECT_EQ(platform::JoinPath("C:\\", "data"), "C:\\data");  // a drive root gets no second "\"
  std::optional<std::string> data = platform::UserFolderPath(platform::UserFolder::Data);
  ASSERT_TRUE(data && std::getenv("APPDATA"));
  EXPECT_EQ(*data, std::string(std::getenv("APPDATA")) + "\\K.Z.V");  // the roaming folder, not the local one
}

// A 2 x 1 picture: red, then blue.
platform::Surface TwoPixels() {
  platform::Surface s(2, 1);
  s.pixels = {0xFF0000, 0x0000FF};
  return s;
}

std::string Bmp() {
  std::string b = "BM";
  auto u32 = [&](uint32_t v) { b.append(reinterpret_cast<const char*>(&v), 4); };
  auto u16 = [&](uint16_t v) { b.append(reinterpret_cast<const char*>(&v), 2); };
  u32(62), u32(0), u32(54), u32(40), u32(2), u32(1), u16(1), u16(24), u32(0), u32(8);
  u32(2835), u32(2835), u32(0), u32(0);
  b += std::string("\x00\x00\xff\xff\x00\x00\x00\x00", 8);  // BGR red, BGR blue, row padding
  return b;
}

std::string Gif() {
  // A 2 x 1 GIF89a with a two-colour table (red, blue) and the LZW codes clear, 0, 1, end.
  return std::string("GIF89a\x02\x00\x01\x00\x80\x00\x00\xff\x00\x00\x00\x00\xff"
                     ",\x00\x00\x00\x00\x02\x00\x01\x00\x00\x02\x02\x44\x0a\x00;",
                     35);
}

TEST(Win32Pictures, DecodesByContentWhateverTheName) {
  const std::optional<std::string> jpeg = platform::EncodeJpeg(platform::Surface(8, 8, 0x808080), 95);
  ASSERT_TRUE(jpeg);
  for (const std::string& bytes : {Bmp(), Gif()}) {
    auto picture = platform::LoadPictureBytes(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    ASSERT_TRUE(picture) << bytes.substr(0, 3);
    EXPECT_EQ(picture->pixels, TwoPixels().pixels) << bytes.substr(0, 3);
    // Cut short, it is no picture.
    EXPECT_FALSE(platform::LoadPictureBytes(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size() - 6));
  }
  auto grey = platform::LoadPictureBytes(reinterpret_cast<const unsigned char*>(jpeg->data()), jpeg->size());
  ASSERT_TRUE(grey);
  EXPECT_EQ(grey->width, 8);
  EXPECT_NEAR(int(grey->pixels[27] & 0xFF), 0x80, 3);
  const std::optional<std::string> png = platform::EncodePng(TwoPixels());
  ASSERT_TRUE(png);
  EXPECT_EQ(png->substr(1, 3), "PNG");
}

TEST(Win32Faces, MeasureAndRenderJapaneseText) {
  platform::Face* gothic = platform::OpenFace({"ＭＳ Ｐゴシック", 9, false, false});
  platform::Face* bold = platform::OpenFace({"ＭＳ Ｐゴシック", 9, true, false});
  ASSERT_TRUE(gothic && bold);
  EXPECT_EQ(gothic, platform::OpenFace({"ＭＳ Ｐゴシック", 9, false, false}));  // kept
  EXPECT_GE(platform::FaceHeight(gothic), 12);
  EXPECT_GT(platform::FaceAscent(gothic), platform::FaceHeight(gothic) / 2);
  const int one = platform::MeasureLine(gothic, "日"), two = platform::MeasureLine(gothic, "日向");
  EXPECT_GE(one, 9);
  EXPECT_GT(two, one);
  platform::Coverage cov{40, 20, std::vector<uint8_t>(800, 0)};
  platform::RenderLine(gothic, "日向", 2, 0, cov);
  cov.FindInk();
  EXPECT_GE(cov.inkX0, 2);
  EXPECT_LE(cov.inkX1, 2 + two + 1);
  EXPECT_GT(cov.inkY1 - cov.inkY0, 6);
}

TEST(Win32Libraries, LoadsByPathAndFindsFunctionsByName) {
  EXPECT_FALSE(platform::OpenDynamicLibrary("C:\\no\\such\\Stools.dll"));
  EXPECT_NE(platform::DynamicLibraryError().find("Stools.dll"), std::string::npos);
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  const std::string kernel = platform::JoinPath(std::string(system, system + wcslen(system)), "kernel32.dll");
  platform::DynamicLibrary* library = platform::OpenDynamicLibrary(kernel);
  ASSERT_TRUE(library) << platform::DynamicLibraryError();
  EXPECT_TRUE(platform::FindDynamicSymbol(library, "GetTickCount"));
  EXPECT_FALSE(platform::FindDynamicSymbol(library, "STInit"));
  platform::CloseDynamicLibrary(library);
}

}  // namespace
