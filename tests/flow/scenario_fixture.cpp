#include "scenario_fixture.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "flow/game_state.h"
#include "platform/files.h"
#include "platform/text_encoding.h"
#include "shell/program.h"
#include "shell/sound_binding.h"
#include "shell/windows.h"
#include "world/random_draw.h"
#include "world/world_model.h"

namespace fs = std::filesystem;

namespace {

// Every run starts from the same generator state, so each scenario sees the same city.
constexpr uint64_t kSeed = 20001207;
constexpr const char* kSaveHeader = "\"(C)2000 VOREN [KZV 設定ファイル]\"";

std::string Cp932(const std::string& utf8) {
  std::optional<std::string> bytes = platform::Utf8ToCp932(utf8);
  EXPECT_TRUE(bytes.has_value()) << utf8;
  return bytes.value_or("");
}

std::string SavePathOf(const std::string& dir) { return dir + "/save.dat"; }

}  // namespace

void ScenarioTest::SetUp() {
  static int runs = 0;
  appDir_ = (fs::temp_directory_path() /
             ("kzv-flow-" + std::to_string(getpid()) + "-" + std::to_string(++runs)))
                .string();
  fs::remove_all(appDir_);
  fs::create_directories(appDir_);
  const fs::path build = KZV_BUILD_DIR;
  fs::create_directory_symlink(build / "data", fs::path(appDir_) / "data");
  fs::create_symlink(build / "Stools.dll", fs::path(appDir_) / "Stools.dll");

  ResetProgram();
  platform::SetAppDir(appDir_);
  SeedRandom(kSeed);
  SetSoundCallRecording(true);
  TakeSoundCalls();
  host_ = std::make_unique<platform::ScriptHost>();
}

void ScenarioTest::TearDown() {
  host_.reset();
  ResetProgram();
  SetSoundCallRecording(false);
  std::error_code ignored;
  fs::remove_all(appDir_, ignored);
}

void ScenarioTest::WriteSave(const std::string& values) {
  std::ofstream out(SavePathOf(appDir_), std::ios::binary);
  out << Cp932(kSaveHeader) << "\r\n" << Cp932(values) << "\r\n";
}

void ScenarioTest::RemoveSave() { fs::remove(SavePathOf(appDir_)); }

bool ScenarioTest::SavePresent() const { return fs::is_regular_file(SavePathOf(appDir_)); }

std::string ScenarioTest::SaveBytes() const {
  return platform::ReadWholeFile(SavePathOf(appDir_)).value_or("");
}

std::string ScenarioTest::SaveValues() const {
  const std::string bytes = SaveBytes();
  const size_t first = bytes.find("\r\n");
  if (first == std::string::npos) return "";
  const size_t second = bytes.find("\r\n", first + 2);
  const std::string line = bytes.substr(first + 2, second - first - 2);
  return platform::Cp932ToUtf8(line).value_or("<not CP932>");
}

void ScenarioTest::Boot() {
  host_->Start(StartProgram);
  for (int i = 0; i < 100 && G.GameMode != 1 && !host_->Ended(); ++i) host_->Wait(20);
  ASSERT_EQ(G.GameMode, 1) << "the title never came up";
  ASSERT_FALSE(host_->Ended()) << host_->EndReason();
}

void ScenarioTest::StartMissionFromTitle() {
  while (G.MenuChoice != 2) Key(40);
  Key(16);
  ASSERT_EQ(G.GameMode, 3);
}

void ScenarioTest::WaitForCharge() {
  for (int i = 0; i < 100 && G.Charge != 0; ++i) Wait(50);
  ASSERT_EQ(G.Charge, 0);
}

void ScenarioTest::EmptyAimedCell() {
  // The aim follows the view copied by the scope tick; let one tick run first.
  Wait(20);
  const int x = G.ScopeX + G.CursorX, y = G.ScopeY + G.CursorY;
  MapGrid[x][y][Occupant] = 0;
}

void ScenarioTest::PutPersonUnderAim() {
  Wait(20);
  const int x = G.ScopeX + G.CursorX, y = G.ScopeY + G.CursorY;
  uint8_t* person = People[1];
  MapGrid[person[PosX]][person[PosY]][Occupant] = 0;
  person[State] = 1;
  person[PosX] = uint8_t(x);
  person[PosY] = uint8_t(y);
  MapGrid[x][y][Occupant] = person[Look];
}

void ScenarioTest::EndMissionWithReward(int32_t reward) {
  StartMissionFromTitle();
  WaitForCharge();
  C("li").y1 = 280;  // as after 55 shots
  G.Reward = reward;
  EmptyAimedCell();
  Key(16);
  ASSERT_EQ(G.GameMode, 2);
}

platform::Control& ScenarioTest::C(std::string_view name, int index) {
  return Form1()(name, index);
}

std::vector<int> ScenarioTest::TakePlayedSlots() {
  std::vector<int> slots;
  lastCalls_.clear();
  for (const SoundCall& call : TakeSoundCalls()) {
    if (call.function == "STPlay" && !call.args.empty()) {
      slots.push_back(std::stoi(call.args[0]));
    } else {
      lastCalls_.push_back(call.function);
    }
  }
  return slots;
}

std::string ScenarioTest::Highlights() {
  std::ostringstream out;
  for (int i = 0; i < 3; ++i) out << (i ? " " : "") << (C("pa", i).visible ? 1 : 0);
  return out.str();
}
