#pragma once
#include <string>
#include <string_view>

// The settings file "save.dat" at G.SavePath: a quoted header line, then the values
// Veteran, RecordReward, "RecordHolder", SoundOn; CP932 text, CR LF line ends.

// Writes the default record: header; 0,150000,"日向 澄香",1. False when it could not be written
// (one warning on stderr).
bool CreateDefaultSettings();

// The save after the sound switch and after a name entry: only when the file is present,
// header; 1, RecordReward, RecordHolder, SoundOn. False when nothing could be written.
bool SaveSettings();

// Reads the header into G.SaveHeader and the four values; a field that cannot be read takes its
// default.
void ReadSettings();

// The name entry's input filter: what the file cannot hold never reaches the name.
std::string SanitizeRecordName(std::string_view typed);
