// Start-up on the script host: from the program's entry to the title on the main window (the
// launcher, the eleven steps of the main window's load, every picture, sound and the settings
// file), beside reading the same data files whole, so the cost is quoted as a ratio to that.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/script/script_host.h"
#include "platform/toolkit/window.h"
#include "shell/program.h"
#include "world/random_draw.h"

namespace fs = std::filesystem;

namespace {

// A program folder of the benchmark's own, as a player's copy of the game has it.
struct StartupAppDir {
  StartupAppDir() {
    const fs::path build = fs::read_symlink("/proc/self/exe").parent_path();
    dir = fs::temp_directory_path() / ("kzv-startup-bench-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::copy(build / "data", dir / "data", fs::copy_options::recursive);
    fs::copy_file(build / "Stools.dll", dir / "Stools.dll");
    platform::SetAppDir(dir.string());
  }
  ~StartupAppDir() {
    platform::SetAppDir("");
    std::error_code ignored;
    fs::remove_all(dir, ignored);
  }
  fs::path dir;
};

void BM_StartToTitle(benchmark::State& state) {
  StartupAppDir app;
  for (auto _ : state) {
    ResetProgram();
    SeedRandom(1);
    platform::ScriptHost host;
    host.Start(StartProgram);
    host.Wait(200);  // the launcher's ten ticks hand over to the main window
    platform::Form* shown = host.ShownForm();
    if (!shown || shown->name != "Form1" || host.Ended()) {
      state.SkipWithError("the title did not come up");
      break;
    }
  }
  ResetProgram();
}
BENCHMARK(BM_StartToTitle)->Unit(benchmark::kMillisecond);

void BM_ReadDataFiles(benchmark::State& state) {
  StartupAppDir app;
  std::vector<std::string> paths;
  for (const auto& entry : fs::directory_iterator(app.dir / "data")) paths.push_back(entry.path());
  int64_t bytes = 0;
  for (auto _ : state) {
    for (const std::string& path : paths) {
      auto contents = platform::ReadWholeFile(path);
      bytes += contents ? int64_t(contents->size()) : 0;
      benchmark::DoNotOptimize(contents);
    }
  }
  state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_ReadDataFiles)->Unit(benchmark::kMillisecond);

}  // namespace
