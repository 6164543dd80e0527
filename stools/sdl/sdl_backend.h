#pragma once
// Shared inside the SDL backend: the device opens and closes the waves' and the music's parts.
#include <cstdint>

namespace stools::sdl {

constexpr int kFirstChannels = 16;

// Installs the hook that renders the music into the mixer's music stream.
void StartMusicEngine();
// Renders the next frames of the music (16-bit stereo at 44100 Hz) into out, silence when none
// plays: what the mixer's hook does on the audio thread.
void RenderMusic(int16_t* out, int frames);
void ReleaseMusic();
void ResetWaveVolume();

}  // namespace stools::sdl
