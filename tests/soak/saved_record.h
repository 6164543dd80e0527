#pragma once
#include <cstdint>
#include <optional>
#include <string>

// What save.dat holds after a save, read strictly: exactly two lines ended by CR LF, the header
// line exact, then <Veteran>,<RecordReward>,"<RecordHolder>",<SoundOn> with decimal numbers.
struct SavedRecord {
  int veteran = -1;
  int64_t recordReward = 0;
  std::string recordHolder;  // UTF-8
  int soundOn = -1;
};

// The record in the file's bytes, or nothing with the reason in why.
std::optional<SavedRecord> ParseSavedRecord(const std::string& bytes, std::string& why);
