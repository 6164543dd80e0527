#include "shell/mission_replay.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <map>
#include <sstream>

#include "flow/game_state.h"
#include "language/language.h"
#include "platform/files.h"
#include "platform/toolkit/timers.h"
#include "platform/toolkit/window.h"
#include "platform/text/words.h"
#include "shell/language_choice.h"
#include "shell/sound_binding.h"
#include "world/random_draw.h"
#include "world/world_model.h"

#ifndef KZV_VERSION
#define KZV_VERSION "unknown"
#endif

namespace {

using platform::EncodeReplayText;

std::string Hex(uint64_t v) {
  char text[20];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(v));
  return text;
}

// Read once a run for each folder: every replay read and every mission recorded asks for it,
// and the data under a running game does not change.
std::string FolderDigestText(const std::string& folder) {
  static std::map<std::string, std::string> digests;
  auto [at, added] = digests.try_emplace(folder);
  if (added) {
    std::optional<uint64_t> digest = platform::FolderDigest(folder);
    at->second = digest ? Hex(*digest) : "unreadable";
  }
  return at->second;
}

// Outside Japanese the language's own folder of pictures and voices counts as well.
std::string DataDigest() {
  const std::string data = FolderDigestText(platform::AppDir() + "/data");
  if (JapaneseSpoken() || data == "unreadable") return data;
  const std::string own = FolderDigestText(platform::AppDir() + "/data/" + CurrentLanguage());
  return own == "unreadable" ? own : data + "-" + own;
}

// Paths differ from machine to machine, and the map text is the map file itself.
bool KeptField(const GameStateField& f) {
  std::string_view name = f.name;
  return name != "SavePath" && name != "FilePath" && name != "MapText";
}

std::string FieldText(const GameStateField& f) {
  switch (f.type) {
    case GameStateField::Byte: return std::to_string(*static_cast<const uint8_t*>(f.address));
    case GameStateField::Int16: return std::to_string(*static_cast<const int16_t*>(f.address));
    case GameStateField::Int32: return std::to_string(*static_cast<const int32_t*>(f.address));
    case GameStateField::Text: return EncodeReplayText(*static_cast<const std::string*>(f.address));
  }
  return "";
}

bool SetField(const GameStateField& f, const std::string& text) {
  int64_t v = 0;
  if (f.type == GameStateField::Text) {
    *static_cast<std::string*>(f.address) = platform::DecodeReplayText(text);
    return true;
  }
  if (!platform::ParseNumber(text, v)) return false;
  if (f.type == GameStateField::Byte) *static_cast<uint8_t*>(f.address) = uint8_t(v);
  if (f.type == GameStateField::Int16) *static_cast<int16_t*>(f.address) = int16_t(v);
  if (f.type == GameStateField::Int32) *static_cast<int32_t*>(f.address) = int32_t(v);
  return true;
}

std::string ControlLine(const platform::Form& form, const platform::Control& c) {
  std::string id = form.name + "." + c.DisplayName();
  if (c.kind == platform::ControlKind::Timer)
    return "timer " + id + " " + std::to_string(c.enabled) + " " + std::to_string(c.interval);
  std::ostringstream line;
  line << "control " << id << ' ' << c.visible << ' ' << c.enabled << ' ' << c.left << ' '
       << c.top << ' ' << c.width << ' ' << c.height << ' ' << c.x1 << ' ' << c.y1 << ' '
       << c.x2 << ' ' << c.y2 << ' ' << c.foreColor << ' ' << c.backColor << ' '
       << c.transparent << ' ' << c.caret << ' ' << EncodeReplayText(c.caption);
  return line.str();
}

// The state and the windows: what a mission starts from and most of how it ends.
void AddStateAndWindows(std::vector<std::string>& lines) {
  for (const GameStateField& f : GameStateFields())
    if (KeptField(f)) lines.push_back(std::string("state ") + f.name + " " + FieldText(f));
  for (const platform::Form* form : platform::Forms()) {
    lines.push_back("form " + form->name + " " + EncodeReplayText(form->caption));
    for (const auto& c : form->controls) lines.push_back(ControlLine(*form, *c));
  }
}

