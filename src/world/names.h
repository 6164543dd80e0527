#pragma once

// The family and given names a person can carry, and the display name built from them.

constexpr int kSurnameCount = 152;
constexpr int kGivenNameCount = 114;
constexpr int kWomensNameCount = 62;  // given names 1..62 are women's, 63..114 men's

// Positions 1..152; entry 0 is an empty text so that positions index directly.
// One to three kanji, no blank.
extern const char* const SurnameTable[kSurnameCount + 1];

// Positions 1..114; entry 0 is an empty text. One blank, then one to three kanji.
extern const char* const GivenNameTable[kGivenNameCount + 1];

// Leaves the person's display name (family name, one blank, given name) in G.ShotName: in
// kanji in Japanese, romanised in the other languages ("Tanaka Yuko").
// A name column outside its table contributes nothing.
void BuildPersonName(int person);
