// The people of the city at 15 x 15 pixels: four looks of the ガングロ girls the satellite
// hunts (deep tan, bleached hair, white eye make-up and lips, loud clothes) and eight looks
// shared by everybody else, citizens, children and elders alike, none of which tells an age.
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "art.h"

namespace {

using Sprite = const char* const[15];

// h hair, s skin, w white, e eyes, c clothes, d skirt or trousers, r accent, b shoes,
// k pack or cane; '.' is transparent.
Sprite kGyaru = {
    "....hhhhhhh....", "...hhhhhhhhh...", "..hhhhhhhhhhh..", "..hhwewswewhh..", "..hhssssssshh..",
    "..hhhsswsshhh..", "..hhh.sss.hhh..", "..hhscccccshh..", "...sscccccss...", "...s.ccccc.s...",
    "...s.ddddd.s...", ".....ddddd.....", ".....ss.ss.....", ".....bb.bb.....", ".....bb.bb.....",
};
// The bystanders: grown-up figures of one height, their heads under umbrellas, hoods, caps
// and hats, so that nobody's age shows; only the identification panel names the kind.
Sprite kUmbrella = {
    "...............", ".....uuuuu.....", "...uuuuuuuuu...", "..uuuuuuuuuuu..", ".uuuuuuuuuuuuu.",
    ".u.u.u.k.u.u.u.", "......sks......", "....cccsccc....", "...ccccccccc...", "...scccccccs...",
    "....ddddddd....", "....ddd.ddd....", "....ddd.ddd....", "....ddd.ddd....", "....bbb.bbb....",
};
Sprite kHood = {
    "...............", ".....hhhhh.....", "....hhhhhhh....", "....hsesesh....", "....hsssssh....",
    "....hhssshh....", "...hhhhhhhhh...", "...ccccccccc...", "...ccccrcccc...", "...scccrcccs...",
    "...ccccrcccc...", "....ddd.ddd....", "....ddd.ddd....", "....ddd.ddd....", "....bbb.bbb....",
};
Sprite kCapAndMask = {
    "...............", ".....hhhhh.....", "....hhhhhhh....", "....rrrrrrrrr..", "....ssesess....",
    ".....wwwww.....", "......sss......", "....ccccccc....", "...ccccccccc...", "...scccccccs...",
    "....ddddddd....", "....ddd.ddd....", "....ddd.ddd....", "....ddd.ddd....", "....bbb.bbb....",
};
Sprite kWideHat = {
    "...............", "......hhh......", ".....hhhhh.....", "..rrrrrrrrrrr..", "....ssesess....",
    ".....sssss.....", "....ccccccc....", "...ccccccccc...", "...scccccccs...", "....ccccccc....",
    "....ddddddd....", "....ddddddd....", "...ddddddddd...", "...ddddddddd...", ".....bb.bb.....",
};

struct Look {
  const char* const* rows;
  std::map<char, uint32_t> colour;
};

constexpr uint32_t kTan = Rgb(122, 74, 38), kSkin = Rgb(240, 200, 160), kEye = Rgb(16, 16, 16);

const Look& LookOf(int look) {
  static const Look kLooks[13] = {
      {nullptr, {}},
      {kGyaru, {{'h', Rgb(240, 208, 96)}, {'s', kTan}, {'w', 0xFFFFFF}, {'e', kEye}, {'c', Rgb(255, 90, 180)}, {'d', Rgb(240, 240, 240)}, {'b', Rgb(250, 250, 250)}}},
      {kGyaru, {{'h', Rgb(232, 232, 240)}, {'s', kTan}, {'w', 0xFFFFFF}, {'e', kEye}, {'c', Rgb(255, 144, 32)}, {'d', Rgb(48, 200, 224)}, {'b', Rgb(255, 224, 64)}}},
      {kGyaru, {{'h', Rgb(224, 144, 64)}, {'s', kTan}, {'w', 0xFFFFFF}, {'e', kEye}, {'c', Rgb(160, 240, 64)}, {'d', Rgb(255, 64, 160)}, {'b', Rgb(250, 250, 250)}}},
      {kGyaru, {{'h', Rgb(255, 190, 215)}, {'s', kTan}, {'w', 0xFFFFFF}, {'e', kEye}, {'c', Rgb(255, 224, 48)}, {'d', Rgb(70, 100, 200)}, {'b', Rgb(240, 240, 240)}}},
      // Under a red umbrella, in a grey coat.
      {kUmbrella, {{'u', Rgb(208, 40, 48)}, {'k', Rgb(40, 40, 40)}, {'s', kSkin}, {'c', Rgb(120, 124, 130)}, {'d', Rgb(58, 64, 74)}, {'b', Rgb(16, 16, 16)}}},
      // In a yellow raincoat with the hood up.
      {kHood, {{'h', Rgb(240, 208, 40)}, {'s', kSkin}, {'e', kEye}, {'c', Rgb(240, 208, 40)}, {'r', Rgb(160, 130, 20)}, {'d', Rgb(40, 60, 110)}, {'b', Rgb(60, 60, 60)}}},
      // A blue cap and a face mask, a navy jacket.
      {kCapAndMask, {{'h', Rgb(40, 90, 200)}, {'r', Rgb(30, 60, 150)}, {'s', kSkin}, {'e', kEye}, {'w', 0xF0F0F0}, {'c', Rgb(30, 40, 80)}, {'d', Rgb(70, 100, 150)}, {'b', Rgb(230, 230, 230)}}},
      // A straw hat and a green summer dress.
      {kWideHat, {{'h', Rgb(220, 196, 120)}, {'r', Rgb(200, 170, 96)}, {'s', kSkin}, {'e', kEye}, {'c', Rgb(60, 150, 90)}, {'d', Rgb(50, 130, 80)}, {'b', Rgb(120, 80, 40)}}},
      // Under a light-blue umbrella, in a beige coat.
      {kUmbrella, {{'u', Rgb(120, 190, 230)}, {'k', Rgb(220, 220, 220)}, {'s', kSkin}, {'c', Rgb(200, 176, 130)}, {'d', Rgb(90, 70, 50)}, {'b', Rgb(60, 40, 24)}}},
      // In a grey parka with the hood up.
      {kHood, {{'h', Rgb(128, 132, 136)}, {'s', kSkin}, {'e', kEye}, {'c', Rgb(128, 132, 136)}, {'r', Rgb(70, 72, 76)}, {'d', Rgb(24, 24, 28)}, {'b', Rgb(200, 200, 200)}}},
      // A black cap and a face mask, a red jacket.
      {kCapAndMask, {{'h', Rgb(24, 24, 24)}, {'r', Rgb(50, 50, 50)}, {'s', kSkin}, {'e', kEye}, {'w', 0xF0F0F0}, {'c', Rgb(190, 40, 40)}, {'d', Rgb(50, 56, 70)}, {'b', Rgb(20, 20, 20)}}},
      // A brown hat and a long brown coat.
      {kWideHat, {{'h', Rgb(110, 70, 40)}, {'r', Rgb(90, 56, 30)}, {'s', kSkin}, {'e', kEye}, {'c', Rgb(150, 100, 60)}, {'d', Rgb(130, 86, 50)}, {'b', Rgb(40, 28, 20)}}},
  };
  return kLooks[look];
}

// Colour of pixel (x, y) of a look, or -1 where the sprite is transparent.
long Pixel(int look, int x, int y) {
  const Look& l = LookOf(look);
  if (!l.rows) return -1;
  std::string row = l.rows[y];
  char c = x < int(row.size()) ? row[size_t(x)] : '.';
  if (c == '.' || c == ' ') return -1;
  auto it = l.colour.find(c);
  if (it == l.colour.end()) {
    std::fprintf(stderr, "kzv-gen-pictures: look %d has no colour for '%c'\n", look, c);
    std::exit(1);
  }
  return long(it->second);
}

}  // namespace

void DrawPersonSprite(Image& im, int x, int y, int look, int scale) {
  for (int j = 0; j < 15; ++j)
    for (int i = 0; i < 15; ++i) {
      long c = Pixel(look, i, j);
      if (c >= 0) FillRect(im, x + i * scale, y + j * scale, scale, scale, uint32_t(c));
    }
}

Image MakePeople() {
  Image sheet(195, 30, 0);
  for (int look = 0; look <= 12; ++look)
    for (int j = 0; j < 15; ++j)
      for (int i = 0; i < 15; ++i) {
        long c = Pixel(look, i, j);
        sheet.Set(15 * look + i, j, c >= 0 ? uint32_t(c) : ink::Black);
        sheet.Set(15 * look + i, 15 + j, c >= 0 ? ink::Black : ink::White);
      }
  return sheet;
}
