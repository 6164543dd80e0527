#pragma once
#include <SDL.h>

#include <string>

namespace platform {

// Shows the stop box in a window of its own, centred on the screen above owner (when there is
// one) at the game's scale, and waits until it is closed: its OK button, Enter, Space or
// Escape, or its close box. Nothing else of the program runs meanwhile.
void RunStopBox(const std::string& title, const std::string& text, SDL_Window* owner);

}  // namespace platform
