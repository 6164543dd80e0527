#pragma once
// Shared inside the Windows backend: the device's mixer, and the music's start and end.
#include "win32/mixer.h"

namespace stools::win32 {

Mixer& TheMixer();
void CloseMusic();  // stops the music and closes the MIDI stream

}  // namespace stools::win32
