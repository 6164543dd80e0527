#include "shell/launcher.h"

#include <cstdint>

#include "flow/game_state.h"
#include "platform/raster/screenshot.h"
#include "platform/toolkit/window.h"
#include "shell/data_paths.h"
#include "shell/settings_file.h"
#include "shell/sound_binding.h"
#include "shell/forms.h"

namespace {
uint8_t LaunchTicks = 0;
// The launcher window's handle as the sound library sees it. We have no native handle to give;
// the library only needs a value that stays the same.
constexpr int32_t kLauncherWindowHandle = 2;
}  // namespace

void Launcher_Load() {
  LaunchTicks = 0;

  G.MissingFile = "Stools.dll";
  G.FilePath = AppDirWithSeparator() + G.MissingFile;
  if (!FilePresent(G.FilePath)) StopOnMissingFile();
  LoadSoundLibrary(ExistingPath(G.FilePath));
  STInit(kLauncherWindowHandle, 0);

  G.SavePath = SaveFolderWithSeparator() + "save.dat";
  platform::SetScreenshotFallbackFolder(SaveFolderWithSeparator());

  BuildDataPath("bgm.mid");
  if (!FilePresent(G.FilePath)) StopOnMissingFile();
  MTReadFile(ExistingPath(G.FilePath));
  MTSetTempo(85);
}

void timm_Timer() {
  ++LaunchTicks;
  if (LaunchTicks != 10) return;
  Form2()("timm").SetEnabled(false);
  if (!FilePresent(G.SavePath)) CreateSettingsFile();
  platform::ShowForm(Form1());
  LaunchTicks = 0;
}
