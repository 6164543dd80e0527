#include "support/program_test.h"

#include <filesystem>

#include "flow/game_state.h"
#include "platform/files.h"
#include "platform/cp932.h"
#include "platform/text/utf8.h"
#include "shell/program.h"
#include "shell/settings_file.h"
#include "shell/sound_binding.h"
#include "shell/forms.h"
#include "support/people.h"
#include "world/random_draw.h"
#include "world/world_model.h"

void ProgramTest::SetUp() {
  // A test may start the program more than once, each time from a folder as made.
  std::filesystem::remove_all(dir_.Path());
  std::filesystem::create_directory(dir_.Path());
  FillProgramFolder(dir_.Path());
  ResetProgram();
  platform::SetAppDir(dir_.Path());
  SeedRandom(20001207);
  SetSoundCallRecording(true);
  TakeSoundCalls();
  host_ = std::make_unique<platform::ScriptHost>();
}

void ProgramTest::TearDown() {
  host_.reset();
  ResetProgram();
  SetSoundCallRecording(false);
}

void ProgramTest::WriteSave(const std::string& values) {
  auto bytes = platform::Utf8ToCp932(std::string("\"") + kSettingsHeader + "\"\r\n" + values + "\r\n");
  ASSERT_TRUE(bytes) << values;
  WriteFile(AppPath("save.dat"), *bytes);
}

std::string ProgramTest::SaveValues(const std::string& relative) const {
  const std::string bytes = ReadFile(AppPath(relative));
  const size_t first = bytes.find("\r\n");
  const size_t second = bytes.find("\r\n", first == std::string::npos ? 0 : first + 2);
  if (second == std::string::npos) return "";
  return platform::Cp932ToUtf8(bytes.substr(first + 2, second - first - 2)).value_or("<not CP932>");
}

void ProgramTest::Boot() {
  host_->Start(StartProgram);
  for (int i = 0; i < 100 && G.GameMode != 1 && !host_->Ended(); ++i) host_->Wait(20);
}

void ProgramTest::StartMissionFromTitle() {
  ASSERT_EQ(G.GameMode, 1) << host_->EndReason();
  while (G.MenuChoice != 2) Key(40);
  Key(16);
  ASSERT_EQ(G.GameMode, 3);
}

void ProgramTest::WaitForCharge() {
  for (int i = 0; i < 100 && G.Charge != 0; ++i) Wait(50);
  ASSERT_EQ(G.Charge, 0);
}

void ProgramTest::EmptyAimedCell() {
  // The aim follows the view copied by the scope tick; let one tick run first.
  Wait(20);
  MapGrid[G.ScopeX + G.CursorX][G.ScopeY + G.CursorY][Occupant] = 0;
}

void ProgramTest::PutPersonUnderAim() {
  Wait(20);
  const int x = G.ScopeX + G.CursorX, y = G.ScopeY + G.CursorY;
  MapGrid[People[1][PosX]][People[1][PosY]][Occupant] = 0;
  StandPerson(1, x, y, People[1][Look]);
}

void ProgramTest::EndMissionWithReward(int32_t reward) {
  StartMissionFromTitle();
  WaitForCharge();
  C("li").y1 = 280;  // as after 55 shots
  G.Reward = reward;
  EmptyAimedCell();
  Key(16);
  ASSERT_EQ(G.GameMode, 2);
}

platform::Control& ProgramTest::C(std::string_view name, int index) { return Form1()(name, index); }

std::vector<std::string> ProgramTest::TakeCalls() {
  std::vector<std::string> calls;
  for (const SoundCall& call : TakeSoundCalls()) {
    std::string line = call.function;
    for (const std::string& a : call.args) line += " " + a;
    calls.push_back(line);
  }
  return calls;
}

std::vector<int> ProgramTest::TakePlayed() {
  std::vector<int> slots;
  for (const std::string& call : TakeCalls())
    if (call.rfind("STPlay ", 0) == 0) slots.push_back(std::stoi(call.substr(7)));
  return slots;
}

std::string ProgramTest::Highlights() {
  std::string shown;
  for (int i = 0; i < 3; ++i) shown += std::string(i ? " " : "") + (C("pa", i).visible ? "1" : "0");
  return shown;
}
