// The window backend on SDL2: one SdlScreen, its events as the core's, controllers and the stop box.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/sdl/game_pads.h"
#include "platform/sdl/keymap.h"
#include "platform/sdl/sdl_screen.h"
#include "platform/sdl/sdl_stop_box.h"
#include "platform/sdl/sdl_x11.h"
#include "platform/warning.h"
#include "platform/window_backend.h"

namespace platform {
namespace {

bool DriverIs(const char* name) {
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver && std::strcmp(driver, name) == 0;
}

class SdlWindow : public WindowBackend {
 public:
  bool Connect() override;
  bool Open(const Form& form) override { return screen_->Open(form); }
  bool IsOpen() const override { return screen_ && screen_->IsOpen(); }
  bool Follow(const Form& form) override { return screen_->Follow(form); }
  void Present(const Surface& frame, const std::vector<Rect>& changed) override {
    screen_->Present(frame, changed);
  }
  void WaitEvents(int timeoutMs, std::vector<WindowEvent>& events) override;
  int ModifierMask() override { return ModifierMaskFromSdl(SDL_GetModState()); }
  void StartTextInput(const Rect& client) override;
  void StopTextInput() override { SDL_StopTextInput(); }
  void ToggleFullscreen() override { screen_->ToggleFullscreen(); }
  int64_t RefreshMicros() const override { return screen_->RefreshMicros(); }
  std::string ClipboardText() override;
  void ShowStopBox(const std::string& title, const Surface& picture, const Rect& ok) override {
    RunStopBox(title, picture, ok, screen_->Window());
  }
  void Disconnect(int status) override;

 private:
  void Translate(const SDL_Event& ev, std::vector<WindowEvent>& events);

  // Made once SDL is up, and let go of before it goes down.
  std::unique_ptr<SdlScreen> screen_;
  std::unique_ptr<GamePads> pads_;
};

// SDL falls back to drivers that show nothing (offscreen, dummy) when no desktop can be
// reached; a game nobody can see would run on for ever. Those count only when the user asked
// for them by name.
bool SdlWindow::Connect() {
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
  // The input method's whole text while composing, not only its first 32 bytes.
  SDL_SetHint(SDL_HINT_IME_SUPPORT_EXTENDED_TEXT, "1");
  // Wayland is reached through XDG_RUNTIME_DIR (or an absolute WAYLAND_DISPLAY); without either,
  // SDL's try at it only prints a line of its library's own before ours.
  const char* runtime = SDL_getenv("XDG_RUNTIME_DIR");
  const char* wayland = SDL_getenv("WAYLAND_DISPLAY");
  if ((!runtime || !*runtime) && !(wayland && *wayland == '/'))
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11,kmsdrm,offscreen,dummy");
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    Warn(std::string("cannot open a window: ") + SDL_GetError());
    return false;
  }
  const char* chosen = SDL_getenv("SDL_VIDEODRIVER");
  if ((!chosen || !*chosen) && (DriverIs("offscreen") || DriverIs("dummy"))) {
    Warn("cannot open a window: no display (set DISPLAY, or choose a driver with SDL_VIDEODRIVER)");
    SDL_Quit();
    return false;
  }
  ForgiveVanishedWindows();
  // A 640 x 480 picture needs no graphics driver: on X11 the frame goes straight into the
  // desktop's shared-memory image, where OpenGL would add some 60 MB of driver (and, without
  // a graphics card, a software GL that costs more CPU than the copy). Elsewhere SDL picks;
  // SDL_FRAMEBUFFER_ACCELERATION in the environment still decides.
  if (DriverIs("x11")) SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  screen_ = std::make_unique<SdlScreen>();
  pads_ = std::make_unique<GamePads>();
  return true;
}

void SdlWindow::WaitEvents(int timeoutMs, std::vector<WindowEvent>& events) {
  SDL_Event ev;
  if (!SDL_WaitEventTimeout(&ev, timeoutMs)) return;
  Translate(ev, events);
  while (SDL_PollEvent(&ev)) Translate(ev, events);
}

void SdlWindow::Translate(const SDL_Event& ev, std::vector<WindowEvent>& events) {
  using Kind = WindowEvent::Kind;
  WindowEvent out;
  switch (ev.type) {
    case SDL_QUIT:
      out.kind = Kind::Close;
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      out.kind = ev.type == SDL_KEYDOWN ? Kind::KeyDown : Kind::KeyUp;
      out.key = VirtualKeyFromSdl(ev.key.keysym.sym, NumLockFromSdl(ev.key.keysym.mod));
      out.mask = ModifierMaskFromSdl(ev.key.keysym.mod);
      out.repeat = ev.key.repeat != 0;
      break;
    case SDL_TEXTINPUT:
      out.kind = Kind::Text;
      out.text = ev.text.text;
      break;
    case SDL_TEXTEDITING:
      out.kind = Kind::Composing;
      out.text = ev.edit.text;
      break;
    case SDL_TEXTEDITING_EXT:
      out.kind = Kind::Composing;
      out.text = ev.editExt.text ? ev.editExt.text : "";
      SDL_free(ev.editExt.text);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      if (ev.button.button != SDL_BUTTON_LEFT) return;
      out.kind = ev.type == SDL_MOUSEBUTTONDOWN ? Kind::Press : Kind::Release;
      out.inside = screen_->WindowToClient(ev.button.x, ev.button.y, out.x, out.y);
      break;
    case SDL_WINDOWEVENT:
      switch (ev.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
          out.kind = Kind::Close;
          break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
          out.kind = Kind::FocusLost;
          break;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_RESTORED:
          screen_->ShowWholeNext();
          out.kind = Kind::Exposed;
          break;
        default:
          return;
      }
      break;
    default:
      if (pads_) pads_->Handle(ev, events);
      return;
  }
  events.push_back(std::move(out));
}

void SdlWindow::StartTextInput(const Rect& client) {
  SDL_Rect where;
  if (screen_->ClientToWindow(client, where)) SDL_SetTextInputRect(&where);
  SDL_StartTextInput();
}

std::string SdlWindow::ClipboardText() {
  char* text = SDL_GetClipboardText();
  std::string out = text ? text : "";
  SDL_free(text);
  return out;
}

// On X, SDL closes a second connection of its own last, and a wake-up it sent there can
// name the window just destroyed: X reports that by ending the program with status 1 and
// a screenful of error. Our windows are closed and our output is written by now; the
// desktop and the sound device let go of the rest when the process ends.
void SdlWindow::Disconnect(int status) {
  pads_.reset();
  screen_.reset();
  if (DriverIs("x11")) {
    std::fflush(nullptr);
    std::_Exit(status);
  }
  SDL_Quit();
}

}  // namespace

std::unique_ptr<WindowBackend> MakeWindowBackend() { return std::make_unique<SdlWindow>(); }

}  // namespace platform
