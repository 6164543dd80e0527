#pragma once
#include <string>
#include <vector>

#include "wave_file.h"

// The game's sound effects, synthesised from scratch: file "se10.wav" … "se17.wav".
namespace sounds {

struct NamedSound {
  std::string file;
  Sound sound;
};

// se10 hover blip, se11 recharge whine, se12 charge complete, se13 the shot, se14 menu move,
// se15 menu confirm, se16 result jingle, se17 bystander alarm; in that order.
std::vector<NamedSound> MakeSoundEffects();

}  // namespace sounds
