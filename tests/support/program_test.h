#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/script/script_host.h"
#include "platform/toolkit/window.h"
#include "support/files.h"

// The whole program on the script host, started from a program folder of the test's own (see
// FillProgramFolder), with the same random seed every time and every sound call recorded.
class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::string AppPath(const std::string& relative) const { return dir_ / relative; }
  // save.dat: the header line, then `values` (UTF-8 here, stored as CP932), CR LF after each.
  void WriteSave(const std::string& values);
  std::string SaveBytes() const { return ReadFile(AppPath("save.dat")); }
  // The second line of save.dat (or of another file of the program folder) in UTF-8, "" when
  // there is none.
  std::string SaveValues(const std::string& relative = "save.dat") const;

  // Runs the program from its entry until the title takes keys or the program has ended.
  void Boot();
  // From the title's start item (moving there with Down if need be) into play.
  void StartMissionFromTitle();
  // Waits on the virtual clock until the gun is charged.
  void WaitForCharge();
  // Makes the aimed cell empty (the next shot misses) or puts person 1 on it (the next hits).
  void EmptyAimedCell();
  void PutPersonUnderAim();
  // Gets a mission to its last shot with the given reward and fires it: the result screen.
  void EndMissionWithReward(int32_t reward);

  void Key(int vk) { host_->Key(vk); }
  void Wait(int64_t ms) { host_->Wait(ms); }
  platform::Control& C(std::string_view name, int index = -1);
  // Every sound call since the last take, as "STPlay 27", "MTSetTempo 85", ...
  std::vector<std::string> TakeCalls();
  // Only the slots of the STPlay calls since the last take.
  std::vector<int> TakePlayed();
  // Which of the menu highlights pa(0..2) are shown, e.g. "0 0 1".
  std::string Highlights();

  TempDir dir_{"program"};
  std::unique_ptr<platform::ScriptHost> host_;
};
