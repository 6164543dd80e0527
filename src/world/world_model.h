#pragma once
#include <cstdint>
#include <string>

// The city of a mission: the map grid and the person table, both program-wide and zero at
// program start. Columns (X) grow to the right, rows (Y) downwards; north is row - 1.

constexpr int kMapCells = 101;     // indices 0..100; the map file fills 1..100
constexpr int kPersonCount = 1000;  // persons 1..1000; row 0 is never used

// Layers of a map cell.
enum MapLayer : int {
  Terrain = 0,   // 0..61, base-62 digit of the map; below 10 walkable street
  ShotMark = 1,  // 1 where a shot was fired this mission
  Blood = 2,     // 0 clean, 5 victim's cell, 1..4 splash north/east/south/west of a victim
  Occupant = 3,  // 0 nobody, else the Look of the person standing there
};

// Columns of a person's row.
enum PersonColumn : int {
  State = 0,      // 1 walking, 0 shot or never created
  PosX = 1,       // column of the person's cell (the world's "X")
  PosY = 2,       // row of the person's cell (the world's "Y")
  Look = 3,       // 1..4 targets, 5..12 everyone else
  Surname = 4,    // 1..152
  GivenName = 5,  // 1..114; 1..62 women, 63..114 men
  Kind = 6,       // PersonKind
};

enum PersonKind : uint8_t { Citizen = 0, Child = 1, Elder = 2, Target = 3 };

extern uint8_t MapGrid[kMapCells][kMapCells][4];  // [column][row][layer]
extern uint8_t People[kPersonCount + 1][7];        // [person][column]

// Every layer of every cell and every person row back to 0 (program start).
void ResetWorld();

// The kind words shown for each PersonKind: "一般市民", "子供", "老人", "ガングロ"
// in the current language.
std::string KindWord(int kind);

// A cell is free for a person when it is walkable street and nobody stands on it.
inline bool CellFree(int x, int y) { return MapGrid[x][y][Terrain] < 10 && MapGrid[x][y][Occupant] == 0; }

// Who stands on a cell: only when its Occupant is not 0, the last of persons 1..1000 whose
// position is the cell (State is not consulted); 0 when nobody matches.
int PersonAt(int x, int y);

// Layer and column names for the headless driver ("Terrain", ..., "State", "X", "Y", ...).
// -1 for an unknown name.
int MapLayerByName(const char* name);
int PersonColumnByName(const char* name);
extern const char* const kMapLayerNames[4];      // "Terrain", "ShotMark", "Blood", "Occupant"
extern const char* const kPersonColumnNames[7];  // "State", "X", "Y", "Look", "Surname", "GivenName", "Kind"
