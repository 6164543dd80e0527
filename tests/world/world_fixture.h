#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "support/files.h"

// A clean program for each world test: game state, world and random generator at program
// start, a virtual clock, captured message boxes and an application folder of its own in
// which the test writes data/map.dat.
class WorldTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  void WriteMapFile(const std::string& bytes) { WriteFile(DataDir() + "/map.dat", bytes); }
  std::string DataDir() const { return dir_ / "data"; }

  // The reason the program ended with inside f, or "" when f returned.
  static std::string EndReason(const std::function<void()>& f);

  // The virtual clock holds each reading for a few draws, as a fast machine's clock does,
  // and stops a placement that would never finish instead of letting the test hang.
  static constexpr int64_t kClockReadLimit = 20'000'000;
  int64_t clock_reads_ = 0;

  // The message boxes shown, each as its title and text.
  using Boxes = std::vector<std::pair<std::string, std::string>>;
  Boxes boxes_;

  TempDir dir_{"world"};
};

// Numbers joined by spaces, to compare several fields in one check, e.g. "4 97 4 97".
inline std::string Numbers(std::initializer_list<long long> values) {
  std::string s;
  for (long long v : values) s += (s.empty() ? "" : " ") + std::to_string(v);
  return s;
}

// Map texts of 10,000 characters; the character of cell (x, y) is at (y - 1) * 100 + x - 1.
std::string UniformMap(char digit);
// Streets on every fifth column and row, buildings of assorted codes between them: a city of
// the kind the game ships, about a third of it walkable.
std::string StreetMap();
void SetCell(std::string& map, int x, int y, char c);

// The whole world, for comparing one creation with another.
std::vector<uint8_t> WorldBytes();

// Persons 2..1000 put where they can never move (street cells walled in on all four sides by
// blocked cells, in columns and rows 10..90), so that a test can watch person 1 alone. The rest
// of the map is street.
void ParkEveryoneButPersonOne();
