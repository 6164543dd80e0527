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
#include <vector>

#include "flow/game_state.h"
#include "shell/settings_file.h"
#include "support/files.h"

namespace {

constexpr int kRounds = 200;

struct Version {
  int32_t reward;
  const char* holder;
  uint8_t soundOn;
};
// Names of different lengths, so that a file cut short or mixed from two saves cannot pass for
// a whole one.
const Version kVersions[] = {
    {1250000, "A", 1},
    {-99999999, "狙撃手 長い名前の記録保持者", 0},
    {0, "Sniper \"Quick\" Name", 1},
    {654321, "日向 澄香", 0},
};

void UseVersion(const Version& v) {
  G.RecordReward = v.reward;
  G.RecordHolder = v.holder;
  G.SoundOn = v.soundOn;
}

// Saves the versions in turn, forever; tells the parent once the first save is done.
[[noreturn]] void SaveWithoutEnd(int readyPipe) {
  prctl(PR_SET_PDEATHSIG, SIGKILL);  // never outlives a test that dies
  for (long n = 0;; ++n) {
    UseVersion(kVersions[n % std::size(kVersions)]);
    if (!SaveSettings()) _exit(2);
    if (n == 0) {
      char ready = 1;
      if (write(readyPipe, &ready, 1) != 1) _exit(3);
    }
  }
}

class KillDuringSave : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGameState();
    G.SavePath = dir_ / "save.dat";
  }

  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir_.Path()))
      names.push_back(e.path().filename().string());
    return names;
  }

  TempDir dir_{"kill-save"};
};

TEST_F(KillDuringSave, TheFileIsAlwaysOneWholeVersionAndNoTemporaryPilesUp) {
  // The bytes of every version the file may hold: the default one it starts with and each
  // one the child saves.
  ASSERT_TRUE(CreateDefaultSettings());
  std::vector<std::string> whole = {ReadFile(G.SavePath)};
  const auto saveStarted = std::chrono::steady_clock::now();
  for (const Version& v : kVersions) {
    UseVersion(v);
    ASSERT_TRUE(SaveSettings());
    whole.push_back(ReadFile(G.SavePath));
  }
  // Kills are spread over about three saves, so they land in every step of one.
  const auto oneSave = (std::chrono::steady_clock::now() - saveStarted) / std::size(kVersions);
  const long spreadMicros = std::max<long>(
      50, long(std::chrono::duration_cast<std::chrono::microseconds>(oneSave).count()) * 3);

  std::mt19937 rng(424242);
  for (int round = 0; round < kRounds; ++round) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      close(ready[0]);
      SaveWithoutEnd(ready[1]);
    }
    close(ready[1]);
    char byte = 0;
    bool started = read(ready[0], &byte, 1) == 1;
    close(ready[0]);
    std::this_thread::sleep_for(std::chrono::microseconds(rng() % spreadMicros));
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(started) << "round " << round << ": the child's first save failed, status "
                         << status;
    ASSERT_TRUE(WIFSIGNALED(status)) << "round " << round << ": the child stopped saving";

    // Exactly one whole version, byte for byte (which reads back as written, see the settings
    // file's tests).
    const std::string bytes = ReadFile(G.SavePath);
    ASSERT_NE(std::find(whole.begin(), whole.end(), bytes), whole.end()) << "round " << round << ": save.dat holds " << bytes.size()
                                  << " bytes that are no version written";
    // A save cut off before its rename leaves its temporary file; the next save removes those
    // of processes that are gone, so at most the last child's can be there.
    for (const std::string& name : Entries()) {
      if (name == "save.dat") continue;
      if (name == "save.dat.tmp." + std::to_string(child)) continue;
      ADD_FAILURE() << "round " << round << ": " << name << " left in the folder";
    }
    ASSERT_FALSE(HasFailure());
  }
  // The parent's own next save clears the last child's temporary file.
  UseVersion(kVersions[0]);
  ASSERT_TRUE(SaveSettings());
  EXPECT_EQ(Entries(), std::vector<std::string>{"save.dat"});
}

TEST_F(KillDuringSave, ASaveRemovesOnlyTheTemporariesOfProcessesThatAreGone) {
  ASSERT_TRUE(CreateDefaultSettings());
  pid_t gone = fork();
  ASSERT_GE(gone, 0);
  if (gone == 0) _exit(0);
  ASSERT_EQ(waitpid(gone, nullptr, 0), gone);
  const std::string dead = "save.dat.tmp." + std::to_string(gone);
  const std::vector<std::string> kept = {
      "save.dat.tmp.1",                         // a writer still running
      "save.dat.tmp.12ab",                      // not a process id
      "other.dat.tmp." + std::to_string(gone),  // another file's
  };
  for (const std::string& name : kept) WriteFile(dir_ / name, "x");
  WriteFile(dir_ / dead, "half a save");

  UseVersion(kVersions[1]);
  ASSERT_TRUE(SaveSettings());
  std::vector<std::string> left = Entries();
  std::sort(left.begin(), left.end());
  std::vector<std::string> expected = kept;
  expected.push_back("save.dat");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(left, expected);
}

}  // namespace
