// The software controller of the tests: SDL's virtual joystick with the game-controller layout.
#include "support/virtual_pad.h"

#include <SDL.h>

#include "platform/sdl/game_pads.h"

namespace platform {

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
  if (joystick_) SDL_JoystickSetVirtualButton(joystick_, SDL_GameControllerButton(SdlButtonOf(button)), down ? 1 : 0);
}

void VirtualPad::Stick(bool vertical, int value) {
  if (joystick_)
    SDL_JoystickSetVirtualAxis(joystick_,
                               vertical ? SDL_CONTROLLER_AXIS_LEFTY : SDL_CONTROLLER_AXIS_LEFTX,
                               int16_t(value));
}

}  // namespace platform
