// World creation and one crowd tick, each beside a plain pass over the same bytes (the map grid
// and the person table), so the cost can be quoted as a ratio to touching that memory.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "flow/game_state.h"
#include "platform/files.h"
#include "world/crowd.h"
#include "world/random_draw.h"
#include "world/world_creation.h"
#include "world/world_model.h"

namespace {

constexpr size_t kWorldBytes = sizeof MapGrid + sizeof People;

// A city like the shipped one: streets on every fifth column and row, buildings between.
std::string BenchMap() {
  const std::string buildings = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  std::string map;
  for (int y = 1; y <= 100; ++y) {
    for (int x = 1; x <= 100; ++x) {
      map += x % 5 == 0 || y % 5 == 0 ? char('0' + (x + y) % 10) : buildings[(x * 7 + y * 3) % 52];
    }
  }
  return map;
}

// An application folder of the benchmark's own with data/map.dat in it.
struct BenchAppDir {
  BenchAppDir() {
    dir = std::filesystem::temp_directory_path() / "kzv-world-bench";
    std::filesystem::create_directories(dir / "data");
    std::ofstream(dir / "data" / "map.dat", std::ios::binary) << BenchMap() << "\r\n";
    platform::SetAppDir(dir.string());
  }
  ~BenchAppDir() {
    platform::SetAppDir("");
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
  std::filesystem::path dir;
};

void ClearGrid() { std::memset(MapGrid, 0, sizeof MapGrid); }

void BM_CreateWorld(benchmark::State& state) {
  BenchAppDir app;
  SeedRandom(1);
  for (auto _ : state) {
    state.PauseTiming();
    ClearGrid();  // as the result screen leaves it
    state.ResumeTiming();
    CreateWorld();
    benchmark::DoNotOptimize(People);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kWorldBytes));
}
BENCHMARK(BM_CreateWorld)->Unit(benchmark::kMicrosecond);

void BM_StepCrowd(benchmark::State& state) {
  BenchAppDir app;
  ResetWorld();
  SeedRandom(2);
  CreateWorld();
  for (auto _ : state) {
    StepCrowd();
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kWorldBytes));
  ResetWorld();
}
BENCHMARK(BM_StepCrowd)->Unit(benchmark::kMicrosecond);

// The reference: copy the world's bytes once and sum them once.
void BM_ReferenceWorldPass(benchmark::State& state) {
  std::vector<uint8_t> copy(kWorldBytes);
  for (auto _ : state) {
    std::memcpy(copy.data(), MapGrid, sizeof MapGrid);
    std::memcpy(copy.data() + sizeof MapGrid, People, sizeof People);
    unsigned sum = 0;
    for (uint8_t b : copy) sum += b;
    benchmark::DoNotOptimize(sum);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kWorldBytes));
}
BENCHMARK(BM_ReferenceWorldPass)->Unit(benchmark::kMicrosecond);

}  // namespace
