// kzv-sim: the headless driver. Runs the whole program from its real entry on the script host
// (virtual clock from 0, no window, no audio device) and reads commands, one a line, from
// standard input.
//
//   kzv-sim [--seed N] [--app-dir DIR] [--record DIR] [--replay FILE] [--language ja|en]
//
// The game speaks Japanese unless --language names another of its languages; the desktop's
// locale plays no part here. A replay plays in the language it was recorded in.
// --record DIR keeps every mission in a replay file in DIR, as the game does. --replay FILE
// waits for the title, plays the mission kept in FILE on the clock it was recorded at and
// answers the dump at its end before any command; a replay made by another version or with
// other data is refused (status 2). When the mission went otherwise than when it was recorded
// (another delivery, other clock readings, another end), that is said on stderr and the driver
// exits with status 1 once its input is done.
//
// Every command answers exactly one line on standard output, flushed at once, so a driver can
// write a command and read its answer:
//   key VK [MASK]        key-down, virtual-key code 1..255, mask 0..7 (Shift 1, Ctrl 2, Alt 4)
//   type TEXT            UTF-8 text (the rest of the line) into the focused text box
//   click NAME           a click at the centre of a control of the shown window, e.g. sarch(3)
//   click X Y            a click at client pixel X, Y of the shown window
//   close                the close box
//   wait MS              the clock moves on MS milliseconds (0..86400000), timers fire on the way
//   set FIELD VALUE      a game-state field; a text field takes the rest of the line
//   setcell X Y LAYER V  a map cell's layer (Terrain, ShotMark, Blood, Occupant), V 0..255
//   setperson N COLUMN V a person's column (State, X, Y, Look, Surname, GivenName, Kind)
//   shot FILE.png        the shown window's composed frame as a PNG file
//                        ... each of these answers {"ok":true}
//   hash                 {"hash":"..."}: the composed frame's pixel hash, 16 hex digits, as the
//                        real window's present log (KZV_PRESENT_LOG) writes it
//   cell X Y             {"x":X,"y":Y,"Terrain":..,"ShotMark":..,"Blood":..,"Occupant":..}
//   person N             {"person":N,"State":..,"X":..,"Y":..,"Look":..,...,"Kind":..}
//   dump                 the whole picture (see sim_dump.h)
//   quit                 the last dump, then the driver exits
// A command that ends the program answers with the last dump instead of {"ok":true}, and the
// driver exits with status 0; so it does at the end of input, and at once when the program ends
// during its start. A malformed command answers {"error":"..."} and changes nothing. Empty
// lines and lines starting with # are skipped without an answer.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "flow/game_state.h"
#include "platform/files.h"
#include "platform/script/script_host.h"
#include "platform/text/words.h"
#include "shell/language_choice.h"
#include "shell/mission_replay.h"
#include "shell/program.h"
#include "shell/sound_binding.h"
#include "sim_dump.h"
#include "sim_json.h"
#include "world/random_draw.h"
#include "world/world_model.h"

namespace {

constexpr int64_t kLongestWait = 86400000;  // a day of game time in one command

std::string Ok() { return sim::Line({{"ok", true}}); }
std::string Error(std::string_view why) { return sim::Line({{"error", why}}); }

std::optional<int64_t> Number(std::string_view word, int64_t lo, int64_t hi) {
  int64_t v = 0;
  if (!platform::ParseNumber(word, v) || v < lo || v > hi) return std::nullopt;
  return v;
}

class Driver {
 public:
  explicit Driver(platform::ScriptHost& host) : host_(host) {}
  // The answer to one command line; empty for a line that is no command.
  std::string Execute(std::string_view line);
  bool Finished() const { return finished_ || host_.Ended(); }

 private:
  std::string Key(const std::vector<std::string_view>& w);
  std::string Click(const std::vector<std::string_view>& w);
  std::string Set(const std::vector<std::string_view>& w, std::string_view line);
  std::string SetCell(const std::vector<std::string_view>& w);
  std::string SetPerson(const std::vector<std::string_view>& w);
  // {"ok":true}, or the last dump when the command ended the program.
  std::string Done() { return host_.Ended() ? sim::Dump(host_) : Ok(); }

