// The scope view tick against the memory traffic it cannot avoid.
//
// One tick (no flash frame) writes, in bytes of 32-bit pixels:
//   work 225 x 225 (202,500 B) eight times over: the clear, the five block copies of every
//     cell (tile, blood mask and image, person mask and image), the eye mask, and the copy
//     onto main;
//   sco2/big 200 x 200 (160,000 B) four times: the stretch, the overlay's mask and image, and
//     the copy onto big;
//   the band 225 x 50 (45,000 B), the cursor 15 x 15 (900 B), the cross-hairs 2 x 225 (1,800 B).
// In all 2,307,700 B. (The five copies of a cell are fused into one pass, so the tick itself
// stores each cell pixel once; the count above follows the copies the game makes.)
// Two baselines copy exactly that much in the same surface-sized pieces:
//   BM_MemcpyOfTickBytes between one pair of buffers per size, which stays in the nearest
//     cache: the floor no drawing can reach. The tick's ratio to this one is the figure quoted.
//   BM_MemcpyOverTheTickSurfaces between buffers standing for the tick's own surfaces (work,
//     main, eye, sheets, band, sco2, sco, big: about 1.5 MB in all), which shows what the cache
//     pressure of that many surfaces costs a plain copy.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "flow/game_state.h"
#include "platform/raster/surface.h"
#include "shell/program.h"
#include "shell/forms.h"
#include "sniping/scope_view.h"
#include "world/world_model.h"

