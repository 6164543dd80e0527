// Many missions in one run of kzv-sim, in the automatic-sniping mode, each ending with a new
// record and its name: after every mission the game must be back at the title, save.dat must
// hold exactly the record just shown, and the driver's resident memory must not grow.
//
//   KZV_SOAK_MISSIONS=1000 build/test_soak     (20 missions without it)
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "platform/text/utf8.h"
#include "shell/settings_file.h"
#include "support/sim_process.h"

namespace {

// Resident memory may move by allocator noise; a leak of a mission's world, pictures or sounds
// would pass this within a few missions.
constexpr long kGrowthToleranceKb = 1024;

TEST(SoakTest, ManyAutoSnipeMissionsLeaveTheTitleTheRecordAndTheMemoryAsTheyShouldBe) {
  const char* missions = std::getenv("KZV_SOAK_MISSIONS");
  const int count = missions && *missions ? std::max(1, std::atoi(missions)) : 20;
  SimProcess sim;
  ASSERT_TRUE(sim.Start(
      {}, {// Without its quarantine the sanitizer's heap gives freed memory back for reuse at
           // once, so its resident size follows the program's own.
           "ASAN_OPTIONS=detect_leaks=0:abort_on_error=0:quarantine_size_mb=0:"
           "thread_local_quarantine_size_kb=0",
           // glibc raises its mmap and trim thresholds as the first blocks over 128 kB are
           // freed, which keeps some 750 kB more in the heap from the second or third mission
           // on, once. Fixed thresholds above those blocks give that state from the start.
           "MALLOC_MMAP_THRESHOLD_=4194304", "MALLOC_TRIM_THRESHOLD_=8388608"}));
  // Sends the commands together; every one must answer {"ok":true}.
  auto doAll = [&](const std::vector<std::string>& commands) {
    const std::vector<std::string> answers = sim.AskAll(commands);
    for (size_t i = 0; i < commands.size(); ++i)
      if (i >= answers.size() || answers[i] != "{\"ok\":true}") {
        ADD_FAILURE() << "\"" << commands[i] << "\" answered \""
                      << (i < answers.size() ? answers[i] : "") << "\"";
        return false;
      }
    return true;
  };
  auto state = [&](const char* field) {
    const nlohmann::json dump = nlohmann::json::parse(sim.Ask("dump"), nullptr, false);
    return dump.is_discarded() ? int64_t(-1) : dump["state"][field].get<int64_t>();
  };

  std::mt19937 rng(20001207);
  ASSERT_TRUE(doAll({"wait 1000"}));  // the launcher hands over to the title
  std::vector<long> residentKb;
  for (int mission = 1; mission <= count; ++mission) {
    SCOPED_TRACE("mission " + std::to_string(mission));
    // Below any mission total (which stops at -99999999): every mission sets a new record.
    ASSERT_TRUE(doAll({"set RecordReward -100000000"}));
    ASSERT_EQ(state("GameMode"), 1);
    while (state("MenuChoice") != 2) ASSERT_TRUE(doAll({"key 40"}));
    // From the first mission on, automatic sniping.
    ASSERT_TRUE(doAll(mission == 1 ? std::vector<std::string>{"key 16", "click ura"}
                                   : std::vector<std::string>{"key 16"}));
    for (int shot = 1; shot <= 56; ++shot) {
      // A few cursor steps, each long enough for the scope tick to fire by itself, then a
      // charged gun: the full recharge would cost minutes of the sanitizer build.
      std::vector<std::string> steps;
      for (int step = 0; step < 3; ++step)
        steps.insert(steps.end(), {"key " + std::to_string(37 + int(rng() % 4)), "wait 50"});
      steps.insert(steps.end(), {"set Charge 0", "key 16"});
      ASSERT_TRUE(doAll(steps));
    }
    ASSERT_EQ(state("GameMode"), 2);
    const int64_t reward = state("Reward");
    const std::string holder = mission % 2 ? "Sniper No." + std::to_string(mission)
                                           : "狙撃手" + std::to_string(mission) + "号";
    ASSERT_TRUE(doAll({"type " + holder, "key 13"}));
    // The whole file, byte for byte.
    const auto expected = platform::Utf8ToCp932(std::string("\"") + kSettingsHeader + "\"\r\n1," +
                                                std::to_string(reward) + ",\"" + holder + "\",1\r\n");
    ASSERT_TRUE(expected);
    ASSERT_EQ(ReadFile(sim.Path("save.dat")), *expected);
    residentKb.push_back(sim.ResidentKb());
    ASSERT_GT(residentKb.back(), 0) << "no resident size of kzv-sim";
  }
  const long highest = *std::max_element(residentKb.begin(), residentKb.end());
  EXPECT_LE(highest - residentKb.front(), kGrowthToleranceKb)
      << "resident memory grew from " << residentKb.front() << " kB after mission 1";
  EXPECT_EQ(sim.Finish(), 0) << "kzv-sim did not end normally";
  const std::string errors = ReadFile(sim.Path("stderr.txt"));
  for (const char* bad : {"save.dat", "Sanitizer", "runtime error"})
    EXPECT_EQ(errors.find(bad), std::string::npos) << "kzv-sim wrote:\n" << errors;
}

}  // namespace
