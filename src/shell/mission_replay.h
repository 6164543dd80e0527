#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/replay/replay_log.h"
#include "platform/script/script_host.h"

// Missions kept and played again. A replay file (platform/replay/replay_log.h) starts with what the
// mission starts from, the game's version and a digest of its data folder, and ends with how
// the mission ended, so that a replay can be refused when it was made with other data and its
// end checked when it has been played:
//   version V              the game's version
//   data D                 digest of every file in data/
//   random N               the random generator's state
//   state FIELD VALUE      every game-state field but the paths and the map text
//   form NAME CAPTION      each window's caption
//   control WINDOW.NAME ... each control's place, look and text (timers: on and interval)
// The end adds "world D" (digest of the map grid and the person table) and one "sound" line
// for each call to the sound library during the mission.

// Every mission from now on is kept in the folder, one file each (off until asked).
void RecordMissions(const std::string& folder);

// The mission flow calls these: the Shift that starts a mission, and the name committed at its
// end (the file is finished once that key has been handled).
void MissionStarts();
void MissionEnds();

struct MissionReplay {
  std::string path;
  platform::ReplayFile file;
};

// Reads a replay and checks that it was made by this version with this data; otherwise a
// message saying what differs, naming the file. The game takes the replay's language (Japanese
// for a replay that names none), so load it before the program starts.
std::optional<MissionReplay> LoadMissionReplay(const std::string& path, std::string& error);

// True once the program waits on the title, where every mission starts.
bool ReadyForReplay();

// Puts back what the mission started from. A replayed mission never writes save.dat.
void RestoreReplayStart(const MissionReplay& replay);

// After the last event: "" when the mission ended as it did when it was recorded (or the
// recording stops before its end), else what differs first.
std::string CheckReplayEnd(const MissionReplay& replay);

// Plays the replay headless on the script host the program runs on: waits for the title, puts
// back the start and delivers every event on its recorded clock. "" when it went as recorded,
// else what went otherwise.
std::string PlayReplay(platform::ScriptHost& host, const MissionReplay& replay);

// The lines that describe the end of a mission, as the replay keeps them.
std::vector<std::string> MissionEndLines();
