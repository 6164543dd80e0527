#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/script_host.h"
#include "platform/window.h"

// The program started on the script host from a program folder of the test's own: a copy of
// the built Stools.dll and data/, which a test may damage before the start.
class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::string AppPath(const std::string& relative) const { return appDir_ + "/" + relative; }
  void RemoveFile(const std::string& relative);
  void WriteFile(const std::string& relative, const std::string& bytes);
  // save.dat: the header line, then `values` (UTF-8, stored as CP932), CR LF after each.
  void WriteSave(const std::string& values);
  // Second line of save.dat (or of another file of the program folder) in UTF-8, "" when absent.
  std::string SaveValues(const std::string& relative = "save.dat") const;

  // Runs body in a child process with a player's rights, so that file permissions count: as
  // nobody when the tests run as root, who may read and write anything. The test fails when
  // anything in the body failed.
  void AsPlayer(const std::function<void()>& body);
  // Makes a folder the player's own (root's folders are not nobody's to write).
  void GiveToPlayer(const std::string& relative);

  // Runs the program from its entry through the launcher's hand-over.
  void Boot();

  // Every sound library call since the last take, as "STPlay 27", "MTSetTempo 85", ...
  std::vector<std::string> TakeCalls();
  // Only the slots asked for with STPlay since the last take.
  std::vector<int> TakePlayed();

  platform::Control& C(const std::string& name, int index = -1);

  std::unique_ptr<platform::ScriptHost> host_;
  std::string appDir_;
};
