#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <regex>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "language/language.h"
#include "support/sim_process.h"

namespace {

struct SimRun {
  std::vector<std::string> lines;
  int status = -1;
};

// Runs the built kzv-sim with the script on its standard input, without the file `removed`.
SimRun RunSim(const std::string& script, const std::vector<std::string>& args = {},
              const std::string& removed = "") {
  SimProcess sim;
  if (!removed.empty()) std::filesystem::remove(sim.Path(removed));
  SimRun run;
  if (!sim.Start(args)) return run;
  sim.Send(script);  // a driver that ends early reads no further
  run.status = sim.Finish(&run.lines);
  return run;
}

using nlohmann::json;

json Json(const std::string& line) {
  json v = json::parse(line, nullptr, false);
  EXPECT_FALSE(v.is_discarded()) << line;
  return v;
}

// The values at the JSON pointers, as JSON text one after another ("-" for none there); with
// `kinds`, their type names instead.
std::string At(const json& v, std::initializer_list<const char*> pointers, bool kinds = false) {
  std::string out;
  for (const char* pointer : pointers) {
    const json::json_pointer at(pointer);
    if (!out.empty()) out += ' ';
    if (!v.contains(at))
      out += '-';
    else
      out += kinds ? v[at].type_name() : v[at].dump();
  }
  return out;
}

// The one replay a recording run left in its folder.
std::string OnlyReplayIn(const std::string& folder) {
  std::vector<std::string> files;
  for (const auto& e : std::filesystem::directory_iterator(folder))
    files.push_back(e.path().string());
  EXPECT_EQ(files.size(), 1u) << folder;
  return files.empty() ? "" : files[0];
}

TEST(KzvSim, EveryCommandAnswersOneLine) {
  SimRun run = RunSim(
      "dump\n"
      "# a comment, and an empty line: no answer\n"
      "\n"
      "wait 250\n"
      "key 65\n"
      "key 16 1\n"
      "type abc\n"
      "click 5 5\n"
      "set GameMode 7\n"
      "setcell 3 4 Blood 5\n"
      "setperson 12 Kind 3\n"
      "cell 3 4\n"
      "person 12\n"
      "dump\n"
      "quit\n"
      "dump\n");
  ASSERT_EQ(std::tuple(run.status, run.lines.size()), std::tuple(0, 13u));
  for (size_t i : {1, 2, 3, 4, 5, 6, 7, 8}) EXPECT_EQ(run.lines[i], "{\"ok\":true}") << i;

  json first = Json(run.lines[0]);
  // The log's first row stands at 4890 twips: 326 pixels.
  EXPECT_EQ(At(first, {"/t", "/ended", "/windows/Form2/shown", "/timers/timm/interval",
                       "/controls/sarch(0)/left", "/controls/sarch(0)/backcolor",
                       "/controls/sarch(0)/forecolor"}),
            "0 false true 1 326 \"#808080\" \"#80FF80\"");
  // Timers are listed apart from the controls.
  EXPECT_EQ(At(first,
               {"/state/GameMode", "/state/RecordHolder", "/sounds", "/messages",
                "/controls/sarch(0)", "/controls/ename/text", "/controls/timm"},
               true),
            "number string array array object string -");

  json cell = Json(run.lines[9]);
  EXPECT_EQ(At(cell, {"/x", "/y", "/Blood"}), "3 4 5");
  EXPECT_EQ(At(cell, {"/Terrain", "/ShotMark", "/Blood", "/Occupant"}, true),
            "number number number number");
  json person = Json(run.lines[10]);
  EXPECT_EQ(At(person, {"/person", "/Kind"}), "12 3");
  EXPECT_TRUE(person.contains("GivenName"));

  // The launcher has handed over to the main window.
  EXPECT_EQ(At(Json(run.lines[11]), {"/t", "/windows/Form2/shown", "/windows/Form1/shown",
                                     "/windows/Form1/caption", "/state/GameMode"}),
            "250 false true \"K.Z.V\" 7");
  // quit: the last dump, and nothing read after it.
  EXPECT_EQ(Json(run.lines[12])["t"], 250);
}

TEST(KzvSim, MalformedCommandsAnswerAnErrorAndChangeNothing) {
  SimRun run = RunSim(
      "set GameMode 4\n"
      "frobnicate\n"
      "key\n"
      "key 300\n"
      "key 65 9\n"
      "wait 12x\n"
      "set GameMode 256\n"
      "set GameMode\n"
      "set NoSuchField 1\n"
      "setcell 101 0 Blood 1\n"
      "setcell 1 1 Mud 1\n"
      "setperson 0 Kind 1\n"
      "cell 1\n"
      "person 1001\n"
      "click nosuchcontrol\n"
      "click timm\n"
      "type\n"
      "dump now\n"
      "dump\n");
  // The end of the input: one last dump.
  ASSERT_EQ(std::tuple(run.status, run.lines.size()), std::tuple(0, 20u));
  EXPECT_EQ(run.lines[0], "{\"ok\":true}");
  for (size_t i = 1; i < 18; ++i)
    EXPECT_TRUE(Json(run.lines[i])["error"].is_string()) << run.lines[i];
  EXPECT_EQ(At(Json(run.lines[18]), {"/t", "/state/GameMode"}), "0 4");
  EXPECT_EQ(Json(run.lines[19])["ended"], false);
}

TEST(KzvSim, TextsComeBackExactlyThroughJson) {
  std::string text = "名前 \"quoted\" back\\slash\ttab";
  SimRun run = RunSim("set RecordHolder " + text + "\nset MapText\ndump\n");
  ASSERT_EQ(run.lines.size(), 4u);
  EXPECT_EQ(At(Json(run.lines[2]), {"/state/RecordHolder", "/state/MapText"}),
            json(text).dump() + " \"\"");
  EXPECT_EQ(run.lines[2].find('\t'), std::string::npos);  // control characters escaped
}

TEST(KzvSim, TheCloseBoxAndTheEndOfInputGiveALastDump) {
  SimRun closed = RunSim("wait 5\nclose\ndump\nkey 65\n");
  ASSERT_EQ(std::tuple(closed.status, closed.lines.size()), std::tuple(0, 2u));
  EXPECT_EQ(At(Json(closed.lines[1]), {"/ended", "/t"}), "\"close\" 5");
  SimRun ended = RunSim("wait 40");  // no newline at the end either
  ASSERT_EQ(ended.lines.size(), 2u);
  EXPECT_EQ(Json(ended.lines[1])["t"], 40);
}

TEST(KzvSim, ShotSavesTheShownWindowAsPng) {
  const TempDir dir("shot");
  SimRun run = RunSim("shot " + (dir / "shot.png") + "\nshot /nonexistent-folder/x.png\n");
  ASSERT_EQ(run.lines.size(), 3u);
  EXPECT_EQ(run.lines[0], "{\"ok\":true}");
  EXPECT_TRUE(Json(run.lines[1])["error"].is_string());
  // At the start the launcher is shown: 63 x 94 pixels.
  const std::string bytes = ReadFile(dir / "shot.png");
  // The signature, then the width and height of the header.
  EXPECT_EQ(bytes.substr(0, 8) + bytes.substr(16, 8),
            std::string("\x89PNG\r\n\x1a\n\0\0\0\x3f\0\0\0\x5e", 16));
}

TEST(KzvSim, AStopDuringTheStartGivesOneLastDumpAtOnce) {
  SimRun run = RunSim("dump\nwait 100\n", {}, "Stools.dll");
  ASSERT_EQ(std::tuple(run.status, run.lines.size()), std::tuple(0, 1u));
  json last = Json(run.lines[0]);
  ASSERT_EQ(last["messages"].size(), 1u);
  EXPECT_EQ(At(last, {"/ended", "/messages/0/title", "/messages/0/text"}),
            "\"missing-file\" \"K.Z.V\" \"ファイル【Stools.dll】が存在しません。\"");
}

// The dump without what differs between a recorded run and its replay: the clock (the replay
// ends at its last delivery) and save.dat's place (a replay writes none).
std::string Comparable(const std::string& dump) {
  std::string out = std::regex_replace(dump, std::regex("\"t\":[0-9]+,"), "");
  // Each run has a program folder of its own.
  return std::regex_replace(out, std::regex("\"(SavePath|FilePath)\":\"[^\"]*\""), "");
}

TEST(KzvSim, AMissionRecordedReplaysToTheSameEndAndAChangedReplayIsCaught) {
  const TempDir replays("replays");
  const std::string folder = replays / "kept";
  // A whole mission in instant-charge mode: 56 shots while the view moves, then the name.
  std::string script = "set HiddenMode 2\nwait 1000\nkey 40\nkey 40\nkey 16\nwait 1500\n";
  for (int shot = 0; shot < 56; ++shot)
    script += shot % 3 ? "key 39\nkey 16\nwait 40\n" : "key 16\nwait 30\n";
  script += "key 13\ndump\n";
  SimRun recorded = RunSim(script, {"--record", folder});
  ASSERT_EQ(recorded.status, 0);
  ASSERT_GE(recorded.lines.size(), 2u);
  const std::string replay = OnlyReplayIn(folder);
  EXPECT_LT(std::filesystem::file_size(replay), 100000u);

  // The end dump comes first, before any command; it is the recorded run's, sounds included.
  SimRun replayed = RunSim("dump\n", {"--replay", replay});
  ASSERT_EQ(std::tuple(replayed.status, replayed.lines.empty()), std::tuple(0, false));
  const std::string end = recorded.lines[recorded.lines.size() - 2];  // before end of input
  EXPECT_EQ(Comparable(replayed.lines[0]), Comparable(end));
  EXPECT_NE(end.find("\"Veteran\":1"), std::string::npos);  // the name was committed
  EXPECT_NE(end.find("STPlay"), std::string::npos);

  // Another version, other data: refused before anything runs. One clock reading changed: the
  // world is another one, and that is found.
  const std::string text = ReadFile(replay);
  // A replay from before languages (no language line) plays, in Japanese.
  for (auto [from, to, status] :
       {std::tuple{"language ja\n", "", 0}, std::tuple{"version ", "version 0.", 2},
        std::tuple{"data ", "data 0", 2}, std::tuple{"\n@ 0*", "\n@ 7*", 1}}) {
    size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    WriteFile(replay, std::string(text).replace(at, std::strlen(from), to));
    SimRun run = RunSim("", {"--replay", replay});
    EXPECT_EQ(run.status, status) << to;
    EXPECT_TRUE(status != 2 || run.lines.empty()) << to;  // a refused replay plays nothing
  }

  // A program that died mid-mission leaves its replay cut off, maybe inside a line: it plays
  // up to there, in play, without a fault found.
  WriteFile(replay, text.substr(0, text.find("\nK ", text.size() / 2) + 3));
  SimRun cut = RunSim("", {"--replay", replay});
  ASSERT_EQ(std::tuple(cut.status, cut.lines.empty()), std::tuple(0, false));
  EXPECT_EQ(Json(cut.lines[0])["state"]["GameMode"], 3);
}

// Every text a screen shows in a dump: the windows' captions, the controls' captions and texts
// and the stop box's messages (the game state and the sound calls are no screen).
void ShownTexts(const json& value, std::vector<std::string>& texts) {
  if (value.is_string()) texts.push_back(value);
  if (value.is_structured())
    for (const auto& item : value) ShownTexts(item, texts);
}

TEST(KzvSim, TheEnglishGameShowsNoJapaneseButATypedName) {
  const std::string typed = "山田 太郎";
  std::string shots;
  for (int shot = 0; shot < 56; ++shot) shots += "key 39\nkey 16\nwait 40\n";
  // What each screen is and the commands to it. Two missions in instant-charge mode (the hidden
  // modes are switched during play): the first without a new record, the second with one and a
  // typed name.
  const std::pair<const char*, std::string> screens[] = {
      {"title", "wait 6000\n"},
      {"briefing 1", "key 16\n"},
      {"briefing 2", "key 16\n"},
      {"briefing 3", "key 16\n"},
      {"help", "key 16\nkey 16\n"},
      {"loading", "set RecordReward 1200000\nkey 16\nkey 16\n"},
      {"auto-snipe mode", "wait 1500\nclick ura\n"},
      {"instant-charge mode", "click ura\n"},
      {"result, no new record", shots},
      {"title again", "key 13\nwait 100\n"},
      {"result, new record",
       "set RecordReward -2000000000\nkey 16\nwait 1500\n" + shots + "type " + typed + "\n"},
      {"title with the typed holder", "key 13\nwait 100\n"},
  };
  std::string script;
  for (const auto& [what, commands] : screens) script += commands + "dump\n";
  SimRun run = RunSim(script, {"--language", "en"});
  ASSERT_EQ(run.status, 0);
  std::vector<std::string> dumps;
  for (const std::string& line : run.lines)
    if (line.rfind("{\"t\"", 0) == 0) dumps.push_back(line);
  ASSERT_GE(dumps.size(), std::size(screens));
  for (size_t i = 0; i < std::size(screens); ++i) {
    json dump = Json(dumps[i]);
    std::vector<std::string> texts;
    ShownTexts(json::array({dump["windows"], dump["controls"], dump["messages"]}), texts);
    for (std::string text : texts) {
      if (size_t at = text.find(typed); at != std::string::npos) text.erase(at, typed.size());
      EXPECT_FALSE(HasJapanese(text)) << screens[i].first << ": " << text;
    }
  }
  json title = Json(dumps[0]), autoSnipe = Json(dumps[6]), played = Json(dumps[8]);
  EXPECT_EQ(title["controls"]["Label2"]["caption"],
            "Best reward on record: Sniper Hinata Sumika: ¥ 150000");
  EXPECT_EQ(autoSnipe["windows"]["Form1"]["caption"], "K.Z.V (auto aim)");
  EXPECT_EQ(At(played, {"/state/GameMode", "/controls/chu/visible"}), "2 false");
  EXPECT_EQ(played["controls"]["cname"]["caption"], played["state"]["ShotName"]);
  EXPECT_NE(played["state"]["ShotName"], "");  // a person was hit and named
  EXPECT_EQ(Json(dumps[10])["controls"]["chu"]["visible"], true);
  // The default holder shows romanised but stays the same name; a typed one is kept as typed.
  EXPECT_EQ(Json(dumps[9])["state"]["RecordHolder"], "日向 澄香");
  EXPECT_EQ(Json(dumps[11])["state"]["RecordHolder"], typed);

  // A mission recorded in English replays in English, though the driver is not told so. (No
  // dump in between: a dump takes the sound calls a replay's end is checked by.)
  const TempDir kept("replays");
  const std::string folder = kept / "english";
  SimRun recorded = RunSim(
      "wait 6000\nkey 40\nkey 40\nkey 16\nwait 1500\nclick ura\nclick ura\n" + shots + "key 13\n",
      {"--language", "en", "--record", folder});
  ASSERT_EQ(recorded.status, 0);
  SimRun replayed = RunSim("", {"--replay", OnlyReplayIn(folder)});
  ASSERT_EQ(std::tuple(replayed.status, replayed.lines.empty()), std::tuple(0, false));
  const std::string rank = Json(replayed.lines[0])["controls"]["keka(5)"]["caption"];
  EXPECT_EQ(rank.substr(0, 5), "Rank ");

  // A picture or voice of the language missing stops the game with its name, in English.
  for (auto [file, commands] :
       {std::pair{"title.mcg", "wait 6000\n"}, std::pair{"opr20.wav", "wait 6000\n"},
        std::pair{"page2.mcg", "wait 6000\nkey 16\n"}}) {
    SimRun stopped = RunSim(commands, {"--language", "en"}, std::string("data/en/") + file);
    ASSERT_FALSE(stopped.lines.empty()) << file;
    EXPECT_EQ(At(Json(stopped.lines.back()), {"/ended", "/messages/0/text"}),
              std::string("\"missing-file\" \"File [en/") + file + "] does not exist.\"");
  }
}

TEST(KzvSim, BadArgumentsAreRefused) {
  EXPECT_NE(RunSim("", {"--seed"}).status, 0);
  EXPECT_NE(RunSim("", {"--seed", "x"}).status, 0);
  EXPECT_NE(RunSim("", {"--colour", "blue"}).status, 0);
  EXPECT_NE(RunSim("", {"--language", "xx"}).status, 0);
}

}  // namespace
