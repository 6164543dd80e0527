// The generated pictures, as the game's own loader sees them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>

#include "platform/toolkit/control_def.h"
#include "platform/raster/picture.h"
#include "shell/stored_pictures.h"
#include "shell/window_tables.h"
#include "support/files.h"

using platform::Surface;

namespace {

std::string DataPath(const std::string& name) { return std::string(KZV_BUILD_DIR) + "/data/" + name; }

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

const std::string kDigits = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

struct Map {
  int cell[101][101] = {};
};

Map ReadMap() {
  const std::string text = ReadFile(DataPath("map.dat"));
  EXPECT_EQ(text.size(), 10002u);
  EXPECT_EQ(text.substr(10000), "\r\n");
  Map m;
  for (int i = 0; i < 10000 && i < int(text.size()); ++i) {
    const size_t v = kDigits.find(text[size_t(i)]);
    EXPECT_NE(v, std::string::npos) << "character " << i + 1 << " is not a base-62 digit";
    m.cell[i % 100 + 1][i / 100 + 1] = int(v);
  }
  return m;
}

}  // namespace

TEST(DataPictures, EveryFileHasItsSizeAndDecodes) {
  // Masks and pictures that are block-copied with OR or AND must keep exact colours: no JPEG.
  // A picture with words has an English one of its size.
  struct Case {
    const char* name;
    int width, height;
    bool exactColours, worded;
  } cases[] = {{"title.mcg", 640, 480, false, true},  {"end.mcg", 640, 480, false, true},
               {"interface.mcg", 640, 480, false, false}, {"map.mcg", 800, 30, true, false},
               {"sco.mcg", 200, 400, true, false},     {"geari.mcg", 246, 62, true, false},
               {"genai.mcg", 246, 62, true, false},    {"noise.mcg", 225, 50, true, false},
               {"eye.mcg", 225, 225, true, false},     {"jyo.mcg", 166, 86, false, true},
               {"page1.mcg", 378, 211, false, true},   {"page2.mcg", 378, 211, false, true},
               {"page3.mcg", 378, 211, false, true},   {"page4.mcg", 378, 211, false, true},
               {"page5.mcg", 378, 211, false, true}};
  for (const Case& c : cases) {
    for (const std::string prefix : {"", "en/"}) {
      if (!prefix.empty() && !c.worded) continue;
      const Surface s = Load(prefix + c.name);
      EXPECT_EQ(std::pair(s.width, s.height), std::pair(c.width, c.height)) << prefix << c.name;
    }
    EXPECT_FALSE(c.exactColours && ReadFile(DataPath(c.name)).rfind("\xFF\xD8", 0) == 0) << c.name;
  }
}

// Every stored picture is named by the window tables and has the size of what shows it: the
// control, the window, or a 16 x 16 icon.
TEST(StoredPictures, EachIsNamedByTheWindowTablesAtTheSizeThatShowsIt) {
  std::set<std::string> names;
  auto check = [&](const char* name, int twipsWide, int twipsHigh) {
    names.insert(name);
    const Surface s = Stored(name);
    constexpr int t = platform::kTwipsPerPixel;
    EXPECT_EQ(std::pair(s.width, s.height), std::pair(twipsWide / t, twipsHigh / t)) << name;
  };
  for (const platform::FormDef* form : {&kForm1Def, &kForm2Def}) {
    if (form->storedIcon) check(form->storedIcon, 16 * platform::kTwipsPerPixel, 16 * platform::kTwipsPerPixel);
    if (form->storedPicture) check(form->storedPicture, form->clientWidthTwips, form->clientHeightTwips);
    for (int i = 0; i < form->controlCount; ++i)
      if (const platform::ControlDef& c = form->controls[i]; c.storedPicture)
        check(c.storedPicture, c.width, c.height);
  }
  // A picture with words is stored once more for English, at the same size.
  for (const std::string name : {"form2", "pa0", "pa1", "pa2"})
    EXPECT_EQ(Stored(name + "_en").width, Stored(name).width) << name;
  for (const StoredPicture& p : StoredPictures()) {
    std::string name = p.name;
    if (name.size() > 3 && name.substr(name.size() - 3) == "_en") name.resize(name.size() - 3);
    EXPECT_TRUE(names.count(name)) << p.name << " is never shown";
  }
}

TEST(StoredPictures, SpriteSheetsFollowTheMaskRules) {
  CheckSpriteSheet(Stored("peple"), 13, true);
  CheckSpriteSheet(Stored("chi"), 6, true);
}

