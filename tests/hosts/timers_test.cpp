#include "platform/toolkit/timers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/toolkit/window.h"
#include "support/test_window.h"

namespace {

using platform::ControlDef;
using platform::ControlKind;

// A window with three timers on a virtual clock; each tick is logged with its time in ms.
class TimerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetClock([this] { return now_; });
    form_ = platform::BuildForm(def_);
    platform::ShowForm(*form_);
    for (auto& c : form_->controls) {
      std::string name = c->name;
      c->onTimer = [this, name] { log_.push_back(name + "@" + std::to_string(now_ / 1000)); };
    }
  }
  void TearDown() override {
    form_.reset();
    platform::SetClock({});
  }

  // Advances the clock as a host does: to each due time in turn, firing once there. Returns
  // the whole log since the start, each tick followed by a space.
  std::string Wait(int64_t ms) {
    int64_t end = now_ + ms * 1000;
    while (auto due = platform::NextTimerDue()) {
      if (*due > end) break;
      now_ = std::max(now_, *due);
      platform::FireOneDueTimer(now_);
    }
    now_ = end;
    std::string all;
    for (const std::string& e : log_) all += e + " ";
    return all;
  }
  platform::Control& T(const char* name) { return (*form_)(name); }

  int64_t now_ = 0;
  std::vector<ControlDef> rows_ = {TestRow("fast", ControlKind::Timer, nullptr, 1),
                                   TestRow("slow", ControlKind::Timer, nullptr, 100),
                                   TestRow("other", ControlKind::Timer, nullptr, 100)};
  platform::FormDef def_ = {
      "TestForm",   "test",           150, 150, 0, true, false, nullptr, nullptr,
      rows_.data(), int(rows_.size())};
  std::unique_ptr<platform::Form> form_;
  std::vector<std::string> log_;
};

TEST_F(TimerTest, EnablingStartsAFreshPeriod) {
  now_ = 30000;
  T("slow").SetEnabled(true);
  EXPECT_EQ(Wait(99), "");
  EXPECT_EQ(Wait(1), "slow@130 ");
  // Off and on again half-way through a period: the next tick is a whole period later.
  Wait(50);
  T("slow").SetEnabled(false);
  T("slow").SetEnabled(true);
  EXPECT_EQ(Wait(99), "slow@130 ");
  EXPECT_EQ(Wait(1), "slow@130 slow@280 ");
  // Enabling an enabled timer changes nothing.
  Wait(50);
  T("slow").SetEnabled(true);
  EXPECT_EQ(Wait(50), "slow@130 slow@280 slow@380 ");
}

TEST_F(TimerTest, ALateTimerFiresOnceAndKeepsNoBacklog) {
  T("slow").SetEnabled(true);
  // The host was busy for a second: one tick at the moment it looks again, not ten.
  now_ = 1000000;
  while (platform::FireOneDueTimer(now_)) {
  }
  EXPECT_EQ(log_, std::vector<std::string>{"slow@1000"});
  EXPECT_EQ(Wait(99), "slow@1000 ");
  EXPECT_EQ(Wait(1), "slow@1000 slow@1100 ");
  // A slightly late tick does not shift the rhythm.
  now_ = 1230000;
  EXPECT_TRUE(platform::FireOneDueTimer(now_));
  EXPECT_EQ(*platform::NextTimerDue(), 1300000);
}

TEST_F(TimerTest, TimersDueTogetherFireInCreationOrder) {
  T("other").SetEnabled(true);
  T("slow").SetEnabled(true);
  Wait(100);
  EXPECT_EQ(log_, (std::vector<std::string>{"slow@100", "other@100"}));
}

TEST_F(TimerTest, AHandlerMayStopItselfOrCloseItsWindow) {
  T("slow").onTimer = [this] {
    log_.push_back("slow");
    T("slow").SetEnabled(false);
  };
  T("other").onTimer = [this] {
    log_.push_back("other");
    platform::CloseForm(*form_);
  };
  for (const char* name : {"slow", "other", "fast"}) T(name).SetEnabled(true);
  Wait(150);
  int fast = 0;  // 15.625 ms ticks until the window closed at 100 ms
  for (const std::string& e : log_) fast += e.rfind("fast@", 0) == 0;
  EXPECT_EQ(fast, 6);
  EXPECT_EQ(log_.back(), "other");
  EXPECT_FALSE(platform::NextTimerDue().has_value());
  Wait(1000);
  EXPECT_EQ(log_.back(), "other");
}

TEST_F(TimerTest, TimersOfAWindowThatIsNotLoadedDoNotRun) {
  T("slow").SetEnabled(true);
  form_->loaded = false;
  EXPECT_FALSE(platform::NextTimerDue().has_value());
  EXPECT_FALSE(platform::FireOneDueTimer(10000000));
}

}  // namespace
