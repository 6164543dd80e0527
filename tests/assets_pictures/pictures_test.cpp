// The generated pictures, as the game's own loader sees them.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "platform/control_def.h"
#include "platform/picture.h"
#include "shell/stored_pictures.h"

using platform::Surface;

namespace {

std::string DataPath(const std::string& name) { return std::string(KZV_BUILD_DIR) + "/data/" + name; }

std::string Head(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  char b[6] = {};
  f.read(b, 6);
  return std::string(b, size_t(f.gcount()));
}

Surface Load(const std::string& name) {
  auto s = platform::LoadPictureFile(DataPath(name));
  EXPECT_TRUE(s.has_value()) << name << " does not decode";
  return s ? *s : Surface();
}

Surface Stored(const std::string& name) {
  for (const StoredPicture& p : StoredPictures())
    if (name == p.name) {
      auto s = platform::LoadPictureBytes(p.bytes, p.size);
      EXPECT_TRUE(s.has_value()) << "stored " << name << " does not decode";
      return s ? *s : Surface();
    }
  ADD_FAILURE() << "no stored picture " << name;
  return Surface();
}

const StoredPicture* StoredBytes(const std::string& name) {
  for (const StoredPicture& p : StoredPictures())
    if (name == p.name) return &p;
  return nullptr;
}

// Sprite sheets: image row on top, mask row below. Every mask pixel is black or white; where it
// is white (transparent) the image is black; sprite 0 is empty when `emptyFirst`.
void CheckSpriteSheet(const Surface& s, int sprites, bool emptyFirst) {
  ASSERT_EQ(s.height, 30);
  for (int k = 0; k < sprites; ++k) {
    int opaque = 0;
    for (int y = 0; y < 15; ++y)
      for (int x = 15 * k; x < 15 * k + 15; ++x) {
        uint32_t m = s.At(x, y + 15), im = s.At(x, y);
        ASSERT_TRUE(m == 0 || m == 0xFFFFFF) << "sprite " << k << " mask pixel " << x << "," << y;
        if (m == 0xFFFFFF)
          ASSERT_EQ(im, 0u) << "sprite " << k << " image not black where transparent at " << x << "," << y;
        else
          ++opaque;
      }
    if (k == 0 && emptyFirst)
      EXPECT_EQ(opaque, 0);
    else
      EXPECT_GT(opaque, 20) << "sprite " << k << " is nearly empty";
  }
}

int Decode62(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  if (c >= 'a' && c <= 'z') return c - 'a' + 36;
  return -1;
}

struct Map {
  int cell[101][101] = {};
};

Map ReadMap() {
  std::ifstream f(DataPath("map.dat"), std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text.size(), 10002u);
  EXPECT_EQ(text.substr(10000), "\r\n");
  Map m;
  for (int i = 0; i < 10000 && i < int(text.size()); ++i) {
    int v = Decode62(text[size_t(i)]);
    EXPECT_GE(v, 0) << "character " << i + 1 << " is not a base-62 digit";
    m.cell[i % 100 + 1][i / 100 + 1] = v;
  }
  return m;
}

}  // namespace

TEST(DataPictures, EveryFileHasItsSizeAndDecodes) {
  const std::map<std::string, std::pair<int, int>> sizes = {
      {"title.mcg", {640, 480}}, {"end.mcg", {640, 480}},  {"interface.mcg", {640, 480}},
      {"map.mcg", {800, 30}},    {"sco.mcg", {200, 400}},  {"geari.mcg", {246, 62}},
      {"genai.mcg", {246, 62}},  {"noise.mcg", {225, 50}}, {"eye.mcg", {225, 225}},
      {"jyo.mcg", {166, 86}},    {"page1.mcg", {378, 211}}, {"page2.mcg", {378, 211}},
      {"page3.mcg", {378, 211}}, {"page4.mcg", {378, 211}}, {"page5.mcg", {378, 211}}};
  std::set<std::string> formats;
  for (const auto& [name, wh] : sizes) {
    Surface s = Load(name);
    EXPECT_EQ(s.width, wh.first) << name;
    EXPECT_EQ(s.height, wh.second) << name;
    std::string h = Head(DataPath(name));
    if (h.rfind("BM", 0) == 0) formats.insert("bmp");
    else if (h.rfind("GIF89a", 0) == 0 || h.rfind("GIF87a", 0) == 0) formats.insert("gif");
    else if (h.size() >= 2 && uint8_t(h[0]) == 0xFF && uint8_t(h[1]) == 0xD8) formats.insert("jpeg");
    else ADD_FAILURE() << name << " is neither BMP, GIF nor JPEG";
  }
  EXPECT_EQ(formats, (std::set<std::string>{"bmp", "gif", "jpeg"}));
}

