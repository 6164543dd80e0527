// The program's start: launcher, main window load and resource loading, run from the real
// entry on the script host.
#include <filesystem>

#include "flow/game_state.h"
#include "shell/program.h"
#include "platform/compose.h"
#include "platform/files.h"
#include "shell/windows.h"
#include "shell_fixture.h"

namespace {

constexpr const char* kDefaultRecordLine = "最高報酬者記録： スナイパー日向 澄香： 150000円";

std::string Missing(const std::string& name) { return "ファイル【" + name + "】が存在しません。"; }

}  // namespace

TEST_F(ShellTest, SoundCallsFollowTheStartUpOrder) {
  Boot();
  ASSERT_FALSE(host_->Ended()) << host_->EndReason();
  std::vector<std::string> calls = TakeCalls();
  std::vector<std::string> expected;
  expected.push_back("STInit 2 0");
  expected.push_back("MTReadFile " + AppPath("data/bgm.mid"));
  expected.push_back("MTSetTempo 85");
  for (int n = 10; n <= 17; ++n)
    expected.push_back("STReadFile " + std::to_string(n) + " " +
                       AppPath("data/se" + std::to_string(n) + ".wav") + " 3");
  for (int n = 20; n <= 30; ++n)
    expected.push_back("STReadFile " + std::to_string(n) + " " +
                       AppPath("data/opr" + std::to_string(n - 10) + ".wav") + " 3");
  expected.push_back("MTPlay");
  expected.push_back("STPlay 27");
  EXPECT_EQ(calls, expected);
}

TEST_F(ShellTest, FirstStartCreatesTheDefaultFileAndShowsTheTitle) {
  Boot();
  EXPECT_EQ(SaveValues(), "0,150000,\"日向 澄香\",1");
  EXPECT_EQ(G.GameMode, 1);
  EXPECT_EQ(G.MenuChoice, 0);
  EXPECT_TRUE(C("pa", 0).visible);
  EXPECT_FALSE(C("pa", 1).visible);
  EXPECT_FALSE(C("pa", 2).visible);
  EXPECT_FALSE(C("si").visible);
  EXPECT_EQ(C("Label2").caption, kDefaultRecordLine);
  EXPECT_EQ(C("Label3").caption, kDefaultRecordLine);
  EXPECT_EQ(C("ename").caption, "日向 澄香");
  EXPECT_TRUE(Form1().shown);
  EXPECT_FALSE(Form2().shown);
  EXPECT_EQ(host_->ShownForm(), &Form1());
  // Every picture box of the table has the size of its picture.
  EXPECT_EQ(C("title").picture.width, 640);
  EXPECT_EQ(Form1().picture.width, 640);
  EXPECT_EQ(C("cip").picture.width, 800);
}

TEST_F(ShellTest, TheMainWindowOpensOnExactlyTheTenthLauncherTick) {
  host_->Start(StartProgram);
  host_->Wait(141);  // nine ticks of 15.625 ms
  EXPECT_FALSE(Form1().loaded);
  EXPECT_FALSE(std::filesystem::exists(AppPath("save.dat")));
  host_->Wait(16);  // the tenth, at 156.25 ms
  EXPECT_TRUE(Form1().loaded);
  EXPECT_FALSE(Form2().loaded);
  EXPECT_FALSE(Form2()("timm").enabled);
}

TEST_F(ShellTest, AnExistingSettingsFileIsReadAndLeftUntouched) {
  WriteSave("1,250000,\"狙撃手,一号\",0");
  Boot();
  EXPECT_EQ(SaveValues(), "1,250000,\"狙撃手,一号\",0");
  EXPECT_EQ(G.RecordHolder, "狙撃手,一号");
  EXPECT_EQ(C("Label2").caption, "最高報酬者記録： スナイパー狙撃手,一号： 250000円");
  // Veteran: the start item; sound off: the mark, no music and no voice.
  EXPECT_TRUE(C("pa", 2).visible);
  EXPECT_FALSE(C("pa", 0).visible);
  EXPECT_TRUE(C("si").visible);
  for (const std::string& call : TakeCalls()) {
    EXPECT_NE(call, "MTPlay");
    EXPECT_NE(call.rfind("STPlay", 0), 0u) << call;
  }
}

