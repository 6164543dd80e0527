// Stools.dll, the game's sound library: wave sounds in numbered slots played on SDL_mixer
// channels, and one MIDI piece rendered by FluidSynth into the mixer's music stream.
//
// Every function returns at once and returns 1 when it did its work, 0 otherwise; the game
// ignores the results. Without an audio device, a SoundFont or a readable file the game simply
// stays silent (one warning on stderr per cause, after the game's name).
//
// Whatever plays together, the mix stays below full scale: a limiter after the mixer lowers
// the peaks that would clip (mix_limiter.cpp).
//
// STInit(hwnd, flags)   opens the audio device (44100 Hz, 16 bit, stereo). The window handle
//                       and the flags are not used: playback belongs to the library, not to a
//                       window, so it goes on after the window that was named has closed.
// STReadFile(slot, path, mode)   decodes the wave file at path into the slot (any int32 slot;
//                       a slot read again is replaced). mode is not used (the game passes 3).
// STPlay(slot)          starts the slot's sound on a free channel and returns; playing the
//                       same slot again while it sounds starts another voice.
// STStop(slot)          stops every voice of the slot; a negative slot stops all waves.
// STSetVolume(percent)  the volume of all waves, 0..100 (clamped; 100 is the start value).
// MTReadFile(path)      loads the MIDI file (the music stops if it was playing).
// MTSetTempo(bpm)       the music's tempo in beats per minute, replacing the file's own;
//                       0 or less goes back to the file's tempo.
// MTPlay()              plays the music from its beginning at full volume, repeating without
//                       a pause until MTStop.
// MTStop()              stops the music; the next MTPlay starts from the beginning again.
// MTFadeIn(ms)          like MTPlay (from the beginning unless it is playing already), the
//                       volume rising from silence to full over ms milliseconds.
// MTFadeOut(ms)         lowers the music to silence over ms milliseconds, then stops it.
// STGetPosition()       milliseconds of music played since the music was started (repeats
//                       included), 0 while no music plays.
// STShutdown()          stops everything and closes the device, so that a later STInit starts
//                       afresh (used when the game restarts inside one process).
//
// The SoundFont is the first of KZV_SOUNDFONT (when that environment variable is set, it is
// the only one tried) or the General MIDI SoundFonts of the usual system places.
#include <SDL.h>
#include <SDL_mixer.h>
#include <dlfcn.h>

#include <cstdio>
#include <set>

#include "stools_internal.h"

#define STOOLS_EXPORT extern "C" __attribute__((visibility("default")))

namespace stools {
namespace {
bool g_audioOpen = false;
std::set<std::string> g_warned;
}  // namespace

void WarnOnce(const std::string& cause, const std::string& text) {
  if (!g_warned.insert(cause).second) return;
  std::fprintf(stderr, "K.Z.V: %s\n", text.c_str());
  std::fflush(stderr);
}

void ForgetWarnings() {
  g_warned.clear();
}

bool AudioOpen() {
  return g_audioOpen;
}

namespace {

void IgnoreAlsaDiagnostic(const char*, int, const char*, int, const char*, ...) {}

// Without a sound card ALSA writes a screenful of its own diagnostics before SDL reports the
// failure that our one warning names. SDL loads ALSA itself; loaded here first (and kept), it
// is told to keep quiet. Where ALSA is not installed there is nothing to quieten.
void QuietenAlsa() {
  static bool done = false;
  if (done) return;
  done = true;
  void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_GLOBAL);
  if (!alsa) return;
  using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
  using SetHandler = int (*)(Handler);
  if (auto set = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler")))
    set(IgnoreAlsaDiagnostic);
}

}  // namespace

}  // namespace stools

using namespace stools;

STOOLS_EXPORT int32_t STInit(int32_t /*hwnd*/, int32_t /*flags*/) {
  if (g_audioOpen) return 1;
  QuietenAlsa();
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    WarnOnce("device",
             std::string("no audio device (") + SDL_GetError() + "); the game runs in silence");
    return 0;
  }
  // No format changes allowed: the music hook writes 16-bit stereo at 44100 Hz, and SDL
  // converts for the real device when it needs to. Blocks of 2048 frames (46 ms) wake the
  // sound thread half as often as 1024 would, which is most of what the sound costs beside
  // the synthesiser; a sound still starts within three frames of its picture.
  if (Mix_OpenAudioDevice(44100, AUDIO_S16SYS, 2, 2048, nullptr, 0) != 0) {
    WarnOnce("device",
             std::string("no audio device (") + Mix_GetError() + "); the game runs in silence");
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return 0;
  }
  Mix_AllocateChannels(kFirstChannels);
  g_audioOpen = true;
  StartLimiter();
  StartMusicEngine();
  return 1;
}

namespace {

// Every call but STInit and STShutdown does its work only while the audio device is open, and
// says so: 1 when it did, 0 when there is no device (or no path).
template <typename Work>
int32_t WhenOpen(bool ready, Work work) {
  if (!g_audioOpen || !ready) return 0;
  work();
  return 1;
}

}  // namespace

STOOLS_EXPORT int32_t STReadFile(int32_t slot, const char* path, int32_t /*mode*/) {
  return WhenOpen(path != nullptr, [&] { LoadWave(slot, path); });
}

STOOLS_EXPORT int32_t STPlay(int32_t slot) {
  return WhenOpen(true, [&] { PlayWave(slot); });
}

STOOLS_EXPORT int32_t STStop(int32_t slot) {
  return WhenOpen(true, [&] { StopWave(slot); });
}

STOOLS_EXPORT int32_t STSetVolume(int32_t percent) {
  return WhenOpen(true, [&] { SetWaveVolume(percent); });
}

STOOLS_EXPORT int32_t MTReadFile(const char* path) {
  return WhenOpen(path != nullptr, [&] { LoadMusic(path); });
}

STOOLS_EXPORT int32_t MTSetTempo(int32_t bpm) {
  return WhenOpen(true, [&] { SetMusicTempo(bpm); });
}

STOOLS_EXPORT int32_t MTPlay() {
  return WhenOpen(true, [] { PlayMusic(0); });
}

STOOLS_EXPORT int32_t MTStop() {
  return WhenOpen(true, [] { StopMusic(0); });
}

STOOLS_EXPORT int32_t MTFadeIn(int32_t ms) {
  return WhenOpen(true, [&] { PlayMusic(ms > 0 ? ms : 0); });
}

STOOLS_EXPORT int32_t MTFadeOut(int32_t ms) {
  return WhenOpen(true, [&] { StopMusic(ms > 0 ? ms : 0); });
}

STOOLS_EXPORT int32_t STGetPosition() {
  if (!g_audioOpen) return 0;
  return MusicPositionMs();
}

STOOLS_EXPORT int32_t STShutdown() {
  if (g_audioOpen) {
    Mix_HookMusic(nullptr, nullptr);
    StopLimiter();
    Mix_HaltChannel(-1);
    ReleaseMusic();
    ReleaseWaves();
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    g_audioOpen = false;
  }
  ForgetWarnings();
  return 1;
}
