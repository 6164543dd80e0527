#include "flow/game_state.h"
#include "platform/replay/replay_log.h"
#include "shell/program.h"
#include "shell/settings_file.h"
#include "shell/sound_binding.h"
#include "shell/forms.h"
#include "world/random_draw.h"
#include "world/world_model.h"

void ResetProgram() {
  DestroyWindows();
  UnloadSoundLibrary();
  ResetGameState();
  ResetSettingsFileState();
  ResetWorld();
  ResetRandom();
  platform::ResetReplays();
}