  platform::ScriptHost& host_;
  bool finished_ = false;
};

std::string Driver::Execute(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  std::vector<std::string_view> w = platform::Words(line);
  if (w.empty() || w[0][0] == '#') return "";
  std::string_view cmd = w[0];
  size_t args = w.size() - 1;
  if (cmd == "key") return Key(w);
  if (cmd == "type") {
    if (args == 0) return Error("type needs the text to type");
    host_.Type(std::string(platform::RestAfter(line, 1)));
    return Done();
  }
  if (cmd == "click") return Click(w);
  if (cmd == "close" && args == 0) {
    host_.Close();
    return Done();
  }
  if (cmd == "wait") {
    auto ms = args == 1 ? Number(w[1], 0, kLongestWait) : std::nullopt;
    if (!ms) return Error("wait needs a number of milliseconds, 0 to 86400000");
    host_.Wait(*ms);
    return Done();
  }
  if (cmd == "set") return Set(w, line);
  if (cmd == "setcell") return SetCell(w);
  if (cmd == "setperson") return SetPerson(w);
  if (cmd == "cell") {
    auto x = args == 2 ? Number(w[1], 0, kMapCells - 1) : std::nullopt;
    auto y = args == 2 ? Number(w[2], 0, kMapCells - 1) : std::nullopt;
    if (!x || !y) return Error("cell needs X and Y, 0 to 100");
    return sim::CellJson(int(*x), int(*y));
  }
  if (cmd == "person") {
    auto n = args == 1 ? Number(w[1], 1, kPersonCount) : std::nullopt;
    if (!n) return Error("person needs a number, 1 to 1000");
    return sim::PersonJson(int(*n));
  }
  if (cmd == "dump" && args == 0) return sim::Dump(host_);
  if (cmd == "shot") {
    std::string path(platform::RestAfter(line, 1));
    if (args == 0) return Error("shot needs a file name");
    if (!host_.Shot(path)) return Error("cannot write the picture " + path);
    return Ok();
  }
  if (cmd == "hash" && args == 0) {
    std::optional<platform::Surface> frame = host_.Frame();
    if (!frame) return Error("no window is shown");
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx",
                  static_cast<unsigned long long>(platform::PixelHash(*frame)));
    return sim::Line({{"hash", hex}});
  }
  if (cmd == "quit" && args == 0) {
    finished_ = true;
    return sim::Dump(host_);
  }
  return Error("unknown command: " + std::string(line));
}

std::string Driver::Key(const std::vector<std::string_view>& w) {
  auto code = w.size() >= 2 && w.size() <= 3 ? Number(w[1], 1, 255) : std::nullopt;
  auto mask = w.size() == 3 ? Number(w[2], 0, 7) : std::optional<int64_t>(0);
  if (!code || !mask) return Error("key needs a key code 1 to 255 and a mask 0 to 7");
  host_.Key(int(*code), int(*mask));
  return Done();
}

std::string Driver::Click(const std::vector<std::string_view>& w) {
  if (w.size() == 3) {
    auto x = Number(w[1], INT32_MIN, INT32_MAX), y = Number(w[2], INT32_MIN, INT32_MAX);
    if (!x || !y) return Error("click needs a control name or X and Y");
    host_.Click(int(*x), int(*y));
    return Done();
  }
  if (w.size() != 2) return Error("click needs a control name or X and Y");
  if (!host_.Click(std::string(w[1])))
    return Error("the shown window has no control " + std::string(w[1]) + " to click");
  return Done();
}

std::string Driver::Set(const std::vector<std::string_view>& w, std::string_view line) {
  if (w.size() < 2) return Error("set needs a field and a value");
  for (const GameStateField& f : GameStateFields()) {
    if (w[1] != f.name) continue;
    if (f.type == GameStateField::Text) {
      *static_cast<std::string*>(f.address) = std::string(platform::RestAfter(line, 2));
      return Ok();
    }
    static constexpr int64_t kLo[] = {0, INT16_MIN, INT32_MIN}, kHi[] = {255, INT16_MAX, INT32_MAX};
    auto v = w.size() == 3 ? Number(w[2], kLo[f.type], kHi[f.type]) : std::nullopt;
    if (!v) return Error("set " + std::string(f.name) + " needs a number from " +
                         std::to_string(kLo[f.type]) + " to " + std::to_string(kHi[f.type]));
    if (f.type == GameStateField::Byte) *static_cast<uint8_t*>(f.address) = uint8_t(*v);
    if (f.type == GameStateField::Int16) *static_cast<int16_t*>(f.address) = int16_t(*v);
    if (f.type == GameStateField::Int32) *static_cast<int32_t*>(f.address) = int32_t(*v);
    return Ok();
  }
  return Error("no game-state field " + std::string(w[1]));
}

