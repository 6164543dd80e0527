#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "flow/game_state.h"
#include "flow/key_handler.h"
#include "shell/program.h"
#include "shell/forms.h"

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
};

// Held in one direction from the start (view 10, cursor 8): the cursor runs to its scroll
// column, the view scrolls to its end, then the cursor runs to its last column; every press
// logs, the last ones at the end included.
TEST_F(CursorTest, HoldingAnArrowScrollsAtTheMarginThenRunsToTheEdge) {
  struct Case {
    CursorStep step;
    const char* log;
    int marginCursor, endView, endCursor;
    const char* box;
    int allLeft, allTop;
  } cases[] = {
      {CursorStep::Right, "Inosite_x= ", 12, 82, 14, "WidX: 92m", 79, 7},
      {CursorStep::Left, "Inosite_x= ", 5, 3, 2, "WidX: 1m", 0, 7},
      {CursorStep::Down, "Inosite_y= ", 12, 82, 14, "WidY: 92m", 7, 79},
      {CursorStep::Up, "Inosite_y= ", 5, 3, 2, "WidY: 1m", 7, 0},
  };
  for (const Case& c : cases) {
    TearDown();
    SetUp();
    const bool across = c.step == CursorStep::Right || c.step == CursorStep::Left;
    const int way = c.endView > 10 ? 1 : -1;
    std::vector<std::string> expected, logged;
    for (int cursor = 8 + way; cursor != c.marginCursor + way; cursor += way)
      expected.push_back(c.log + std::to_string(cursor));
    for (int view = 10 + way; view != c.endView + way; view += way)
      expected.push_back(c.log + std::to_string(c.marginCursor));
    for (int cursor = c.marginCursor + way; cursor != c.endCursor + way; cursor += way)
      expected.push_back(c.log + std::to_string(cursor));
    expected.push_back(c.log + std::to_string(c.endCursor));
    for (size_t i = 0; i < expected.size(); ++i) logged.push_back(Step(c.step));
    EXPECT_EQ(logged, expected);
    EXPECT_EQ(across ? G.ViewX : G.ViewY, c.endView);
    EXPECT_EQ(across ? G.CursorX : G.CursorY, c.endCursor);
    EXPECT_EQ(across ? G.ViewY : G.ViewX, 10);
    EXPECT_EQ(across ? G.CursorY : G.CursorX, 8);
    RefreshPositionDisplay();
    EXPECT_EQ(Form1()(across ? "box" : "box2").caption, c.box);
    EXPECT_EQ(Form1()("all").left, c.allLeft);
    EXPECT_EQ(Form1()("all").top, c.allTop);
  }
}

TEST_F(CursorTest, ArrowsAndKeypadOnlyActDuringPlay) {
  G.GameMode = 3;
  Form_KeyDown(39, 0);   // Right arrow
  Form_KeyDown(102, 0);  // keypad 6
  EXPECT_EQ(G.CursorX, 10);
  Form_KeyDown(98, 0);  // keypad 2
  EXPECT_EQ(G.CursorY, 9);
  EXPECT_EQ(Form1()("box").caption, "WidX: 16m");
  EXPECT_EQ(Form1()("box2").caption, "WidY: 15m");

  // Any other key still refreshes the display.
  G.CursorX = 3;
  Form_KeyDown(65, 0);
  EXPECT_EQ(Form1()("box").caption, "WidX: 9m");

  G.GameMode = 0;
  Form_KeyDown(39, 0);
  Form_KeyDown(27, 0);  // Escape is ignored too while busy
  EXPECT_EQ(G.CursorX, 3);
}

}  // namespace
