#pragma once
// Tests that are a shell script of tests/: exit 0 passes, 77 skips (a tool is missing), anything
// else fails with the script's output.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

// Runs tests/<script> BUILD_DIR WORK_DIR [ARGS], WORK_DIR a fresh folder in the build folder
// named after work and the process; the folder and the output are kept when the script fails.
inline void RunScriptTest(const std::string& script, const std::string& work,
                          const std::string& args = "") {
  const std::string dir = std::string(KZV_BUILD_DIR) + "/" + work + "-" + std::to_string(getpid());
  const std::string log = dir + ".log";
  const std::string command = std::string("timeout -k 10 300 bash ") + KZV_SOURCE_DIR +
                              "/tests/" + script + " " + KZV_BUILD_DIR + " " + dir + " " + args + " >" + log +
                              " 2>&1";
  const int status = std::system(command.c_str());
  std::ifstream in(log);
  std::stringstream text;
  text << in.rdbuf();
  ASSERT_TRUE(WIFEXITED(status)) << text.str();
  if (WEXITSTATUS(status) == 77) GTEST_SKIP() << text.str();
  EXPECT_EQ(WEXITSTATUS(status), 0) << text.str();
  if (WEXITSTATUS(status) == 0) std::system(("rm -rf " + dir + " " + log).c_str());
}
