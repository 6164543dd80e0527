// kzv: the game in its window.
//
//   kzv [--language ja|en] [--record DIR] [--replay FILE [--replay-speed N]]
//
// --language picks the game's language; without it KZV_LANGUAGE does, else the desktop's
// locale (LC_ALL, LC_MESSAGES, LANG): Japanese when unset, C or POSIX or Japanese, else
// English. A replay plays in the language it was recorded in.
// --record DIR (or KZV_RECORD=DIR in the environment) keeps every mission in a replay file in
// DIR. --replay FILE plays the mission kept in FILE in the window, N times faster than it was
// played (1 to 100; 1 when not given), for the player to watch: only Escape does anything.
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "language/language.h"
#include "platform/replay/replay_log.h"
#include "platform/warning.h"
#include "platform/window_host.h"
#include "platform/text/words.h"
#include "shell/language_choice.h"
#include "shell/mission_replay.h"
#include "shell/program.h"

namespace {

int Usage(const std::string& why) {
  platform::Warn(why);
  std::fprintf(stderr, "usage: kzv [--language ja|en] [--record DIR] [--replay FILE [--replay-speed N]]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string record, replayPath, language = DesktopLanguage();
  double speed = 1;
  if (const char* env = std::getenv("KZV_RECORD"); env && *env) record = env;
  for (int i = 1; i < argc; ++i) {
    std::string_view a = argv[i];
    if (a != "--record" && a != "--replay" && a != "--replay-speed" && a != "--language")
      return Usage("unknown argument " + std::string(a));
    if (i + 1 >= argc) return Usage(std::string(a) + " needs a value");
    std::string_view v = argv[++i];
    if (a == "--record") record = v;
    if (a == "--language") language = v;
    if (a == "--replay") replayPath = v;
    if (a == "--replay-speed") {
      if (!platform::ParseNumber(v, speed) || !(speed >= 1 && speed <= 100))
        return Usage("--replay-speed needs a number from 1 to 100");
    }
  }
  if (!ChooseLanguage(language)) return Usage(language + " is none of the game's languages (" + KnownLanguages() + ")");
  if (replayPath.empty()) {
    if (!record.empty()) RecordMissions(record);
    return platform::RunWindowHost(StartProgram);
  }

  std::string error;
  std::optional<MissionReplay> replay = LoadMissionReplay(replayPath, error);
  if (!replay) {
    platform::Warn(error);
    return 2;
  }
  platform::WindowReplay watched;
  watched.events = replay->file.events;
  watched.speed = speed;
  watched.ready = ReadyForReplay;
  watched.begin = [&] {
    RestoreReplayStart(*replay);
    platform::ClearReplayDivergence();
  };
  watched.end = [&] {
    std::string otherwise = platform::ReplayDivergence();
    if (otherwise.empty()) otherwise = CheckReplayEnd(*replay);
    if (otherwise.empty())
      platform::Say(replayPath + ": the mission went as it was recorded");
    else
      platform::Warn(replayPath + ": " + otherwise);
  };
  return platform::RunWindowHost(StartProgram, &watched);
}
