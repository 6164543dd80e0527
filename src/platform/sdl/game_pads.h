#pragma once
#include <cstdint>
#include <map>
#include <vector>

#include "platform/pad_keys.h"

union SDL_Event;
struct _SDL_GameController;
struct _SDL_Joystick;

namespace platform {

// The game controllers SDL knows through its game-controller mapping: opened as they are
// plugged in (those present at the start arrive as plugged in too), closed when pulled out.
// Their buttons and left stick become keys through PadKeys.
class GamePads {
 public:
  GamePads();  // starts SDL's game-controller part; without it there are simply no controllers
  ~GamePads();
  GamePads(const GamePads&) = delete;
  GamePads& operator=(const GamePads&) = delete;

  // One SDL event at now; the keys it gives are appended to keys. Other events are ignored.
  void Handle(const SDL_Event& ev, int64_t now, std::vector<int>& keys);
  // Handles every pending SDL event (for a host without an event loop of its own).
  std::vector<int> Poll(int64_t now);

  PadKeys& Keys() { return keys_; }
  const PadKeys& Keys() const { return keys_; }
  int Count() const { return int(open_.size()); }

 private:
  bool ready_ = false;
  std::map<int32_t, _SDL_GameController*> open_;  // by SDL instance id
  PadKeys keys_;
};

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