namespace {

constexpr int64_t kViewBytes = 225 * 225 * 4;
constexpr int64_t kScopeBytes = 200 * 200 * 4;
constexpr int64_t kBandBytes = 225 * 50 * 4;
constexpr int64_t kSmallBytes = 15 * 15 * 4 + 2 * 225 * 4;
constexpr int64_t kTickBytes = 8 * kViewBytes + 4 * kScopeBytes + kBandBytes + kSmallBytes;

// A picture of the size with every pixel different, so no copy can be skipped.
platform::Surface Patterned(int w, int h, uint32_t seed) {
  platform::Surface s(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      s.At(x, y) = (uint32_t(x * 2654435761u) ^ uint32_t(y * 40503u) ^ seed) & 0xFFFFFF;
  return s;
}

// Sprite 0 of the blood and people sheets is the empty sprite: white mask, black image.
platform::Surface WithEmptySpriteZero(platform::Surface sheet) {
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 15; ++x) {
      sheet.At(x, y) = 0x000000;
      sheet.At(x, y + 15) = 0xFFFFFF;
    }
  return sheet;
}

void SetUpPlayingWorld() {
  ResetProgram();
  ResetWorld();
  CreateWindows();
  platform::Form& f = Form1();
  f("cip").SetPicture(Patterned(800, 30, 1));
  f("chi").SetPicture(WithEmptySpriteZero(Patterned(90, 30, 2)));
  f("peple").SetPicture(WithEmptySpriteZero(Patterned(195, 30, 3)));
  f("sol").SetPicture(Patterned(30, 15, 4));
  f("line1").SetPicture(Patterned(1, 225, 5));
  f("line2").SetPicture(Patterned(225, 1, 6));
  f("noise").SetPicture(Patterned(225, 50, 7));
  f("eye").SetPicture(Patterned(225, 225, 8));
  f("sco").SetPicture(Patterned(200, 400, 9));

  // A full city: streets and buildings, 1000 people on streets, blood and shot marks about.
  for (int x = 1; x <= 100; ++x)
    for (int y = 1; y <= 100; ++y) {
      MapGrid[x][y][Terrain] =
          uint8_t((x % 6 == 0 || y % 5 == 0) ? (x + y) % 10 : 10 + (x * y) % 43);
      MapGrid[x][y][Blood] = uint8_t((x * 31 + y * 17) % 23 < 6 ? (x + y) % 6 : 0);
      MapGrid[x][y][ShotMark] = uint8_t((x * 13 + y) % 29 == 0);
    }
  int person = 1;
  for (int x = 1; x <= 99 && person <= kPersonCount; ++x)
    for (int y = 1; y <= 99 && person <= kPersonCount; ++y) {
      if (!CellFree(x, y) || (x * 7 + y * 11) % 3 != 0) continue;
      People[person][State] = 1;
      People[person][PosX] = uint8_t(x);
      People[person][PosY] = uint8_t(y);
      People[person][Look] = uint8_t(1 + person % 12);
      People[person][Surname] = 1;
      People[person][GivenName] = 1;
      People[person][Kind] = uint8_t(person % 4);
      MapGrid[x][y][Occupant] = People[person][Look];
      ++person;
    }

  NewMissionReset();
  G.GameMode = 3;
  G.SoundOn = 0;
  G.NaviCounter = 100;  // the band inside the view
  // The cursor on somebody, so every tick runs the person search too.
  for (int cx = 2; cx <= 14; ++cx)
    for (int cy = 2; cy <= 14; ++cy)
      if (MapGrid[G.ViewX + cx][G.ViewY + cy][Occupant] != 0) {
        G.CursorX = uint8_t(cx);
        G.CursorY = uint8_t(cy);
        return;
      }
}

void BM_ScopeViewTick(benchmark::State& state) {
  SetUpPlayingWorld();
  Tim1_Timer();  // the identification's log lines and labels once, outside the timing
  for (auto _ : state) {
    Tim1_Timer();
    benchmark::DoNotOptimize(Form1()("main").image.pixels.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kTickBytes);
  ResetProgram();
  ResetWorld();
}
BENCHMARK(BM_ScopeViewTick)->Unit(benchmark::kMicrosecond);

void BM_MemcpyOfTickBytes(benchmark::State& state) {
  std::vector<char> viewSrc(kViewBytes, 1), viewDst(kViewBytes);
  std::vector<char> scopeSrc(kScopeBytes, 2), scopeDst(kScopeBytes);
  std::vector<char> bandSrc(kBandBytes, 3), bandDst(kBandBytes);
  std::vector<char> smallSrc(kSmallBytes, 4), smallDst(kSmallBytes);
  for (auto _ : state) {
    for (int pass = 0; pass < 8; ++pass) {
      std::memcpy(viewDst.data(), viewSrc.data(), kViewBytes);
      benchmark::ClobberMemory();
    }
    for (int pass = 0; pass < 4; ++pass) {
      std::memcpy(scopeDst.data(), scopeSrc.data(), kScopeBytes);
      benchmark::ClobberMemory();
    }
    std::memcpy(bandDst.data(), bandSrc.data(), kBandBytes);
    std::memcpy(smallDst.data(), smallSrc.data(), kSmallBytes);
    benchmark::DoNotOptimize(viewDst.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kTickBytes);
}
BENCHMARK(BM_MemcpyOfTickBytes)->Unit(benchmark::kMicrosecond);

void BM_MemcpyOverTheTickSurfaces(benchmark::State& state) {
  auto view = [] { return std::vector<char>(kViewBytes, 5); };
  auto scope = [] { return std::vector<char>(kScopeBytes, 6); };
  std::vector<char> work = view(), main = view(), eye = view(), sheets = view();
  std::vector<char> sco2 = scope(), big = scope(), scoMask = scope(), scoImage = scope();
  std::vector<char> noise(kBandBytes, 7), cursorAndHairs(kSmallBytes, 8);
  auto copy = [](std::vector<char>& to, const std::vector<char>& from, int64_t bytes) {
    std::memcpy(to.data(), from.data(), size_t(bytes));
    benchmark::ClobberMemory();
  };
  for (auto _ : state) {
    std::memset(work.data(), 0, kViewBytes);                              // clear
    for (int pass = 0; pass < 5; ++pass) copy(work, sheets, kViewBytes);  // the cells
    copy(work, eye, kViewBytes);                                          // mask
    copy(work, cursorAndHairs, kSmallBytes);                              // cursor and cross-hairs
    copy(work, noise, kBandBytes);                                        // band
    copy(sco2, work, kScopeBytes);                                        // stretch
    copy(sco2, scoMask, kScopeBytes);                                     // overlay
    copy(sco2, scoImage, kScopeBytes);
    copy(big, sco2, kScopeBytes);  // present
    copy(main, work, kViewBytes);
  }
  state.SetBytesProcessed(state.iterations() * kTickBytes);
}
BENCHMARK(BM_MemcpyOverTheTickSurfaces)->Unit(benchmark::kMicrosecond);

}  // namespace
