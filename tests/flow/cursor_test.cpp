#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "flow/game_state.h"
#include "flow/key_handler.h"
#include "shell/forms.h"
#include "shell/program.h"

namespace {

class CursorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetProgram();
    CreateWindows();
    NewMissionReset();
  }
  void TearDown() override { ResetProgram(); }

  // Steps once and returns the newest log line.
  std::string Step(CursorStep step) {
    MoveCursor(step);
    return Form1()("sarch", 0).caption;
  }
  // Where the view and the cursor stand, and what the position display shows of it: both
  // boxes and the overview's place, e.g. "view 82,10 cursor 14,8 WidX: 92m WidY: 14m all 79,7".
  std::string End() {
    platform::Form& form = Form1();
    return "view " + std::to_string(G.ViewX) + "," + std::to_string(G.ViewY) + " cursor " +
           std::to_string(G.CursorX) + "," + std::to_string(G.CursorY) + " " + form("box").caption +
           " " + form("box2").caption + " all " + std::to_string(form("all").left) + "," +
           std::to_string(form("all").top);
  }
};

// Held in one direction from the start (view 10, cursor 8): the cursor runs to its scroll
// column, the view scrolls to its end, then the cursor runs to its last column; every press
// logs, the last ones at the end included.
TEST_F(CursorTest, HoldingAnArrowScrollsAtTheMarginThenRunsToTheEdge) {
  struct Case {
    CursorStep step;
    const char* log;
    int marginCursor, endView, endCursor;
    const char* end;  // as End() gives it
  } cases[] = {
      {CursorStep::Right, "Inosite_x= ", 12, 82, 14,
       "view 82,10 cursor 14,8 WidX: 92m WidY: 14m all 79,7"},
      {CursorStep::Left, "Inosite_x= ", 5, 3, 2, "view 3,10 cursor 2,8 WidX: 1m WidY: 14m all 0,7"},
      {CursorStep::Down, "Inosite_y= ", 12, 82, 14,
       "view 10,82 cursor 8,14 WidX: 14m WidY: 92m all 7,79"},
      {CursorStep::Up, "Inosite_y= ", 5, 3, 2, "view 10,3 cursor 8,2 WidX: 14m WidY: 1m all 7,0"},
  };
  for (const Case& c : cases) {
    TearDown();
    SetUp();
    const int way = c.endView > 10 ? 1 : -1;
    std::vector<std::string> expected, logged;
    for (int cursor = 8 + way; cursor != c.marginCursor + way; cursor += way)
      expected.push_back(c.log + std::to_string(cursor));
    // The cursor stays at its scroll column while the view scrolls.
    expected.insert(expected.end(), way * (c.endView - 10), c.log + std::to_string(c.marginCursor));
    for (int cursor = c.marginCursor + way; cursor != c.endCursor + way; cursor += way)
      expected.push_back(c.log + std::to_string(cursor));
    expected.push_back(c.log + std::to_string(c.endCursor));
    for (size_t i = 0; i < expected.size(); ++i) logged.push_back(Step(c.step));
    EXPECT_EQ(logged, expected);
    RefreshPositionDisplay();
    EXPECT_EQ(End(), c.end);
  }
}

TEST_F(CursorTest, ArrowsAndKeypadOnlyActDuringPlay) {
  G.GameMode = 3;
  for (int key : {39, 102}) Form_KeyDown(key, 0);  // Right arrow, keypad 6
  EXPECT_EQ(G.CursorX, 10);
  Form_KeyDown(98, 0);  // keypad 2
  EXPECT_EQ(End(), "view 10,10 cursor 10,9 WidX: 16m WidY: 15m all 7,7");

  // Any other key still refreshes the display.
  G.CursorX = 3;
  Form_KeyDown(65, 0);
  EXPECT_EQ(Form1()("box").caption, "WidX: 9m");

  G.GameMode = 0;
  for (int key : {39, 27}) Form_KeyDown(key, 0);  // Escape is ignored too while busy
  EXPECT_EQ(G.CursorX, 3);
}

}  // namespace
