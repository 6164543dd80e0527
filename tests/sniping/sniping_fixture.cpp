#include "sniping_fixture.h"

#include "platform/toolkit/message_box.h"
#include "shell/program.h"
#include "shell/forms.h"
#include "support/people.h"
#include "world/random_draw.h"
#include "world/world_model.h"

namespace crafted {

platform::Surface TileSheet() {
  platform::Surface s(800, 30);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 800; ++x) s.At(x, y) = Tile(x / 15, y >= 15);
  return s;
}

platform::Surface SpriteSheet(int sprites, uint32_t (*image)(int), bool (*covers)(int, int)) {
  platform::Surface s(15 * sprites, 30);
  for (int sprite = 0; sprite < sprites; ++sprite) {
    for (int ly = 0; ly < 15; ++ly) {
      for (int lx = 0; lx < 15; ++lx) {
        const bool opaque = sprite != 0 && covers(lx, ly);
        s.At(15 * sprite + lx, ly) = opaque ? image(sprite) : 0x000000;
        s.At(15 * sprite + lx, 15 + ly) = opaque ? 0x000000 : 0xFFFFFF;
      }
    }
  }
  return s;
}

platform::Surface CursorSheet() {
  platform::Surface s(30, 15);
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 30; ++x) s.At(x, y) = x < 15 ? CursorFrame0 : CursorFrame15;
  return s;
}

void AttachPictures() {
  platform::Form& f = Form1();
  f("cip").SetPicture(TileSheet());
  f("chi").SetPicture(SpriteSheet(6, BloodImage, BloodCovers));
  f("peple").SetPicture(SpriteSheet(13, PersonImage, PersonCovers));
  f("sol").SetPicture(CursorSheet());
  f("line1").SetPicture(platform::Surface(1, 225, VerticalHair));
  f("line2").SetPicture(platform::Surface(225, 1, HorizontalHair));
  f("noise").SetPicture(platform::Surface(225, 50, Band));
  platform::Surface eye(225, 225);
  for (int y = 0; y < 225; ++y)
    for (int x = 0; x < 225; ++x) eye.At(x, y) = Eye(x, y);
  f("eye").SetPicture(eye);
  platform::Surface sco(200, 400);
  for (int y = 0; y < 200; ++y) {
    for (int x = 0; x < 200; ++x) {
      sco.At(x, y) = ScopeRimAt(x, y) ? 0x000000 : 0xFFFFFF;
      sco.At(x, 200 + y) = ScopeRimAt(x, y) ? ScopeRim : 0x000000;
    }
  }
  f("sco").SetPicture(sco);
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
  for (const SoundCall& call : TakeSoundCalls()) {
    if (call.function == "STPlay" && call.args.size() == 1)
      slots.push_back(std::stoi(call.args[0]));
  }
  return slots;
}

std::vector<std::string> SnipingTest::LogLines() {
  std::vector<std::string> lines;
  for (int i = 0; i < 9; ++i) lines.push_back(Form1()("sarch", i).caption);
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
