// The Windows backend's own services under Wine, beside the shared ones of tests/backend: the
// read-only attribute, drive roots, the roaming data folder and GDI faces.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "platform/files.h"
#include "platform/text_faces.h"

namespace {

TEST(Win32Files, TellsReadOnlyFilesDriveRootsAndTheRoamingDataFolder) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::string path = platform::JoinPath(std::string(temp, temp + wcslen(temp)),
                                              "kzv-ro-" + std::to_string(GetCurrentProcessId()));
  ASSERT_TRUE(platform::WriteFileAtomically(path, "x"));
  EXPECT_TRUE(platform::FileWritable(path));
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(platform::FileWritable(path));
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(path.c_str());
  EXPECT_EQ(platform::JoinPath("C:\\", "data"), "C:\\data");  // a drive root gets no second "\"
  std::optional<std::string> data = platform::UserFolderPath(platform::UserFolder::Data);
  ASSERT_TRUE(data && std::getenv("APPDATA"));
  EXPECT_EQ(*data, std::string(std::getenv("APPDATA")) + "\\K.Z.V");  // the roaming folder, not the local one
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

}  // namespace
