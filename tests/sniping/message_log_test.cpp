#include "sniping/message_log.h"

#include "shell/forms.h"
#include "sniping_fixture.h"

using MessageLogTest = SnipingTest;

TEST_F(MessageLogTest, TenMessagesScrollTheFirstOutAndColoursStayWithTheLines) {
  for (int i = 1; i <= 10; ++i) PushLogMessage("line " + std::to_string(i));
  const std::vector<std::string> expected = {"line 10", "line 9", "line 8", "line 7", "line 6",
                                             "line 5",  "line 4", "line 3", "line 2"};
  EXPECT_EQ(LogLines(), expected);
  // The colours stay with the line positions.
  for (int i = 0; i < 2; ++i) PushLogMessage("x");
  const uint32_t colours[9] = {0x80FF80, 0x80FF80, 0x80FF80, 0x80FF80, 0x80FF80,
                               0x80FF80, 0x00C000, 0x008000, 0x004000};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(Form1()("sarch", i).foreColor, colours[i]) << i;
}
