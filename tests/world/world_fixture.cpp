#include "world_fixture.h"

#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "flow/game_state.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/toolkit/message_box.h"
#include "platform/toolkit/window.h"
#include "support/people.h"
#include "world/random_draw.h"
#include "world/world_creation.h"
#include "world/world_model.h"

static void ResetAll() {
  ResetGameState();
  ResetWorld();
  ResetRandom();
  DecodedDigit = 0;
}

void WorldTest::SetUp() {
  ResetAll();
  platform::SetClock([this] {
    if (++clock_reads_ > kClockReadLimit) throw std::runtime_error("the clock was read endlessly");
    return int64_t(5'000'000) + clock_reads_ / 8;
  });
  platform::SetMessageBoxHandler([this](const std::string& title, const std::string& text) {
    boxes_.push_back({title, text});
  });
  std::filesystem::create_directory(DataDir());
  platform::SetAppDir(dir_.Path());
}

void WorldTest::TearDown() {
  platform::SetClock({});
  platform::SetMessageBoxHandler({});
  platform::SetAppDir("");
  ResetAll();
}

std::string WorldTest::EndReason(const std::function<void()>& f) {
  try {
    f();
  } catch (const platform::ProgramEnded& ended) {
    return ended.reason;
  }
  return "";
}

std::string UniformMap(char digit) {
  return std::string(10000, digit);
}

void SetCell(std::string& map, int x, int y, char c) {
  map[size_t((y - 1) * 100 + x - 1)] = c;
}

std::string StreetMap() {
  std::string map = UniformMap('0');
  const std::string streets = "0123456789";
  const std::string buildings = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  for (int y = 1; y <= 100; ++y) {
    for (int x = 1; x <= 100; ++x) {
      const bool street = x % 5 == 0 || y % 5 == 0;
      SetCell(map, x, y, street ? streets[(x + y) % 10] : buildings[(x * 7 + y * 3) % 52]);
    }
  }
  return map;
}

std::vector<uint8_t> WorldBytes() {
  std::vector<uint8_t> bytes(sizeof MapGrid + sizeof People);
  std::memcpy(bytes.data(), MapGrid, sizeof MapGrid);
  std::memcpy(bytes.data() + sizeof MapGrid, People, sizeof People);
  return bytes;
}

void ParkEveryoneButPersonOne() {
  for (int x = 10; x <= 90; ++x)
    for (int y = 10; y <= 90; ++y) MapGrid[x][y][Terrain] = 10;
  int n = 2;
  for (int y = 12; y <= 88 && n <= kPersonCount; y += 2) {
    for (int x = 12; x <= 88 && n <= kPersonCount; x += 2) {
      MapGrid[x][y][Terrain] = 0;
      StandPerson(n, x, y, 5 + n % 8);
      ++n;
    }
  }
}
