#include "shell/hidden_modes.h"

#include "flow/game_state.h"
#include "language/language.h"
#include "shell/settings_file.h"
#include "shell/sound_binding.h"
#include "shell/forms.h"

void ura_Click() {
  switch (G.HiddenMode) {
    case 0:
      G.HiddenMode = 1;
      Form1().caption = Tr("K.Z.V（自動狙撃）");
      break;
    case 1:
      G.HiddenMode = 2;
      Form1().caption = Tr("K.Z.V（即時充電）");
      break;
    default:
      G.HiddenMode = 0;
      Form1().caption = "K.Z.V";
      break;
  }
}

void sic_Click() {
  if (G.SoundOn == 1) {
    Form1()("si").visible = true;
    G.SoundOn = 0;
    MTStop();
  } else {
    Form1()("si").visible = false;
    G.SoundOn = 1;
    MTPlay();
  }
  PlaySound(wave_slot::Confirm);
  SaveSettings();
}
