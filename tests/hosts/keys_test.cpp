#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "platform/sdl/keymap.h"
#include "platform/toolkit/shift_repeat.h"
#include "platform/toolkit/window.h"
#include "support/sdl_keys.h"

namespace {

using platform::SdlKeyFromName;
using platform::VirtualKeyFromSdl;

TEST(KeyMapping, GivesWindowsVirtualKeyCodesAndTheKeypadFollowsNumLock) {
  // The key's name, NumLock, the code.
  const std::tuple<const char*, bool, int> cases[] = {
      {"A", true, 65},           {"Z", true, 90},         {"0", true, 48},
      {"9", true, 57},           {"Return", true, 13},    {"Escape", true, 27},
      {"Right Shift", true, 16}, {"Left Ctrl", true, 17}, {"Space", true, 32},
      {"Backspace", true, 8},    {"Left", true, 37},      {"Up", true, 38},
      {"Right", true, 39},       {"Down", true, 40},      {"Delete", true, 46},
      {"Home", true, 36},        {"End", true, 35},       {"F11", true, 122},
      {"Keypad 0", true, 96},    {"Keypad 8", true, 104}, {"Keypad 9", true, 105},
      {"Keypad 8", false, 38},   {"Keypad 4", false, 37}, {"Keypad 6", false, 39},
      {"Keypad 2", false, 40},   {"Keypad 7", false, 36}, {"Keypad Enter", false, 13},
  };
  for (auto [key, lock, code] : cases)
    EXPECT_EQ(VirtualKeyFromSdl(SdlKeyFromName(key), lock), code) << key << " " << lock;
  // Shift 1, Ctrl 2, Alt 4; NumLock is no modifier of the mask.
  using platform::SdlModifiers;
  EXPECT_EQ(platform::ModifierMaskFromSdl(SdlModifiers(false, false, false, true)), 0);
  EXPECT_EQ(platform::ModifierMaskFromSdl(SdlModifiers(true, false, false, false)), 1);
  EXPECT_EQ(platform::ModifierMaskFromSdl(SdlModifiers(false, true, false, false)), 2);
  EXPECT_EQ(platform::ModifierMaskFromSdl(SdlModifiers(true, true, true, false)), 7);
  EXPECT_TRUE(platform::NumLockFromSdl(SdlModifiers(false, false, false, true)));
  EXPECT_FALSE(platform::NumLockFromSdl(SdlModifiers(true, true, true, false)));
}

// Key-down times (ms) of the repeats synthesised while Shift is held from press to release,
// with the host looking at the given step from the press on, or only from lookFromMs on.
std::vector<int64_t> Repeats(int64_t pressMs, int64_t releaseMs, int64_t stepMs = 1,
                             int64_t lookFromMs = 0) {
  platform::ShiftRepeater r;
  std::vector<int64_t> out;
  r.KeyDown(platform::vk::Shift, false, pressMs * 1000);
  for (int64_t t = std::max(pressMs, lookFromMs); t < releaseMs; t += stepMs)
    if (r.TakeDue(t * 1000)) out.push_back(t);
  r.KeyUp(platform::vk::Shift);
  EXPECT_FALSE(r.NextDue().has_value());
  return out;
}

TEST(ShiftRepeat, FirstAfterHalfASecondThenAboutThirtyASecond) {
  EXPECT_TRUE(Repeats(0, 500).empty());
  std::vector<int64_t> r = Repeats(1000, 2501);
  // The second 33.3 ms later, rounded up to the host's 1 ms step.
  ASSERT_GE(r.size(), 2u);
  EXPECT_EQ(std::vector(r.begin(), r.begin() + 2), (std::vector<int64_t>{1500, 1534}));
  // 1 s after the first: 30 more.
  EXPECT_EQ(std::count_if(r.begin(), r.end(), [](int64_t t) { return t > 1500 && t <= 2500; }), 30);
}

TEST(ShiftRepeat, ALateHostGetsOneRepeatNotABurst) {
  EXPECT_EQ(Repeats(0, 1000, 400), std::vector<int64_t>{800});  // looks at 0, 400, 800
  // Looking every millisecond after being late, the rhythm goes on from the late repeat.
  EXPECT_EQ(Repeats(0, 901, 1, 800), (std::vector<int64_t>{800, 834, 867, 900}));
}

TEST(ShiftRepeat, StopsWhenShiftIsNotAlone) {
  platform::ShiftRepeater r;
  r.KeyDown(platform::vk::Shift, false, 0);
  r.KeyDown(platform::vk::Left, false, 100000);
  EXPECT_FALSE(r.TakeDue(600000));
  // The desktop repeating Shift itself: no second source of repeats.
  r.KeyDown(platform::vk::Shift, false, 700000);
  r.KeyDown(platform::vk::Shift, true, 1200000);
  EXPECT_FALSE(r.NextDue().has_value());
  // Another key's release does not matter; losing the focus does.
  r.KeyDown(platform::vk::Shift, false, 2000000);
  r.KeyUp(platform::vk::Left);
  EXPECT_EQ(*r.NextDue(), 2500000);
  r.Stop();
  EXPECT_FALSE(r.TakeDue(3000000));
}

}  // namespace
