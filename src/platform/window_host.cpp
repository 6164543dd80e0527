#include "platform/sdl_host.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "platform/caret_blink.h"
#include "platform/clock.h"
#include "platform/compose.h"
#include "platform/game_pads.h"
#include "platform/host_view.h"
#include "platform/input.h"
#include "platform/keymap.h"
#include "platform/message_box.h"
#include "platform/pad_names.h"
#include "platform/present_log.h"
#include "platform/screenshot.h"
#include "platform/sdl_screen.h"
#include "platform/sdl_stop_box.h"
#include "platform/sdl_x11.h"
#include "platform/shift_repeat.h"
#include "platform/text.h"
#include "platform/timers.h"
#include "platform/warning.h"

namespace platform {
namespace {

constexpr int kVkF11 = 122;
constexpr int kVkF12 = 123;

int ExitStatus(const std::string& reason) { return reason == "escape" || reason == "close" ? 0 : 1; }

std::string ReadSdlClipboard() {
  char* text = SDL_GetClipboardText();
  std::string out = text ? text : "";
  SDL_free(text);
  return out;
}

// Runs the program: delivers the desktop's events, fires timers and Shift's repeats, blinks
// the caret, and presents the front form whenever something may have changed it.
class SdlHost {
 public:
  explicit SdlHost(WindowReplay* replay) {
    if (replay) replay_.emplace(*replay);
  }
  int Run(const std::function<void()>& start);

 private:
  // Runs one delivery to the program; true while the program goes on.
  bool Deliver(const std::function<void()>& deliver);
  void HandleEvent(const SDL_Event& ev);
  void HandleKeyDown(const SDL_KeyboardEvent& key);
  void HandleMouseButton(const SDL_MouseButtonEvent& button);
  void DeliverPadKey(int key);
  void FireDue();
  void SyncTextInput(Form& form);
  void RestartCaret();
  void BlinkCaret();
  void End(const std::string& reason);
  void Present(Form& form);
  std::optional<int64_t> NextWake() const;

  SdlScreen screen_;
  FrontForm front_;
  ShiftRepeater shift_;
  CaretBlink caret_;
  GamePads pads_;
  PadNames names_;
  std::optional<ReplayPacer> replay_;  // a replay watched: the player only looks on
  PresentLog presentLog_;

  bool textInput_ = true;  // SDL starts with text input on
  Control* pressed_ = nullptr;  // where the left button went down
  bool pressedInside_ = false;

  bool dirty_ = true;
  int64_t lastPresent_ = 0;

