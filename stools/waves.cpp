// Wave sounds: each slot holds one decoded chunk; every play takes a free mixer channel.
#include <SDL_mixer.h>

#include <algorithm>
#include <map>

#include "stools_internal.h"

namespace stools {
namespace {
// Beyond this many voices at once a new sound is dropped rather than growing without end.
constexpr int kMostChannels = 64;

std::map<int32_t, Mix_Chunk*> g_slots;
int g_volume = MIX_MAX_VOLUME;

void FreeSlot(int32_t slot) {
  auto it = g_slots.find(slot);
  if (it == g_slots.end()) return;
  Mix_FreeChunk(it->second);  // halts any channel still playing it
  g_slots.erase(it);
}
}  // namespace

void LoadWave(int32_t slot, const std::string& path) {
  FreeSlot(slot);
  Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
  if (!chunk) {
    WarnOnce("wave:" + path, "cannot read the sound file " + path + " (" + Mix_GetError() +
                                 "); slot " + std::to_string(slot) + " stays silent");
    return;
  }
  // The mixer converts into a buffer several times the sound's size and keeps all of it; the
  // voice clips alone would hold some 20 MB that nothing uses. The chunk's buffer comes from
  // SDL_malloc and goes back through SDL_free, so it may be shrunk in place.
  if (chunk->allocated && chunk->alen > 0) {
    if (auto* fitted = static_cast<Uint8*>(SDL_realloc(chunk->abuf, chunk->alen)))
      chunk->abuf = fitted;
  }
  Mix_VolumeChunk(chunk, MIX_MAX_VOLUME / kHeadroom);
  g_slots[slot] = chunk;
}

void PlayWave(int32_t slot) {
  auto it = g_slots.find(slot);
  if (it == g_slots.end()) return;
  if (Mix_PlayChannel(-1, it->second, 0) >= 0) return;
  // Every channel is busy: add some and try once more.
  int channels = Mix_AllocateChannels(-1);
  if (channels >= kMostChannels) return;
  Mix_AllocateChannels(std::min(channels + kFirstChannels, kMostChannels));
  Mix_Volume(-1, g_volume);
  Mix_PlayChannel(-1, it->second, 0);
}

void StopWave(int32_t slot) {
  if (slot < 0) {
    Mix_HaltChannel(-1);
    return;
  }
  auto it = g_slots.find(slot);
  if (it == g_slots.end()) return;
  int channels = Mix_AllocateChannels(-1);
  for (int channel = 0; channel < channels; ++channel) {
    if (Mix_Playing(channel) && Mix_GetChunk(channel) == it->second) Mix_HaltChannel(channel);
  }
}

void SetWaveVolume(int32_t percent) {
  percent = std::clamp(percent, 0, 100);
  g_volume = percent * MIX_MAX_VOLUME / 100;
  Mix_Volume(-1, g_volume);
}

void ReleaseWaves() {
  for (auto& [slot, chunk] : g_slots) Mix_FreeChunk(chunk);
  g_slots.clear();
  g_volume = MIX_MAX_VOLUME;
}

}  // namespace stools
