#include "sniping_fixture.h"

#include "platform/toolkit/message_box.h"
#include "shell/forms.h"
#include "shell/program.h"
#include "support/people.h"
#include "world/random_draw.h"
#include "world/world_model.h"

namespace crafted {

// A picture whose pixel (x, y) is colour(x, y).
template <typename F>
static platform::Surface Painted(int w, int h, F colour) {
  platform::Surface s(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) s.At(x, y) = colour(x, y);
  return s;
}

// A sheet of 15 x 15 sprites: the images on the top row, their masks below.
static platform::Surface SpriteSheet(int sprites, uint32_t (*image)(int),
                                     bool (*covers)(int, int)) {
  return Painted(15 * sprites, 30, [&](int x, int y) {
    const bool opaque = x >= 15 && covers(x % 15, y % 15);
    return y < 15 ? (opaque ? image(x / 15) : 0x000000u) : (opaque ? 0x000000u : 0xFFFFFFu);
  });
}

void AttachPictures() {
  platform::Form& f = Form1();
  f("cip").SetPicture(Painted(800, 30, [](int x, int y) { return Tile(x / 15, y >= 15); }));
  f("chi").SetPicture(SpriteSheet(6, BloodImage, BloodCovers));
  f("peple").SetPicture(SpriteSheet(13, PersonImage, PersonCovers));
  f("sol").SetPicture(
      Painted(30, 15, [](int x, int) { return x < 15 ? CursorFrame0 : CursorFrame15; }));
  f("line1").SetPicture(platform::Surface(1, 225, VerticalHair));
  f("line2").SetPicture(platform::Surface(225, 1, HorizontalHair));
  f("noise").SetPicture(platform::Surface(225, 50, Band));
  f("eye").SetPicture(Painted(225, 225, Eye));
  // The scope's mask on the top half, its image on the bottom half.
  f("sco").SetPicture(Painted(200, 400, [](int x, int y) {
    if (y < 200) return ScopeRimAt(x, y) ? 0x000000u : 0xFFFFFFu;
    return ScopeRimAt(x, y - 200) ? ScopeRim : 0x000000u;
  }));
  f("gaga3").SetPicture(platform::Surface(246, 62, Genai));
  f("gaga2").SetPicture(platform::Surface(246, 62, Geari));
  f("gaga").SetPicture(platform::Surface(246, 62, Geari));
}

}  // namespace crafted

void SnipingTest::SetUp() {
  ResetProgram();
  ResetWorld();
  CreateWindows();
  crafted::AttachPictures();
  // An empty log, so that every line a test sees was written during the test.
  for (int i = 0; i < 9; ++i) Form1()("sarch", i).caption.clear();
  G.SoundOn = 1;
  SetSoundCallRecording(true);
  TakeSoundCalls();
}

void SnipingTest::TearDown() {
  SetSoundCallRecording(false);
  TakeSoundCalls();
  platform::SetMessageBoxHandler({});
  ResetRandom();
  ResetProgram();
  ResetWorld();
}

std::vector<int> SnipingTest::PlayedSlots() {
  std::vector<int> slots;
  for (const SoundCall& call : TakeSoundCalls())
    if (call.function == "STPlay" && call.args.size() == 1)
      slots.push_back(std::stoi(call.args[0]));
  return slots;
}

std::vector<std::string> SnipingTest::LogLines(int n) {
  std::vector<std::string> lines;
  for (int i = 0; i < n; ++i) lines.push_back(Form1()("sarch", i).caption);
  return lines;
}

void SnipingTest::PlacePerson(int p, int x, int y, int look, int kind, int surname, int given) {
  StandPerson(p, x, y, look);
  People[p][Surname] = uint8_t(surname);
  People[p][GivenName] = uint8_t(given);
  People[p][Kind] = uint8_t(kind);
}

void SnipingTest::PinBonus(int k) {
  // The middle of the k-th tenth of [0, 1): int(r * 10 + 1) is k, with no rounding at stake.
  PinRandomDraws({(k - 0.5) / 10});
}
