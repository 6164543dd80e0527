#pragma once
#include <cstdint>
#include <vector>

// The game's music: our own looping piece as a General MIDI file.
namespace sounds {

constexpr int kMusicTempo = 85;  // beats per minute, the tempo the game sets
constexpr int kMusicBars = 20;   // 4/4 bars: 80 beats, about 56 seconds at 85 BPM

// The bytes of "bgm.mid": format 0, one track, ending exactly at the end of the last bar with
// every note released, so that a player looping it hears no seam.
std::vector<uint8_t> MakeMusic();

}  // namespace sounds