TEST_F(ShellTest, AnyOtherSoundValueCountsAsOff) {
  WriteSave("0,150000,\"日向 澄香\",2");
  Boot();
  EXPECT_TRUE(C("si").visible);
  EXPECT_TRUE(C("pa", 0).visible);
  EXPECT_TRUE(TakePlayed().empty());
}

TEST_F(ShellTest, WithoutTheSoundLibraryOnlyItsMessageShows) {
  RemoveFile("Stools.dll");
  Boot();
  EXPECT_EQ(host_->EndReason(), "missing-file");
  auto messages = host_->TakeMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].title, "K.Z.V");
  EXPECT_EQ(messages[0].text, Missing("Stools.dll"));
  EXPECT_TRUE(TakeCalls().empty());  // the music is not even looked for
  EXPECT_FALSE(std::filesystem::exists(AppPath("save.dat")));
}

TEST_F(ShellTest, WithoutTheMusicTheLauncherStops) {
  RemoveFile("data/bgm.mid");
  Boot();
  EXPECT_EQ(host_->EndReason(), "missing-file");
  auto messages = host_->TakeMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, Missing("bgm.mid"));
}

TEST_F(ShellTest, TheFirstMissingFileInLoadingOrderIsNamed) {
  struct Case {
    const char* file;
    int wavesLoadedBefore;
  } cases[] = {{"title.mcg", 0}, {"se12.wav", 2}, {"opr20.wav", 18}};
  for (const Case& c : cases) {
    TearDown();
    SetUp();
    RemoveFile(std::string("data/") + c.file);
    Boot();
    EXPECT_EQ(host_->EndReason(), "missing-file") << c.file;
    auto messages = host_->TakeMessages();
    ASSERT_EQ(messages.size(), 1u) << c.file;
    EXPECT_EQ(messages[0].text, Missing(c.file));
    int waves = 0;
    for (const std::string& call : TakeCalls()) waves += call.rfind("STReadFile", 0) == 0;
    EXPECT_EQ(waves, c.wavesLoadedBefore) << c.file;
    EXPECT_FALSE(Form1().shown);
  }
}

TEST_F(ShellTest, APictureThatCannotBeDecodedStopsWithItsName) {
  // A cut-short GIF, and one whose LZW codes reach beyond the table they build (an input that
  // once made the GIF decoder write past its buffers).
  const std::string crash = KZV_SOURCE_DIR "/fuzz/corpus/picture/crash-gif-lzw-table-loop.bin";
  for (const std::string& bytes : {std::string("GIF89a but nothing after it"),
                                   platform::ReadWholeFile(crash).value_or("")}) {
    TearDown();
    SetUp();
    ASSERT_GT(bytes.size(), 6u);
    WriteFile("data/noise.mcg", bytes);
    Boot();
    EXPECT_EQ(host_->EndReason(), "unreadable-file");
    auto messages = host_->TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "ファイル【noise.mcg】を読み込めません。");
  }
}

TEST_F(ShellTest, DataFilesAreFoundInAnotherLetterCase) {
  std::filesystem::rename(AppPath("data"), AppPath("DATA"));
  std::filesystem::rename(AppPath("DATA/title.mcg"), AppPath("DATA/Title.MCG"));
  Boot();
  EXPECT_FALSE(host_->Ended()) << host_->EndReason();
  EXPECT_EQ(C("title").picture.width, 640);
}

TEST_F(ShellTest, GaugePicturesAreSeparateCopies) {
  Boot();
  ASSERT_EQ(C("gaga").picture.pixels, C("gaga2").picture.pixels);
  C("gaga2").image.Fill(0x123456);
  EXPECT_NE(C("gaga").image.At(0, 0), 0x123456u);
}

TEST_F(ShellTest, EveryControlStandsAtItsPlace) {
  Boot();
  for (auto& c : Form1().controls) {
    const platform::ControlDef& d = *c->def;
    if (d.kind == platform::ControlKind::Timer || d.kind == platform::ControlKind::Line) continue;
    EXPECT_EQ(c->left, d.left / 15) << c->DisplayName();
    EXPECT_EQ(c->top, d.top / 15) << c->DisplayName();
    EXPECT_EQ(c->width, d.width / 15) << c->DisplayName();
    EXPECT_EQ(c->height, d.height / 15) << c->DisplayName();
  }
  EXPECT_EQ(Form1().clientWidth, 640);
  EXPECT_EQ(Form1().clientHeight, 480);
}
