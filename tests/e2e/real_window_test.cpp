#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

bool OnPath(const std::string& tool) {
  return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

// The whole game in the real window under Xvfb: the script starts its own X server, plays a
// mission with xdotool and checks screenshots and save.dat (see play_mission.sh).
TEST(RealWindow, PlaysAMissionAndSavesTheJapaneseName) {
  if (!OnPath("Xvfb")) GTEST_SKIP() << "Xvfb is not installed";
  const std::string work = std::string(KZV_BUILD_DIR) + "/e2e-work-" + std::to_string(getpid());
  const std::string log = work + ".log";
  const std::string command = std::string("timeout -k 10 300 bash ") + KZV_SOURCE_DIR +
                              "/tests/e2e/play_mission.sh " + KZV_BUILD_DIR + " " + work + " >" +
                              log + " 2>&1";
  const int status = std::system(command.c_str());
  std::ifstream in(log);
  std::stringstream text;
  text << in.rdbuf();
  ASSERT_TRUE(WIFEXITED(status)) << text.str();
  if (WEXITSTATUS(status) == 77) GTEST_SKIP() << text.str();
  EXPECT_EQ(WEXITSTATUS(status), 0) << text.str();
  if (WEXITSTATUS(status) == 0) {
    std::system(("rm -rf " + work + " " + log).c_str());
  }
}

}  // namespace
