#pragma once
#include <cstdint>
#include <string_view>

// Building the city of a new mission from "map.dat", and creating one person.

// Value of the last character DecodeMapDigit recognised; kept between calls and missions.
extern uint8_t DecodedDigit;

// c is one character (CP932) or empty. "0".."9", "A".."Z", "a".."z" set DecodedDigit to
// 0..61; anything else leaves it as it was.
void DecodeMapDigit(std::string_view c);

// Reads the map into Terrain and places persons 1..1000 on free street cells inside columns
// and rows 4..97; the kill counters start at 0. A missing, unreadable, empty or too crowded
// map stops the program with a message naming "map.dat" before any of the world changes.
void CreateWorld();

// Overwrites the person's row with a newly drawn person standing at (x, y) and shows its Look
// in Occupant there. The cell is not tested.
void InitPerson(int person, int x, int y);
