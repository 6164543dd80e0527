#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "flow/game_state.h"
#include "platform/raster/surface.h"
#include "platform/toolkit/window.h"
#include "shell/sound_binding.h"

// Crafted pictures with colours chosen so that every layer of a map pixel keeps its own bits:
// terrain tiles in red 0x20/0x40 plus the tile number in blue 0..0x3F; blood and people images
// in the green byte; cursor frames in blue 0x40/0x80; the band, the vertical and the
// horizontal cross-hair in red 0x10, 0x08, 0x04.
namespace crafted {

constexpr uint32_t Tile(int t, bool marked) {
  return (marked ? 0x400000u : 0x200000u) | uint32_t(t);
}
constexpr uint32_t BloodImage(int b) {
  return uint32_t(0xA0 | b) << 8;
}
constexpr uint32_t PersonImage(int look) {
  return uint32_t(0x10 | look) << 8;
}
constexpr uint32_t CursorFrame0 = 0x000040, CursorFrame15 = 0x000080;
constexpr uint32_t Band = 0x100000;
constexpr uint32_t VerticalHair = 0x080000, HorizontalHair = 0x040000;
constexpr uint32_t Genai = 0x3366CC, Geari = 0xCC9933;  // recharging / charged gauge
constexpr uint32_t ScopeRim = 0x123456;                 // scope overlay outside its window

// Blood sprites are opaque on the top half of a cell (rows 0..7), people sprites on the left
// half (columns 0..7); sprite 0 of each sheet is empty.
inline bool BloodCovers(int /*lx*/, int ly) {
  return ly < 8;
}
inline bool PersonCovers(int lx, int /*ly*/) {
  return lx < 8;
}

// The eye mask darkens a sparse pattern of pixels; elsewhere it keeps the map.
inline uint32_t Eye(int x, int y) {
  return (x + 2 * y) % 5 == 0 ? 0x7F7F7F : 0xFFFFFF;
}

// The scope overlay lets the magnified view through except on a rim on the right and bottom.
inline bool ScopeRimAt(int x, int y) {
  return x >= 190 || y >= 190;
}

// Attaches every crafted picture to Form1's picture boxes.
void AttachPictures();

}  // namespace crafted

// Numbers joined by spaces, to compare several fields in one check, e.g. "0 4 5000".
inline std::string Numbers(std::initializer_list<long long> values) {
  std::string s;
  for (long long v : values) s += (s.empty() ? "" : " ") + std::to_string(v);
  return s;
}

// Every sniping test starts from a clean program with the main window built, crafted pictures
// attached, sound on and sound calls recorded.
class SnipingTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The slots of the STPlay calls made since the last call, oldest first.
  static std::vector<int> PlayedSlots();
  // The n newest log lines (all nine by default), newest first.
  static std::vector<std::string> LogLines(int n = 9);
  // Places person p with the look and kind on cell (x, y), walking, with the name positions.
  static void PlacePerson(int p, int x, int y, int look, int kind, int surname = 1, int given = 1);
  // Pins the program's next random draw so that the shot's bonus draw gives k (1..10).
  static void PinBonus(int k);
};
