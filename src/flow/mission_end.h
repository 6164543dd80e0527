#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The end of a mission: the result screen with counts, money, rank and remark, and the
// record name entry that leads back to the title.

struct Rank {
  int32_t low, high;  // both ends belong to the band
  const char* caption;
  const char* remark;
  int voice;  // sound slot of the commander's voice clip
};

// The first band, in the order S, A, B, C, D, that holds the reward; E when none does
// (nothing earned, a loss, or more than a keyed mission can earn).
const Rank& RankOf(int32_t reward);

// Called by the fire key after the mission's last shot has been resolved.
void EndMission();

// The result screen's keys: Enter with a name in the text box commits it.
void ResultKeyDown(int key);

// Stores the entered name as the record holder's, saves, clears the map and shows the title.
void CommitRecordName();

// The most characters of either width a record name keeps; the name box takes no more.
constexpr std::size_t kRecordNameLength = 20;

// The first `count` characters (code points) of a UTF-8 text, all of it when shorter.
std::string FirstCharacters(std::string_view text, std::size_t count);
