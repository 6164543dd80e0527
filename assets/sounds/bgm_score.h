#pragma once
#include <cstdint>
#include <vector>

// "bgm.mid": the music under play, our own composition. A slow A-minor ostinato over pads and
// a soft bass pulse with sparse drums, 21 bars of 4/4 at 85 beats a minute (just under a
// minute), written to loop: the last bar is the dominant that leads back into the first, every
// part plays right up to the end and every note is off exactly at the loop point.
namespace sounds {

constexpr double kMusicTempo = 85.0;
constexpr int kMusicBars = 21;

std::vector<uint8_t> ComposeBackgroundMusic();

}  // namespace sounds
