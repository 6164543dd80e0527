#include "platform/game_pads.h"

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

SDL_GameControllerButton SdlButtonOf(PadButton button) {
  for (auto [pad, sdl] : kButtons)
    if (pad == button) return sdl;
  return SDL_CONTROLLER_BUTTON_INVALID;
}

}  // namespace

GamePads::GamePads() {
  ready_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
}

GamePads::~GamePads() {
  for (auto& [id, pad] : open_) SDL_GameControllerClose(pad);
  if (ready_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void GamePads::Handle(const SDL_Event& ev, int64_t now, std::vector<int>& keys) {
  if (!ready_) return;
  int key = 0;
  switch (ev.type) {
    case SDL_CONTROLLERDEVICEADDED:
      if (SDL_GameController* pad = SDL_GameControllerOpen(ev.cdevice.which)) {
        int32_t id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad));
        if (!open_.emplace(id, pad).second) SDL_GameControllerClose(pad);  // already open
      }
      break;
    case SDL_CONTROLLERDEVICEREMOVED:
      if (auto it = open_.find(ev.cdevice.which); it != open_.end()) {
        SDL_GameControllerClose(it->second);
        open_.erase(it);
        keys_.Stop();  // its held buttons go with it
      }
      break;
    case SDL_CONTROLLERBUTTONDOWN:
      if (auto button = ButtonOf(ev.cbutton.button)) key = keys_.Press(*button, now);
      break;
    case SDL_CONTROLLERBUTTONUP:
      if (auto button = ButtonOf(ev.cbutton.button)) keys_.Release(*button);
      break;
    case SDL_CONTROLLERAXISMOTION:
      if (ev.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX || ev.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY)
        key = keys_.Stick(ev.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY, ev.caxis.value, now);
      break;
    default:
      break;
  }
  if (key) keys.push_back(key);
}

std::vector<int> GamePads::Poll(int64_t now) {
  std::vector<int> keys;
  SDL_Event ev;
  while (SDL_PollEvent(&ev)) Handle(ev, now, keys);
  return keys;
}

VirtualPad::VirtualPad() {
  ready_ = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
  if (!ready_) return;
  int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                        SDL_CONTROLLER_BUTTON_MAX, 0);
  if (index >= 0) joystick_ = SDL_JoystickOpen(index);
}

VirtualPad::~VirtualPad() {
  if (joystick_) {
    int32_t id = SDL_JoystickInstanceID(joystick_);
    SDL_JoystickClose(joystick_);
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
      if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
  }
  if (ready_) SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

void VirtualPad::Set(PadButton button, bool down) {
  if (joystick_) SDL_JoystickSetVirtualButton(joystick_, SdlButtonOf(button), down ? 1 : 0);
}

void VirtualPad::Stick(bool vertical, int value) {
  if (joystick_)
    SDL_JoystickSetVirtualAxis(joystick_,
                               vertical ? SDL_CONTROLLER_AXIS_LEFTY : SDL_CONTROLLER_AXIS_LEFTX,
                               int16_t(value));
}

}  // namespace platform
