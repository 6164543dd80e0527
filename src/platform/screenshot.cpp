#include "platform/screenshot.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/clock.h"
#include "platform/compose.h"
#include "platform/picture.h"

namespace platform {
namespace {

std::string g_fallback = ".";

bool UsableFolder(const std::string& dir) {
  if (dir.empty() || dir[0] != '/') return false;
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  return std::filesystem::is_directory(dir, ec);
}

// XDG_PICTURES_DIR="$HOME/Pictures" as xdg-user-dirs writes it.
std::string PicturesFolderFromUserDirs() {
  const char* home = std::getenv("HOME");
  if (!home || !*home) return "";
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::string file =
      (config && *config == '/' ? std::string(config) : std::string(home) + "/.config") +
      "/user-dirs.dirs";
  std::ifstream in(file);
  const std::string key = "XDG_PICTURES_DIR=\"";
  for (std::string line; std::getline(in, line);) {
    if (line.rfind(key, 0) != 0 || line.back() != '"') continue;
    std::string dir = line.substr(key.size(), line.size() - key.size() - 1);
    if (dir.rfind("$HOME", 0) == 0) dir = home + dir.substr(5);
    return dir;
  }
  return "";
}

}  // namespace

void SetScreenshotFallbackFolder(const std::string& dir) {
  g_fallback = dir;
}

std::string ScreenshotFolder() {
  if (const char* env = std::getenv("XDG_PICTURES_DIR"); env && UsableFolder(env)) return env;
  if (std::string dir = PicturesFolderFromUserDirs(); UsableFolder(dir)) return dir;
  return g_fallback;
}

std::optional<std::string> SaveScreenshot(const Surface& frame, const std::string& folder,
                                          std::time_t when) {
  std::string base = folder;
  if (!base.empty() && base.back() != '/') base += '/';
  base += "kzv-" + LocalTimeStamp(when);
  std::error_code ec;
  for (int n = 1; n < 1000; ++n) {
    std::string path = base + (n == 1 ? "" : "-" + std::to_string(n)) + ".png";
    if (std::filesystem::exists(path, ec)) continue;
    if (!SavePng(frame, path)) return std::nullopt;
    return path;
  }
  return std::nullopt;
}

void TakeScreenshot(Form& form) {
  Surface frame;
  ComposeForm(form, frame);
  std::string folder = ScreenshotFolder();
  if (auto path = SaveScreenshot(frame, folder, std::time(nullptr))) {
    std::printf("K.Z.V: screenshot saved to %s\n", path->c_str());
    std::fflush(stdout);
  } else {
    std::fprintf(stderr, "K.Z.V: cannot save a screenshot in %s\n", folder.c_str());
  }
}

}  // namespace platform
