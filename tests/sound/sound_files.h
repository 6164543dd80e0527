#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Small sound files made by the tests themselves.

// A mono 16-bit PCM wave at 44100 Hz holding the given samples.
std::string MakeWave(const std::vector<int16_t>& samples);
// A wave of one constant sample value: overlapping voices add up to exact multiples of it.
std::string MakeConstantWave(int16_t value, int frames);

// A one-bar MIDI file (format 0, 480 ticks per beat, tempo 120 in the file) with a short,
// loud percussion hit on each of its four beats.
std::string MakeFourBeatMidi();

void WriteBytes(const std::string& path, const std::string& bytes);

// A fresh empty folder under the system's temporary folder.
std::string MakeTempDir(const std::string& tag);

// The 16-bit stereo frames of a raw recording, left channel only.
std::vector<int16_t> ReadLeftChannel(const std::string& rawPath);
