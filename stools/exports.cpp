// Stools.dll, the game's sound library: what it exports and what each function does.
//
// Every function returns at once and returns 1 when it did its work, 0 otherwise; the game
// ignores the results. Without an audio device, a SoundFont or a readable file the game simply
// stays silent (one warning on stderr per cause, after the game's name).
//
// Whatever plays together, the mix stays below full scale: a limiter after the mix lowers the
// peaks that would clip (limiter.h).
//
// STInit(hwnd, flags)   opens the audio device (44100 Hz, 16 bit, stereo). The flags are not
//                       used; playback goes on after the window that was named has closed.
// STReadFile(slot, path, mode)   decodes the wave file at path into the slot (any int32 slot;
//                       a slot read again is replaced). mode is not used (the game passes 3).
// STPlay(slot)          starts the slot's sound on a free voice and returns; playing the same
//                       slot again while it sounds starts another voice.
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
#include <algorithm>

#include "backend.h"
#include "stools.h"
#include "stools_internal.h"

using namespace stools;

namespace {

bool g_audioOpen = false;

// Every call but STInit and STShutdown does its work only while the audio device is open, and
// says so: 1 when it did, 0 when there is no device (or no path).
template <typename Work>
int32_t WhenOpen(bool ready, Work work) {
  if (!g_audioOpen || !ready) return 0;
  work();
  return 1;
}

}  // namespace

STOOLS_API int32_t STOOLS_CALL STInit(int32_t hwnd, int32_t /*flags*/) {
  if (g_audioOpen) return 1;
  std::string why;
  if (!backend::OpenDevice(hwnd, why)) {
    WarnOnce("no audio device (" + why + "); the game runs in silence", "device");
    return 0;
  }
  g_audioOpen = true;
  return 1;
}

STOOLS_API int32_t STOOLS_CALL STReadFile(int32_t slot, const char* path, int32_t /*mode*/) {
  return WhenOpen(path != nullptr, [&] { LoadSlot(slot, path); });
}

STOOLS_API int32_t STOOLS_CALL STPlay(int32_t slot) {
  return WhenOpen(true, [&] { PlaySlot(slot); });
}

STOOLS_API int32_t STOOLS_CALL STStop(int32_t slot) {
  return WhenOpen(true, [&] { StopSlot(slot); });
}

STOOLS_API int32_t STOOLS_CALL STSetVolume(int32_t percent) {
  return WhenOpen(true, [&] { backend::SetWaveVolume(std::clamp(percent, 0, 100)); });
}

STOOLS_API int32_t STOOLS_CALL MTReadFile(const char* path) {
  return WhenOpen(path != nullptr, [&] { LoadMusicFile(path); });
}

STOOLS_API int32_t STOOLS_CALL MTSetTempo(int32_t bpm) {
  return WhenOpen(true, [&] { backend::SetMusicTempo(std::max(bpm, 0)); });
}

STOOLS_API int32_t STOOLS_CALL MTPlay() {
  return WhenOpen(true, [] { backend::PlayMusic(0); });
}

STOOLS_API int32_t STOOLS_CALL MTStop() {
  return WhenOpen(true, [] { backend::StopMusic(0); });
}

STOOLS_API int32_t STOOLS_CALL MTFadeIn(int32_t ms) {
  return WhenOpen(true, [&] { backend::PlayMusic(std::max(ms, 0)); });
}

STOOLS_API int32_t STOOLS_CALL MTFadeOut(int32_t ms) {
  return WhenOpen(true, [&] { backend::StopMusic(std::max(ms, 0)); });
}

STOOLS_API int32_t STOOLS_CALL STGetPosition() {
  return g_audioOpen ? backend::MusicPositionMs() : 0;
}

STOOLS_API int32_t STOOLS_CALL STShutdown() {
  if (g_audioOpen) {
    FreeSlots();
    backend::CloseDevice();
    g_audioOpen = false;
  }
  ForgetWarnedOnce();
  return 1;
}
