// Game controllers on SDL2: plugged in and out, their buttons and stick as the core's events.
#pragma once
#include <cstdint>
#include <map>
#include <vector>

#include "platform/toolkit/pad_keys.h"
#include "platform/window_backend.h"

union SDL_Event;
struct _SDL_GameController;

namespace platform {

// The game controllers SDL knows through its game-controller mapping: opened as they are
// plugged in (those present at the start arrive as plugged in too), closed when pulled out.
// Their buttons and left stick become the core's pad events (PadKeys makes keys of them).
class GamePads {
 public:
  GamePads();  // starts SDL's game-controller part; without it there are simply no controllers
  ~GamePads();
  GamePads(const GamePads&) = delete;
  GamePads& operator=(const GamePads&) = delete;

  // One SDL event; the pad events it gives are appended to events. Other events are ignored.
  void Handle(const SDL_Event& ev, std::vector<WindowEvent>& events);
  // Handles every pending SDL event (for a host without an event loop of its own).
  std::vector<WindowEvent> Poll();

  int Count() const { return int(open_.size()); }

 private:
  bool ready_ = false;
  std::map<int32_t, _SDL_GameController*> open_;  // by SDL instance id
};

// SDL's game-controller button (SDL_GameControllerButton) for one of the game's.
int SdlButtonOf(PadButton button);

}  // namespace platform
