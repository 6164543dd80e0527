// The host loop of the real window: events delivered, timers and repeats fired, frames shown.
#include "platform/window_host.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/toolkit/caret_blink.h"
#include "platform/clock.h"
#include "platform/raster/compose.h"
#include "platform/raster/frame_composer.h"
#include "platform/host_view.h"
#include "platform/toolkit/input.h"
#include "platform/toolkit/message_box.h"
#include "platform/toolkit/pad_keys.h"
#include "platform/toolkit/pad_names.h"
#include "platform/replay/present_log.h"
#include "platform/raster/screenshot.h"
#include "platform/toolkit/shift_repeat.h"
#include "platform/toolkit/stop_box.h"
#include "platform/text/text.h"
#include "platform/toolkit/timers.h"
#include "platform/window_backend.h"

namespace platform {
namespace {

constexpr int kVkF11 = 122;
constexpr int kVkF12 = 123;

int ExitStatus(const std::string& reason) { return reason == "escape" || reason == "close" ? 0 : 1; }

WindowBackend* g_clipboardWindow = nullptr;
std::string ReadClipboard() { return g_clipboardWindow ? g_clipboardWindow->ClipboardText() : ""; }

// Runs the program: delivers the desktop's events, fires timers and Shift's repeats, blinks
// the caret, and presents the front form whenever something may have changed it.
class WindowHost {
 public:
  WindowHost(WindowBackend& window, WindowReplay* replay) : window_(window) {
    if (replay) replay_.emplace(*replay);
  }
  int Run(const std::function<void()>& start);

 private:
  // Runs one delivery to the program; true while the program goes on.
  bool Deliver(const std::function<void()>& deliver);
  void HandleEvent(const WindowEvent& ev);
  void HandleKeyDown(const WindowEvent& key);
  void HandleButton(const WindowEvent& button);
  void DeliverPadKey(int key);
  void FireDue();
  void SyncTextInput(Form& form);
  void RestartCaret();
  void BlinkCaret();
  void End(const std::string& reason);
  void Present(Form& form);
  std::optional<int64_t> NextWake() const;

  WindowBackend& window_;
  FrameComposer composer_;
  Surface frame_;
  FrontForm front_;
  ShiftRepeater shift_;
  CaretBlink caret_;
  PadKeys pads_;
  PadNames names_;
  std::optional<ReplayPacer> replay_;  // a replay watched: the player only looks on
  PresentLog presentLog_;

  bool textInput_ = true;  // until told otherwise, a desktop may take text
  Control* pressed_ = nullptr;  // where the left button went down
  bool pressedInside_ = false;

  bool dirty_ = true;
  int64_t lastPresent_ = 0;

