#include "shell/main_window.h"

#include "flow/game_state.h"
#include "flow/record.h"
#include "platform/toolkit/window.h"
#include "shell/data_paths.h"
#include "shell/resources.h"
#include "shell/settings_file.h"
#include "shell/sound_binding.h"
#include "shell/forms.h"

void MainWindow_Load() {
  platform::Form& f = Form1();
  // The outer size of 9660 x 7530 twips leaves a client area of 640 x 480 pixels.
  f.clientWidth = 640;
  f.clientHeight = 480;

  LoadResources();

  ReadSettings();  // the default record when there is no file

  f("Label2").caption = RecordLine();
  f("Label3").caption = f("Label2").caption;

  platform::Control& ename = f("ename");
  ename.caption = ShownHolderName(G.RecordHolder);
  ename.caret = ename.caption.size();

  G.PageStep = 0;

  if (G.SoundOn == 1) {
    f("si").visible = false;
    MTPlay();
  } else {
    f("si").visible = true;
  }

  G.MenuChoice = G.Veteran != 0 ? 2 : 0;
  f("pa", G.MenuChoice).visible = true;

  platform::CloseForm(Form2());

  G.GameMode = 1;

  PlaySound(wave_slot::CallVoice);
}