TEST(DataPictures, BlockCopiedPicturesAreNotJpeg) {
  // Masks and ORed pictures must keep exact colours.
  for (const char* name : {"map.mcg", "sco.mcg", "eye.mcg", "noise.mcg", "geari.mcg", "genai.mcg"}) {
    std::string h = Head(DataPath(name));
    EXPECT_FALSE(h.size() >= 2 && uint8_t(h[0]) == 0xFF && uint8_t(h[1]) == 0xD8) << name;
  }
}

TEST(DataPictures, ScopeMaskOpensTheLensAndHidesTheRim) {
  Surface s = Load("sco.mcg");
  ASSERT_EQ(s.height, 400);
  EXPECT_EQ(s.At(100, 60), 0xFFFFFFu);  // inside the lens: the view shows
  EXPECT_EQ(s.At(2, 2), 0u);            // corner: hidden
  EXPECT_EQ(s.At(197, 197), 0u);
  // Where the mask lets the view through, the image adds nothing but the reticle.
  int added = 0;
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 200; ++x)
      if (s.At(x, y) == 0xFFFFFF && s.At(x, y + 200) != 0) ++added;
  EXPECT_LT(added, 200 * 200 / 10);
  EXPECT_NE(s.At(2, 202), 0u);  // the housing is drawn where the mask hides the view
}

TEST(DataPictures, LensAndBandMasksCombineAsIntended) {
  // The lens is ANDed into the view's colours: only black and white darken every colour alike.
  Surface eye = Load("eye.mcg");
  ASSERT_EQ(eye.width, 225);
  auto openShare = [&](int x0, int y0, int size) {
    int open = 0;
    for (int y = y0; y < y0 + size; ++y)
      for (int x = x0; x < x0 + size; ++x) {
        EXPECT_TRUE(eye.At(x, y) == 0 || eye.At(x, y) == 0xFFFFFF) << x << "," << y;
        open += eye.At(x, y) != 0;
      }
    return double(open) / (size * size);
  };
  EXPECT_EQ(openShare(90, 90, 45), 1.0);  // clear in the middle
  const double corner = openShare(0, 0, 15);
  EXPECT_GT(corner, 0.25);  // darker at the rim, yet somebody in a corner cell is still seen
  EXPECT_LT(corner, 0.75);
  EXPECT_LT(openShare(0, 105, 15), 0.9);
  Surface noise = Load("noise.mcg");
  int black = 0;
  for (uint32_t p : noise.pixels) black += p == 0;
  EXPECT_GT(black, int(noise.pixels.size()) / 4);  // mostly no effect
  EXPECT_LT(black, int(noise.pixels.size()));
}

TEST(DataPictures, OnlyAFullChargeShowsTheGaugeReady) {
  // The gauge shows the recharging look left of the charge still to go (246, 236, ... 6) and
  // the charged look right of it; the status panel hides all but the top strip (rows 0..14)
  // and the part right of x = 144.
  Surface charged = Load("geari.mcg"), empty = Load("genai.mcg");
  ASSERT_EQ(charged.pixels.size(), empty.pixels.size());
  int differ = 0;
  for (int x = 0; x < 246; ++x) differ += charged.At(x, 6) != empty.At(x, 6);
  EXPECT_GT(differ, 100);  // the strip is a meter along its length
  // The ready lamp lies in the six columns that change only on the last step: every charge
  // left shows it unlit.
  for (int y = 1; y < 14; ++y)
    for (int x = 1; x < 6; ++x) EXPECT_NE(charged.At(x, y), empty.At(x, y)) << x << "," << y;
  // Nothing else claims the gun is ready: below the strip the two looks are the same.
  for (int y = 15; y < 62; ++y)
    for (int x = 0; x < 246; ++x) ASSERT_EQ(charged.At(x, y), empty.At(x, y)) << x << "," << y;
}

