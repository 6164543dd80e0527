// Showing a composed frame in the real window, by one of two paths.
#include <cstring>

#include "platform/compose.h"
#include "platform/host_view.h"
#include "platform/sdl_screen.h"

namespace platform {

void SdlScreen::Present(Form& form) {
  ComposeForm(form, frame_);
  if (renderer_) {
    PresentWithRenderer();
  } else if (SDL_Surface* screen = SDL_GetWindowSurface(window_)) {
    PresentToWindowSurface(*screen);
  }
}

// One copy of the frame into the window's memory at its whole-number scale (nearest pixel),
// the margins black, and the desktop told to show it.
void SdlScreen::PresentToWindowSurface(SDL_Surface& screen) {
  Letterbox box = FitWhole(frame_.width, frame_.height, screen.w, screen.h);
  // A new surface (the window was resized, or went full screen) starts out undefined.
  if (&screen != screenCleared_) {
    SDL_FillRect(&screen, nullptr, SDL_MapRGB(screen.format, 0, 0, 0));
    screenCleared_ = &screen;
  }
  const bool fits = box.x >= 0 && box.y >= 0 && box.x + frame_.width * box.scale <= screen.w &&
                    box.y + frame_.height * box.scale <= screen.h;
  if (fits && screen.format->format == SDL_PIXELFORMAT_RGB888) {
    // Each frame row is widened once into the surface, then copied to the rows below it.
    const int scale = box.scale;
    const size_t rowBytes = size_t(frame_.width) * scale * 4;
    auto* base = static_cast<uint8_t*>(screen.pixels) + size_t(box.y) * screen.pitch +
                 size_t(box.x) * 4;
    for (int y = 0; y < frame_.height; ++y) {
      uint8_t* first = base + size_t(y) * scale * screen.pitch;
      const uint32_t* from = frame_.pixels.data() + size_t(y) * frame_.width;
      if (scale == 1) {
        std::memcpy(first, from, rowBytes);
      } else {
        auto* to = reinterpret_cast<uint32_t*>(first);
        for (int x = 0; x < frame_.width; ++x)
          for (int k = 0; k < scale; ++k) *to++ = from[x];
      }
      for (int k = 1; k < scale; ++k) std::memcpy(first + size_t(k) * screen.pitch, first, rowBytes);
    }
  } else if (SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
                 frame_.pixels.data(), frame_.width, frame_.height, 32, frame_.width * 4,
                 SDL_PIXELFORMAT_RGB888)) {
    SDL_Rect dst{box.x, box.y, frame_.width * box.scale, frame_.height * box.scale};
    SDL_BlitScaled(source, nullptr, &screen, &dst);
    SDL_FreeSurface(source);
  }
  SDL_UpdateWindowSurface(window_);
}

void SdlScreen::PresentWithRenderer() {
  SDL_UpdateTexture(texture_, nullptr, frame_.pixels.data(), frame_.width * 4);
  int drawW = 0, drawH = 0;
  SDL_GetRendererOutputSize(renderer_, &drawW, &drawH);
  Letterbox box = FitWhole(frame_.width, frame_.height, drawW, drawH);
  SDL_Rect dst{box.x, box.y, frame_.width * box.scale, frame_.height * box.scale};
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  SDL_RenderCopy(renderer_, texture_, nullptr, &dst);
  SDL_RenderPresent(renderer_);
}

}  // namespace platform
