// Replay files on arbitrary bytes, as kzv-sim --replay takes them: one that cannot be read, or
// was made by another version or with other data, is refused with a message naming the file
// before anything runs; one that reads is played on the script host from the title to its end
// (at most kMostEvents of its events), and either goes as recorded or says what went otherwise.
// No replay writes save.dat.
//
// In an input, the line "version ." stands for this game's version and "data ." for the
// digest of its data folder, so that the seeds keep playing when either changes.
//
// The program is started once and waits on the title; each play runs in a child process that
// starts from there, so every play starts from the same program, as a fresh kzv-sim would.
// The child's coverage is handed back to the fuzzer, and a crash, a sanitizer report or a
// play that never ends in the child stops the fuzzer on the input.
#include <dlfcn.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "platform/files.h"
#include "platform/script/script_host.h"
#include "shell/mission_replay.h"
#include "shell/program.h"
#include "shell/sound_binding.h"
#include "world/random_draw.h"

// coverage_counters.cpp
uint8_t* CoverageCounters();
size_t CoverageCounterCount();

namespace {

namespace fs = std::filesystem;

// A full mission of 56 shots is some 400 events; the first ones hold the start of the mission,
// its first ticks and shots, which is where a damaged replay first meets the game. Every
// event more costs a tick of drawing the city.
constexpr size_t kMostEvents = 64;

const fs::path& AppFolder() { return ScratchFolder("replay"); }

// A record the replays must leave as it is.
constexpr std::string_view kSave =
    "\"(C)2000 VOREN [KZV \x90\xdd\x92\xe8\x83t\x83@\x83" "C\x83\x8b]\"\r\n1,-99999999,\"KZV\",1\r\n";

std::string versionLine, dataLine;
platform::ScriptHost* host = nullptr;  // the program waiting on the title
uint8_t* childCounters = nullptr;      // shared with the children

// The game's files are the ones beside the fuzzer (the build folder), linked into a program
// folder of its own whose save.dat shows any write.
void Setup() {
  const fs::path game = platform::AppDir();
  std::error_code ec;
  fs::create_symlink(game / "data", AppFolder() / "data", ec);
  fs::create_symlink(game / "Stools.dll", AppFolder() / "Stools.dll", ec);
  WriteBytes(AppFolder() / "save.dat", kSave);
  platform::SetAppDir(AppFolder().string());
  // No audio device: the sound library stays silent (fuzz_sound fuzzes it), while the game's
  // calls to it are kept and checked at the end as ever.
  setenv("SDL_AUDIODRIVER", "none", 1);

  versionLine = std::string("version ") + KZV_VERSION;
  const std::optional<uint64_t> digest = platform::FolderDigest((AppFolder() / "data").string());
  if (!digest) Fail("the game's data folder cannot be read");
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(*digest));
  dataLine = std::string("data ") + hex;

  // As kzv-sim starts it, up to the title.
  host = new platform::ScriptHost;
  SetSoundCallRecording(true);
  SeedRandom(0);
  host->Start(StartProgram);
  // An empty replay brings it to the title and plays nothing there.
  if (PlayReplay(*host, MissionReplay{}) != "" || host->Ended())
    Fail("the program never reached the title");

  if (CoverageCounterCount() > 0) {
    void* shared = mmap(nullptr, CoverageCounterCount(), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (shared == MAP_FAILED) Fail("no memory to share with the plays");
    childCounters = static_cast<uint8_t*>(shared);
  }
}

// The input with its placeholder lines made this game's own.
std::string WithThisGame(std::string_view input) {
  std::string out;
  size_t at = 0;
  while (at < input.size()) {
    size_t end = input.find('\n', at);
    std::string_view line = input.substr(at, end == std::string_view::npos ? end : end - at + 1);
    at += line.size();
    std::string_view bare = line.substr(0, line.find_first_of("\r\n"));
    if (bare == "version .") {
      out += versionLine + std::string(line.substr(bare.size()));
    } else if (bare == "data .") {
      out += dataLine + std::string(line.substr(bare.size()));
    } else {
      out += line;
    }
  }
  return out;
}

// What a replay that reads may hold: its times on the clock and its readings bounded.
void CheckBounds(const platform::ReplayFile& file) {
  const auto onTheClock = [](int64_t t) { return t >= 0 && t <= platform::kReplayLatestClock; };
  size_t readings = 0;
  for (const platform::ReplayEvent& e : file.events) {
    if (!onTheClock(e.micros)) Fail("a replay read with an event off the clock");
    for (int64_t reading : e.readings)
      if (!onTheClock(reading)) Fail("a replay read with a clock reading off the clock");
    readings += e.readings.size();
  }
  if (readings > platform::kReplayMostReadings) Fail("a replay read with too many clock readings");
}

// In the child: the play, then its coverage handed back; never returns.
[[noreturn]] void PlayInChild(MissionReplay& replay) {
  prctl(PR_SET_PDEATHSIG, SIGKILL);  // a fuzzer stopped on a hang takes its play with it
  if (replay.file.events.size() > kMostEvents) {
    replay.file.events.resize(kMostEvents);
    replay.file.finished = false;  // its end is not reached, so not checked
  }
  PlayReplay(*host, replay);  // what went otherwise is kzv-sim's to say
  if (childCounters) std::memcpy(childCounters, CoverageCounters(), CoverageCounterCount());
  _exit(0);  // not exit: the scratch folder is the parent's
}

void Play(MissionReplay& replay) {
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child < 0) Fail("cannot start a play");
  if (child == 0) PlayInChild(replay);
  int status = 0;
  while (waitpid(child, &status, 0) < 0)
    if (errno != EINTR) Fail("lost a play");
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) Fail("the play crashed (see above)");
  // The child's counters hold this run's reading too, counted before it was started.
  if (childCounters)
    std::memcpy(CoverageCounters(), childCounters, CoverageCounterCount());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool ready = (Setup(), true);
  (void)ready;
  const fs::path path = AppFolder() / "input.replay";
  WriteBytes(path, WithThisGame(std::string_view(reinterpret_cast<const char*>(data), size)));

  std::string error;
  std::optional<MissionReplay> replay = LoadMissionReplay(path.string(), error);
  if (!replay) {
    if (error.find(path.string()) == std::string::npos) Fail("a refused replay without its name");
    return 0;
  }
  CheckBounds(replay->file);
  Play(*replay);
  if (ReadBytes(AppFolder() / "save.dat") != kSave) Fail("a replay wrote save.dat");
  return 0;
}
