#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/script_host.h"
#include "platform/window.h"

// Whole runs of the program on the script host, in a program folder of their own (links to
// the built Stools.dll and data/, and a save.dat of the test's choosing).
class ScenarioTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // save.dat in the test's program folder: the header line, then `values` (UTF-8 here,
  // stored as CP932), each ended by CR LF.
  void WriteSave(const std::string& values);
  void RemoveSave();
  bool SavePresent() const;
  std::string SaveBytes() const;   // the file's bytes, "" when absent
  std::string SaveValues() const;  // its second line in UTF-8, without the line end

  // Starts the program and runs it until the title takes keys.
  void Boot();
  // From the title's start item (moving there with Down if need be) into play.
  void StartMissionFromTitle();
  // Waits on the virtual clock until the gun is charged.
  void WaitForCharge();
  // Makes the aimed cell empty, so that the next shot is a failed one.
  void EmptyAimedCell();
  // Moves person 1 onto the aimed cell, so that the next shot hits.
  void PutPersonUnderAim();
  // Gets the mission to its last shot with the given mission reward, then fires it (a miss),
  // which ends the mission on the result screen.
  void EndMissionWithReward(int32_t reward);

  void Key(int vk) { host_->Key(vk); }
  void Wait(int64_t ms) { host_->Wait(ms); }
  platform::Control& C(std::string_view name, int index = -1);
  // Sound slots played since the last take; other sound calls are kept in lastCalls_.
  std::vector<int> TakePlayedSlots();
  std::vector<std::string> lastCalls_;

  // Which of pa(0..2) are shown, e.g. "0 0 1".
  std::string Highlights();

  std::unique_ptr<platform::ScriptHost> host_;
  std::string appDir_;
};
