// Game controllers through SDL's game-controller mapping.
#include "platform/sdl/game_pads.h"

#include <SDL.h>

#include <optional>
#include <utility>

namespace platform {
namespace {

// The controller's buttons the game uses, and SDL's names for them.
constexpr std::pair<PadButton, SDL_GameControllerButton> kButtons[] = {
    {PadButton::Up, SDL_CONTROLLER_BUTTON_DPAD_UP},
    {PadButton::Down, SDL_CONTROLLER_BUTTON_DPAD_DOWN},
    {PadButton::Left, SDL_CONTROLLER_BUTTON_DPAD_LEFT},
    {PadButton::Right, SDL_CONTROLLER_BUTTON_DPAD_RIGHT},
    {PadButton::South, SDL_CONTROLLER_BUTTON_A},
    {PadButton::Start, SDL_CONTROLLER_BUTTON_START},
    {PadButton::Back, SDL_CONTROLLER_BUTTON_BACK},
};

std::optional<PadButton> ButtonOf(uint8_t button) {
  for (auto [pad, sdl] : kButtons)
    if (sdl == button) return pad;
  return std::nullopt;
}

}  // namespace

int SdlButtonOf(PadButton button) {
  for (auto [pad, sdl] : kButtons)
    if (pad == button) return sdl;
  return SDL_CONTROLLER_BUTTON_INVALID;
}

GamePads::GamePads() {
  ready_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
}

GamePads::~GamePads() {
  for (auto& [id, pad] : open_) SDL_GameControllerClose(pad);
  if (ready_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void GamePads::Handle(const SDL_Event& ev, std::vector<WindowEvent>& events) {
  if (!ready_) return;
  using Kind = WindowEvent::Kind;
  WindowEvent out;
  switch (ev.type) {
    case SDL_CONTROLLERDEVICEADDED:
      if (SDL_GameController* pad = SDL_GameControllerOpen(ev.cdevice.which)) {
        int32_t id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad));
        if (!open_.emplace(id, pad).second) SDL_GameControllerClose(pad);  // already open
      }
      return;
    case SDL_CONTROLLERDEVICEREMOVED: {
      auto it = open_.find(ev.cdevice.which);
      if (it == open_.end()) return;
      SDL_GameControllerClose(it->second);
      open_.erase(it);
      out.kind = Kind::PadGone;
      break;
    }
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: {
      std::optional<PadButton> button = ButtonOf(ev.cbutton.button);
      if (!button) return;
      out.kind = ev.type == SDL_CONTROLLERBUTTONDOWN ? Kind::PadPress : Kind::PadRelease;
      out.button = *button;
      break;
    }
    case SDL_CONTROLLERAXISMOTION:
      if (ev.caxis.axis != SDL_CONTROLLER_AXIS_LEFTX && ev.caxis.axis != SDL_CONTROLLER_AXIS_LEFTY)
        return;
      out.kind = Kind::PadStick;
      out.vertical = ev.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY;
      out.value = ev.caxis.value;
      break;
    default:
      return;
  }
  events.push_back(out);
}

std::vector<WindowEvent> GamePads::Poll() {
  std::vector<WindowEvent> events;
  SDL_Event ev;
  while (SDL_PollEvent(&ev)) Handle(ev, events);
  return events;
}

}  // namespace platform
