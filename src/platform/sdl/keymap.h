// SDL's keys as the game's virtual-key codes and modifier mask.
#pragma once
#include <cstdint>

// Keys as the game knows them: SDL's key codes turned into Windows' virtual-key codes, and
// SDL's modifier state into the game's mask (Shift 1, Ctrl 2, Alt 4).

namespace platform {

// The virtual-key code of an SDL key code, or 0 for a key the game has no code for. The keypad
// digits depend on NumLock: on, they are the keypad codes 96..105; off, they are the keys
// printed under them (8, 4, 6, 2 the arrows; 7 Home, 1 End, ...).
int VirtualKeyFromSdl(int32_t sdlKey, bool numLock);

// The game's modifier mask of an SDL modifier state.
int ModifierMaskFromSdl(int sdlMod);
// True when NumLock is on in an SDL modifier state.
bool NumLockFromSdl(int sdlMod);

}  // namespace platform
