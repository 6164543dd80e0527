#pragma once
// Wave files for the Windows backend, which has no decoder of its own to lean on.
#include <cstdint>
#include <string>
#include <vector>

namespace stools::win32 {

// Decodes a checked RIFF wave of 8, 16, 24 or 32-bit PCM or 32-bit float, any rate, mono or
// stereo (further channels are left out) into 16-bit stereo frames at 44100 Hz; false, with
// the reason, for another format.
bool DecodeWave(const std::vector<char>& bytes, std::vector<int16_t>& stereo, std::string& why);

}  // namespace stools::win32
