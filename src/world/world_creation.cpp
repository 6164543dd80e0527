#include "world/world_creation.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>

#include "flow/game_state.h"
#include "language/language.h"
#include "platform/files.h"
#include "platform/toolkit/message_box.h"
#include "platform/cp932.h"
#include "platform/toolkit/window.h"
#include "shell/data_paths.h"
#include "world/names.h"
#include "world/random_draw.h"
#include "world/world_model.h"

uint8_t DecodedDigit = 0;

namespace {

constexpr std::string_view kDigits =
    "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr int kMapSize = 100;       // the map file fills columns and rows 1..100
constexpr int kPlaceLow = 4;        // persons are placed inside columns and rows 4..97
constexpr int kPlaceSpan = 94;

// The first delimited field of the text: leading blanks skipped, up to the line break or the
// first comma.
std::string FirstField(const std::string& text) {
  size_t begin = 0;
  while (begin < text.size() && (text[begin] == ' ' || text[begin] == '\t')) ++begin;
  const size_t end = text.find_first_of(",\r\n", begin);
  return text.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
}

// The map text (CP932, as the game's own files are) decoded cell by cell, one character a
// cell, as the terrain would be: a character that is not a digit,
// or a cell beyond the end of the text, repeats the cell decoded before it.
using TerrainGrid = uint8_t[kMapSize + 1][kMapSize + 1];
void DecodeMapText(const std::string& text, TerrainGrid& terrain) {
  const std::vector<std::string_view> characters = platform::SplitCp932Characters(text);
  size_t next = 0;
  for (int y = 1; y <= kMapSize; ++y) {
    for (int x = 1; x <= kMapSize; ++x) {
      DecodeMapDigit(next < characters.size() ? characters[next++] : std::string_view());
      terrain[x][y] = DecodedDigit;
    }
  }
}

int FreeCellsInPlacementSquare(const TerrainGrid& terrain) {
  int free = 0;
  for (int x = kPlaceLow; x < kPlaceLow + kPlaceSpan; ++x) {
    for (int y = kPlaceLow; y < kPlaceLow + kPlaceSpan; ++y) {
      if (terrain[x][y] < 10 && MapGrid[x][y][Occupant] == 0) ++free;
    }
  }
  return free;
}

// A map the crowd cannot be placed on: the game cannot go on, so say which file and why.
[[noreturn]] void StopOnBadMap(const char* reason_ja, const char* reason_en) {
  platform::ShowMessageBox("K.Z.V", TrFormat("ファイル【%s】を読み込めません。（%s）", {G.MissingFile, Tr(reason_ja)}),
                           reason_en);
  platform::EndProgram("bad-map");
}

}  // namespace

void DecodeMapDigit(std::string_view c) {
  if (c.size() != 1) return;
  const size_t value = kDigits.find(c[0]);
  if (value != std::string_view::npos) DecodedDigit = uint8_t(value);
}

void CreateWorld() {
  BuildDataPath("map.dat");
  if (!FilePresent(G.FilePath)) StopOnMissingFile();
  const std::optional<std::string> content = platform::ReadWholeFile(ExistingPath(G.FilePath));
  if (!content) StopOnUnreadableFile();
  const std::string map_text = FirstField(*content);
  if (map_text.empty()) StopOnBadMap(TrMark("地図が空です"), "the map text is empty");

  // Decode into a scratch grid first: placement only ends when there is room for everyone,
  // and a map without room must stop before the world has changed.
  const uint8_t digit_before = DecodedDigit;
  TerrainGrid terrain;
  DecodeMapText(map_text, terrain);
  if (FreeCellsInPlacementSquare(terrain) < kPersonCount) {
    DecodedDigit = digit_before;
    StopOnBadMap(TrMark("人が歩ける道が足りません"),
                 "fewer than 1000 free street cells in columns and rows 4..97");
  }

  G.MapText = map_text;
  for (int y = 1; y <= kMapSize; ++y) {
    for (int x = 1; x <= kMapSize; ++x) MapGrid[x][y][Terrain] = terrain[x][y];
  }
  G.TargetKills = 0;
  G.CivilianKills = 0;

  int placed = 0;
  while (placed < kPersonCount) {
    const int x = DrawUniform(kPlaceSpan) + (kPlaceLow - 1);
    const int y = DrawUniform(kPlaceSpan) + (kPlaceLow - 1);
    if (!CellFree(x, y)) continue;
    ++placed;
    InitPerson(placed, x, y);
  }
}

void InitPerson(int person, int x, int y) {
  uint8_t* row = People[person];
  row[State] = 1;
  row[PosX] = uint8_t(x);
  row[PosY] = uint8_t(y);
  row[Surname] = uint8_t(DrawUniform(kSurnameCount));
  const bool man = DrawUniform(3) == 1;
  if (man) {
    row[GivenName] = uint8_t(kWomensNameCount + DrawUniform(kGivenNameCount - kWomensNameCount));
    const int k = DrawUniform(6);
    row[Kind] = k <= 3 ? Citizen : k <= 5 ? Child : Elder;
  } else {
    row[GivenName] = uint8_t(DrawUniform(kWomensNameCount));
    const int k = DrawUniform(8);
    row[Kind] = k <= 3 ? Citizen : k <= 5 ? Child : k == 6 ? Elder : Target;
  }
  row[Look] = uint8_t(row[Kind] == Target ? DrawUniform(4) : DrawUniform(8) + 4);
  MapGrid[x][y][Occupant] = row[Look];
}