std::string Driver::SetCell(const std::vector<std::string_view>& w) {
  if (w.size() != 5) return Error("setcell needs X Y LAYER V");
  auto x = Number(w[1], 0, kMapCells - 1), y = Number(w[2], 0, kMapCells - 1);
  int layer = MapLayerByName(std::string(w[3]).c_str());
  auto v = Number(w[4], 0, 255);
  if (!x || !y) return Error("setcell needs X and Y, 0 to 100");
  if (layer < 0) return Error("no map layer " + std::string(w[3]));
  if (!v) return Error("setcell needs a value 0 to 255");
  MapGrid[*x][*y][layer] = uint8_t(*v);
  return Ok();
}

std::string Driver::SetPerson(const std::vector<std::string_view>& w) {
  if (w.size() != 4) return Error("setperson needs N COLUMN V");
  auto n = Number(w[1], 1, kPersonCount);
  int column = PersonColumnByName(std::string(w[2]).c_str());
  auto v = Number(w[3], 0, 255);
  if (!n) return Error("setperson needs a person 1 to 1000");
  if (column < 0) return Error("no person column " + std::string(w[2]));
  if (!v) return Error("setperson needs a value 0 to 255");
  People[*n][column] = uint8_t(*v);
  return Ok();
}

void Answer(const std::string& line) {
  if (line.empty()) return;
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

int Usage(const char* why) {
  std::fprintf(stderr,
               "kzv-sim: %s\nusage: kzv-sim [--seed N] [--app-dir DIR] [--record DIR] "
               "[--replay FILE] [--language ja|en]\n",
               why);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  uint64_t seed = 0;
  std::string replayPath;
  for (int i = 1; i < argc; ++i) {
    std::string_view a = argv[i];
    if ((a == "--seed" || a == "--app-dir" || a == "--record" || a == "--replay" || a == "--language") &&
        i + 1 >= argc)
      return Usage("missing value");
    if (a == "--seed") {
      std::string_view v = argv[++i];
      if (!platform::ParseNumber(v, seed)) return Usage("--seed needs a number");
    } else if (a == "--app-dir") {
      platform::SetAppDir(argv[++i]);
    } else if (a == "--record") {
      RecordMissions(argv[++i]);
    } else if (a == "--replay") {
      replayPath = argv[++i];
    } else if (a == "--language") {
      if (!ChooseLanguage(argv[++i])) return Usage("--language needs one of the game's languages (ja, en)");
    } else {
      return Usage(("unknown argument " + std::string(a)).c_str());
    }
  }

  std::optional<MissionReplay> replay;
  if (!replayPath.empty()) {
    std::string error;
    replay = LoadMissionReplay(replayPath, error);
    if (!replay) {
      std::fprintf(stderr, "kzv-sim: %s\n", error.c_str());
      return 2;
    }
  }

  platform::ScriptHost host;
  SetSoundCallRecording(true);
  SeedRandom(seed);
  host.Start(StartProgram);
  if (host.Ended()) {  // it stopped during its start, e.g. a missing file
    Answer(sim::Dump(host));
    return 0;
  }
  std::string wentOtherwise;
  if (replay) {
    wentOtherwise = PlayReplay(host, *replay);
    if (!wentOtherwise.empty())
      std::fprintf(stderr, "kzv-sim: %s: %s\n", replayPath.c_str(), wentOtherwise.c_str());
    Answer(sim::Dump(host));
  }
  Driver driver(host);
  std::string line;
  while (!driver.Finished()) {
    if (!std::getline(std::cin, line)) {
      Answer(sim::Dump(host));
      break;
    }
    Answer(driver.Execute(line));
  }
  return wentOtherwise.empty() ? 0 : 1;
}
