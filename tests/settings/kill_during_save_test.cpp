// save.dat must survive the game being killed at any moment of a save: a child process saves as
// fast as it can, alternating between records, and is killed with SIGKILL after a random delay;
// each time the file must read back as one of the complete versions, and what a killed save
// leaves behind must never be taken for the settings nor pile up.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "flow/game_state.h"
#include "shell/settings_file.h"
#include "support/files.h"

namespace {

// Names of different lengths, so that a file cut short or mixed from two saves cannot pass for
// a whole one.
const std::pair<int32_t, const char*> kVersions[] = {
    {1250000, "A"}, {-99999999, "狙撃手 長い名前の記録保持者"}, {0, "Sniper \"Quick\" Name"}};

bool Save(int n) {
  G.RecordReward = kVersions[n % std::size(kVersions)].first;
  G.RecordHolder = kVersions[n % std::size(kVersions)].second;
  G.SoundOn = uint8_t(n % 2);
  return SaveSettings();
}

class KillDuringSave : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGameState();
    G.SavePath = dir_ / "save.dat";
    ASSERT_TRUE(CreateDefaultSettings());
  }
  std::vector<std::string> Entries() const { return ::Entries(dir_.Path()); }
  TempDir dir_{"kill-save"};
};

TEST_F(KillDuringSave, TheFileIsAlwaysOneWholeVersionAndNoTemporaryPilesUp) {
  // The bytes of every version the file may hold: the default one and each one saved.
  std::vector<std::string> whole = {ReadFile(G.SavePath)};
  const auto started = std::chrono::steady_clock::now();
  for (size_t n = 0; n < std::size(kVersions) * 2; ++n) {
    ASSERT_TRUE(Save(int(n)));
    whole.push_back(ReadFile(G.SavePath));
  }
  // Kills are spread over about three saves, so they land in every step of one.
  const long spreadMicros = std::max<long>(
      50, long(std::chrono::duration_cast<std::chrono::microseconds>(
                   std::chrono::steady_clock::now() - started).count()) / 2);
  std::mt19937 rng(424242);
  for (int round = 0; round < 200; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {  // saves without end, telling the parent once the first save is done
      prctl(PR_SET_PDEATHSIG, SIGKILL);
      for (int n = 0;; ++n) {
        if (!Save(n)) _exit(2);
        if (n == 0 && write(ready[1], "", 1) != 1) _exit(3);
      }
    }
    close(ready[1]);
    char byte;
    const bool started = read(ready[0], &byte, 1) == 1;
    close(ready[0]);
    std::this_thread::sleep_for(std::chrono::microseconds(rng() % spreadMicros));
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(started && WIFSIGNALED(status)) << "the child stopped saving, status " << status;
    // Exactly one whole version, byte for byte.
    ASSERT_NE(std::find(whole.begin(), whole.end(), ReadFile(G.SavePath)), whole.end());
    // A save cut off before its rename leaves its temporary file; the next save removes those
    // of processes that are gone, so at most the last child's can be there.
    for (const std::string& name : Entries())
      ASSERT_TRUE(name == "save.dat" || name == "save.dat.tmp." + std::to_string(child)) << name;
  }
  ASSERT_TRUE(Save(0));  // the parent's own next save clears the last child's temporary file
  EXPECT_EQ(Entries(), std::vector<std::string>{"save.dat"});
}

TEST_F(KillDuringSave, ASaveRemovesOnlyTheTemporariesOfProcessesThatAreGone) {
  const pid_t gone = fork();
  ASSERT_GE(gone, 0);
  if (gone == 0) _exit(0);
  ASSERT_EQ(waitpid(gone, nullptr, 0), gone);
  // A writer still running, a name that is no process id, another file's temporary.
  std::vector<std::string> kept = {"other.dat.tmp." + std::to_string(gone), "save.dat",
                                   "save.dat.tmp.1", "save.dat.tmp.12ab"};
  for (const std::string& name : kept) WriteFile(dir_ / name, "x");
  WriteFile(dir_ / ("save.dat.tmp." + std::to_string(gone)), "half a save");
  ASSERT_TRUE(Save(1));
  EXPECT_EQ(Entries(), kept);
}

}  // namespace
