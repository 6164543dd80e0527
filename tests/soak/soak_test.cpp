// Many missions in one run of kzv-sim, in the automatic-sniping mode, with the name entry and the
// sound switch in between: after every mission the game must be back at the title, save.dat
// must read back as the record just shown, and the driver's resident memory must not grow.
//
//   KZV_SOAK_MISSIONS=1000 build/test_soak     (20 missions without it)
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "hosts/app_dir.h"
#include "platform/text_encoding.h"
#include "shell/settings_file.h"
#include "soak/sim_process.h"

namespace {

constexpr int kDefaultMissions = 20;
constexpr int kShotsPerMission = 56;
constexpr int kTitleMode = 1, kResultMode = 2, kPlayMode = 3;
constexpr int kMenuStart = 2;
constexpr int kKeyEnter = 13, kKeyShift = 16, kKeyDown = 40;
constexpr int kArrowKeys[] = {37, 38, 39, 40};
// Cursor steps between two shots, each followed by this much game time: enough for the scope
// view tick (every 15.625 ms) to fire by itself a few times when someone is under the cursor.
constexpr int kStepsPerShot = 3;
constexpr int kStepWaitMs = 50;
constexpr int kSoundSwitchEvery = 3;
// Every fifth mission keeps the record as it stands, so a mission that does not beat it (the
// name entry stays closed and Enter takes the holder's name again) comes round as well.
constexpr int kNaturalRecordEvery = 5;
constexpr int kForcedRecord = -100000000;  // below any mission total, which stops at -99999999
// Resident memory may move by allocator noise; a leak of a mission's world, pictures or sounds
// would pass this within a few missions.
constexpr long kGrowthToleranceKb = 1024;

int MissionCount() {
  const char* text = std::getenv("KZV_SOAK_MISSIONS");
  if (!text || !*text) return kDefaultMissions;
  return std::max(1, std::atoi(text));
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The name typed at the mission's name entry: ASCII and Japanese in turn.
std::string NameFor(int mission) {
  if (mission % 2 == 1) return "Sniper No." + std::to_string(mission % 1000);
  return "狙撃手" + std::to_string(mission % 1000) + "号";
}

class SoakTest : public ::testing::Test {
 protected:
  void SetUp() override {
    appDir_ = FreshAppDir("soak_test_app");
    errorFile_ = appDir_ + "/stderr.txt";
    sim_ = std::make_unique<SimProcess>(
        appDir_, errorFile_,
        std::vector<std::string>{
            // Without its quarantine the sanitizer's heap gives freed memory back for reuse at
            // once, so its resident size follows the program's own.
            "ASAN_OPTIONS=detect_leaks=0:abort_on_error=0:quarantine_size_mb=0:"
            "thread_local_quarantine_size_kb=0",
            // glibc raises its mmap and trim thresholds as the first blocks over 128 kB are
            // freed, which keeps some 750 kB more in the heap from the second or
            // third mission on, once. Fixed thresholds above those blocks give that state from
            // the start, so growth after the first mission is the program's own.
            "MALLOC_MMAP_THRESHOLD_=4194304", "MALLOC_TRIM_THRESHOLD_=8388608"});
    ASSERT_TRUE(sim_->Started()) << sim_->Failure();
  }

  // Sends a command that must answer {"ok":true}.
  bool Do(const std::string& command) {
    std::string answer = sim_->Ask(command);
    if (answer == "{\"ok\":true}") return true;
    ADD_FAILURE() << "mission " << mission_ << ": \"" << command << "\" answered \"" << answer
                  << "\" " << sim_->Failure();
    return false;
  }

  bool Key(int vk) { return Do("key " + std::to_string(vk)); }

  // Sends commands together; every one must answer {"ok":true}.
  bool DoAll(const std::vector<std::string>& commands) {
    std::vector<std::string> answers = sim_->AskAll(commands);
    for (size_t i = 0; i < commands.size(); ++i) {
      if (i < answers.size() && answers[i] == "{\"ok\":true}") continue;
      ADD_FAILURE() << "mission " << mission_ << ": \"" << commands[i] << "\" answered \""
                    << (i < answers.size() ? answers[i] : "") << "\" " << sim_->Failure();
      return false;
    }
    return true;
  }

  nlohmann::json Dump() {
    std::string answer = sim_->Ask("dump");
    nlohmann::json dump = nlohmann::json::parse(answer, nullptr, false);
    if (!dump.is_object() || !dump.contains("state")) {
      ADD_FAILURE() << "mission " << mission_ << ": dump answered \"" << answer.substr(0, 200)
                    << "\" " << sim_->Failure();
      return nullptr;
    }
    if (!dump["ended"].is_boolean()) {
      ADD_FAILURE() << "mission " << mission_ << ": the program ended (" << dump["ended"]
                    << ")";
      return nullptr;
    }
    return dump;
  }

  // The state of a dump that must show the given GameMode.
  bool ExpectMode(nlohmann::json& dump, int mode, const char* where) {
    if (dump.is_null()) return false;
    int actual = dump["state"]["GameMode"];
    if (actual == mode) return true;
    ADD_FAILURE() << "mission " << mission_ << ": GameMode " << actual << " " << where
                  << ", expected " << mode;
    return false;
  }

  // From the title (the start item chosen) through 56 shots to the result screen.
  bool PlayMission(bool& autoShotSeen) {
    nlohmann::json title = Dump();
    if (!ExpectMode(title, kTitleMode, "at the title")) return false;
    for (int i = 0; i < 3 && title["state"]["MenuChoice"].get<int>() != kMenuStart; ++i) {
      if (!Key(kKeyDown)) return false;
      title = Dump();
    }
    if (title["state"]["MenuChoice"].get<int>() != kMenuStart) {
      ADD_FAILURE() << "mission " << mission_ << ": the start item cannot be chosen";
      return false;
    }
    if (!Key(kKeyShift)) return false;
    if (mission_ == 1 && !Do("click ura")) return false;  // nothing covers it during play
    nlohmann::json play = Dump();
    if (!ExpectMode(play, kPlayMode, "after the start")) return false;
    if (play["state"]["HiddenMode"].get<int>() != 1 ||
        play["windows"]["Form1"]["caption"] != "K.Z.V（自動狙撃）") {
      ADD_FAILURE() << "mission " << mission_ << ": not in the automatic-sniping mode";
      return false;
    }

    for (int shot = 1; shot <= kShotsPerMission; ++shot) {
      std::vector<std::string> steps;
      for (int step = 0; step < kStepsPerShot; ++step) {
        steps.push_back("key " + std::to_string(kArrowKeys[rng_() % 4]));
        steps.push_back("wait " + std::to_string(kStepWaitMs));
      }
      if (shot % 8 == 0) {
        if (!DoAll(steps)) return false;
        steps.clear();
        // ShotBusy stays 1 from an automatic shot until the next shot of the fire key.
        nlohmann::json during = Dump();
        if (!ExpectMode(during, kPlayMode, "during the mission")) return false;
        if (during["state"]["ShotBusy"] == 1) autoShotSeen = true;
      }
      // The gun is recharged at once: the full 1.25 s of recharge between shots would cost each
      // mission 70 s of game time, 4500 scope ticks, minutes in the sanitizer build. The
      // automatic shot still has its chances whenever the cursor meets someone.
      steps.push_back("set Charge 0");
      steps.push_back("key " + std::to_string(kKeyShift));
      if (shot < kShotsPerMission) steps.push_back("set Charge 0");
      if (!DoAll(steps)) return false;
    }
    return true;
  }

  std::string appDir_, errorFile_;
  std::unique_ptr<SimProcess> sim_;
  std::mt19937 rng_{20001207};
  int mission_ = 0;
};

TEST_F(SoakTest, ManyAutoSnipeMissionsLeaveTheTitleTheRecordAndTheMemoryAsTheyShouldBe) {
  const int missions = MissionCount();
  const auto started = std::chrono::steady_clock::now();
  ASSERT_TRUE(Do("wait 1000"));  // the launcher hands over to the title

  std::string holder = "日向 澄香";
  int64_t record = 150000;
  int soundOn = 1;
  int nameEntries = 0, soundSwitches = 0, missionsWithAutoShots = 0;
  std::vector<long> residentKb;

  for (mission_ = 1; mission_ <= missions; ++mission_) {
    const bool forceRecord = mission_ % kNaturalRecordEvery != 0;
    if (forceRecord) {
      ASSERT_TRUE(Do("set RecordReward " + std::to_string(kForcedRecord)));
      record = kForcedRecord;
    }
    bool autoShotSeen = false;
    ASSERT_TRUE(PlayMission(autoShotSeen));
    missionsWithAutoShots += autoShotSeen;

    nlohmann::json result = Dump();
    ASSERT_TRUE(ExpectMode(result, kResultMode, "after the last shot"));
    const int64_t reward = result["state"]["Reward"].get<int64_t>();
    const bool newRecord = result["controls"]["ename"]["enabled"].get<bool>();
    ASSERT_EQ(newRecord, reward > record) << "mission " << mission_ << ", reward " << reward;
    if (newRecord) {
      holder = NameFor(mission_);
      record = reward;
      ASSERT_TRUE(Do("type " + holder));
      ++nameEntries;
    }
    ASSERT_TRUE(Key(kKeyEnter));

    nlohmann::json back = Dump();
    ASSERT_TRUE(ExpectMode(back, kTitleMode, "after the name entry"));
    EXPECT_EQ(back["state"]["RecordHolder"], holder) << "mission " << mission_;
    EXPECT_EQ(back["state"]["RecordReward"].get<int64_t>(), record) << "mission " << mission_;

    if (mission_ % kSoundSwitchEvery == 0) {
      ASSERT_TRUE(Do("click sic"));
      soundOn = 1 - soundOn;
      ++soundSwitches;
      ASSERT_EQ(Dump()["state"]["SoundOn"], soundOn) << "mission " << mission_;
    }

    // The whole file, byte for byte: the header, then the veteran mark, record, holder and
    // sound switch, each line ended by CR LF.
    std::optional<std::string> expected = platform::Utf8ToCp932(
        std::string("\"") + kSettingsHeader + "\"\r\n1," + std::to_string(record) + ",\"" +
        holder + "\"," + std::to_string(soundOn) + "\r\n");
    ASSERT_TRUE(expected) << "mission " << mission_;
    ASSERT_EQ(ReadFile(appDir_ + "/save.dat"), *expected) << "mission " << mission_;

    long kb = sim_->ResidentKb();
    ASSERT_GT(kb, 0) << "mission " << mission_ << ": no resident size of kzv-sim";
    residentKb.push_back(kb);
  }

  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  const long highest = *std::max_element(residentKb.begin(), residentKb.end());
  std::printf(
      "soak: %d missions in %.1f s; resident %ld kB after mission 1, %ld kB after mission %d, "
      "highest %ld kB; %d name entries, %d sound switches, automatic shots seen in %d "
      "missions\n",
      missions, seconds, residentKb.front(), residentKb.back(), missions,
      highest, nameEntries, soundSwitches, missionsWithAutoShots);
  EXPECT_LE(highest - residentKb.front(), kGrowthToleranceKb)
      << "resident memory grew from " << residentKb.front() << " kB after mission 1";
  EXPECT_GT(missionsWithAutoShots, 0) << "the automatic shot never fired";

  EXPECT_EQ(sim_->Finish(), 0) << "kzv-sim did not end normally";
  std::string errors = ReadFile(errorFile_);
  for (const char* bad : {"save.dat", "Sanitizer", "runtime error"}) {
    EXPECT_EQ(errors.find(bad), std::string::npos) << "kzv-sim wrote:\n" << errors;
  }
}

}  // namespace
