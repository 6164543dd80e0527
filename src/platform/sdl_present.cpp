// Showing a composed frame in the real window, by one of two paths.
#include <algorithm>
#include <cstring>
#include <vector>

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

namespace {

// The frame is compared with the one shown before in tiles of this size; only changed tiles
// are scaled into the window and handed to the desktop. In play most of the window stands
// still while the scope, the map view, the gauge and the log move.
constexpr int kTile = 32;

// The frame rectangles whose tiles differ between now and before (same size), each a run of
// changed tiles along one row of tiles.
std::vector<SDL_Rect> ChangedRects(const Surface& now, const Surface& before) {
  std::vector<SDL_Rect> rects;
  for (int ty = 0; ty < now.height; ty += kTile) {
    const int th = std::min(kTile, now.height - ty);
    int runStart = -1;
    for (int tx = 0; tx <= now.width; tx += kTile) {
      bool changed = false;
      if (tx < now.width) {
        const int tw = std::min(kTile, now.width - tx);
        for (int y = ty; y < ty + th && !changed; ++y) {
          const size_t at = size_t(y) * now.width + tx;
          changed = std::memcmp(&now.pixels[at], &before.pixels[at], size_t(tw) * 4) != 0;
        }
      }
      if (changed && runStart < 0) runStart = tx;
      if (!changed && runStart >= 0) {
        rects.push_back({runStart, ty, std::min(tx, now.width) - runStart, th});
        runStart = -1;
      }
    }
  }
  return rects;
}

}  // namespace

// The frame into the window's memory at its whole-number scale (nearest pixel), the margins
// black, and the desktop told to show what changed.
void SdlScreen::PresentToWindowSurface(SDL_Surface& screen) {
  Letterbox box = FitWhole(frame_.width, frame_.height, screen.w, screen.h);
  // A new surface (the window was resized, or went full screen) starts out undefined.
  if (&screen != screenCleared_) {
    SDL_FillRect(&screen, nullptr, SDL_MapRGB(screen.format, 0, 0, 0));
    screenCleared_ = &screen;
    whole_ = true;
  }
  const bool fits = box.x >= 0 && box.y >= 0 && box.x + frame_.width * box.scale <= screen.w &&
                    box.y + frame_.height * box.scale <= screen.h;
  if (!fits || screen.format->format != SDL_PIXELFORMAT_RGB888) {
    if (SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
            frame_.pixels.data(), frame_.width, frame_.height, 32, frame_.width * 4,
            SDL_PIXELFORMAT_RGB888)) {
      SDL_Rect dst{box.x, box.y, frame_.width * box.scale, frame_.height * box.scale};
      SDL_BlitScaled(source, nullptr, &screen, &dst);
      SDL_FreeSurface(source);
    }
    SDL_UpdateWindowSurface(window_);
    return;
  }
  std::vector<SDL_Rect> parts;
  if (whole_ || shown_.width != frame_.width || shown_.height != frame_.height)
    parts.push_back({0, 0, frame_.width, frame_.height});
  else
    parts = ChangedRects(frame_, shown_);
  whole_ = false;
  if (parts.empty()) return;
  // Each changed row of a part is widened once into the surface, then copied to the rows
  // below it.
  const int scale = box.scale;
  std::vector<SDL_Rect> windowRects;
  for (const SDL_Rect& r : parts) {
    const size_t rowBytes = size_t(r.w) * scale * 4;
    for (int y = r.y; y < r.y + r.h; ++y) {
      auto* first = static_cast<uint8_t*>(screen.pixels) +
                    size_t(box.y + y * scale) * screen.pitch + size_t(box.x + r.x * scale) * 4;
      const uint32_t* from = frame_.pixels.data() + size_t(y) * frame_.width + r.x;
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
  shown_ = frame_;
  if (parts.size() == 1 && parts[0].w == frame_.width && parts[0].h == frame_.height)
    SDL_UpdateWindowSurface(window_);
  else
    SDL_UpdateWindowSurfaceRects(window_, windowRects.data(), int(windowRects.size()));
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