std::vector<std::string> StartLines() {
  std::vector<std::string> lines = {std::string("version ") + KZV_VERSION, "data " + DataDigest(),
                                    "random " + std::to_string(RandomState()), "language " + CurrentLanguage()};
  AddStateAndWindows(lines);
  return lines;
}

uint64_t WorldDigest() {
  uint64_t digest = 0xcbf29ce484222325ull;
  auto fold = [&](const uint8_t* bytes, size_t n) {
    for (size_t i = 0; i < n; ++i) digest = (digest ^ bytes[i]) * 0x100000001b3ull;
  };
  fold(&MapGrid[0][0][0], sizeof MapGrid);
  fold(&People[0][0], sizeof People);
  return digest;
}

// The value of "KEY value" among the start lines, or "".
std::string StartValue(const platform::ReplayFile& file, const std::string& key) {
  for (const std::string& line : file.start)
    if (line.rfind(key + " ", 0) == 0) return line.substr(key.size() + 1);
  return "";
}

// How far a control may lie from the window's corner and how large it may be: the window is
// 640 x 480 and its controls lie within a few hundred pixels of it. A replay whose start says
// otherwise is damaged; its control is left as the program made it.
constexpr int kFarthestPixel = 4096;

bool Placeable(const int (&v)[14]) {
  auto within = [](int n, int lo) { return n >= lo && n <= kFarthestPixel; };
  return within(v[2], -kFarthestPixel) && within(v[3], -kFarthestPixel) && within(v[4], 0) &&
         within(v[5], 0) && within(v[6], -kFarthestPixel) && within(v[7], -kFarthestPixel) &&
         within(v[8], -kFarthestPixel) && within(v[9], -kFarthestPixel);
}

void RestoreControl(const std::vector<std::string>& w) {
  if (w.size() != 17) return;
  size_t dot = w[1].find('.');
  if (dot == std::string::npos) return;
  for (platform::Form* form : platform::Forms()) {
    if (form->name != w[1].substr(0, dot)) continue;
    platform::Control* c = form->FindByDisplayName(w[1].substr(dot + 1));
    if (!c) return;
    int v[14];
    for (int i = 0; i < 14; ++i) {
      int64_t n = 0;
      auto [end, ec] = std::from_chars(w[2 + i].data(), w[2 + i].data() + w[2 + i].size(), n);
      if (ec != std::errc()) return;
      v[i] = int(n);
    }
    if (!Placeable(v)) return;
    c->visible = v[0];
    c->enabled = v[1];
    c->left = v[2], c->top = v[3], c->width = v[4], c->height = v[5];
    c->x1 = v[6], c->y1 = v[7], c->x2 = v[8], c->y2 = v[9];
    c->foreColor = uint32_t(v[10]), c->backColor = uint32_t(v[11]);
    c->transparent = v[12];
    c->caption = platform::DecodeReplayText(w[16]);
    c->caret = std::min(size_t(std::max(v[13], 0)), c->caption.size());
  }
}

}  // namespace

void RecordMissions(const std::string& folder) {
  platform::AskForReplays(folder);
  SetSoundCallRecording(true);
}

void MissionStarts() {
  if (!platform::ReplaysAsked()) return;
  TakeSoundCalls();  // the mission's own calls from here on
  platform::BeginReplayFile(StartLines());
}

void MissionEnds() { platform::EndReplayFileAfterDelivery(MissionEndLines); }

std::vector<std::string> MissionEndLines() {
  std::vector<std::string> lines;
  AddStateAndWindows(lines);
  lines.push_back("world " + Hex(WorldDigest()));
  for (const SoundCall& call : KeptSoundCalls()) {
    std::string line = "sound " + call.function;
    for (const std::string& a : call.args) line += " " + EncodeReplayText(a);
    lines.push_back(line);
  }
  return lines;
}

