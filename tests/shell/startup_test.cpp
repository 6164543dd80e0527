// The program's start: launcher, main window load and resource loading, run from the real
// entry on the script host.
#include <algorithm>
#include <filesystem>
#include <tuple>

#include "flow/game_state.h"
#include "shell/forms.h"
#include "support/program_test.h"

namespace {

using StartupTest = ProgramTest;

TEST_F(StartupTest, SoundCallsFollowTheStartUpOrder) {
  Boot();
  std::vector<std::string> expected = {"STInit 2 0", "MTReadFile " + AppPath("data/bgm.mid"),
                                       "MTSetTempo 85"};
  auto read = [&](int slot, const std::string& wave) {
    expected.push_back("STReadFile " + std::to_string(slot) + " " + AppPath("data/" + wave) + " 3");
  };
  for (int n = 10; n <= 17; ++n) read(n, "se" + std::to_string(n) + ".wav");
  for (int n = 20; n <= 30; ++n) read(n, "opr" + std::to_string(n - 10) + ".wav");
  expected.insert(expected.end(), {"MTPlay", "STPlay 27"});
  EXPECT_EQ(TakeCalls(), expected);
}

TEST_F(StartupTest, AnExistingSettingsFileIsReadAndLeftUntouched) {
  for (const auto& [values, highlights, soundOn] :
       {std::tuple{"0,150000,\"日向 澄香\",2", "1 0 0", false},  // 2 counts as off
        std::tuple{"1,150000,\"日向 澄香\",1", "0 0 1", true},
        std::tuple{"1,250000,\"狙撃手,一号\",0", "0 0 1", false}}) {
    TearDown();
    SetUp();
    WriteSave(values);
    Boot();
    EXPECT_EQ(SaveValues(), values);
    EXPECT_EQ(Highlights(), highlights) << values;
    EXPECT_EQ(C("si").visible, !soundOn) << values;
    const std::vector<std::string> calls = TakeCalls();
    EXPECT_EQ(calls.back() == "STPlay 27", soundOn) << values;
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "MTPlay"), soundOn ? 1 : 0) << values;
  }
  EXPECT_EQ(C("Label2").caption, "最高報酬者記録： スナイパー狙撃手,一号： 250000円");
}

TEST_F(StartupTest, AMissingOrUnreadableFileStopsTheStartNamingTheFirstOne) {
  struct Case {
    const char* file;
    std::string content;  // "": the file is removed
    const char *reason, *text;
    int wavesLoadedBefore;
  } cases[] = {
      {"Stools.dll", "", "missing-file", "ファイル【Stools.dll】が存在しません。", 0},
      {"data/bgm.mid", "", "missing-file", "ファイル【bgm.mid】が存在しません。", 0},
      {"data/title.mcg", "", "missing-file", "ファイル【title.mcg】が存在しません。", 0},
      {"data/se12.wav", "", "missing-file", "ファイル【se12.wav】が存在しません。", 2},
      {"data/opr20.wav", "", "missing-file", "ファイル【opr20.wav】が存在しません。", 18},
      // A picture cut short (the decoders' own faults are the picture fuzzer's).
      {"data/noise.mcg", "GIF89a but nothing after it", "unreadable-file",
       "ファイル【noise.mcg】を読み込めません。", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    TearDown();
    SetUp();
    if (!c.content.empty())
      WriteFile(AppPath(c.file), c.content);
    else
      std::filesystem::remove(AppPath(c.file));
    Boot();
    EXPECT_EQ(host_->EndReason(), c.reason);
    auto messages = host_->TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, "K.Z.V");
    EXPECT_EQ(messages[0].text, c.text);
    const std::vector<std::string> calls = TakeCalls();
    auto isRead = [](const std::string& call) { return call.rfind("STReadFile", 0) == 0; };
    EXPECT_EQ(std::count_if(calls.begin(), calls.end(), isRead), c.wavesLoadedBefore);
    EXPECT_FALSE(Form1().shown);
  }
}

TEST_F(StartupTest, DataFilesAreFoundInAnotherLetterCase) {
  std::filesystem::rename(AppPath("data"), AppPath("DATA"));
  std::filesystem::rename(AppPath("DATA/title.mcg"), AppPath("DATA/Title.MCG"));
  Boot();
  EXPECT_FALSE(host_->Ended()) << host_->EndReason();
  EXPECT_EQ(C("title").picture.width, 640);
}

TEST_F(StartupTest, GaugePicturesAreSeparateCopies) {
  Boot();
  ASSERT_EQ(C("gaga").picture.pixels, C("gaga2").picture.pixels);
  C("gaga2").image.Fill(0x123456);
  EXPECT_NE(C("gaga").image.At(0, 0), 0x123456u);
}

}  // namespace
