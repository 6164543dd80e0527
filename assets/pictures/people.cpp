// The people of the city at 15 x 15 pixels: four looks of the ガングロ girls the satellite
// hunts (deep tan, bleached hair, white eye make-up and lips, loud clothes) and eight looks
// shared by everybody else (office workers, pupils, a child, the elderly, a builder).
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
Sprite kMan = {
    "...............", ".....hhhhh.....", "....hhhhhhh....", "....hsesesh....", "....hsssssh....",
    ".....sssss.....", ".....cwrwc.....", "....ccwrwcc....", "...ccccrcccc...", "...scccccccs...",
    "....ddddddd....", "....ddd.ddd....", "....ddd.ddd....", "....ddd.ddd....", "....bbb.bbb....",
};
Sprite kWoman = {
    "...............", "....hhhhhhh....", "...hhhhhhhhh...", "...hhseseshh...", "...hhssssshh...",
    "...hhhssshhh...", "...hh.cwc.hh...", "....scccccs....", "...sscccccss...", "...s.ccrcc.s...",
    "...s.ddddd.s...", "....ddddddd....", "....ddddddd....", ".....ss.ss.....", ".....bb.bb.....",
};
Sprite kChild = {
    "...............", "...............", ".....rrrrr.....", "....rrrrrrr....", ".....seses.....",
    ".....sssss.....", "....kccccck....", "...kkccccckk...", "...kkccccckk...", "....scccccs....",
    ".....ddddd.....", ".....dd.dd.....", ".....ss.ss.....", ".....bb.bb.....", "...............",
};
Sprite kOldMan = {
    "...............", ".....hhhhh.....", "....hhhhhhh....", "....hsesesh....", "....hsssssh....",
    ".....sssss.....", "....ccccccc....", "...ccccccccc...", "...scccccccsk..", "....ccccccc.k..",
    "....ddddddd.k..", "....ddd.ddd.k..", "....ddd.ddd.k..", "....ddd.ddd.k..", "....bbb.bbb.k..",
};
Sprite kOldWoman = {
    "......hhh......", ".....hhhhh.....", "....hhhhhhh....", "....hsesesh....", "....hsssssh....",
    ".....sssss.....", ".....ccccc.....", "....ccccccc....", "...scccccccs...", "...sdddddddds..",
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
      // Office worker in a suit.
      {kMan, {{'h', Rgb(26, 26, 26)}, {'s', kSkin}, {'e', kEye}, {'c', Rgb(80, 88, 98)}, {'w', 0xF0F0F0}, {'r', Rgb(192, 32, 48)}, {'d', Rgb(58, 64, 74)}, {'b', Rgb(16, 16, 16)}}},
      // Office lady.
      {kWoman, {{'h', Rgb(90, 58, 32)}, {'s', kSkin}, {'e', kEye}, {'c', Rgb(40, 60, 144)}, {'w', 0xF0F0F0}, {'r', Rgb(224, 224, 240)}, {'d', Rgb(40, 60, 144)}, {'b', Rgb(32, 32, 32)}}},
      // Schoolboy in his black uniform with gold buttons.
      {kMan, {{'h', Rgb(16, 16, 16)}, {'s', kSkin}, {'e', kEye}, {'c', Rgb(30, 36, 54)}, {'w', Rgb(30, 36, 54)}, {'r', Rgb(224, 192, 64)}, {'d', Rgb(30, 36, 54)}, {'b', Rgb(48, 32, 16)}}},
      // Schoolgirl in a sailor suit.
      {kWoman, {{'h', Rgb(20, 20, 20)}, {'s', kSkin}, {'e', kEye}, {'c', Rgb(240, 240, 240)}, {'w', Rgb(32, 48, 128)}, {'r', Rgb(208, 32, 48)}, {'d', Rgb(32, 48, 128)}, {'b', Rgb(58, 42, 26)}}},
      // A small child with a yellow hat and a red school bag.
      {kChild, {{'r', Rgb(255, 224, 64)}, {'s', kSkin}, {'e', kEye}, {'c', Rgb(64, 160, 255)}, {'k', Rgb(200, 32, 32)}, {'d', Rgb(32, 64, 128)}, {'b', Rgb(240, 240, 240)}}},
      // Old man with a cane.
      {kOldMan, {{'h', Rgb(200, 200, 200)}, {'s', kSkin}, {'e', kEye}, {'c', Rgb(128, 96, 64)}, {'d', Rgb(80, 72, 56)}, {'k', Rgb(160, 128, 96)}, {'b', Rgb(48, 40, 32)}}},
      // Old woman with her hair in a bun.
      {kOldWoman, {{'h', Rgb(216, 216, 216)}, {'s', kSkin}, {'e', kEye}, {'c', Rgb(144, 112, 176)}, {'d', Rgb(96, 72, 128)}, {'b', Rgb(64, 32, 48)}}},
      // Builder with a helmet and a safety vest.
      {kMan, {{'h', Rgb(240, 240, 240)}, {'s', kSkin}, {'e', kEye}, {'c', Rgb(255, 128, 32)}, {'w', Rgb(255, 255, 96)}, {'r', Rgb(255, 255, 96)}, {'d', Rgb(48, 96, 160)}, {'b', Rgb(64, 48, 32)}}},
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
