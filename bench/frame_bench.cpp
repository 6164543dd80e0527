// The cost of drawing: composing Form1 into its frame, and the block copies of the scope view,
// each beside a memcpy of the same number of bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/raster/compose.h"
#include "platform/raster/surface.h"
#include "platform/text/text.h"
#include "platform/toolkit/window.h"
#include "shell/window_tables.h"

using namespace platform;

namespace {

// Form1 as it looks during play: title and result screens hidden, every picture box holding a
// plain picture of its size, the log and status labels written.
std::unique_ptr<Form> PlayingForm1() {
  auto form = BuildForm(kForm1Def);
  Form& f = *form;
  f.clientWidth = 640;
  f.clientHeight = 480;
  f.picture = Surface(640, 480, 0x0A200A);
  f("title").visible = false;
  f("ending").visible = false;
  uint32_t shade = 0x101010;
  for (auto& c : f.controls)
    if (c->kind == ControlKind::PictureBox)
      c->SetPicture(Surface(c->width, c->height, shade += 0x030303));
  f("Label3").caption = "最高報酬者記録： スナイパー日向 澄香： 150000円";
  const char* log[] = {"Set_=佐藤 花子",  "Pdition-",  "navigation...",
                       "CarsolCode_#090", "ALL Green", ".....",
                       ".....",           ".....",     "....."};
  for (int i = 0; i < 9; ++i) f("sarch", i).caption = log[i];
  f("cname").caption = "佐藤 花子";
  f("ccode").caption = "ガングロ";
  f("yenm").caption = " 150000";
  f("dne").caption = "：+10815円";
  f("ndel").caption = "Del._= 佐藤 花子";
  return form;
}

void BM_ComposeForm1InPlay(benchmark::State& state) {
  auto form = PlayingForm1();
  Surface frame;
  ComposeForm(*form, frame);  // labels rendered once, then cached
  for (auto _ : state) {
    ComposeForm(*form, frame);
    benchmark::DoNotOptimize(frame.pixels.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * 640 * 480 * 4);
}
BENCHMARK(BM_ComposeForm1InPlay);

void BM_MemcpyFrame(benchmark::State& state) {
  const size_t bytes = size_t(state.range(0));
  std::vector<char> a(bytes, 1), b(bytes);
  for (auto _ : state) {
    std::memcpy(b.data(), a.data(), bytes);
    benchmark::DoNotOptimize(b.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}
// A whole frame; a 15 x 15 cell; a 225 x 225 view; a 200 x 200 scope; one scope tick's writes.
BENCHMARK(BM_MemcpyFrame)
    ->Arg(640 * 480 * 4)
    ->Arg(15 * 15 * 4)
    ->Arg(225 * 225 * 4)
    ->Arg(200 * 200 * 4)
    ->Arg(2307700);

// One masked 15 x 15 sprite cell of the map view, as the scope tick draws 225 of them: the
// tile by OR, then mask by AND and image by OR for the blood and the person.
void BM_BitBltCell(benchmark::State& state) {
  const Rop rop = Rop(state.range(0));
  Surface work(225, 225), sheet(800, 30, 0x00FF00);
  int cell = 0;
  for (auto _ : state) {
    BitBlt(work, 15 * (cell % 15), 15 * (cell / 15 % 15), 15, 15, sheet, 15 * (cell % 53), 15, rop);
    ++cell;
    benchmark::DoNotOptimize(work.pixels.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * 15 * 15 * 4);
}
BENCHMARK(BM_BitBltCell)->Arg(int(Rop::SrcCopy))->Arg(int(Rop::SrcPaint))->Arg(int(Rop::SrcAnd));

void BM_BitBltWholeView(benchmark::State& state) {
  const Rop rop = Rop(state.range(0));
  Surface work(225, 225), eye(225, 225, 0x7F7F7F);
  for (auto _ : state) {
    BitBlt(work, 0, 0, 225, 225, eye, 0, 0, rop);
    benchmark::DoNotOptimize(work.pixels.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * 225 * 225 * 4);
}
BENCHMARK(BM_BitBltWholeView)
    ->Arg(int(Rop::SrcCopy))
    ->Arg(int(Rop::SrcPaint))
    ->Arg(int(Rop::SrcAnd));

// The scope: 45 x 45 pixels around the cursor magnified to 200 x 200.
void BM_StretchBltScope(benchmark::State& state) {
  Surface work(225, 225, 0x123456), scope(200, 200);
  for (auto _ : state) {
    StretchBlt(scope, 0, 0, 200, 200, work, 90, 90, 45, 45, Rop::SrcCopy);
    benchmark::DoNotOptimize(scope.pixels.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * 200 * 200 * 4);
}
BENCHMARK(BM_StretchBltScope);

// Every block copy of one scope view tick, in its order; 2,307,700 bytes written.
void BM_ScopeTickBlits(benchmark::State& state) {
  Surface work(225, 225), main(225, 225), sco2(200, 200), big(200, 200);
  Surface cip(800, 30, 0x203020), chi(90, 30, 0xFFFFFF), peple(195, 30, 0xFFFFFF);
  Surface eye(225, 225, 0x7F7F7F), sol(30, 15, 0xFFFF00), noise(225, 50, 0x101010);
  Surface sco(200, 400, 0x808080), line1(1, 225, 0x00FF5A), line2(225, 1, 0x00FF5A);
  for (auto _ : state) {
    work.Fill(0);
    for (int i = 0; i < 15; ++i)
      for (int j = 0; j < 15; ++j) {
        const int x = 15 * i, y = 15 * j;
        BitBlt(work, x, y, 15, 15, cip, 15 * ((i + j) % 53), 0, Rop::SrcPaint);
        BitBlt(work, x, y, 15, 15, chi, 0, 15, Rop::SrcAnd);
        BitBlt(work, x, y, 15, 15, chi, 0, 0, Rop::SrcPaint);
        BitBlt(work, x, y, 15, 15, peple, 15 * (i % 13), 15, Rop::SrcAnd);
        BitBlt(work, x, y, 15, 15, peple, 15 * (i % 13), 0, Rop::SrcPaint);
      }
    BitBlt(work, 0, 0, 225, 225, eye, 0, 0, Rop::SrcAnd);
    BitBlt(work, 105, 105, 15, 15, sol, 0, 0, Rop::SrcPaint);
    BitBlt(work, 0, 100, 225, 50, noise, 0, 0, Rop::SrcPaint);
    StretchBlt(sco2, 0, 0, 200, 200, work, 90, 90, 45, 45, Rop::SrcCopy);
    BitBlt(sco2, 0, 0, 200, 200, sco, 0, 0, Rop::SrcAnd);
    BitBlt(sco2, 0, 0, 200, 200, sco, 0, 200, Rop::SrcPaint);
    BitBlt(work, 112, 0, 1, 225, line1, 0, 0, Rop::SrcPaint);
    BitBlt(work, 0, 112, 225, 1, line2, 0, 0, Rop::SrcPaint);
    BitBlt(big, 0, 0, 200, 200, sco2, 0, 0, Rop::SrcCopy);
    BitBlt(main, 0, 0, 225, 225, work, 0, 0, Rop::SrcCopy);
    benchmark::DoNotOptimize(main.pixels.data());
    benchmark::DoNotOptimize(big.pixels.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * 2307700);
}
BENCHMARK(BM_ScopeTickBlits);

// A log line drawn from its cached rendering, and the same line when its caption changes.
void BM_DrawLabel(benchmark::State& state) {
  const bool changing = state.range(0) != 0;
  auto form = PlayingForm1();
  Control& line = (*form)("sarch", 0);
  Surface frame(640, 480);
  const Rect r = ClientRect(line);
  int n = 0;
  for (auto _ : state) {
    if (changing) line.caption = "Set_=" + std::to_string(n++);
    DrawLabel(line, frame, r.x, r.y, {0, 0, 640, 480});
    benchmark::DoNotOptimize(frame.pixels.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * r.w * r.h * 4);
}
BENCHMARK(BM_DrawLabel)->Arg(0)->Arg(1);

}  // namespace
