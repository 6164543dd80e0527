#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app_dir.h"
#include "mini_json.h"

namespace {

struct SimRun {
  std::vector<std::string> lines;
  int status = -1;
};

// Runs the built kzv-sim with the script on its standard input.
SimRun RunSim(const std::string& script, const std::string& args = "",
              const std::string& removed = "") {
  std::string appDir = FreshAppDir("kzv_sim_test_app");
  if (!removed.empty()) std::filesystem::remove(appDir + "/" + removed);
  std::string scriptPath = appDir + "/script.txt";
  std::ofstream(scriptPath, std::ios::binary) << script;
  std::string cmd = std::string(KZV_BUILD_DIR) + "/kzv-sim --app-dir " + appDir + " " + args +
                    " < " + scriptPath + " 2>/dev/null";
  SimRun run;
  FILE* out = popen(cmd.c_str(), "r");
  if (!out) return run;
  std::string line;
  int c;
  while ((c = std::fgetc(out)) != EOF) {
    if (c == '\n') {
      run.lines.push_back(line);
      line.clear();
    } else {
      line += char(c);
    }
  }
  if (!line.empty()) run.lines.push_back(line + "<no newline>");
  int st = pclose(out);
  run.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  return run;
}

mini_json::Value Json(const std::string& line) {
  mini_json::Value v = mini_json::Parse(line);
  EXPECT_TRUE(v.ok) << line;
  return v;
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
  EXPECT_EQ(run.status, 0);
  ASSERT_EQ(run.lines.size(), 13u);
  for (size_t i : {1, 2, 3, 4, 5, 6, 7, 8}) EXPECT_EQ(run.lines[i], "{\"ok\":true}") << i;

  mini_json::Value first = Json(run.lines[0]);
  EXPECT_EQ(first["t"].number, 0);
  EXPECT_EQ(first["ended"].kind, mini_json::Value::Bool);
  EXPECT_FALSE(first["ended"].boolean);
  EXPECT_TRUE(first["windows"]["Form2"]["shown"].boolean);
  EXPECT_TRUE(first["windows"].Has("Form1"));
  EXPECT_EQ(first["timers"]["timm"]["interval"].number, 1);
  EXPECT_EQ(first["state"]["GameMode"].kind, mini_json::Value::Number);
  EXPECT_EQ(first["state"]["RecordHolder"].kind, mini_json::Value::String);
  EXPECT_EQ(first["sounds"].kind, mini_json::Value::Array);
  EXPECT_EQ(first["messages"].kind, mini_json::Value::Array);
  const mini_json::Value& log0 = first["controls"]["sarch(0)"];
  ASSERT_EQ(log0.kind, mini_json::Value::Object);
  EXPECT_EQ(log0["left"].number, 4890 / 15);
  EXPECT_EQ(log0["backcolor"].text, "#808080");
  EXPECT_EQ(log0["forecolor"].text, "#80FF80");
  EXPECT_EQ(first["controls"]["ename"]["text"].kind, mini_json::Value::String);
  EXPECT_FALSE(first["controls"].Has("timm"));  // timers are listed apart

  mini_json::Value cell = Json(run.lines[9]);
  EXPECT_EQ(cell["x"].number, 3);
  EXPECT_EQ(cell["y"].number, 4);
  EXPECT_EQ(cell["Blood"].number, 5);
  EXPECT_EQ(cell["Terrain"].kind, mini_json::Value::Number);
  mini_json::Value person = Json(run.lines[10]);
  EXPECT_EQ(person["person"].number, 12);
  EXPECT_EQ(person["Kind"].number, 3);
  EXPECT_TRUE(person.Has("GivenName"));

  mini_json::Value later = Json(run.lines[11]);
  EXPECT_EQ(later["t"].number, 250);
  // The launcher has handed over to the main window.
  EXPECT_FALSE(later["windows"]["Form2"]["shown"].boolean);
  EXPECT_TRUE(later["windows"]["Form1"]["shown"].boolean);
  EXPECT_EQ(later["windows"]["Form1"]["caption"].text, "K.Z.V");
  EXPECT_EQ(later["state"]["GameMode"].number, 7);
  // quit: the last dump, and nothing read after it.
  mini_json::Value last = Json(run.lines[12]);
  EXPECT_EQ(last["t"].number, 250);
}

TEST(KzvSim, MalformedCommandsAnswerAnErrorAndChangeNothing) {
  SimRun run = RunSim(
      "set GameMode 4\n"
      "frobnicate\n"
      "key\n"
      "key 300\n"
      "key 65 9\n"
      "wait -5\n"
      "wait 12x\n"
      "set GameMode 256\n"
      "set GameMode\n"
      "set NoSuchField 1\n"
      "setcell 101 0 Blood 1\n"
      "setcell 1 1 Mud 1\n"
      "setcell 1 1 Blood 256\n"
      "setperson 0 Kind 1\n"
      "setperson 1 Colour 1\n"
      "cell 1\n"
      "person 1001\n"
      "click nosuchcontrol\n"
      "click timm\n"
      "click 1 2 3\n"
      "type\n"
      "dump now\n"
      "dump\n");
  ASSERT_EQ(run.lines.size(), 24u);
  EXPECT_EQ(run.lines[0], "{\"ok\":true}");
  for (size_t i = 1; i < 22; ++i) {
    mini_json::Value v = Json(run.lines[i]);
    EXPECT_EQ(v["error"].kind, mini_json::Value::String) << run.lines[i];
  }
  mini_json::Value dump = Json(run.lines[22]);
  EXPECT_EQ(dump["t"].number, 0);
  EXPECT_EQ(dump["state"]["GameMode"].number, 4);
  // The end of the input: one last dump.
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(Json(run.lines[23])["ended"].boolean, false);
}

TEST(KzvSim, TextsComeBackExactlyThroughJson) {
  std::string text = "名前 \"quoted\" back\\slash\ttab";
  SimRun run = RunSim("set RecordHolder " + text + "\nset MapText\ndump\n");
  ASSERT_EQ(run.lines.size(), 4u);
  mini_json::Value dump = Json(run.lines[2]);
  EXPECT_EQ(dump["state"]["RecordHolder"].text, text);
  EXPECT_EQ(dump["state"]["MapText"].text, "");
  EXPECT_EQ(run.lines[2].find('\t'), std::string::npos);  // control characters escaped
}

TEST(KzvSim, TheCloseBoxEndsTheRunWithALastDump) {
  SimRun run = RunSim("wait 5\nclose\ndump\nkey 65\n");
  EXPECT_EQ(run.status, 0);
  ASSERT_EQ(run.lines.size(), 2u);
  mini_json::Value last = Json(run.lines[1]);
  EXPECT_EQ(last["ended"].text, "close");
  EXPECT_EQ(last["t"].number, 5);
}

TEST(KzvSim, TheEndOfInputGivesALastDump) {
  SimRun run = RunSim("wait 40");  // no newline at the end either
  ASSERT_EQ(run.lines.size(), 2u);
  EXPECT_EQ(Json(run.lines[1])["t"].number, 40);
}

TEST(KzvSim, SameSeedSameScriptSameRun) {
  std::string script = "wait 500\ndump\nkey 38\nwait 1500\ndump\n";
  SimRun a = RunSim(script, "--seed 7");
  SimRun b = RunSim(script, "--seed 7");
  ASSERT_EQ(a.lines.size(), 6u);
  EXPECT_EQ(a.lines, b.lines);
}

uint32_t BigEndian(const std::string& s, size_t at) {
  uint32_t v = 0;
  for (size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(s[at + i]);
  return v;
}

TEST(KzvSim, ShotSavesTheShownWindowAsPng) {
  std::string path = std::string(KZV_BUILD_DIR) + "/kzv_sim_test_shot.png";
  std::filesystem::remove(path);
  SimRun run = RunSim("shot " + path + "\nshot /nonexistent-folder/x.png\n");
  ASSERT_EQ(run.lines.size(), 3u);
  EXPECT_EQ(run.lines[0], "{\"ok\":true}");
  EXPECT_EQ(Json(run.lines[1])["error"].kind, mini_json::Value::String);
  std::ifstream in(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GT(bytes.size(), 24u);
  EXPECT_EQ(bytes.substr(0, 8), "\x89PNG\r\n\x1a\n");
  // At the start the launcher is shown: 63 x 94 pixels.
  EXPECT_EQ(BigEndian(bytes, 16), 63u);
  EXPECT_EQ(BigEndian(bytes, 20), 94u);
}

TEST(KzvSim, AStopDuringTheStartGivesOneLastDumpAtOnce) {
  SimRun run = RunSim("dump\nwait 100\n", "", "Stools.dll");
  EXPECT_EQ(run.status, 0);
  ASSERT_EQ(run.lines.size(), 1u);
  mini_json::Value last = Json(run.lines[0]);
  EXPECT_EQ(last["ended"].text, "missing-file");
  ASSERT_EQ(last["messages"].items.size(), 1u);
  EXPECT_EQ(last["messages"].items[0]["title"].text, "K.Z.V");
  EXPECT_EQ(last["messages"].items[0]["text"].text, "ファイル【Stools.dll】が存在しません。");
}

TEST(KzvSim, BadArgumentsAreRefused) {
  EXPECT_NE(RunSim("", "--seed").status, 0);
  EXPECT_NE(RunSim("", "--seed x").status, 0);
  EXPECT_NE(RunSim("", "--colour blue").status, 0);
}

}  // namespace
