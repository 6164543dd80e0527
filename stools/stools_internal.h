#pragma once
// Shared inside the sound library only: the portable parts talk through these few functions.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/warning.h"  // the game's own lines on the terminal, compiled in here too

namespace stools {

using platform::ForgetWarnedOnce;
using platform::WarnOnce;

// Every sound enters the mix at 1/kHeadroom of its level; the limiter (limiter.h) restores
// the level after the mix and keeps the sum below full scale.
constexpr int kHeadroom = 4;
constexpr int kOutputRate = 44100;

// The whole file, or false with the reason.
bool ReadWholeFile(const std::string& path, std::vector<char>& bytes, std::string& why);

// Why bytes cannot go into a wave slot, or "" when they can: a RIFF wave whose chunks lie
// inside the file and whose sound stays of a sound's size at the output rate (wave_check.cpp).
std::string WaveFault(const std::vector<char>& bytes);

// True when bytes are a Standard MIDI File of format 0 or 1 whose chunks lie inside the file and
// whose tracks are each whole, event by event (midi_check.cpp).
bool MidiFileIsWhole(const std::vector<char>& bytes);

// The slots (slots.cpp): any int32 number holds one wave; a slot read again is replaced.
void LoadSlot(int32_t slot, const std::string& path);
void PlaySlot(int32_t slot);
void StopSlot(int32_t slot);  // a negative slot stops every wave
void FreeSlots();

// The music (music_file.cpp): the file is checked, then handed to the backend.
void LoadMusicFile(const std::string& path);

}  // namespace stools
