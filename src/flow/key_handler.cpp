#include "flow/key_handler.h"

#include <cstdint>

#include "flow/game_state.h"
#include "flow/mission_end.h"
#include "flow/number_text.h"
#include "flow/title_menu.h"
#include "platform/toolkit/window.h"
#include "shell/sound_binding.h"
#include "shell/forms.h"
#include "sniping/message_log.h"
#include "sniping/shot.h"

namespace {

// The cursor stays inside window cells 5..12 while the view can still scroll (the margins are
// not symmetric about the centre cell 8); at the map's end it may go on to 2..14.
constexpr int kScrollLow = 5, kScrollHigh = 12;
constexpr int kCursorLow = 2, kCursorHigh = 14;
constexpr int kViewLow = 3, kViewHigh = 82;

// The shot gauge is the upper end of the line `li`: 4 pixels per shot from 60; the shot that
// finds it at 280 is the 56th and last of the mission.
constexpr int kGaugeStep = 4;
constexpr int kGaugeLast = 280;
constexpr int kGaugeSixLeft = 260;

constexpr int kFullDischarge = 246;

// Towards lower numbers: scroll while the cursor is at the margin and the view can go on.
void StepBack(uint8_t& cursor, uint8_t& view) {
  if (cursor <= kScrollLow && view >= kViewLow + 1) {
    --view;
  } else if (cursor >= kCursorLow + 1) {
    --cursor;
  }
}

void StepForward(uint8_t& cursor, uint8_t& view) {
  if (cursor >= kScrollHigh && view <= kViewHigh - 1) {
    ++view;
  } else if (cursor <= kCursorHigh - 1) {
    ++cursor;
  }
}

void PlayKeyDown(int key) {
  namespace vk = platform::vk;
  switch (WithKeypadArrows(key)) {
    case vk::Shift: FireShot(); break;
    case vk::Escape: platform::EndProgram("escape");
    case vk::Left: MoveCursor(CursorStep::Left); break;
    case vk::Up: MoveCursor(CursorStep::Up); break;
    case vk::Right: MoveCursor(CursorStep::Right); break;
    case vk::Down: MoveCursor(CursorStep::Down); break;
    default: break;
  }
  RefreshPositionDisplay();
}

}  // namespace

int WithKeypadArrows(int key) {
  namespace vk = platform::vk;
  switch (key) {
    case vk::Numpad8: return vk::Up;
    case vk::Numpad4: return vk::Left;
    case vk::Numpad6: return vk::Right;
    case vk::Numpad2: return vk::Down;
    default: return key;
  }
}

void Form_KeyDown(int key, int /*mask*/) {
  // The branch is chosen once: a handler that changes GameMode does not fall into another.
  const uint8_t mode = G.GameMode;
  switch (mode) {
    case 1: TitleKeyDown(key); break;
    case 2: ResultKeyDown(key); break;
    case 3: PlayKeyDown(key); break;
    default: break;  // 0: busy, every key ignored
  }
}

void MoveCursor(CursorStep step) {
  switch (step) {
    case CursorStep::Left: StepBack(G.CursorX, G.ViewX); break;
    case CursorStep::Right: StepForward(G.CursorX, G.ViewX); break;
    case CursorStep::Up: StepBack(G.CursorY, G.ViewY); break;
    case CursorStep::Down: StepForward(G.CursorY, G.ViewY); break;
  }
  if (step == CursorStep::Left || step == CursorStep::Right)
    PushLogMessage("Inosite_x=" + PaddedNumber(G.CursorX));
  else
    PushLogMessage("Inosite_y=" + PaddedNumber(G.CursorY));
}

void FireShot() {
  if (G.Charge != 0) return;
  platform::Form& form = Form1();

  // No one may move while the shot is resolved.
  form("Tim2").SetEnabled(false);
  G.GameMode = 0;
  G.ShotBusy = 1;
  ResolveShot();
  PushLogMessage("CarsolCode_#090");
  form("Tim2").SetEnabled(true);
  G.GameMode = 3;

  // The gauge is tested before it moves, so the shot that finds it used up still counts.
  platform::Control& gauge = form("li");
  if (gauge.y1 >= kGaugeLast) EndMission();
  gauge.y1 += kGaugeStep;
  if (gauge.y1 == kGaugeSixLeft) PlaySound(wave_slot::SixShotsLeftVoice);

  if (G.HiddenMode != 2) {
    G.Charge = kFullDischarge;
    PlaySound(wave_slot::Recharge);
  }
}

void RefreshPositionDisplay() {
  platform::Form& form = Form1();
  // The overview shows map cells 4..97 at one pixel each.
  form("all").left = G.ViewX - 3;
  form("all").top = G.ViewY - 3;
  form("box").caption = "WidX:" + PaddedNumber(G.ViewX + G.CursorX - 4) + "m";
  form("box2").caption = "WidY:" + PaddedNumber(G.ViewY + G.CursorY - 4) + "m";
}
