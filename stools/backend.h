#pragma once
// What a sound backend does for the library: one folder each (sdl/, win32/), one of which the
// build takes. The library checks every file before a backend sees its bytes, keeps the slots
// and speaks to the game; a backend only makes the sound.
#include <cstdint>
#include <string>
#include <vector>

namespace stools::backend {

// Opens the audio device for 16-bit stereo at 44100 Hz, with the limiter after the mix.
// window is the handle the game gave STInit. False, with the reason, when there is none.
bool OpenDevice(int32_t window, std::string& why);
// Stops every sound, forgets the music and closes the device. Waves must be freed before.
void CloseDevice();

// A decoded wave sound.
struct Wave;
// Decodes the bytes of a checked RIFF wave file; nullptr, with the reason, when it cannot.
Wave* LoadWave(const std::vector<char>& bytes, std::string& why);
void FreeWave(Wave* wave);  // stops its voices first
// Starts the wave on a free voice; the voices of a wave overlap.
void PlayWave(Wave* wave);
// Stops every voice of the wave, or every voice at all for nullptr.
void StopWave(Wave* wave);
void SetWaveVolume(int32_t percent);  // 0..100, every wave

// Stops and forgets the music.
void ForgetMusic();
// Takes a checked Standard MIDI File as the music; false, with the reason, when the player
// refuses it.
bool LoadMusic(const std::vector<char>& midi, std::string& why);
// From the beginning, repeating until stopped; with a fade-in over fadeInMs when above 0
// (only the volume rises when it plays already).
void PlayMusic(int32_t fadeInMs);
// At once, or after a fade-out over fadeOutMs when above 0; the next play starts afresh.
void StopMusic(int32_t fadeOutMs);
void SetMusicTempo(int32_t bpm);  // beats per minute; 0: the file's own tempo
int32_t MusicPositionMs();        // played since the start, repeats included; 0 when stopped

}  // namespace stools::backend
