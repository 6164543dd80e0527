#include "shell/program.h"

#include "flow/game_state.h"
#include "platform/window.h"
#include "shell/windows.h"

void StartProgram() {
  CreateWindows();
  platform::ShowForm(Form2());
}

void ResetProgram() {
  DestroyWindows();
  ResetGameState();
}
