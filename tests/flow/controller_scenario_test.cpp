#include <memory>
#include <optional>

#include "flow/game_state.h"
#include "platform/sdl/game_pads.h"
#include "platform/toolkit/pad_names.h"
#include "support/program_test.h"
#include "support/virtual_pad.h"

namespace {

using platform::PadButton;

// A player with nothing but a game controller: SDL's virtual joystick, plugged in while the
// game runs, its buttons turned into keys and delivered the keyboard's way.
class ControllerTest : public ProgramTest {
 protected:
  void Plug() {
    pad_ = std::make_unique<platform::VirtualPad>();
    ASSERT_TRUE(pad_->Plugged());
    Pump();
    ASSERT_EQ(pads_.Count(), 1);
  }
  void Unplug() {
    pad_.reset();
    Pump();
  }
  void Press(PadButton b) { Set(b, true); }
  void Release(PadButton b) { Set(b, false); }
  void Tap(PadButton b) {
    Press(b);
    Release(b);
  }
  void Set(PadButton b, bool down) {
    pad_->Set(b, down);
    Pump();
  }
  void Stick(bool vertical, int value) {
    pad_->Stick(vertical, value);
    Pump();
  }
  // Waits on the game's clock, delivering the held button's repeats as they fall due.
  void Hold(int64_t ms) {
    const int64_t end = host_->NowMicros() + ms * 1000;
    for (std::optional<int64_t> due; (due = keys_.NextDue()) && *due <= end;) {
      Wait((*due - host_->NowMicros() + 999) / 1000);
      if (int key = keys_.TakeDue(host_->NowMicros())) Deliver(key);
    }
    if (end > host_->NowMicros()) Wait((end - host_->NowMicros()) / 1000);
  }
  // The controller's events made keys as the window host makes them.
  void Pump() {
    using Kind = platform::WindowEvent::Kind;
    const int64_t now = host_->NowMicros();
    for (const platform::WindowEvent& e : pads_.Poll()) {
      int key = 0;
      if (e.kind == Kind::PadPress) key = keys_.Press(e.button, now);
      if (e.kind == Kind::PadRelease) keys_.Release(e.button);
      if (e.kind == Kind::PadStick) key = keys_.Stick(e.vertical, e.value, now);
      if (e.kind == Kind::PadGone) keys_.Stop();
      if (key) Deliver(key);
    }
  }
  void Deliver(int key) {
    if (host_->Ended()) return;
    names_.Watch(*host_->ShownForm());
    if (!names_.TakeKey(*host_->ShownForm(), key)) host_->Key(key);
  }
  std::string Name() { return C("ename").caption; }

  platform::GamePads pads_;
  platform::PadKeys keys_;
  std::unique_ptr<platform::VirtualPad> pad_;
  platform::PadNames names_;
};

TEST_F(ControllerTest, PlaysAMissionAndStoresTheRecordNameWithoutAKeyboard) {
  Boot();
  Plug();
  // The first-time player's way through briefing and help to the start, on the south button.
  for (int i = 0; i < 6; ++i) Tap(PadButton::South);
  EXPECT_EQ(Highlights(), "0 0 1");
  Tap(PadButton::South);
  ASSERT_EQ(G.GameMode, 3);

  // The d-pad moves the cursor and repeats while held, as a held arrow key does.
  Press(PadButton::Right);
  EXPECT_EQ(G.CursorX, 9);
  Hold(499);
  EXPECT_EQ(G.CursorX, 9);
  Hold(1 + 2 * 34);
  EXPECT_EQ(G.CursorX, 12);
  Release(PadButton::Right);
  Hold(1000);
  EXPECT_EQ(G.CursorX, 12);
  // The left stick: a push is one step; half-way back keeps it pressed, the middle lets go.
  std::string rows;
  for (int value : {30000, 12000, 30000, 0, -30000, 0}) {
    Stick(true, value);
    rows += std::to_string(G.CursorY) + " ";
  }
  EXPECT_EQ(rows, "9 9 9 9 8 8 ");

  // The south button fires.
  WaitForCharge();
  EmptyAimedCell();
  Tap(PadButton::South);
  EXPECT_EQ(C("li").y1, 64);
  // The last shot, for a new record.
  C("li").y1 = 280;
  G.Reward = 500000;
  WaitForCharge();
  EmptyAimedCell();
  Tap(PadButton::South);
  ASSERT_EQ(G.GameMode, 2);
  ASSERT_EQ(Name(), "");

  // The name: Start with an empty box does nothing; up and down pick a name, the last
  // holder's first; Start commits it.
  Tap(PadButton::Start);
  EXPECT_EQ(G.GameMode, 2);
  Tap(PadButton::Down);
  EXPECT_EQ(Name(), "日向 澄香");
  Tap(PadButton::Down);
  EXPECT_EQ(Name(), "スナイパー");
  for (PadButton b : {PadButton::Up, PadButton::Up, PadButton::Down, PadButton::Down}) Tap(b);
  EXPECT_EQ(Name(), "スナイパー");
  EXPECT_EQ(G.GameMode, 2);  // picking a name moved nothing in the game
  Tap(PadButton::Start);
  ASSERT_EQ(G.GameMode, 1);
  EXPECT_EQ(SaveValues(), "1,500000,\"スナイパー\",1");

  // Quitting takes Back and Start together; either alone does nothing on the title.
  for (PadButton b : {PadButton::Back, PadButton::Start}) Tap(b);
  EXPECT_FALSE(host_->Ended());
  for (PadButton b : {PadButton::Back, PadButton::Start}) Press(b);
  EXPECT_EQ(host_->EndReason(), "escape");
}

TEST_F(ControllerTest, APulledOutControllerLetsGoAndAnotherPluggedInWorks) {
  Boot();
  Plug();
  Press(PadButton::Down);
  EXPECT_EQ(G.MenuChoice, 1);
  Unplug();
  EXPECT_EQ(pads_.Count(), 0);
  Hold(2000);  // the button held as it went is not repeated
  EXPECT_EQ(G.MenuChoice, 1);
  Plug();
  Tap(PadButton::Up);
  EXPECT_EQ(G.MenuChoice, 0);
}

}  // namespace
