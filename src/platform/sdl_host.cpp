#include "platform/sdl_host.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <cstdio>
#include <optional>
#include <string>

#include "platform/clock.h"
#include "platform/compose.h"
#include "platform/host_view.h"
#include "platform/input.h"
#include "platform/keymap.h"
#include "platform/message_box.h"
#include "platform/shift_repeat.h"
#include "platform/text.h"
#include "platform/timers.h"

namespace platform {
namespace {

constexpr int kVkF11 = 122;
// The main screen's size: every window opens at the scale that fits this screen, so the
// launcher appears at the same magnification as the main window after it.
constexpr int kScreenWidth = 640, kScreenHeight = 480;
// Room for a title bar when the desktop does not tell the size of its borders.
constexpr int kAssumedTitleBar = 32;
// The text box's caret blinks at the desktop's usual rate.
constexpr int64_t kCaretBlinkMicros = 530000;

int ExitStatus(const std::string& reason) { return reason == "escape" || reason == "close" ? 0 : 1; }

std::string ReadSdlClipboard() {
  char* text = SDL_GetClipboardText();
  std::string out = text ? text : "";
  SDL_free(text);
  return out;
}

class SdlHost {
 public:
  ~SdlHost();
  int Run(const std::function<void()>& start);

 private:
  // Runs one delivery to the program; true while the program goes on.
  bool Deliver(const std::function<void()>& deliver);
  void HandleEvent(const SDL_Event& ev);
  void HandleKeyDown(const SDL_KeyboardEvent& key);
  void HandleMouseButton(const SDL_MouseButtonEvent& button);
  void FireDue();
  bool OpenWindow(Form& form);
  void SyncWindow(Form& form);
  void SyncTextInput(Form& form);
  void BlinkCaret();
  void RestartBlink();
  void Present(Form& form);
  int ChooseScale(const Form& form);
  void PresentToWindowSurface(SDL_Surface& screen);
  void PresentWithRenderer();
  bool DrawableSize(int& w, int& h);
  bool WindowToClient(int wx, int wy, int& cx, int& cy);
  std::optional<int64_t> NextWake() const;

  SDL_Window* window_ = nullptr;
  // The frame goes into the window's own surface; only where that cannot be had, through a
  // renderer and its texture.
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  SDL_Surface* screenCleared_ = nullptr;  // the window surface last cleared to black
  Surface frame_;
  FrontForm front_;
  ShiftRepeater shift_;

  Form* windowForm_ = nullptr;  // the form the window is laid out for
  int windowClientW_ = 0, windowClientH_ = 0;
  std::string windowCaption_;
  bool fullscreen_ = false;
  bool textInput_ = true;  // SDL starts with text input on
  std::optional<int64_t> nextBlink_;  // while a text box has the focus
  bool caretOn_ = true;
  Control* pressed_ = nullptr;  // where the left button went down
  bool pressedInside_ = false;

  bool dirty_ = true;
  int64_t lastPresent_ = 0;
  int64_t refreshMicros_ = 16667;

  bool ended_ = false;
  std::string endReason_;
};

SdlHost::~SdlHost() {
  if (texture_) SDL_DestroyTexture(texture_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (window_) SDL_DestroyWindow(window_);
}

bool SdlHost::Deliver(const std::function<void()>& deliver) {
  if (ended_) return false;
  try {
    deliver();
  } catch (const ProgramEnded& e) {
    ended_ = true;
    endReason_ = e.reason;
  }
  dirty_ = true;
  return !ended_;
}

int SdlHost::Run(const std::function<void()>& start) {
  SetMessageBoxHandler([this](const std::string& title, const std::string& text) {
    // Already on stderr; where no box can be shown that is all there is.
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), text.c_str(), window_);
  });
  SetClipboardReader(ReadSdlClipboard);
  SDL_StopTextInput();
  textInput_ = false;

