// Opening the real window and laying it out for each form the program shows.
#include "platform/sdl/sdl_screen.h"

#include <algorithm>
#include <string>

#include "platform/host_view.h"
#include "platform/sdl/sdl_x11.h"
#include "platform/warning.h"

namespace platform {
namespace {

// The main screen's size: every window opens at the scale that fits this screen, so the
// launcher appears at the same magnification as the main window after it.
constexpr int kScreenWidth = 640, kScreenHeight = 480;
// Room for a title bar when the desktop does not tell the size of its borders.
constexpr int kAssumedTitleBar = 32;

}  // namespace

SdlScreen::~SdlScreen() {
  if (texture_) SDL_DestroyTexture(texture_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (window_) SDL_DestroyWindow(window_);
}

bool SdlScreen::Open(const Form& form) {
  window_ = SDL_CreateWindow(form.caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                             std::max(1, form.clientWidth), std::max(1, form.clientHeight),
                             SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI);
  if (!window_) {
    Warn(std::string("cannot open a window: ") + SDL_GetError());
    return false;
  }
  if (!SDL_GetWindowSurface(window_)) {
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer_) {
      Warn(std::string("cannot draw into the window: ") + SDL_GetError());
      return false;
    }
  }
  SDL_DisplayMode mode;
  int display = std::max(0, SDL_GetWindowDisplayIndex(window_));
  if (SDL_GetCurrentDisplayMode(display, &mode) == 0 && mode.refresh_rate > 0)
    refreshMicros_ = 1000000 / mode.refresh_rate;
  ForgiveVanishedWindows();
  return true;
}

int SdlScreen::ChooseScale(const Form& form) {
  int display = std::max(0, SDL_GetWindowDisplayIndex(window_));
  SDL_Rect usable{0, 0, kScreenWidth, kScreenHeight};
  if (SDL_GetDisplayUsableBounds(display, &usable) != 0) return 1;
  int top = 0, left = 0, bottom = 0, right = 0;
  if (SDL_GetWindowBordersSize(window_, &top, &left, &bottom, &right) != 0 &&
      form.def && form.def->bordered)
    top = kAssumedTitleBar;
  int availW = usable.w - left - right, availH = usable.h - top - bottom;
  return std::min(WholeScaleToFit(form.clientWidth, form.clientHeight, availW, availH),
                  WholeScaleToFit(kScreenWidth, kScreenHeight, availW, availH));
}

bool SdlScreen::Follow(const Form& form) {
  bool laidOut = false;
  if (&form != form_ || form.clientWidth != clientW_ || form.clientHeight != clientH_) {
    bool first = form_ == nullptr;
    form_ = &form;
    clientW_ = form.clientWidth;
    clientH_ = form.clientHeight;
    const bool bordered = !form.def || form.def->bordered;
    SDL_SetWindowBordered(window_, bordered ? SDL_TRUE : SDL_FALSE);
    AskForFixedWindow(window_, bordered);
    int scale = ChooseScale(form);
    SDL_SetWindowSize(window_, std::max(1, form.clientWidth) * scale,
                      std::max(1, form.clientHeight) * scale);
    SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    if (texture_) SDL_DestroyTexture(texture_);
    texture_ = nullptr;
    if (renderer_)
      texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                   std::max(1, form.clientWidth), std::max(1, form.clientHeight));
    screenCleared_ = nullptr;
    whole_ = true;
    if (!form.icon.Empty()) {
      SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(
          const_cast<uint32_t*>(form.icon.pixels.data()), form.icon.width, form.icon.height, 32, form.icon.width * 4,
          SDL_PIXELFORMAT_RGB888);
      if (icon) {
        SDL_SetWindowIcon(window_, icon);
        SDL_FreeSurface(icon);
      }
    }
    if (first) SDL_ShowWindow(window_);
    SDL_RaiseWindow(window_);
    laidOut = true;
  }
  if (form.caption != caption_) {  // the hidden modes change the caption
    caption_ = form.caption;
    SDL_SetWindowTitle(window_, form.caption.c_str());
    SetLegacyTitle(window_, form.caption);
  }
  if (laidOut) ForgiveVanishedWindows();  // SDL puts back X's own handler around some calls
  return laidOut;
}

void SdlScreen::ToggleFullscreen() {
  // Without a window manager SDL would draw for a full screen the window never gets, shifted
  // and cut off; the window stays as it is.
  if (!fullscreen_ && !WindowManagerRuns(window_)) {
    WarnOnce("full screen needs a window manager; the window stays as it is");
    return;
  }
  fullscreen_ = !fullscreen_;
  whole_ = true;
  SDL_SetWindowFullscreen(window_, fullscreen_ ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
}

bool SdlScreen::WindowToClient(int wx, int wy, int& cx, int& cy) {
  if (!window_ || !form_) return false;
  int winW = 0, winH = 0, drawW = 0, drawH = 0;
  SDL_GetWindowSize(window_, &winW, &winH);
  if (!DrawableSize(drawW, drawH) || winW <= 0 || winH <= 0) return false;
  // Mouse positions come in window points; HiDPI drawables have more pixels than points.
  int px = int(int64_t(wx) * drawW / winW), py = int(int64_t(wy) * drawH / winH);
  Letterbox box = FitWhole(form_->clientWidth, form_->clientHeight, drawW, drawH);
  DrawableToClient(box, px, py, cx, cy);
  return cx >= 0 && cy >= 0 && cx < form_->clientWidth && cy < form_->clientHeight;
}

bool SdlScreen::ClientToWindow(const Rect& r, SDL_Rect& out) {
  if (!window_ || !form_) return false;
  int winW = 0, winH = 0, drawW = 0, drawH = 0;
  SDL_GetWindowSize(window_, &winW, &winH);
  if (!DrawableSize(drawW, drawH) || drawW <= 0 || drawH <= 0) return false;
  Letterbox lb = FitWhole(form_->clientWidth, form_->clientHeight, drawW, drawH);
  auto px = [&](int v, int offset, int points, int pixels) {
    return int(int64_t(offset + v * lb.scale) * points / pixels);
  };
  out = SDL_Rect{px(r.x, lb.x, winW, drawW), px(r.y, lb.y, winH, drawH), px(r.w, 0, winW, drawW),
                 px(r.h, 0, winH, drawH)};
  return true;
}

// The size in pixels of what the window shows (more than its size in points on HiDPI).
bool SdlScreen::DrawableSize(int& w, int& h) {
  if (renderer_) return SDL_GetRendererOutputSize(renderer_, &w, &h) == 0;
  SDL_Surface* screen = SDL_GetWindowSurface(window_);
  if (!screen) return false;
  w = screen->w;
  h = screen->h;
  return true;
}

}  // namespace platform
