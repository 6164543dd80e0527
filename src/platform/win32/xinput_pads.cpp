// XInput controllers read a few dozen times a second while one is connected.
#include "platform/win32/xinput_pads.h"

#include <windows.h>
#include <xinput.h>

namespace platform {
namespace {

constexpr int64_t kReadPeriod = 16000;      // while a controller is connected
constexpr int64_t kSearchPeriod = 2000000;  // looking at empty slots is slow; now and then

struct Mapped {
  WORD bit;
  PadButton button;
};
constexpr Mapped kButtons[] = {
    {XINPUT_GAMEPAD_DPAD_UP, PadButton::Up},     {XINPUT_GAMEPAD_DPAD_DOWN, PadButton::Down},
    {XINPUT_GAMEPAD_DPAD_LEFT, PadButton::Left}, {XINPUT_GAMEPAD_DPAD_RIGHT, PadButton::Right},
    {XINPUT_GAMEPAD_A, PadButton::South},        {XINPUT_GAMEPAD_START, PadButton::Start},
    {XINPUT_GAMEPAD_BACK, PadButton::Back},
};

WindowEvent PadEvent(WindowEvent::Kind kind) {
  WindowEvent ev;
  ev.kind = kind;
  return ev;
}

}  // namespace

void XInputPads::Poll(int64_t now, std::vector<WindowEvent>& events) {
  if (now < nextPoll_) return;
  const bool search = now >= nextSearch_;
  if (search) nextSearch_ = now + kSearchPeriod;
  bool any = false;
  for (int slot = 0; slot < kSlots; ++slot) {
    if (!connected_[slot] && !search) continue;
    XINPUT_STATE state{};
    const bool was = connected_[slot];
    connected_[slot] = XInputGetState(DWORD(slot), &state) == ERROR_SUCCESS;
    if (!connected_[slot]) {
      if (was) events.push_back(PadEvent(WindowEvent::Kind::PadGone));
      buttons_[slot] = 0;
      stick_[slot][0] = stick_[slot][1] = 0;
      continue;
    }
    any = true;
    const WORD held = state.Gamepad.wButtons;
    for (const Mapped& m : kButtons) {
      const bool down = held & m.bit, before = buttons_[slot] & m.bit;
      if (down == before) continue;
      WindowEvent ev = PadEvent(down ? WindowEvent::Kind::PadPress : WindowEvent::Kind::PadRelease);
      ev.button = m.button;
      events.push_back(ev);
    }
    buttons_[slot] = held;
    // XInput counts the stick's y upwards; the game's pads count it downwards.
    const int axes[2] = {state.Gamepad.sThumbLX, -1 - state.Gamepad.sThumbLY};
    for (int axis = 0; axis < 2; ++axis) {
      if (axes[axis] == stick_[slot][axis]) continue;
      stick_[slot][axis] = axes[axis];
      WindowEvent ev = PadEvent(WindowEvent::Kind::PadStick);
      ev.vertical = axis == 1;
      ev.value = axes[axis];
      events.push_back(ev);
    }
  }
  nextPoll_ = any ? now + kReadPeriod : nextSearch_;
}

}  // namespace platform