std::optional<MissionReplay> LoadMissionReplay(const std::string& path, std::string& error) {
  std::optional<platform::ReplayFile> file = platform::ReadReplayFile(path, error);
  if (!file) return std::nullopt;
  std::string version = StartValue(*file, "version"), data = StartValue(*file, "data");
  if (version != KZV_VERSION) {
    error = path + " was recorded by K.Z.V version " + (version.empty() ? "(none)" : version) +
            "; this is version " + KZV_VERSION + ", which may play it differently";
    return std::nullopt;
  }
  uint64_t random = 0;
  std::string seed = StartValue(*file, "random");
  if (!platform::ParseNumber(seed, random)) {
    error = path + ": the random generator's state cannot be read";
    return std::nullopt;
  }
  // A replay plays in the language it was recorded in; one from before languages, in Japanese.
  std::string language = StartValue(*file, "language");
  if (language.empty()) language = "ja";
  const std::string before = CurrentLanguage();
  if (!ChooseLanguage(language)) {
    error = path + " was recorded in the language " + language + ", which this build does not have (" +
            KnownLanguages() + ")";
    return std::nullopt;
  }
  if (data != DataDigest()) {
    error = path + " was recorded with other data (digest " + (data.empty() ? "(none)" : data) +
            "); the data folder here has digest " + DataDigest();
    ChooseLanguage(before);
    return std::nullopt;
  }
  return MissionReplay{path, std::move(*file)};
}

bool ReadyForReplay() { return G.GameMode == 1 && !platform::NextTimerDue(); }

void RestoreReplayStart(const MissionReplay& replay) {
  uint64_t random = 0;
  platform::ParseNumber(StartValue(replay.file, "random"), random);
  SeedRandom(random);
  for (const std::string& line : replay.file.start) {
    std::vector<std::string> w = platform::SplitWords(line);
    if (w.size() == 3 && w[0] == "state") {
      for (const GameStateField& f : GameStateFields())
        if (KeptField(f) && w[1] == f.name) SetField(f, w[2]);
    } else if (w.size() == 3 && w[0] == "form") {
      for (platform::Form* form : platform::Forms())
        if (form->name == w[1]) form->caption = platform::DecodeReplayText(w[2]);
    } else if (!w.empty() && w[0] == "control") {
      RestoreControl(w);
    }
  }
  G.SavePath.clear();  // a replay is watched, not played: it writes no record
  SetSoundCallRecording(true);  // its end is checked with the sounds asked for
  TakeSoundCalls();
}

std::string CheckReplayEnd(const MissionReplay& replay) {
  if (!replay.file.finished) return "";
  std::vector<std::string> now = MissionEndLines();
  const std::vector<std::string>& then = replay.file.end;
  for (size_t i = 0; i < now.size() || i < then.size(); ++i) {
    std::string a = i < then.size() ? then[i] : "(nothing)";
    std::string b = i < now.size() ? now[i] : "(nothing)";
    if (a != b) return "the mission ended otherwise: recorded \"" + a + "\", replayed \"" + b + "\"";
  }
  return "";
}

// The longest the program may take from its start to the title before a replay begins.
constexpr int64_t kLongestStartMs = 60000;

std::string PlayReplay(platform::ScriptHost& host, const MissionReplay& replay) {
  for (int64_t waited = 0; !host.Ended() && !ReadyForReplay() && waited < kLongestStartMs;
       waited += 10)
    host.Wait(10);
  if (host.Ended() || !ReadyForReplay()) return "the program never reached the title";
  RestoreReplayStart(replay);
  platform::ClearReplayDivergence();
  for (const platform::ReplayEvent& event : replay.file.events) {
    if (host.Ended()) return "the program ended before the replay did";
    host.Replay(event);
  }
  if (!platform::ReplayDivergence().empty()) return platform::ReplayDivergence();
  return CheckReplayEnd(replay);
}
