#pragma once
// Shared inside the sound library only: the parts talk through these few functions.
#include <cstdint>
#include <string>
#include <vector>

namespace stools {

// Writes "Stools.dll: <text>" to stderr the first time a cause is seen in this run; later calls
// with the same cause stay quiet, so a silent game is announced once, not at every call.
void WarnOnce(const std::string& cause, const std::string& text);
void ForgetWarnings();

// True between a successful STInit and STShutdown.
bool AudioOpen();

// Every sound enters the mixer at 1/kHeadroom of its level; the limiter (mix_limiter.cpp)
// restores the level after the mix and keeps the sum below full scale.
constexpr int kHeadroom = 4;
void StartLimiter();
void StopLimiter();

// Waves (waves.cpp).
void LoadWave(int32_t slot, const std::string& path);
void PlayWave(int32_t slot);
void StopWave(int32_t slot);
void SetWaveVolume(int32_t percent);
void ReleaseWaves();
constexpr int kFirstChannels = 16;

// True when bytes are a Standard MIDI File of format 0 or 1 whose chunks lie inside the file and
// whose tracks are each whole, event by event (midi_check.cpp).
bool MidiFileIsWhole(const std::vector<char>& bytes);

// Music (music.cpp).
void StartMusicEngine();  // installs the hook that renders the music into the mixer
// Renders the next frames of the music (16-bit stereo at 44100 Hz) into out, silence when none
// plays: what the mixer's hook does on the audio thread.
void RenderMusic(int16_t* out, int frames);
void LoadMusic(const std::string& path);
void SetMusicTempo(int32_t bpm);
void PlayMusic(int32_t fadeInMs);
void StopMusic(int32_t fadeOutMs);
int32_t MusicPositionMs();
void ReleaseMusic();

}  // namespace stools
