// SDL's keys by name, for tests that have no SDL header.
#pragma once
#include <cstdint>

namespace platform {

// The SDL key code of a key name as SDL spells it ("A", "Keypad 8", "Left Shift").
int32_t SdlKeyFromName(const char* name);
// SDL modifier states: the given modifiers held, NumLock on or off.
int SdlModifiers(bool shift, bool ctrl, bool alt, bool numLock);

}  // namespace platform
