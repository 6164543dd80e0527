#pragma once
#include <string_view>

namespace platform {

// One line on stderr for one cause, after the game's name: "K.Z.V: text".
void Warn(std::string_view text);

}  // namespace platform