  Deliver(start);
  while (!ended_) {
    Form* form = front_.Update();
    if (!form) {  // every window is gone: nothing is left to run
      ended_ = true;
      endReason_ = "close";
      break;
    }
    if (!window_ && !OpenWindow(*form)) {
      endReason_ = "no-window";
      break;
    }
    SyncWindow(*form);
    SyncTextInput(*form);
    int64_t now = NowMicros();
    if (dirty_ && now - lastPresent_ >= refreshMicros_) Present(*form);

    // Sleep until an event comes or the next timer, Shift repeat or held-back frame is due;
    // with none of them pending, sleep until an event: an idle title costs no CPU.
    int timeout = -1;
    if (std::optional<int64_t> wake = NextWake())
      timeout = int(std::clamp<int64_t>((*wake - now + 999) / 1000, 0, 1000));
    SDL_Event ev;
    if (SDL_WaitEventTimeout(&ev, timeout)) {
      HandleEvent(ev);
      while (!ended_ && SDL_PollEvent(&ev)) HandleEvent(ev);
    }
    FireDue();
    BlinkCaret();
  }
  SetMessageBoxHandler({});
  SetClipboardReader(nullptr);
  return ExitStatus(endReason_);
}

std::optional<int64_t> SdlHost::NextWake() const {
  std::optional<int64_t> wake = NextTimerDue();
  auto consider = [&](std::optional<int64_t> t) {
    if (t && (!wake || *t < *wake)) wake = t;
  };
  consider(shift_.NextDue());
  consider(nextBlink_);
  if (dirty_) consider(lastPresent_ + refreshMicros_);
  return wake;
}

void SdlHost::FireDue() {
  int64_t now = NowMicros();
  if (shift_.TakeDue(now)) {
    int mask = ModifierMaskFromSdl(SDL_GetModState());
    if (Form* form = front_.Update()) Deliver([&] { DeliverKeyDown(*form, vk::Shift, mask); });
  }
  // Each due timer fires once for this moment: a fired timer is next due after now.
  for (;;) {
    std::optional<int64_t> due = NextTimerDue();
    if (!due || *due > now || !Deliver([&] { FireOneDueTimer(now); })) break;
  }
}

void SdlHost::HandleEvent(const SDL_Event& ev) {
  switch (ev.type) {
    case SDL_QUIT:
      ended_ = true;
      endReason_ = "close";
      break;
    case SDL_KEYDOWN:
      HandleKeyDown(ev.key);
      break;
    case SDL_KEYUP:
      shift_.KeyUp(VirtualKeyFromSdl(ev.key.keysym.sym, NumLockFromSdl(ev.key.keysym.mod)));
      break;
    case SDL_TEXTINPUT:
      if (Form* form = front_.Update()) Deliver([&] { DeliverText(*form, ev.text.text); });
      RestartBlink();
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      HandleMouseButton(ev.button);
      break;
    case SDL_WINDOWEVENT:
      switch (ev.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
          ended_ = true;
          endReason_ = "close";
          break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
          shift_.Stop();
          break;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_RESTORED:
          dirty_ = true;
          break;
        default:
          break;
      }
      break;
    default:
      break;
  }
}

void SdlHost::HandleKeyDown(const SDL_KeyboardEvent& key) {
  int code = VirtualKeyFromSdl(key.keysym.sym, NumLockFromSdl(key.keysym.mod));
  int mask = ModifierMaskFromSdl(key.keysym.mod);
  // Full screen belongs to the host; the game never sees these keys.
  if (code == kVkF11 || (code == vk::Enter && (mask & vk::MaskAlt))) {
    if (!key.repeat && window_) {
      fullscreen_ = !fullscreen_;
      SDL_SetWindowFullscreen(window_, fullscreen_ ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
      dirty_ = true;
    }
    return;
  }
  shift_.KeyDown(code, key.repeat != 0, NowMicros());  // any other key ends Shift's repeats
  if (code == 0) return;
  if (Form* form = front_.Update()) Deliver([&] { DeliverKeyDown(*form, code, mask); });
  RestartBlink();
}

// A click is a press and a release of the left button over the same control, as the game's
// toolkit counts it.
void SdlHost::HandleMouseButton(const SDL_MouseButtonEvent& button) {
  if (button.button != SDL_BUTTON_LEFT) return;
  Form* form = front_.Update();
  int cx = 0, cy = 0;
  bool inside = form && WindowToClient(button.x, button.y, cx, cy);
  Control* under = inside ? HitTest(*form, cx, cy) : nullptr;
  if (button.type == SDL_MOUSEBUTTONDOWN) {
    pressed_ = under;
    pressedInside_ = inside;
    return;
  }
  bool click = inside && pressedInside_ && under == pressed_;
  pressed_ = nullptr;
  pressedInside_ = false;
  if (click) Deliver([&] { DeliverClick(*form, cx, cy); });
}

bool SdlHost::WindowToClient(int wx, int wy, int& cx, int& cy) {
  if (!window_ || !windowForm_) return false;
  int winW = 0, winH = 0, drawW = 0, drawH = 0;
  SDL_GetWindowSize(window_, &winW, &winH);
  if (!DrawableSize(drawW, drawH) || winW <= 0 || winH <= 0) return false;
  // Mouse positions come in window points; HiDPI drawables have more pixels than points.
  int px = int(int64_t(wx) * drawW / winW), py = int(int64_t(wy) * drawH / winH);
  Letterbox box = FitWhole(windowForm_->clientWidth, windowForm_->clientHeight, drawW, drawH);
  DrawableToClient(box, px, py, cx, cy);
  return cx >= 0 && cy >= 0 && cx < windowForm_->clientWidth && cy < windowForm_->clientHeight;
}

bool SdlHost::OpenWindow(Form& form) {
  window_ = SDL_CreateWindow(form.caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                             std::max(1, form.clientWidth), std::max(1, form.clientHeight),
                             SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI);
  if (!window_) {
    std::fprintf(stderr, "K.Z.V: cannot open a window: %s\n", SDL_GetError());
    return false;
  }
  if (!SDL_GetWindowSurface(window_)) {
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer_) {
      std::fprintf(stderr, "K.Z.V: cannot draw into the window: %s\n", SDL_GetError());
      return false;
    }
  }
  SDL_DisplayMode mode;
  int display = std::max(0, SDL_GetWindowDisplayIndex(window_));
  if (SDL_GetCurrentDisplayMode(display, &mode) == 0 && mode.refresh_rate > 0)
    refreshMicros_ = 1000000 / mode.refresh_rate;
  return true;
}

int SdlHost::ChooseScale(const Form& form) {
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

void SdlHost::SyncWindow(Form& form) {
  if (&form != windowForm_ || form.clientWidth != windowClientW_ ||
      form.clientHeight != windowClientH_) {
    bool first = windowForm_ == nullptr;
    windowForm_ = &form;
    windowClientW_ = form.clientWidth;
    windowClientH_ = form.clientHeight;
    SDL_SetWindowBordered(window_, form.def && !form.def->bordered ? SDL_FALSE : SDL_TRUE);
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
    frame_ = Surface(std::max(1, form.clientWidth), std::max(1, form.clientHeight));
    if (!form.icon.Empty()) {
      SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(
          form.icon.pixels.data(), form.icon.width, form.icon.height, 32, form.icon.width * 4,
          SDL_PIXELFORMAT_RGB888);
      if (icon) {
        SDL_SetWindowIcon(window_, icon);
        SDL_FreeSurface(icon);
      }
    }
    if (first) SDL_ShowWindow(window_);
    SDL_RaiseWindow(window_);
    dirty_ = true;
  }
  if (form.caption != windowCaption_) {  // the hidden modes change the caption
    windowCaption_ = form.caption;
    SDL_SetWindowTitle(window_, form.caption.c_str());
  }
}

// Text input follows the text box's focus, so an input method opens only while it can type.
void SdlHost::SyncTextInput(Form& form) {
  Control* box = FocusedTextBox(form);
  if (box && !textInput_) {
    // The input method's window goes beside the box: its rectangle in window points.
    Rect r = ClientRect(*box);
    int winW = 0, winH = 0, drawW = 0, drawH = 0;
    SDL_GetWindowSize(window_, &winW, &winH);
    if (DrawableSize(drawW, drawH) && drawW > 0 && drawH > 0) {
      Letterbox lb = FitWhole(form.clientWidth, form.clientHeight, drawW, drawH);
      auto px = [&](int v, int offset, int points, int pixels) {
        return int(int64_t(offset + v * lb.scale) * points / pixels);
      };
      SDL_Rect where{px(r.x, lb.x, winW, drawW), px(r.y, lb.y, winH, drawH),
                     px(r.w, 0, winW, drawW), px(r.h, 0, winH, drawH)};
      SDL_SetTextInputRect(&where);
    }
    SDL_StartTextInput();
    textInput_ = true;
    nextBlink_ = NowMicros();
    RestartBlink();
  } else if (!box && textInput_) {
    SDL_StopTextInput();
    textInput_ = false;
    nextBlink_.reset();
  }
}

// Typing and editing keys show the caret at once, as a desktop text box does.
void SdlHost::RestartBlink() {
  if (!nextBlink_) return;
  caretOn_ = true;
  SetCaretVisible(true);
  nextBlink_ = NowMicros() + kCaretBlinkMicros;
}

void SdlHost::BlinkCaret() {
  int64_t now = NowMicros();
  if (!nextBlink_ || *nextBlink_ > now) return;
  caretOn_ = !caretOn_;
  SetCaretVisible(caretOn_);
  nextBlink_ = now + kCaretBlinkMicros;
  dirty_ = true;
}

void SdlHost::Present(Form& form) {
  ComposeForm(form, frame_);
  if (renderer_) {
    PresentWithRenderer();
  } else if (SDL_Surface* screen = SDL_GetWindowSurface(window_)) {
    PresentToWindowSurface(*screen);
  }
  lastPresent_ = NowMicros();
  dirty_ = false;
}

// One copy of the frame into the window's memory at its whole-number scale (nearest pixel),
// the margins black, and the desktop told to show it.
void SdlHost::PresentToWindowSurface(SDL_Surface& screen) {
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

void SdlHost::PresentWithRenderer() {
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

// The size in pixels of what the window shows (more than its size in points on HiDPI).
bool SdlHost::DrawableSize(int& w, int& h) {
  if (renderer_) return SDL_GetRendererOutputSize(renderer_, &w, &h) == 0;
  SDL_Surface* screen = SDL_GetWindowSurface(window_);
  if (!screen) return false;
  w = screen->w;
  h = screen->h;
  return true;
}

}  // namespace

int RunSdlHost(int, char**, const std::function<void()>& start) {
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    // No display: the start still runs, so that a missing file is named on stderr (the only
    // place a message box can go now) rather than hidden behind the missing display.
    std::fprintf(stderr, "K.Z.V: cannot open a window: %s\n", SDL_GetError());
    try {
      start();
    } catch (const ProgramEnded& e) {
      return ExitStatus(e.reason);
    }
    return 1;
  }
  // A 640 x 480 picture needs no graphics driver: on X11 the frame goes straight into the
  // desktop's shared-memory image, where OpenGL would add some 60 MB of driver (and, without
  // a graphics card, a software GL that costs more CPU than the copy). Elsewhere SDL picks;
  // SDL_FRAMEBUFFER_ACCELERATION in the environment still decides.
  if (const char* driver = SDL_GetCurrentVideoDriver(); driver && std::strcmp(driver, "x11") == 0)
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  int status = 0;
  {
    SdlHost host;
    status = host.Run(start);
  }
  SDL_Quit();
  return status;
}

}  // namespace platform
