// The one real window on SDL2: laid out for a form at a whole-number scale, showing its frames.
#pragma once
#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/raster/rect.h"
#include "platform/raster/surface.h"
#include "platform/toolkit/window.h"

namespace platform {

// The one real window: it takes the front form's size at the whole-number scale that fits the
// desktop, its caption and icon, and shows each frame of it.
class SdlScreen {
 public:
  SdlScreen() = default;
  SdlScreen(const SdlScreen&) = delete;
  SdlScreen& operator=(const SdlScreen&) = delete;
  ~SdlScreen();

  // Opens the (hidden) window for the first form; false, with the reason on stderr, when the
  // desktop gives none.
  bool Open(const Form& form);
  bool IsOpen() const { return window_ != nullptr; }
  SDL_Window* Window() const { return window_; }

  // Lays the window out for form when it is another form or its size changed (shown, raised
  // and centred), and follows its caption. True when the window was laid out anew.
  bool Follow(const Form& form);
  void ToggleFullscreen();

  // Shows a frame of the laid-out form: only the parts that changed since the frame before,
  // unless the window must be shown whole again (ShowWholeNext).
  void Present(const Surface& frame, const std::vector<Rect>& changed);
  // The desktop lost what the window showed (it was covered, resized or restored).
  void ShowWholeNext() { whole_ = true; }

  // A point in window coordinates mapped to the laid-out form's client pixels; false outside it.
  bool WindowToClient(int wx, int wy, int& cx, int& cy);
  // A client rectangle of the laid-out form in window points; false when the size is unknown.
  bool ClientToWindow(const Rect& r, SDL_Rect& out);

  // The display's refresh period.
  int64_t RefreshMicros() const { return refreshMicros_; }

 private:
  int ChooseScale(const Form& form);
  bool DrawableSize(int& w, int& h);
  void PresentToWindowSurface(SDL_Surface& screen, const Surface& frame,
                              const std::vector<Rect>& changed);
  void PresentWithRenderer(const Surface& frame);

  SDL_Window* window_ = nullptr;
  // The frame goes into the window's own surface; only where that cannot be had, through a
  // renderer and its texture.
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  SDL_Surface* screenCleared_ = nullptr;  // the window surface last cleared to black
  bool whole_ = true;   // the next frame goes out whole

  const Form* form_ = nullptr;  // the form the window is laid out for
  int clientW_ = 0, clientH_ = 0;
  std::string caption_;
  bool fullscreen_ = false;
  int64_t refreshMicros_ = 16667;
};

}  // namespace platform
