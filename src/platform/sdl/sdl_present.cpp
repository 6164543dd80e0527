// Showing a composed frame in the real window, by one of two paths.
#include <cstring>
#include <vector>

#include "platform/host_view.h"
#include "platform/sdl/sdl_screen.h"

namespace platform {

void SdlScreen::Present(const Surface& frame, const std::vector<Rect>& changed) {
  if (renderer_) {
    if (!changed.empty() || whole_) PresentWithRenderer(frame);
    whole_ = false;
  } else if (SDL_Surface* screen = SDL_GetWindowSurface(window_)) {
    PresentToWindowSurface(*screen, frame, changed);
  }
}

// The frame into the window's memory at its whole-number scale (nearest pixel), the margins
// black, and the desktop told to show the parts that changed.
void SdlScreen::PresentToWindowSurface(SDL_Surface& screen, const Surface& frame,
                                       const std::vector<Rect>& changed) {
  Letterbox box = FitWhole(frame.width, frame.height, screen.w, screen.h);
  // A new surface (the window was resized, or went full screen) starts out undefined.
  if (&screen != screenCleared_) {
    SDL_FillRect(&screen, nullptr, SDL_MapRGB(screen.format, 0, 0, 0));
    screenCleared_ = &screen;
    whole_ = true;
  }
  const bool fits = box.x >= 0 && box.y >= 0 && box.x + frame.width * box.scale <= screen.w &&
                    box.y + frame.height * box.scale <= screen.h;
  if (!fits || screen.format->format != SDL_PIXELFORMAT_RGB888) {
    if (SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
            const_cast<uint32_t*>(frame.pixels.data()), frame.width, frame.height, 32, frame.width * 4,
            SDL_PIXELFORMAT_RGB888)) {
      SDL_Rect dst{box.x, box.y, frame.width * box.scale, frame.height * box.scale};
      SDL_BlitScaled(source, nullptr, &screen, &dst);
      SDL_FreeSurface(source);
    }
    SDL_UpdateWindowSurface(window_);
    return;
  }
  std::vector<Rect> parts = changed;
  if (whole_) parts.assign(1, {0, 0, frame.width, frame.height});
  whole_ = false;
  if (parts.empty()) return;
  // Each changed row of a part is widened once into the surface, then copied to the rows
  // below it.
  const int scale = box.scale;
  std::vector<SDL_Rect> windowRects;
  for (const Rect& r : parts) {
    const size_t rowBytes = size_t(r.w) * scale * 4;
    for (int y = r.y; y < r.y + r.h; ++y) {
      auto* first = static_cast<uint8_t*>(screen.pixels) +
                    size_t(box.y + y * scale) * screen.pitch + size_t(box.x + r.x * scale) * 4;
      const uint32_t* from = frame.pixels.data() + size_t(y) * frame.width + r.x;
      if (scale == 1) {
        std::memcpy(first, from, rowBytes);
      } else {
        auto* to = reinterpret_cast<uint32_t*>(first);
        for (int x = 0; x < r.w; ++x)
          for (int k = 0; k < scale; ++k) *to++ = from[x];
      }
      for (int k = 1; k < scale; ++k) std::memcpy(first + size_t(k) * screen.pitch, first, rowBytes);
    }
    windowRects.push_back({box.x + r.x * scale, box.y + r.y * scale, r.w * scale, r.h * scale});
  }
  if (parts.size() == 1 && parts[0].w == frame.width && parts[0].h == frame.height)
    SDL_UpdateWindowSurface(window_);
  else
    SDL_UpdateWindowSurfaceRects(window_, windowRects.data(), int(windowRects.size()));
}

void SdlScreen::PresentWithRenderer(const Surface& frame) {
  SDL_UpdateTexture(texture_, nullptr, frame.pixels.data(), frame.width * 4);
  int drawW = 0, drawH = 0;
  SDL_GetRendererOutputSize(renderer_, &drawW, &drawH);
  Letterbox box = FitWhole(frame.width, frame.height, drawW, drawH);
  SDL_Rect dst{box.x, box.y, frame.width * box.scale, frame.height * box.scale};
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  SDL_RenderCopy(renderer_, texture_, nullptr, &dst);
  SDL_RenderPresent(renderer_);
}

}  // namespace platform
