#include "platform/script/script_host.h"

#include <cstdlib>

#include "platform/clock.h"
#include "platform/raster/compose.h"
#include "platform/toolkit/input.h"
#include "platform/toolkit/message_box.h"
#include "platform/raster/picture.h"
#include "platform/replay/replay_log.h"
#include "platform/toolkit/timers.h"

namespace platform {

ScriptHost::ScriptHost() {
  // The sound library opens the audio device through SDL; here there is none to open. An
  // explicit choice in the environment is kept.
  if (!std::getenv("SDL_AUDIODRIVER")) putenv(const_cast<char*>("SDL_AUDIODRIVER=dummy"));
  SetClock([this] { return now_; });
  SetMessageBoxHandler([this](const std::string& title, const std::string& text) {
    messages_.push_back({title, text});
  });
}

ScriptHost::~ScriptHost() {
  SetClock({});
  SetMessageBoxHandler({});
}

void ScriptHost::Run(const std::function<void()>& deliver) {
  if (ended_) return;
  try {
    deliver();
  } catch (const ProgramEnded& e) {
    ended_ = true;
    endReason_ = e.reason;
  }
  front_.Update();  // a window shown by the handler comes to the front
}

void ScriptHost::Start(const std::function<void()>& start) { Run(start); }

void ScriptHost::Wait(int64_t ms) {
  int64_t end = now_ + (ms > 0 ? ms : 0) * 1000;
  while (!ended_) {
    std::optional<int64_t> due = NextTimerDue();
    if (!due || *due > end) break;
    if (*due > now_) now_ = *due;
    Run([this] { FireOneDueTimer(now_); });
  }
  now_ = end;
}

void ScriptHost::Key(int vk, int mask) {
  Run([&] {
    if (Form* form = ShownForm()) DeliverKeyDown(*form, vk, mask);
  });
}

void ScriptHost::Type(const std::string& text) {
  Run([&] {
    if (Form* form = ShownForm()) DeliverText(*form, text);
  });
}

bool ScriptHost::Click(const std::string& displayName) {
  Form* form = ShownForm();
  Control* c = form ? form->FindByDisplayName(displayName) : nullptr;
  if (!c || c->kind == ControlKind::Timer) return false;
  Rect r = ClientRect(*c);
  Click(r.x + r.w / 2, r.y + r.h / 2);
  return true;
}

void ScriptHost::Click(int x, int y) {
  Run([&] {
    Form* form = ShownForm();
    if (form && x >= 0 && y >= 0 && x < form->clientWidth && y < form->clientHeight)
      DeliverClick(*form, x, y);
  });
}

void ScriptHost::Close() {
  Run([] { DeliverClose(); });
}

void ScriptHost::Replay(const ReplayEvent& event) {
  if (event.micros > now_) now_ = event.micros;
  Run([&] { DeliverReplayEvent(ShownForm(), event); });
}

std::optional<Surface> ScriptHost::Frame() {
  Form* form = ShownForm();
  if (!form) return std::nullopt;
  Surface frame(form->clientWidth, form->clientHeight);
  ComposeForm(*form, frame);
  return frame;
}

bool ScriptHost::Shot(const std::string& path) {
  std::optional<Surface> frame = Frame();
  return frame && SavePng(*frame, path);
}


Form* ScriptHost::ShownForm() { return front_.Update(); }

std::vector<ScriptHost::Message> ScriptHost::TakeMessages() {
  std::vector<Message> out;
  out.swap(messages_);
  return out;
}

}  // namespace platform
