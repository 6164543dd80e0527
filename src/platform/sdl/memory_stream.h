// SDL streams that write into memory, for SDL's picture writers.
#pragma once
#include <SDL.h>

#include <functional>
#include <optional>
#include <string>

namespace platform {

// The bytes an SDL writer (SDL_SaveBMP_RW, IMG_SavePNG_RW, IMG_SaveJPG_RW) writes into the
// stream it is given, collected in memory: the stream grows as it is written and may be sought
// back in to fill in sizes. Nothing when the writer fails (answers other than 0) or writes nothing.
std::optional<std::string> WriteToMemory(const std::function<int(SDL_RWops*)>& write);

}  // namespace platform
