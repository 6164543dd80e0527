// The audio device on SDL: SDL_mixer's output at 44100 Hz, 16-bit stereo, with the library's
// limiter after its mix.
#include <SDL.h>
#include <SDL_mixer.h>
#include <dlfcn.h>

#include "backend.h"
#include "limiter.h"
#include "sdl/sdl_backend.h"

namespace stools::backend {
namespace {

Limiter g_limiter;

void Limit(void*, Uint8* stream, int length) {
  g_limiter.Process(reinterpret_cast<int16_t*>(stream), length / 4);
}

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

// The window handle is not used: playback belongs to the library, not to a window.
bool OpenDevice(int32_t /*window*/, std::string& why) {
  QuietenAlsa();
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    why = SDL_GetError();
    return false;
  }
  // No format changes allowed: the music hook writes 16-bit stereo at 44100 Hz, and SDL
  // converts for the real device when it needs to. Blocks of 2048 frames (46 ms) wake the
  // sound thread half as often as 1024 would, which is most of what the sound costs beside
  // the synthesiser; a sound still starts within three frames of its picture.
  if (Mix_OpenAudioDevice(44100, AUDIO_S16SYS, 2, 2048, nullptr, 0) != 0) {
    why = Mix_GetError();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  Mix_AllocateChannels(sdl::kFirstChannels);
  g_limiter.Reset();
  Mix_SetPostMix(Limit, nullptr);
  sdl::StartMusicEngine();
  return true;
}

void CloseDevice() {
  Mix_HookMusic(nullptr, nullptr);
  Mix_SetPostMix(nullptr, nullptr);
  Mix_HaltChannel(-1);
  sdl::ReleaseMusic();
  sdl::ResetWaveVolume();
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace stools::backend
