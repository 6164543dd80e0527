#include "platform/toolkit/timers.h"

#include "platform/clock.h"
#include "platform/replay/replay_log.h"
#include "platform/toolkit/window.h"

namespace platform {
namespace {

// The platform's timer tick: 64 ticks a second, as on Windows. A shorter interval fires at it.
constexpr int64_t kTimerTickMicros = 15625;

}  // namespace

int64_t PeriodMicros(const Control& timer) {
  int64_t period = int64_t(timer.interval) * 1000;
  return period < kTimerTickMicros ? kTimerTickMicros : period;
}

namespace {

bool Running(const Form& form, const Control& c) {
  return form.loaded && c.kind == ControlKind::Timer && c.enabled;
}

// The earliest running timer due at or before limit; ties go to the first in creation order
// (forms in creation order, controls in table order).
Control* EarliestDue(int64_t limit) {
  Control* best = nullptr;
  for (Form* form : Forms())
    for (auto& c : form->controls)
      if (Running(*form, *c) && c->dueMicros <= limit && (!best || c->dueMicros < best->dueMicros))
        best = c.get();
  return best;
}

}  // namespace

std::optional<int64_t> NextTimerDue() {
  std::optional<int64_t> next;
  for (Form* form : Forms())
    for (auto& c : form->controls)
      if (Running(*form, *c) && (!next || c->dueMicros < *next)) next = c->dueMicros;
  return next;
}

bool FireOneDueTimer(int64_t now, std::string* firedName) {
  Control* timer = EarliestDue(now);
  if (!timer) return false;
  if (firedName) *firedName = timer->DisplayName();
  timer->dueMicros = NextRepeatDue(timer->dueMicros, PeriodMicros(*timer), now);
  // Scheduled before the handler runs: the handler may disable the timer, re-enable it (a
  // fresh period) or close its form. Nothing of the timer is touched after it returns, and
  // ProgramEnded passes through to the host.
  DeliveryNote note(ReplayEvent::Timer, now, 0, 0, timer->DisplayName());
  if (timer->onTimer) timer->onTimer();
  return true;
}

}  // namespace platform