TEST(CityMap, StreetsAreConnectedRoomyAndTiled) {
  Map m = ReadMap();
  // Every terrain the map uses has its tile.
  const int tiles = Load("map.mcg").width;
  int walkable = 0, all = 0;
  int startX = 0, startY = 0;
  for (int x = 1; x <= 100; ++x)
    for (int y = 1; y <= 100; ++y) {
      ASSERT_LE(15 * m.cell[x][y] + 15, tiles) << x << "," << y;
      if (m.cell[x][y] >= 10) continue;
      ++all;
      walkable += x >= 4 && x <= 97 && y >= 4 && y <= 97;
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
  EXPECT_EQ(int(seen.size()), all);
  // Newcomers enter on rows and columns 2 and 97.
  int entry = 0;
  for (int k = 3; k <= 97; ++k)
    entry += (m.cell[k][2] < 10) + (m.cell[k][97] < 10) + (m.cell[2][k] < 10) + (m.cell[97][k] < 10);
  EXPECT_GE(entry, 4 * 95 * 9 / 10);
}


namespace {

struct PixelRect {
  int x, y, w, h;
};

PixelRect Form1Rect(const char* name, int index = -1) {
  for (int i = 0; i < kForm1Def.controlCount; ++i)
    if (const platform::ControlDef& c = kForm1Def.controls[i]; name == std::string(c.name) && c.index == index) {
      constexpr int t = platform::kTwipsPerPixel;
      return {c.left / t, c.top / t, c.width / t, c.height / t};
    }
  ADD_FAILURE() << "no control " << name;
  return {};
}

// The largest difference of one channel: the title and the result screen are JPEG pictures,
// whose flat areas vary by a few levels.
int Distance(uint32_t a, uint32_t b) {
  int most = 0;
  for (int shift : {0, 8, 16}) most = std::max(most, std::abs(int(a >> shift & 255) - int(b >> shift & 255)));
  return most;
}
bool Differs(uint32_t a, uint32_t b) { return Distance(a, b) > 8; }
bool Alike(uint32_t a, uint32_t b, int tolerance = 6) { return Distance(a, b) <= tolerance; }

// A thin line drawn across row y from x on: 12 pixels or more of one colour that stands out
// from the rows above and below (the console's grid is dashed, its shading changes slowly).
bool LineAt(const Surface& s, int x, int y) {
  const uint32_t c = s.At(x, y);
  for (int i = x; i < x + 12; ++i)
    if (i >= s.width || !Alike(s.At(i, y), c) || !Differs(c, s.At(i, y - 1)) || !Differs(c, s.At(i, y + 1)))
      return false;
  return true;
}

}  // namespace

// The labels the game draws over our pictures keep clear of the pictures' frames and panel
// edges: none runs through a label or along the row under it, where its glyphs reach.
TEST(DataPictures, NoFrameRunsThroughALabel) {
  struct Case {
    const char* picture;
    const char* label;
    int index;
  } cases[] = {{"end.mcg", "chu", -1},     {"end.mcg", "Label4", -1},   {"end.mcg", "keka", 4},
               {"interface.mcg", "sarch", 8}, {"interface.mcg", "sarch", 0}};
  for (const Case& c : cases) {
    const Surface s = Load(c.picture);
    const PixelRect r = Form1Rect(c.label, c.index);
    std::string crossed;
    for (int y = r.y; y < r.y + r.h + 2 && crossed.empty(); ++y)
      for (int x = r.x; x + 12 <= r.x + r.w && crossed.empty(); ++x)
        if (LineAt(s, x, y)) crossed = std::to_string(x) + "," + std::to_string(y);
    EXPECT_EQ(crossed, "") << c.picture << ": a line through " << c.label << "(" << c.index << ")";
  }
}

// The sound-off mark stands left of the SOUND panel's click area: the panel's frame takes it in.
TEST(DataPictures, TheSoundPanelFramesTheSoundOffMark) {
  const Surface s = Load("title.mcg");
  const PixelRect mark = Form1Rect("si"), click = Form1Rect("sic");
  bool framed = false;
  for (int left = mark.x - 8; left < mark.x && !framed; ++left) {
    const uint32_t c = s.At(left, click.y);
    if (Distance(c, s.At(left - 1, click.y)) < 24) continue;  // no edge here
    framed = true;
    for (int y = click.y; y < click.y + click.h; ++y) framed = framed && Alike(s.At(left, y), c, 20);
    for (int x = left; x < click.x + click.w; ++x) framed = framed && Alike(s.At(x, click.y), c, 20);
  }
  EXPECT_TRUE(framed);
}

// A look says nothing of a bystander's kind, so the eight bystander looks (5..12) are drawn
// alike in size: no child-sized figure among them.
TEST(StoredPictures, BystanderLooksAreOfOneHeight) {
  const Surface sheet = Stored("peple");
  std::set<std::pair<int, int>> spans;
  for (int look = 5; look <= 12; ++look) {
    int top = 15, bottom = -1;
    for (int y = 0; y < 15; ++y)
      for (int x = 15 * look; x < 15 * look + 15; ++x)
        if (sheet.At(x, y + 15) == 0) top = std::min(top, y), bottom = std::max(bottom, y);
    spans.insert({top, bottom});
  }
  EXPECT_EQ(spans.size(), 1u);
}
