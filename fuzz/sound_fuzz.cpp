// The sound library on arbitrary bytes, as a damaged se*.wav, opr*.wav or bgm.mid would reach
// it: every input is loaded into a wave slot and played, then loaded as the music, played and
// rendered. Nothing may crash or hang, and a stopped piece must be silent.
#include <SDL_mixer.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "sdl/sdl_backend.h"
#include "stools.h"

namespace {

constexpr int32_t kSlot = 13;
// Enough music for the player to read the whole file and play its first events.
constexpr int kFramesPlayed = 1024;

void OpenLibrary() {
  static const bool open = [] {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (!STInit(0, 0)) Fail("the sound library did not open even the dummy audio device");
    // The music is rendered here rather than on the audio thread, so that every input plays
    // the same way each time.
    Mix_HookMusic(nullptr, nullptr);
    return true;
  }();
  (void)open;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  OpenLibrary();
  const std::string path = (ScratchFolder("sound") / "input").string();
  WriteBytes(path, std::string_view(reinterpret_cast<const char*>(data), size));

  STReadFile(kSlot, path.c_str(), 3);
  STPlay(kSlot);
  STStop(kSlot);

  MTReadFile(path.c_str());
  MTSetTempo(85);
  MTPlay();
  std::vector<int16_t> frames(2 * kFramesPlayed);
  stools::sdl::RenderMusic(frames.data(), kFramesPlayed);
  MTStop();
  stools::sdl::RenderMusic(frames.data(), 256);
  for (int i = 0; i < 2 * 256; ++i) {
    if (frames[size_t(i)] != 0) Fail("the music sounds after MTStop");
  }
  return 0;
}