  bool ended_ = false;
  std::string endReason_;
};

bool WindowHost::Deliver(const std::function<void()>& deliver) {
  if (ended_) return false;
  try {
    deliver();
  } catch (const ProgramEnded& e) {
    End(e.reason);
  }
  dirty_ = true;
  return !ended_;
}

void WindowHost::End(const std::string& reason) {
  ended_ = true;
  endReason_ = reason;
}

int WindowHost::Run(const std::function<void()>& start) {
  SetMessageBoxHandler([this](const std::string& title, const std::string& text) {
    StopBoxPicture box = DrawStopBox(title, text);
    window_.ShowStopBox(title, box.picture, box.ok);
  });
  g_clipboardWindow = &window_;
  SetClipboardReader(ReadClipboard);
  window_.StopTextInput();
  textInput_ = false;

  Deliver(start);
  std::vector<WindowEvent> events;
  while (!ended_) {
    Form* form = front_.Update();
    if (!form) {  // every window is gone: nothing is left to run
      End("close");
      break;
    }
    if (!window_.IsOpen() && !window_.Open(*form)) {
      endReason_ = "no-window";
      break;
    }
    if (window_.Follow(*form)) {
      frame_ = Surface(std::max(1, form->clientWidth), std::max(1, form->clientHeight));
      composer_.Forget();
      dirty_ = true;
    }
    names_.Watch(*form);
    SyncTextInput(*form);
    if (dirty_) Present(*form);

    // Sleep until an event comes or the next timer, Shift repeat or caret blink is due; with
    // none of them pending, sleep until an event: an idle title costs no CPU.
    int64_t now = NowMicros();
    int timeout = -1;
    if (std::optional<int64_t> wake = NextWake())
      timeout = int(std::clamp<int64_t>((*wake - now + 999) / 1000, 0, 1000));
    events.clear();
    window_.WaitEvents(timeout, events);
    for (const WindowEvent& ev : events) {
      if (ended_) break;
      HandleEvent(ev);
    }
    FireDue();
    BlinkCaret();
  }
  SetMessageBoxHandler({});
  SetClipboardReader(nullptr);
  g_clipboardWindow = nullptr;
  return ExitStatus(endReason_);
}

// Whatever a delivery changed is shown before the next delivery runs, so no tick's picture is
// ever replaced unseen (the flash after a shot lives for one tick only). A frame stays on the
// screen for at least one display refresh: the next one waits for it, and the ticks wait with
// it (a late timer fires once, never in a burst).
void WindowHost::Present(Form& form) {
  int64_t wait = lastPresent_ + window_.RefreshMicros() - NowMicros();
  if (wait > 0) std::this_thread::sleep_for(std::chrono::milliseconds((wait + 999) / 1000));
  window_.Present(frame_, composer_.Compose(form, frame_));
  lastPresent_ = NowMicros();
  dirty_ = false;
  if (presentLog_.Enabled()) presentLog_.Presented(PixelHash(frame_));
}

std::optional<int64_t> WindowHost::NextWake() const {
  std::optional<int64_t> wake = replay_ && replay_->Begun() ? replay_->NextDue() : NextTimerDue();
  auto consider = [&](std::optional<int64_t> t) {
    if (t && (!wake || *t < *wake)) wake = t;
  };
  consider(shift_.NextDue());
  consider(pads_.NextDue());
  consider(caret_.NextDue());
  return wake;
}

void WindowHost::FireDue() {
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
    int mask = window_.ModifierMask();
    if (Form* form = front_.Update()) Deliver([&] { DeliverKeyDown(*form, vk::Shift, mask); });
  }
  if (int key = pads_.TakeDue(now)) DeliverPadKey(key);
  // Each due timer fires once for this moment: a fired timer is next due after now.
  for (;;) {
    std::optional<int64_t> due = NextTimerDue();
    std::string timer;
    if (!due || *due > now || !Deliver([&] { FireOneDueTimer(now, &timer); })) break;
    presentLog_.Ticked(timer);
  }
}

void WindowHost::HandleEvent(const WindowEvent& ev) {
  using Kind = WindowEvent::Kind;
  switch (ev.kind) {
    case Kind::Close:
      Deliver([] { DeliverClose(); });
      break;
    case Kind::KeyDown:
      HandleKeyDown(ev);
      break;
    case Kind::KeyUp:
      shift_.KeyUp(ev.key);
      break;
    case Kind::Text:
      if (replay_) break;
      if (Form* form = front_.Update()) Deliver([&] { DeliverText(*form, ev.text); });
      RestartCaret();
      break;
    case Kind::Composing:
      // Shown only: the program receives the text when the input method commits it.
      if (replay_) break;
      SetComposition(ev.text);
      dirty_ = true;
      RestartCaret();
      break;
    case Kind::Press:
    case Kind::Release:
      HandleButton(ev);
      break;
    case Kind::FocusLost:
      shift_.Stop();
      pads_.Stop();
      break;
    case Kind::Exposed:
      dirty_ = true;
      break;
    case Kind::PadPress:
      if (int key = pads_.Press(ev.button, NowMicros())) DeliverPadKey(key);
      break;
    case Kind::PadRelease:
      pads_.Release(ev.button);
      break;
    case Kind::PadStick:
      if (int key = pads_.Stick(ev.vertical, ev.value, NowMicros())) DeliverPadKey(key);
      break;
    case Kind::PadGone:
      pads_.Stop();  // its held buttons go with it
      break;
  }
}

// A controller's button as the key it stands for; on the name box up and down pick a name.
void WindowHost::DeliverPadKey(int key) {
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

void WindowHost::HandleKeyDown(const WindowEvent& key) {
  // Full screen belongs to the host; the game never sees these keys.
  if (key.key == kVkF11 || (key.key == vk::Enter && (key.mask & vk::MaskAlt))) {
    if (!key.repeat && window_.IsOpen()) {
      window_.ToggleFullscreen();
      dirty_ = true;
    }
    return;
  }
  // So do screenshots.
  if (key.key == kVkF12) {
    Form* form = front_.Update();
    if (!key.repeat && form) TakeScreenshot(*form);
    return;
  }
  if (replay_) {
    if (key.key == vk::Escape) End("escape");
    return;
  }
  shift_.KeyDown(key.key, key.repeat, NowMicros());  // any other key ends Shift's repeats
  if (key.key == 0) return;
  if (Form* form = front_.Update()) Deliver([&] { DeliverKeyDown(*form, key.key, key.mask); });
  RestartCaret();
}

// A click is a press and a release of the left button over the same control, as the game's
// toolkit counts it.
void WindowHost::HandleButton(const WindowEvent& button) {
  if (replay_) return;
  Form* form = front_.Update();
  bool inside = form && button.inside;
  Control* under = inside ? HitTest(*form, button.x, button.y) : nullptr;
  if (button.kind == WindowEvent::Kind::Press) {
    pressed_ = under;
    pressedInside_ = inside;
    return;
  }
  bool click = inside && pressedInside_ && under == pressed_;
  pressed_ = nullptr;
  pressedInside_ = false;
  if (click) Deliver([&] { DeliverClick(*form, button.x, button.y); });
}

// Text input follows the text box's focus, so an input method opens only while it can type.
void WindowHost::SyncTextInput(Form& form) {
  Control* box = FocusedTextBox(form);
  if (box && !textInput_) {
    window_.StartTextInput(ClientRect(*box));  // the input method's window goes beside the box
    textInput_ = true;
    caret_.Start(NowMicros());
    SetCaretVisible(true);
  } else if (!box && textInput_) {
    window_.StopTextInput();
    textInput_ = false;
    caret_.Stop();
    SetComposition("");
  }
}

// Typing and editing keys show the caret at once, as a desktop text box does.
void WindowHost::RestartCaret() {
  if (!caret_.NextDue()) return;
  caret_.Restart(NowMicros());
  SetCaretVisible(true);
}

void WindowHost::BlinkCaret() {
  if (!caret_.Tick(NowMicros())) return;
  SetCaretVisible(caret_.Visible());
  dirty_ = true;
}

}  // namespace

int RunWindowHost(const std::function<void()>& start, WindowReplay* replay) {
  std::unique_ptr<WindowBackend> window = MakeWindowBackend();
  if (!window->Connect()) {
    // The start still runs, so that a missing file is named on stderr (the only place a
    // message box can go now) rather than hidden behind the missing display.
    try {
      start();
    } catch (const ProgramEnded& e) {
      return ExitStatus(e.reason);
    }
    return 1;
  }
  int status = 0;
  {
    WindowHost host(*window, replay);
    status = host.Run(start);
  }
  window->Disconnect(status);
  return status;
}

}  // namespace platform
