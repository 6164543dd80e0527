#include "shell/resources.h"

#include <string>

#include "flow/game_state.h"
#include "platform/raster/picture.h"
#include "shell/data_paths.h"
#include "shell/sound_binding.h"
#include "shell/forms.h"

platform::Surface LoadDataPicture(const std::string& name) {
  BuildDataPath(name);
  if (!FilePresent(G.FilePath)) StopOnMissingFile();
  auto picture = platform::LoadPictureFile(ExistingPath(G.FilePath));
  if (!picture) StopOnUnreadableFile();
  return *picture;
}

namespace {

void LoadWave(int slot, const std::string& name) {
  BuildDataPath(name);
  if (!FilePresent(G.FilePath)) StopOnMissingFile();
  STReadFile(slot, ExistingPath(G.FilePath), 3);
}

}  // namespace

void LoadResources() {
  platform::Form& f = Form1();
  f("title").SetPicture(LoadDataPicture("title.mcg"));
  f("ending").SetPicture(LoadDataPicture("end.mcg"));
  f("cip").SetPicture(LoadDataPicture("map.mcg"));
  f.picture = LoadDataPicture("interface.mcg");
  f("sco").SetPicture(LoadDataPicture("sco.mcg"));
  // gaga2 and gaga each load their own copy: drawing on one never shows on the other.
  f("gaga2").SetPicture(LoadDataPicture("geari.mcg"));
  f("gaga").SetPicture(LoadDataPicture("geari.mcg"));
  f("gaga3").SetPicture(LoadDataPicture("genai.mcg"));
  f("noise").SetPicture(LoadDataPicture("noise.mcg"));
  f("eye").SetPicture(LoadDataPicture("eye.mcg"));
  f("jyo").SetPicture(LoadDataPicture("jyo.mcg"));
  for (int n = 10; n <= 17; ++n) LoadWave(n, "se" + std::to_string(n) + ".wav");
  for (int n = 20; n <= 30; ++n) LoadWave(n, "opr" + std::to_string(n - 10) + ".wav");
}
