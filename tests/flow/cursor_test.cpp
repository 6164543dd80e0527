#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "flow/game_state.h"
#include "flow/key_handler.h"
#include "shell/program.h"
#include "shell/windows.h"

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

TEST_F(CursorTest, HoldingRightScrollsAtColumnTwelveThenRunsToFourteen) {
  std::vector<std::string> lines;
  for (int i = 0; i < 4; ++i) lines.push_back(Step(CursorStep::Right));
  EXPECT_EQ(lines, (std::vector<std::string>{"Inosite_x= 9", "Inosite_x= 10", "Inosite_x= 11",
                                              "Inosite_x= 12"}));
  EXPECT_EQ(G.ViewX, 10);

  for (int view = 11; view <= 82; ++view) {
    EXPECT_EQ(Step(CursorStep::Right), "Inosite_x= 12");
    EXPECT_EQ(G.ViewX, view);
  }
  EXPECT_EQ(Step(CursorStep::Right), "Inosite_x= 13");
  EXPECT_EQ(Step(CursorStep::Right), "Inosite_x= 14");
  // At the end nothing moves, but every press still logs.
  EXPECT_EQ(Step(CursorStep::Right), "Inosite_x= 14");
  EXPECT_EQ(G.ViewX, 82);
  EXPECT_EQ(G.CursorX, 14);
  EXPECT_EQ(G.ViewY, 10);
  EXPECT_EQ(G.CursorY, 8);

  RefreshPositionDisplay();
  EXPECT_EQ(Form1()("box").caption, "WidX: 92m");
  EXPECT_EQ(Form1()("box2").caption, "WidY: 14m");
  EXPECT_EQ(Form1()("all").left, 79);
  EXPECT_EQ(Form1()("all").top, 7);
}

TEST_F(CursorTest, HoldingLeftScrollsAtColumnFiveThenRunsToTwo) {
  for (int cursor = 7; cursor >= 5; --cursor) {
    EXPECT_EQ(Step(CursorStep::Left), "Inosite_x= " + std::to_string(cursor));
  }
  for (int view = 9; view >= 3; --view) {
    EXPECT_EQ(Step(CursorStep::Left), "Inosite_x= 5");
    EXPECT_EQ(G.ViewX, view);
  }
  for (int cursor = 4; cursor >= 2; --cursor) {
    EXPECT_EQ(Step(CursorStep::Left), "Inosite_x= " + std::to_string(cursor));
  }
  EXPECT_EQ(Step(CursorStep::Left), "Inosite_x= 2");
  EXPECT_EQ(G.ViewX, 3);
  EXPECT_EQ(G.CursorX, 2);
  RefreshPositionDisplay();
  EXPECT_EQ(Form1()("box").caption, "WidX: 1m");
  EXPECT_EQ(Form1()("all").left, 0);
}

TEST_F(CursorTest, UpAndDownMoveRowsAndLogTheRow) {
  EXPECT_EQ(Step(CursorStep::Up), "Inosite_y= 7");
  EXPECT_EQ(Step(CursorStep::Down), "Inosite_y= 8");
  for (int i = 0; i < 200; ++i) MoveCursor(CursorStep::Down);
  EXPECT_EQ(G.ViewY, 82);
  EXPECT_EQ(G.CursorY, 14);
  for (int i = 0; i < 200; ++i) MoveCursor(CursorStep::Up);
  EXPECT_EQ(G.ViewY, 3);
  EXPECT_EQ(G.CursorY, 2);
  EXPECT_EQ(G.CursorX, 8);
  RefreshPositionDisplay();
  EXPECT_EQ(Form1()("box2").caption, "WidY: 1m");
  EXPECT_EQ(Form1()("box").caption, "WidX: 14m");
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
