#include "platform/script_host.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/window.h"
#include "shell/program.h"
#include "shell/windows.h"
#include "support/program_test.h"
#include "support/test_window.h"

namespace {

using namespace platform;

class ScriptHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rows_ = {TestRow("area", ControlKind::Label), TestRow("tick", ControlKind::Timer, nullptr, 100),
             TestRow("late", ControlKind::Timer, nullptr, 250)};
    def_ = {"TestForm", "test", 1500, 1500, 0, true, true, nullptr, nullptr, rows_.data(), 3};
  }
  // The program of these tests: one window whose timers, keys and clicks are logged.
  void StartTestProgram() {
    form_ = BuildForm(def_);
    Form& f = *form_;
    f.onKeyDown = [this](int vk, int mask) { Log("key" + std::to_string(vk) + "/" + std::to_string(mask)); };
    f("area").onClick = [this] { Log("click"); };
    f("tick").onTimer = [this] { Log("tick"); };
    f("late").onTimer = [this] { Log("late"); };
    ShowForm(f);
  }
  void Log(const std::string& what) { log_.push_back(what + "@" + std::to_string(NowMicros() / 1000)); }

  std::vector<ControlDef> rows_;
  FormDef def_{};
  std::unique_ptr<Form> form_;
  std::vector<std::string> log_;
};

TEST_F(ScriptHostTest, WaitFiresEachTimerAtItsTimeAndEndsExactly) {
  ScriptHost host;
  host.Start([this] { StartTestProgram(); });
  (*form_)("tick").SetEnabled(true);
  (*form_)("late").SetEnabled(true);
  host.Wait(260);
  EXPECT_EQ(host.NowMicros(), 260000);
  EXPECT_EQ(NowMicros(), 260000);  // the program sees the same clock
  EXPECT_EQ(log_, (std::vector<std::string>{"tick@100", "tick@200", "late@250"}));
  host.Wait(40);
  EXPECT_EQ(log_.back(), "tick@300");
}

TEST_F(ScriptHostTest, TheEndOfTheProgramStopsEverything) {
  ScriptHost host;
  host.Start([this] { StartTestProgram(); });
  (*form_)("tick").onTimer = [] {
    ShowMessageBox("K.Z.V", "ファイル【map.dat】が存在しません。");
    EndProgram("missing-file");
  };
  (*form_)("tick").SetEnabled(true);
  host.Wait(1000);
  EXPECT_TRUE(host.Ended());
  EXPECT_EQ(host.EndReason(), "missing-file");
  EXPECT_EQ(host.NowMicros(), 1000000);
  host.Key(27);
  host.Click("area");
  host.Close();
  EXPECT_TRUE(log_.empty());
  EXPECT_EQ(host.EndReason(), "missing-file");
  auto messages = host.TakeMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].title, "K.Z.V");
  EXPECT_EQ(messages[0].text, "ファイル【map.dat】が存在しません。");
  EXPECT_TRUE(host.TakeMessages().empty());
}

TEST_F(ScriptHostTest, PasteTakesTheScriptsClipboard) {
  rows_.push_back(TestRow("name", ControlKind::TextBox));
  def_.controls = rows_.data();
  def_.controlCount = 4;
  ScriptHost host;
  host.Start([this] { StartTestProgram(); });
  host.SetClipboard("澄香");
  host.Type("日向 ");
  host.Key('V', 2);
  EXPECT_EQ((*form_)("name").caption, "日向 澄香");
}

// The whole program twice in one process: a reset brings back the program's start, where the
// launcher hands over to the main window on exactly its tenth tick.
using WholeProgramTest = ProgramTest;

TEST_F(WholeProgramTest, RunsAgainAfterAReset) {
  for (int run = 0; run < 2; ++run) {
    SCOPED_TRACE("run " + std::to_string(run));
    TearDown();
    SetUp();
    EXPECT_EQ(NowMicros(), 0);
    host_->Start(StartProgram);
    EXPECT_EQ(host_->ShownForm(), &Form2());
    host_->Wait(141);  // nine ticks of 15.625 ms
    EXPECT_FALSE(Form1().loaded);
    EXPECT_FALSE(std::filesystem::exists(AppPath("save.dat")));
    host_->Wait(16);  // the tenth, at 156.25 ms
    ASSERT_FALSE(host_->Ended()) << host_->EndReason();
    EXPECT_EQ(host_->ShownForm(), &Form1());
    EXPECT_FALSE(Form2().loaded);
    EXPECT_FALSE(Form2()("timm").enabled);
  }
}

}  // namespace
