// Wave sounds: each slot holds one decoded chunk; every play takes a free mixer channel.
#include <SDL_mixer.h>

#include <algorithm>
#include <cstring>
#include <map>

#include "stools_internal.h"

namespace stools {
namespace {
// Beyond this many voices at once a new sound is dropped rather than growing without end.
constexpr int kMostChannels = 64;
// The sounds a slot may hold: sample rates of real wave files, and at most some six minutes once
// converted to the output (44100 Hz, 16-bit stereo).
constexpr int kLowestRate = 1000;
constexpr int kHighestRate = 384000;
constexpr uint64_t kOutputRate = 44100;
constexpr uint64_t kOutputFrameBytes = 4;
constexpr uint64_t kLargestSound = 64u << 20;

std::map<int32_t, Mix_Chunk*> g_slots;
int g_volume = MIX_MAX_VOLUME;

// Every chunk after the RIFF header lies inside the file. A damaged size would have the wave
// reader reserve memory for all of it (up to 4 GB) before finding the file short. The file is
// left at its start.
bool ChunksFitTheFile(SDL_RWops* file) {
  const Sint64 size = SDL_RWsize(file);
  if (size < 0) return false;
  for (Sint64 at = 12; at + 8 <= size;) {
    Uint8 header[8];
    if (SDL_RWseek(file, at, RW_SEEK_SET) != at || SDL_RWread(file, header, 1, 8) != 8) return false;
    const Sint64 length = Sint64(header[4]) | Sint64(header[5]) << 8 | Sint64(header[6]) << 16 |
                          Sint64(header[7]) << 24;
    if (length > size - at - 8) return false;
    at += 8 + length + (length & 1);
  }
  return SDL_RWseek(file, 0, RW_SEEK_SET) == 0;
}

// Why a file cannot go into a slot, or "" when it can; the file is then left at its start.
std::string WaveFault(SDL_RWops* file) {
  // Only RIFF wave files: the mixer would also take music formats (MIDI, Ogg, MP3, ...) and hand
  // them to decoders that the slots have no use for.
  char head[12];
  if (SDL_RWread(file, head, 1, sizeof head) != sizeof head || std::memcmp(head, "RIFF", 4) != 0 ||
      std::memcmp(head + 8, "WAVE", 4) != 0) {
    return "not a wave file";
  }
  if (!ChunksFitTheFile(file)) return "a part of it runs past the end of the file";
  // What the sound becomes at the output's rate must stay of a sound's size: a damaged header
  // with a rate of a few samples a second would otherwise grow into gigabytes.
  SDL_AudioSpec spec;
  Uint8* samples = nullptr;
  Uint32 length = 0;
  if (!SDL_LoadWAV_RW(file, 0, &spec, &samples, &length)) return SDL_GetError();
  SDL_FreeWAV(samples);
  const uint64_t frameBytes = uint64_t(SDL_AUDIO_BITSIZE(spec.format) / 8) * spec.channels;
  const uint64_t frames = frameBytes ? length / frameBytes : 0;
  if (spec.freq < kLowestRate || spec.freq > kHighestRate ||
      frames * kOutputFrameBytes * kOutputRate / uint64_t(spec.freq) > kLargestSound) {
    return "a sample rate of " + std::to_string(spec.freq) + " Hz for " + std::to_string(frames) +
           " samples";
  }
  if (SDL_RWseek(file, 0, RW_SEEK_SET) != 0) return SDL_GetError();
  return "";
}

void FreeSlot(int32_t slot) {
  auto it = g_slots.find(slot);
  if (it == g_slots.end()) return;
  Mix_FreeChunk(it->second);  // halts any channel still playing it
  g_slots.erase(it);
}
}  // namespace

void LoadWave(int32_t slot, const std::string& path) {
  FreeSlot(slot);
  auto refuse = [&](const std::string& why) {
    WarnOnce("wave:" + path, "cannot read the sound file " + path + " (" + why + "); slot " +
                                 std::to_string(slot) + " stays silent");
  };
  SDL_RWops* file = SDL_RWFromFile(path.c_str(), "rb");
  if (!file) return refuse(SDL_GetError());
  if (std::string fault = WaveFault(file); !fault.empty()) {
    SDL_RWclose(file);
    return refuse(fault);
  }
  Mix_Chunk* chunk = Mix_LoadWAV_RW(file, 1);
  if (!chunk) return refuse(Mix_GetError());
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
