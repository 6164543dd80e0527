// SDL's key codes and modifier state turned into the game's.
#include "platform/sdl/keymap.h"

#include <SDL.h>

#include "platform/toolkit/window.h"

namespace platform {
namespace {

// Windows' codes for keys that have no constant in vk.
constexpr int kTab = 9, kClear = 12, kAlt = 18, kPause = 19, kCapsLock = 20, kPageUp = 33,
              kPageDown = 34, kInsert = 45, kF1 = 112, kMultiply = 106, kAdd = 107,
              kSubtract = 109, kDecimal = 110, kDivide = 111;

int KeypadKey(int32_t key, bool numLock) {
  if (key == SDLK_KP_0 || (key >= SDLK_KP_1 && key <= SDLK_KP_9)) {
    int digit = key == SDLK_KP_0 ? 0 : int(key - SDLK_KP_1) + 1;
    if (numLock) return vk::Numpad0 + digit;
    static constexpr int kUnder[10] = {kInsert, vk::End,   vk::Down, kPageDown, vk::Left,
                                       kClear,  vk::Right, vk::Home, vk::Up,    kPageUp};
    return kUnder[digit];
  }
  switch (key) {
    case SDLK_KP_PERIOD: return numLock ? kDecimal : vk::Delete;
    case SDLK_KP_ENTER: return vk::Enter;
    case SDLK_KP_PLUS: return kAdd;
    case SDLK_KP_MINUS: return kSubtract;
    case SDLK_KP_MULTIPLY: return kMultiply;
    case SDLK_KP_DIVIDE: return kDivide;
    default: return 0;
  }
}

}  // namespace

int VirtualKeyFromSdl(int32_t key, bool numLock) {
  if (key >= SDLK_a && key <= SDLK_z) return 'A' + int(key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return '0' + int(key - SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return kF1 + int(key - SDLK_F1);
  if (int k = KeypadKey(key, numLock)) return k;
  switch (key) {
    case SDLK_BACKSPACE: return vk::Back;
    case SDLK_TAB: return kTab;
    case SDLK_RETURN: return vk::Enter;
    case SDLK_LSHIFT: case SDLK_RSHIFT: return vk::Shift;
    case SDLK_LCTRL: case SDLK_RCTRL: return vk::Control;
    case SDLK_LALT: case SDLK_RALT: return kAlt;
    case SDLK_PAUSE: return kPause;
    case SDLK_CAPSLOCK: return kCapsLock;
    case SDLK_ESCAPE: return vk::Escape;
    case SDLK_SPACE: return vk::Space;
    case SDLK_PAGEUP: return kPageUp;
    case SDLK_PAGEDOWN: return kPageDown;
    case SDLK_END: return vk::End;
    case SDLK_HOME: return vk::Home;
    case SDLK_LEFT: return vk::Left;
    case SDLK_UP: return vk::Up;
    case SDLK_RIGHT: return vk::Right;
    case SDLK_DOWN: return vk::Down;
    case SDLK_INSERT: return kInsert;
    case SDLK_DELETE: return vk::Delete;
    // The punctuation keys of a US layout, as Windows numbers them.
    case SDLK_SEMICOLON: return 186;
    case SDLK_EQUALS: return 187;
    case SDLK_COMMA: return 188;
    case SDLK_MINUS: return 189;
    case SDLK_PERIOD: return 190;
    case SDLK_SLASH: return 191;
    case SDLK_BACKQUOTE: return 192;
    case SDLK_LEFTBRACKET: return 219;
    case SDLK_BACKSLASH: return 220;
    case SDLK_RIGHTBRACKET: return 221;
    case SDLK_QUOTE: return 222;
    default: return 0;
  }
}

int ModifierMaskFromSdl(int mod) {
  int mask = 0;
  if (mod & KMOD_SHIFT) mask |= vk::MaskShift;
  if (mod & KMOD_CTRL) mask |= vk::MaskCtrl;
  if (mod & KMOD_ALT) mask |= vk::MaskAlt;
  return mask;
}

bool NumLockFromSdl(int mod) { return (mod & KMOD_NUM) != 0; }

}  // namespace platform