TEST(StoredPictures, EveryNameOfTheWindowTablesIsStoredWithItsSize) {
  std::set<std::string> names;
  for (const platform::FormDef* form : {&platform::kForm1Def, &platform::kForm2Def}) {
    if (form->storedIcon) names.insert(form->storedIcon);
    if (form->storedPicture) names.insert(form->storedPicture);
    for (int i = 0; i < form->controlCount; ++i)
      if (form->controls[i].storedPicture) names.insert(form->controls[i].storedPicture);
  }
  const std::map<std::string, std::pair<int, int>> sizes = {
      {"icon", {16, 16}},   {"form2", {63, 94}},  {"si", {42, 74}},    {"pa0", {105, 15}},
      {"pa1", {105, 15}},   {"pa2", {105, 15}},   {"gungb", {64, 64}}, {"gung", {64, 64}},
      {"allm", {94, 94}},   {"peple", {195, 30}}, {"chi", {90, 30}},   {"sol", {30, 15}},
      {"line1", {1, 225}},  {"line2", {225, 1}}};
  for (const std::string& n : names) EXPECT_TRUE(sizes.count(n)) << "unexpected stored name " << n;
  for (const auto& [name, wh] : sizes) {
    EXPECT_TRUE(names.count(name)) << name << " is not used by the window tables";
    Surface s = Stored(name);
    EXPECT_EQ(s.width, wh.first) << name;
    EXPECT_EQ(s.height, wh.second) << name;
  }
}

TEST(StoredPictures, FormatsAndBitDepthsAsTheWindowDefinitionHasThem) {
  auto bits = [](const StoredPicture* p) { return p && p->size > 30 ? int(p->bytes[28]) : -1; };
  ASSERT_NE(StoredBytes("allm"), nullptr);
  EXPECT_EQ(std::memcmp(StoredBytes("allm")->bytes, "BM", 2), 0);
  EXPECT_EQ(bits(StoredBytes("allm")), 8);
  EXPECT_EQ(bits(StoredBytes("sol")), 4);
  for (const char* gif : {"form2", "si", "pa0", "pa1", "pa2", "gungb", "gung", "peple", "chi"})
    EXPECT_EQ(std::memcmp(StoredBytes(gif)->bytes, "GIF8", 4), 0) << gif;
  for (const char* line : {"line1", "line2"})
    for (uint32_t p : Stored(line).pixels) ASSERT_EQ(p, 0x00FF5Au) << line;
}

TEST(StoredPictures, SpriteSheetsFollowTheMaskRules) {
  CheckSpriteSheet(Stored("peple"), 13, true);
  CheckSpriteSheet(Stored("chi"), 6, true);
}

TEST(StoredPictures, BloodSplashesLieAlongTheEdgeFacingTheVictim) {
  Surface chi = Stored("chi");
  auto opaque = [&](int b, int x, int y) { return chi.At(15 * b + x, 15 + y) == 0; };
  // 1 north of the victim: bottom edge; 2 east: left; 3 south: top; 4 west: right.
  EXPECT_TRUE(opaque(1, 7, 14));
  EXPECT_FALSE(opaque(1, 7, 0));
  EXPECT_TRUE(opaque(2, 0, 7));
  EXPECT_FALSE(opaque(2, 14, 7));
  EXPECT_TRUE(opaque(3, 7, 0));
  EXPECT_FALSE(opaque(3, 7, 14));
  EXPECT_TRUE(opaque(4, 14, 7));
  EXPECT_FALSE(opaque(4, 0, 7));
  EXPECT_TRUE(opaque(5, 7, 7));
}

TEST(StoredPictures, CursorIsTransparentBlackWithTwoDistinctFrames) {
  Surface sol = Stored("sol");
  EXPECT_EQ(sol.At(7, 7), 0u);   // the person under the cursor stays visible
  EXPECT_EQ(sol.At(22, 7), 0u);
  EXPECT_NE(sol.At(0, 0), 0u);
  int differ = 0;
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 15; ++x) differ += sol.At(x, y) != sol.At(x + 15, y);
  EXPECT_GT(differ, 10);
}

