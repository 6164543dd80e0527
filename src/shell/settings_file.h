#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "language/language.h"

// "save.dat", beside the program at G.SavePath: the record, its holder, the sound switch and the
// veteran flag, as two CP932 text lines ended by CR LF:
//   "(C)2000 VOREN [KZV 設定ファイル]"
//   <Veteran>,<RecordReward>,"<RecordHolder>",<SoundOn>

inline constexpr const char* kSettingsHeader = "(C)2000 VOREN [KZV 設定ファイル]";
inline constexpr uint8_t kDefaultVeteran = 0;
inline constexpr int32_t kDefaultRecordReward = 150000;
inline constexpr const char* kDefaultRecordHolder = TrMark("日向 澄香");
inline constexpr uint8_t kDefaultSoundOn = 1;

// Writes the default record (0, 150000, "日向 澄香", 1) at G.SavePath. The caller has seen that
// no file is there. False, with one warning on stderr naming the file, when it cannot be written;
// the game then goes on with its values.
bool CreateDefaultSettings();

// The launcher's step when no regular file is found at G.SavePath. When the game keeps the
// player's copy away from the program (its folder cannot be written) and a save.dat stands
// beside the program, that file is copied as it is, so its record carries over. Otherwise the
// default record is written. Something other than a regular file at G.SavePath (a folder, a
// named pipe) is left alone with one warning, and nothing is created. False when no file was
// made.
bool CreateSettingsFile();

// The save after the sound switch and after the name entry: when a file is present at
// G.SavePath, rewrites it whole with 1 (not G.Veteran), G.RecordReward, G.RecordHolder and
// G.SoundOn. The file is replaced in one step, so it is never left half written. A file that has
// gone is not created again (false, quietly); a failed write gives false and one warning. A file
// this run could not read keeps the record the game never saw (false, quietly: the read warned);
// a read-only file is respected (false, one warning in the run).
bool SaveSettings();

// Reads the file at G.SavePath into G.SaveHeader, G.Veteran, G.RecordReward, G.RecordHolder and
// G.SoundOn. A field that is missing or cannot be read (text where a number stands, a number
// outside its variable's range, broken CP932, a name with nothing the name entry would let
// through) takes its default, with one
// warning on stderr; the file itself is left as it is. A file that cannot be read at all gives
// the defaults and one warning, and no save of this run will replace it. Without a file every
// value takes its default.
void ReadSettings();

// Forgets what this run learnt about the settings file (which file could not be read, which
// warnings were given), as at program start.
void ResetSettingsFileState();

// The name entry's input filter, so that a name always reads back from the file as it was
// shown: a double quote becomes the full-width "＂", a character CP932 writes as another one
// becomes that one (as "〜" becomes "～"), and control characters and characters CP932 cannot
// hold are dropped.
std::string SanitizeRecordName(std::string_view typed);
