#include "platform/script/script_host.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "platform/clock.h"
#include "platform/toolkit/message_box.h"
#include "platform/toolkit/window.h"
#include "shell/forms.h"
#include "shell/program.h"
#include "support/program_test.h"
#include "support/test_window.h"

namespace {

using namespace platform;

// The program of this test: one window with a timer; keys and clicks after the end are logged.
class ScriptHostTest : public ::testing::Test {
 protected:
  void StartTestProgram() {
    form_ = BuildForm(def_);
    form_->onKeyDown = [this](int, int) { log_.push_back("key"); };
    (*form_)("area").onClick = [this] { log_.push_back("click"); };
    ShowForm(*form_);
  }

  std::vector<ControlDef> rows_ = {TestRow("area", ControlKind::Label),
                                   TestRow("tick", ControlKind::Timer, nullptr, 100)};
  FormDef def_ = {"TestForm", "test", 1500, 1500, 0, true, true, nullptr, nullptr, rows_.data(), 2};
  std::unique_ptr<Form> form_;
  std::vector<std::string> log_;
};

TEST_F(ScriptHostTest, TheEndOfTheProgramStopsEverything) {
  ScriptHost host;
  host.Start([this] { StartTestProgram(); });
  (*form_)("tick").onTimer = [] {
    ShowMessageBox("K.Z.V", "ファイル【map.dat】が存在しません。");
    EndProgram("missing-file");
  };
  (*form_)("tick").SetEnabled(true);
  host.Wait(1000);
  // Ended, why, and when: the clock still moved on.
  EXPECT_EQ(std::tuple(host.Ended(), host.EndReason(), host.NowMicros()),
            std::tuple(true, "missing-file", 1000000));
  host.Key(27);
  host.Click("area");
  host.Close();
  EXPECT_EQ(std::tuple(log_.size(), host.EndReason()), std::tuple(0u, "missing-file"));
  auto messages = host.TakeMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].title, "K.Z.V");
  EXPECT_EQ(messages[0].text, "ファイル【map.dat】が存在しません。");
  EXPECT_TRUE(host.TakeMessages().empty());
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
    // The launcher unloaded, its timer off.
    EXPECT_EQ(std::tuple(Form2().loaded, Form2()("timm").enabled), std::tuple(false, false));
  }
}

}  // namespace
