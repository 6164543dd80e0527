// The screenshots of F12 on Linux: the pictures folder they go to and their names.
#include "platform/raster/screenshot.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

#include "support/files.h"

using namespace platform;

// F12's screenshots: in the player's pictures folder (named by the environment, else by
// user-dirs.dirs, else the record's folder), named by the local date and time, never over an
// earlier one.
TEST(Screenshot, GoesToThePicturesFolderNamedByTimeWithoutOverwriting) {
  const TempDir dir("screenshot");
  const std::string root = dir / "shots";
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
