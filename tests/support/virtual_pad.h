// A game controller made in software for tests, through SDL's virtual joystick.
#pragma once

#include "platform/toolkit/pad_keys.h"

struct _SDL_Joystick;

namespace platform {

// A controller made in software (SDL's virtual joystick), for tests: plugged in when made,
// pulled out when destroyed. Its buttons and stick are those of the game-controller mapping.
class VirtualPad {
 public:
  VirtualPad();
  ~VirtualPad();
  VirtualPad(const VirtualPad&) = delete;
  VirtualPad& operator=(const VirtualPad&) = delete;

  bool Plugged() const { return joystick_ != nullptr; }
  void Set(PadButton button, bool down);
  void Stick(bool vertical, int value);

 private:
  bool ready_ = false;
  _SDL_Joystick* joystick_ = nullptr;
};

}  // namespace platform
