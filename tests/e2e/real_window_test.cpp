#include "support/script_test.h"

// The whole game in the real window under Xvfb: the script starts its own X server, plays a
// mission with xdotool and checks screenshots and save.dat (see play_mission.sh).
TEST(RealWindow, PlaysAMissionAndSavesTheJapaneseName) {
  RunScriptTest("e2e/play_mission.sh", "e2e-work");
}