  bool ended_ = false;
  std::string endReason_;
};

bool SdlHost::Deliver(const std::function<void()>& deliver) {
  if (ended_) return false;
  try {
    deliver();
  } catch (const ProgramEnded& e) {
    End(e.reason);
  }
  dirty_ = true;
  return !ended_;
}

void SdlHost::End(const std::string& reason) {
  ended_ = true;
  endReason_ = reason;
}

int SdlHost::Run(const std::function<void()>& start) {
  SetMessageBoxHandler([this](const std::string& title, const std::string& text) {
    RunStopBox(title, text, screen_.Window());
  });
  SetClipboardReader(ReadSdlClipboard);
  SDL_StopTextInput();
  textInput_ = false;

  Deliver(start);
  while (!ended_) {
    Form* form = front_.Update();
    if (!form) {  // every window is gone: nothing is left to run
      End("close");
      break;
    }
    if (!screen_.IsOpen() && !screen_.Open(*form)) {
      endReason_ = "no-window";
      break;
    }
    if (screen_.Follow(*form)) dirty_ = true;
    names_.Watch(*form);
    SyncTextInput(*form);
    if (dirty_) Present(*form);

    // Sleep until an event comes or the next timer, Shift repeat or caret blink is due; with
    // none of them pending, sleep until an event: an idle title costs no CPU.
    int64_t now = NowMicros();
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

// Whatever a delivery changed is shown before the next delivery runs, so no tick's picture is
// ever replaced unseen (the flash after a shot lives for one tick only). A frame stays on the
// screen for at least one display refresh: the next one waits for it, and the ticks wait with
// it (a late timer fires once, never in a burst).
void SdlHost::Present(Form& form) {
  int64_t wait = lastPresent_ + screen_.RefreshMicros() - NowMicros();
  if (wait > 0) SDL_Delay(Uint32((wait + 999) / 1000));
  screen_.Present(form);
  lastPresent_ = NowMicros();
  dirty_ = false;
  if (presentLog_.Enabled()) presentLog_.Presented(PixelHash(screen_.Frame()));
}

std::optional<int64_t> SdlHost::NextWake() const {
  std::optional<int64_t> wake = replay_ && replay_->Begun() ? replay_->NextDue() : NextTimerDue();
  auto consider = [&](std::optional<int64_t> t) {
    if (t && (!wake || *t < *wake)) wake = t;
  };
  consider(shift_.NextDue());
  consider(pads_.Keys().NextDue());
  consider(caret_.NextDue());
  return wake;
}

void SdlHost::FireDue() {
  int64_t now = NowMicros();
  if (replay_) {
    replay_->BeginWhenReady(now);
    if (replay_->Begun()) {  // the replay holds every timer's firing
      while (const ReplayEvent* e = replay_->TakeDue(now))
        if (!Deliver([&] { DeliverReplayEvent(front_.Update(), *e); })) break;
      return;
    }
  }
  if (shift_.TakeDue(now)) {
    int mask = ModifierMaskFromSdl(SDL_GetModState());
    if (Form* form = front_.Update()) Deliver([&] { DeliverKeyDown(*form, vk::Shift, mask); });
  }
  if (int key = pads_.Keys().TakeDue(now)) DeliverPadKey(key);
  // Each due timer fires once for this moment: a fired timer is next due after now.
  for (;;) {
    std::optional<int64_t> due = NextTimerDue();
    std::string timer;
    if (!due || *due > now || !Deliver([&] { FireOneDueTimer(now, &timer); })) break;
    presentLog_.Ticked(timer);
  }
}

void SdlHost::HandleEvent(const SDL_Event& ev) {
  switch (ev.type) {
    case SDL_QUIT:
      Deliver([] { DeliverClose(); });
      break;
    case SDL_KEYDOWN:
      HandleKeyDown(ev.key);
      break;
    case SDL_KEYUP:
      shift_.KeyUp(VirtualKeyFromSdl(ev.key.keysym.sym, NumLockFromSdl(ev.key.keysym.mod)));
      break;
    case SDL_TEXTINPUT:
      if (replay_) break;
      if (Form* form = front_.Update()) Deliver([&] { DeliverText(*form, ev.text.text); });
      RestartCaret();
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      HandleMouseButton(ev.button);
      break;
    case SDL_WINDOWEVENT:
      switch (ev.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
          Deliver([] { DeliverClose(); });
          break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
          shift_.Stop();
          pads_.Keys().Stop();
          break;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_RESTORED:
          screen_.ShowWholeNext();
          dirty_ = true;
          break;
        default:
          break;
      }
      break;
    default: {
      std::vector<int> keys;
      pads_.Handle(ev, NowMicros(), keys);
      for (int key : keys) DeliverPadKey(key);
      break;
    }
  }
}

// A controller's button as the key it stands for; on the name box up and down pick a name.
void SdlHost::DeliverPadKey(int key) {
  Form* form = front_.Update();
  if (!form) return;
  if (replay_) {
    if (key == vk::Escape) End("escape");
    return;
  }
  bool named = false;
  Deliver([&] { named = names_.TakeKey(*form, key); });
  if (!named) Deliver([&] { DeliverKeyDown(*form, key, 0); });
  RestartCaret();
}

void SdlHost::HandleKeyDown(const SDL_KeyboardEvent& key) {
  int code = VirtualKeyFromSdl(key.keysym.sym, NumLockFromSdl(key.keysym.mod));
  int mask = ModifierMaskFromSdl(key.keysym.mod);
  // Full screen belongs to the host; the game never sees these keys.
  if (code == kVkF11 || (code == vk::Enter && (mask & vk::MaskAlt))) {
    if (!key.repeat && screen_.IsOpen()) {
      screen_.ToggleFullscreen();
      dirty_ = true;
    }
    return;
  }
  // So do screenshots.
  if (code == kVkF12) {
    Form* form = front_.Update();
    if (!key.repeat && form) TakeScreenshot(*form);
    return;
  }
  if (replay_) {
    if (code == vk::Escape) End("escape");
    return;
  }
  shift_.KeyDown(code, key.repeat != 0, NowMicros());  // any other key ends Shift's repeats
  if (code == 0) return;
  if (Form* form = front_.Update()) Deliver([&] { DeliverKeyDown(*form, code, mask); });
  RestartCaret();
}

// A click is a press and a release of the left button over the same control, as the game's
// toolkit counts it.
void SdlHost::HandleMouseButton(const SDL_MouseButtonEvent& button) {
  if (button.button != SDL_BUTTON_LEFT || replay_) return;
  Form* form = front_.Update();
  int cx = 0, cy = 0;
  bool inside = form && screen_.WindowToClient(button.x, button.y, cx, cy);
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

// Text input follows the text box's focus, so an input method opens only while it can type.
void SdlHost::SyncTextInput(Form& form) {
  Control* box = FocusedTextBox(form);
  if (box && !textInput_) {
    // The input method's window goes beside the box.
    SDL_Rect where;
    if (screen_.ClientToWindow(ClientRect(*box), where)) SDL_SetTextInputRect(&where);
    SDL_StartTextInput();
    textInput_ = true;
    caret_.Start(NowMicros());
    SetCaretVisible(true);
  } else if (!box && textInput_) {
    SDL_StopTextInput();
    textInput_ = false;
    caret_.Stop();
  }
}

// Typing and editing keys show the caret at once, as a desktop text box does.
void SdlHost::RestartCaret() {
  if (!caret_.NextDue()) return;
  caret_.Restart(NowMicros());
  SetCaretVisible(true);
}

void SdlHost::BlinkCaret() {
  if (!caret_.Tick(NowMicros())) return;
  SetCaretVisible(caret_.Visible());
  dirty_ = true;
}

// SDL falls back to drivers that show nothing (offscreen, dummy) when no desktop can be
// reached; a game nobody can see would run on for ever. Those count only when the user asked
// for them by name.
bool OpenDisplay() {
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    Warn(std::string("cannot open a window: ") + SDL_GetError());
    return false;
  }
  const char* chosen = SDL_getenv("SDL_VIDEODRIVER");
  const char* driver = SDL_GetCurrentVideoDriver();
  if ((!chosen || !*chosen) && driver &&
      (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0)) {
    Warn("cannot open a window: no display (set DISPLAY, or choose a driver with SDL_VIDEODRIVER)");
    SDL_Quit();
    return false;
  }
  ForgiveVanishedWindows();
  return true;
}

}  // namespace

int RunSdlHost(int, char**, const std::function<void()>& start, WindowReplay* replay) {
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
  if (!OpenDisplay()) {
    // The start still runs, so that a missing file is named on stderr (the only place a
    // message box can go now) rather than hidden behind the missing display.
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
    SdlHost host(replay);
    status = host.Run(start);
  }
  // On X, SDL closes a second connection of its own last, and a wake-up it sent there can
  // name the window just destroyed: X reports that by ending the program with status 1 and
  // a screenful of error. Our windows are closed and our output is written by now; the
  // desktop and the sound device let go of the rest when the process ends.
  if (const char* driver = SDL_GetCurrentVideoDriver(); driver && std::strcmp(driver, "x11") == 0) {
    std::fflush(nullptr);
    std::_Exit(status);
  }
  SDL_Quit();
  return status;
}

}  // namespace platform
