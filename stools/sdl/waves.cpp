// Wave sounds on SDL_mixer: each wave one decoded chunk; every play takes a free channel.
#include <SDL_mixer.h>

#include <algorithm>

#include "backend.h"
#include "sdl/sdl_backend.h"
#include "stools_internal.h"

namespace stools::backend {
namespace {
// Beyond this many voices at once a new sound is dropped rather than growing without end.
constexpr int kMostChannels = 64;
int g_volume = MIX_MAX_VOLUME;
}  // namespace

struct Wave {
  Mix_Chunk* chunk;
};

Wave* LoadWave(const std::vector<char>& bytes, std::string& why) {
  Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), int(bytes.size())), 1);
  if (!chunk) {
    why = Mix_GetError();
    return nullptr;
  }
  // The mixer converts into a buffer several times the sound's size and keeps all of it; the
  // voice clips alone would hold some 20 MB that nothing uses. The chunk's buffer comes from
  // SDL_malloc and goes back through SDL_free, so it may be shrunk in place.
  if (chunk->allocated && chunk->alen > 0) {
    if (auto* fitted = static_cast<Uint8*>(SDL_realloc(chunk->abuf, chunk->alen)))
      chunk->abuf = fitted;
  }
  Mix_VolumeChunk(chunk, MIX_MAX_VOLUME / kHeadroom);
  return new Wave{chunk};
}

void FreeWave(Wave* wave) {
  Mix_FreeChunk(wave->chunk);  // halts any channel still playing it
  delete wave;
}

void PlayWave(Wave* wave) {
  if (Mix_PlayChannel(-1, wave->chunk, 0) >= 0) return;
  // Every channel is busy: add some and try once more.
  int channels = Mix_AllocateChannels(-1);
  if (channels >= kMostChannels) return;
  Mix_AllocateChannels(std::min(channels + sdl::kFirstChannels, kMostChannels));
  Mix_Volume(-1, g_volume);
  Mix_PlayChannel(-1, wave->chunk, 0);
}

void StopWave(Wave* wave) {
  if (!wave) {
    Mix_HaltChannel(-1);
    return;
  }
  int channels = Mix_AllocateChannels(-1);
  for (int channel = 0; channel < channels; ++channel) {
    if (Mix_Playing(channel) && Mix_GetChunk(channel) == wave->chunk) Mix_HaltChannel(channel);
  }
}

void SetWaveVolume(int32_t percent) {
  g_volume = percent * MIX_MAX_VOLUME / 100;
  Mix_Volume(-1, g_volume);
}

}  // namespace stools::backend

namespace stools::sdl {
void ResetWaveVolume() {
  backend::g_volume = MIX_MAX_VOLUME;
}
}  // namespace stools::sdl
