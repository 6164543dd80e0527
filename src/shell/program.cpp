#include "shell/program.h"

#include "flow/key_handler.h"
#include "flow/mission_end.h"
#include "language/language.h"
#include "platform/toolkit/pad_names.h"
#include "platform/toolkit/window.h"
#include "shell/hidden_modes.h"
#include "shell/launcher.h"
#include "shell/main_window.h"
#include "shell/settings_file.h"
#include "shell/forms.h"
#include "sniping/navigation.h"
#include "sniping/scope_view.h"
#include "world/crowd.h"

namespace {

// Every event of the two windows goes to its handler, as the window definitions name them.
void ConnectHandlers() {
  platform::Form& launcher = Form2();
  launcher.onLoad = Launcher_Load;
  launcher("timm").onTimer = timm_Timer;

  platform::Form& main = Form1();
  main.onLoad = MainWindow_Load;
  main.onKeyDown = Form_KeyDown;
  main("tim1").onTimer = Tim1_Timer;
  main("Tim2").onTimer = StepCrowd;
  main("Tim3").onTimer = Tim3_Timer;
  main("ura").onClick = ura_Click;
  main("sic").onClick = sic_Click;
  main("ename").inputFilter = SanitizeRecordName;
  main("ename").maxLength = kRecordNameLength;  // what the box shows is what the record keeps
}

}  // namespace

void StartProgram() {
  // What a controller offers for the record's name after the last holder's.
  platform::SetPadCallSigns({Tr("スナイパー"), Tr("オペレーター"), Tr("ゲスト")});
  CreateWindows();
  ConnectHandlers();
  platform::ShowForm(Form2());
}