TEST(CityMap, StreetsAreConnectedAndRoomyEnough) {
  Map m = ReadMap();
  int walkable = 0;
  int startX = 0, startY = 0;
  for (int x = 4; x <= 97; ++x)
    for (int y = 4; y <= 97; ++y)
      if (m.cell[x][y] < 10) {
        ++walkable;
        if (!startX) startX = x, startY = y;
      }
  EXPECT_GE(walkable, 3000);
  // Every walkable cell of the whole map reaches every other by 4-neighbour steps.
  std::set<std::pair<int, int>> seen{{startX, startY}};
  std::vector<std::pair<int, int>> todo{{startX, startY}};
  while (!todo.empty()) {
    auto [x, y] = todo.back();
    todo.pop_back();
    const int dx[] = {0, 1, 0, -1}, dy[] = {-1, 0, 1, 0};
    for (int d = 0; d < 4; ++d) {
      int u = x + dx[d], v = y + dy[d];
      if (u < 1 || v < 1 || u > 100 || v > 100 || m.cell[u][v] >= 10) continue;
      if (seen.insert({u, v}).second) todo.push_back({u, v});
    }
  }
  int all = 0;
  for (int x = 1; x <= 100; ++x)
    for (int y = 1; y <= 100; ++y) all += m.cell[x][y] < 10;
  EXPECT_EQ(int(seen.size()), all);
  // Newcomers enter on rows and columns 2 and 97.
  int entry = 0;
  for (int k = 3; k <= 97; ++k)
    entry += (m.cell[k][2] < 10) + (m.cell[k][97] < 10) + (m.cell[2][k] < 10) + (m.cell[97][k] < 10);
  EXPECT_GE(entry, 4 * 95 * 9 / 10);
}

TEST(CityMap, EveryTerrainHasATileAndKindsAreConsistent) {
  Map m = ReadMap();
  Surface tiles = Load("map.mcg");
  std::set<int> used;
  bool hasWater = false, hasBridge = false;
  for (int x = 1; x <= 100; ++x)
    for (int y = 1; y <= 100; ++y) used.insert(m.cell[x][y]);
  for (int t : used) {
    ASSERT_LE(15 * t + 15, tiles.width) << "terrain " << t << " has no tile";
    // A tile is drawn (not left black) and its shot-marked twin differs from it.
    int lit = 0, marked = 0;
    for (int y = 0; y < 15; ++y)
      for (int x = 15 * t; x < 15 * t + 15; ++x) {
        lit += tiles.At(x, y) != 0;
        marked += tiles.At(x, y) != tiles.At(x, y + 15);
      }
    EXPECT_GT(lit, 100) << "tile " << t;
    EXPECT_GT(marked, 10) << "tile " << t;
    hasWater |= t == 37;
    hasBridge |= t == 8;
  }
  EXPECT_TRUE(used.count(1) || used.count(2));  // streets
  EXPECT_TRUE(hasWater);
  EXPECT_TRUE(hasBridge);
  int blocked = 0;
  for (int t : used) blocked += t >= 10;
  EXPECT_GE(blocked, 10);  // buildings, park, water
}

TEST(CityMap, OverviewShowsOurMapOnePixelACell) {
  Map m = ReadMap();
  Surface allm = Stored("allm");
  ASSERT_EQ(allm.width, 94);
  // Same terrain, same colour; walkable and blocked cells never share a colour.
  std::map<int, uint32_t> colourOf;
  std::map<uint32_t, bool> walkableColour;
  for (int j = 0; j < 94; ++j)
    for (int i = 0; i < 94; ++i) {
      int t = m.cell[i + 4][j + 4];
      uint32_t c = allm.At(i, j);
      auto [it, fresh] = colourOf.emplace(t, c);
      ASSERT_EQ(it->second, c) << "terrain " << t << " at pixel " << i << "," << j;
      auto [w, first] = walkableColour.emplace(c, t < 10);
      ASSERT_EQ(w->second, t < 10) << "colour shared by street and block at " << i << "," << j;
    }
}

TEST(TitleAndHighlights, HighlightsShowTheirItemBrighterThanTheTitle) {
  Surface title = Load("title.mcg");
  for (int i = 0; i < 3; ++i) {
    Surface pa = Stored("pa" + std::to_string(i));
    ASSERT_EQ(pa.width, 105);
    long titleSum = 0, paSum = 0;
    for (int y = 0; y < 15; ++y)
      for (int x = 0; x < 105; ++x) {
        titleSum += title.At(223 + x, 402 + 19 * i + y) >> 8 & 255;
        paSum += pa.At(x, y) >> 8 & 255;
      }
    EXPECT_GT(paSum, titleSum) << "pa" << i;
  }
  // The record line of the title stays dark, so its text can be read.
  long sum = 0;
  for (int y = 466; y < 476; ++y)
    for (int x = 10; x < 400; ++x) sum += title.At(x, y) >> 8 & 255;
  EXPECT_LT(sum / (10 * 390), 40);
}
