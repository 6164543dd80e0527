#include "flow/title_menu.h"

#include "flow/game_state.h"
#include "flow/key_handler.h"
#include "flow/number_text.h"
#include "language/language.h"
#include "platform/toolkit/window.h"
#include "shell/hidden_modes.h"
#include "shell/mission_replay.h"
#include "shell/resources.h"
#include "shell/settings_file.h"
#include "shell/sound_binding.h"
#include "shell/forms.h"
#include "world/world_creation.h"

namespace {

constexpr int kHelpPage = 1;
constexpr int kBriefingFirstPage = 2;  // pages 2, 3, 4
constexpr int kLoadingPage = 5;

constexpr int kLogLines = 9;

void MoveHighlight(int delta) {
  if (G.PageStep != 0) return;  // the menu is frozen while a page shows
  G.MenuChoice = static_cast<uint8_t>((G.MenuChoice + delta + kMenuItems) % kMenuItems);
  HighlightMenuChoice();
  PlaySound(wave_slot::MenuMove);
}

void ClosePage() {
  G.PageStep = 0;
  Form1()("page").visible = false;
}

// After a page sequence a first-time player is led on to the next item.
void LeadFirstTimePlayerTo(int item) {
  if (G.Veteran != 0) return;
  G.MenuChoice = static_cast<uint8_t>(item);
  HighlightMenuChoice();
}

void Confirm() {
  if (G.MenuChoice != kMenuStart) PlaySound(wave_slot::Confirm);
  platform::Form& form = Form1();

  if (G.PageStep == 0) {
    switch (G.MenuChoice) {
      case kMenuBriefing:
        ShowPage(kBriefingFirstPage);
        form("page").visible = true;
        G.PageStep = 1;
        break;
      case kMenuHelp:
        ShowPage(kHelpPage);
        form("page").visible = true;
        G.PageStep = 1;
        break;
      case kMenuStart: StartMission(); break;
      default: break;
    }
    return;
  }

  if (G.MenuChoice == kMenuBriefing) {
    if (G.PageStep < 3) {
      ShowPage(kBriefingFirstPage + G.PageStep);
      ++G.PageStep;
    } else {
      ClosePage();
      LeadFirstTimePlayerTo(kMenuHelp);
    }
  } else if (G.MenuChoice == kMenuHelp) {
    ClosePage();
    LeadFirstTimePlayerTo(kMenuStart);
  }
}

}  // namespace

void HighlightMenuChoice() {
  platform::Form& form = Form1();
  for (int item = 0; item < kMenuItems; ++item) form("pa", item).visible = false;
  form("pa", G.MenuChoice).visible = true;
}

void TitleKeyDown(int key) {
  namespace vk = platform::vk;
  switch (WithKeypadArrows(key)) {
    case vk::Shift: Confirm(); break;
    case vk::Escape: platform::EndProgram("escape");
    case vk::Up: MoveHighlight(-1); break;
    case vk::Down: MoveHighlight(+1); break;
    case 'S': ToggleSoundKey(); break;
    default: break;
  }
}

void ShowPage(int page) {
  Form1()("page").SetPicture(LoadDataPicture("page" + BareNumber(page) + ".mcg"));
}

void ToggleSoundKey() {
  sic_Click();  // the key and the SOUND panel are one switch: sound, music and the saved setting
}

void StartMission() {
  MissionStarts();  // a replay starts from the state before anything below
  G.GameMode = 0;
  PlaySound(wave_slot::MissionVoice);
  platform::Form& form = Form1();
  form("page").visible = true;
  ShowPage(kLoadingPage);

  CreateWorld();

  for (int line = 0; line < kLogLines; ++line) {
    form("sarch", line).transparent = true;
    form("sarch", line).caption = ".....";
  }
  NewMissionReset();
  // The overview frame around the starting window, and a full shot gauge.
  form("all").left = 7;
  form("all").top = 7;
  form("li").y1 = 60;
  form("yenm").caption = "0";
  form("dne").caption = Tr("： 0円");
  form("ndel").caption = "Del._= ";
  form("cname").caption = "";
  form("ccode").caption = "";
  form("sarch", 0).caption = "Welcome!";
  form("sarch", 1).caption = "OrbitalSnipersatellite";
  form("sarch", 2).caption = "MainSystem";
  form("sarch", 3).caption = "ALL Green";

  form("tim1").SetEnabled(true);
  form("Tim2").SetEnabled(true);
  form("Tim3").SetEnabled(true);
  form("title").visible = false;
  G.GameMode = 3;
  form("page").visible = false;
  PlaySound(wave_slot::Recharge);
}
