#include "platform/raster/screenshot.h"

#include "platform/raster/compose.h"
#include "platform/files.h"
#include "platform/raster/picture.h"
#include "platform/unique_file.h"
#include "platform/warning.h"

namespace platform {
namespace {

std::string g_fallback = ".";

}  // namespace

void SetScreenshotFallbackFolder(const std::string& dir) {
  g_fallback = dir;
}

std::string ScreenshotFolder() {
  return UserFolderPath(UserFolder::Pictures).value_or(g_fallback);
}

std::optional<std::string> SaveScreenshot(const Surface& frame, const std::string& folder,
                                          std::time_t when) {
  return MakeUniqueFile(folder, "kzv", when, ".png", [&](const std::string& path) {
    if (PathExists(path)) return Claim::Taken;
    return SavePng(frame, path) ? Claim::Made : Claim::Failed;
  });
}

void TakeScreenshot(Form& form) {
  Surface frame;
  ComposeForm(form, frame);
  std::string folder = ScreenshotFolder();
  if (auto path = SaveScreenshot(frame, folder, std::time(nullptr)))
    Say("screenshot saved to " + *path);
  else
    Warn("cannot save a screenshot in " + folder);
}

}  // namespace platform
