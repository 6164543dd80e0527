#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "flow/game_state.h"
#include "platform/files.h"
#include "platform/text_encoding.h"
#include "shell/settings_file.h"

namespace fs = std::filesystem;

namespace {

// "(C)2000 VOREN [KZV 設定ファイル]" and "日向 澄香" in CP932.
const std::string kHeaderLine =
    "\"(C)2000 VOREN [KZV \x90\xDD\x92\xE8\x83\x74\x83\x40\x83\x43\x83\x8B]\"\r\n";
const std::string kHinataSumika = "\x93\xFA\x8C\xFC \x90\x9F\x8D\x81";

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGameState();
    dir_ = (fs::temp_directory_path() / ("kzv-settings-" + std::to_string(getpid()))).string();
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    G.SavePath = dir_ + "/save.dat";
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Bytes() const { return platform::ReadWholeFile(G.SavePath).value_or("<none>"); }
  void Put(const std::string& bytes) {
    std::ofstream(G.SavePath, std::ios::binary) << bytes;
  }
  void ReadBack() {
    G.Veteran = 77;
    G.RecordReward = 77;
    G.RecordHolder = "?";
    G.SoundOn = 77;
    ReadSettings();
  }

  std::string dir_;
};

TEST_F(SettingsFileTest, TheDefaultFileIsExactlyItsBytes) {
  ASSERT_TRUE(CreateDefaultSettings());
  EXPECT_EQ(Bytes(), kHeaderLine + "0,150000,\"" + kHinataSumika + "\",1\r\n");
  ReadBack();
  EXPECT_EQ(G.SaveHeader, "(C)2000 VOREN [KZV 設定ファイル]");
  EXPECT_EQ(G.Veteran, 0);
  EXPECT_EQ(G.RecordReward, 150000);
  EXPECT_EQ(G.RecordHolder, "日向 澄香");
  EXPECT_EQ(G.SoundOn, 1);
}

TEST_F(SettingsFileTest, EverySaveWritesOneInTheFirstField) {
  ASSERT_TRUE(CreateDefaultSettings());
  G.Veteran = 0;
  G.RecordReward = -42;
  G.RecordHolder = "ABC";
  G.SoundOn = 0;
  ASSERT_TRUE(SaveSettings());
  EXPECT_EQ(Bytes(), kHeaderLine + "1,-42,\"ABC\",0\r\n");
}

TEST_F(SettingsFileTest, SavesSkipAFileThatIsGone) {
  EXPECT_FALSE(SaveSettings());
  EXPECT_FALSE(fs::exists(G.SavePath));
}

TEST_F(SettingsFileTest, NamesReadBackAsTheyWereShown) {
  ASSERT_TRUE(CreateDefaultSettings());
  for (const std::string name : {"狙撃手,一号", "ＡＢＣ全角のなまえです１２３４５６７８", "12345678901234567890",
                                 "O'Neil ＂Ace＂", ""}) {
    G.RecordHolder = name;
    G.RecordReward = 2147483647;
    ASSERT_TRUE(SaveSettings());
    ReadBack();
    EXPECT_EQ(G.RecordHolder, name);
    EXPECT_EQ(G.RecordReward, 2147483647);
    EXPECT_EQ(G.Veteran, 1);
  }
}

TEST_F(SettingsFileTest, WhatTheFileCannotHoldNeverReachesTheName) {
  EXPECT_EQ(SanitizeRecordName("say \"hi\""), "say ＂hi＂");
  EXPECT_EQ(SanitizeRecordName("波〜線"), "波～線");
  EXPECT_EQ(SanitizeRecordName("emoji😀 and 한국"), "emoji and ");
  EXPECT_EQ(SanitizeRecordName("tab\there\n"), "tabhere");
  EXPECT_EQ(SanitizeRecordName("日向 澄香"), "日向 澄香");
  // A name that got in by another way is cleaned on the way out, so the file stays readable.
  ASSERT_TRUE(CreateDefaultSettings());
  G.RecordHolder = "a\"b";
  G.SoundOn = 1;
  ASSERT_TRUE(SaveSettings());
  ReadBack();
  EXPECT_EQ(G.RecordHolder, "a＂b");
  EXPECT_EQ(G.SoundOn, 1);
}

TEST_F(SettingsFileTest, FieldsThatCannotBeReadTakeTheirDefaults) {
  struct Case {
    std::string values;
    uint8_t veteran;
    int32_t reward;
    std::string holder;
    uint8_t sound;
  } cases[] = {
      {"", 0, 150000, "日向 澄香", 1},                          // header only
      {"1,2000", 1, 2000, "日向 澄香", 1},                      // missing fields
      {"x,abc,\"N\",on", 0, 150000, "N", 1},                    // text where numbers stand
      {"300,99999999999,\"N\",-1", 0, 150000, "N", 1},          // out of each field's range
      {"1,5,\"\x82\",0", 1, 5, "日向 澄香", 0},                  // broken CP932 in the name
      {"  1 ,  77 , \"N\" , 0", 1, 77, "N", 0},                  // blanks before fields
      {"1,77,Unquoted,0", 1, 77, "Unquoted", 0},
      {"1,77,\"never closed", 1, 77, "never closed", 1},
  };
  for (const Case& c : cases) {
    Put("\"whatever header\"\r\n" + c.values + "\r\n");
    const std::string before = Bytes();
    ReadBack();
    EXPECT_EQ(G.Veteran, c.veteran) << c.values;
    EXPECT_EQ(G.RecordReward, c.reward) << c.values;
    EXPECT_EQ(G.RecordHolder, c.holder) << c.values;
    EXPECT_EQ(G.SoundOn, c.sound) << c.values;
    EXPECT_EQ(Bytes(), before) << "reading never rewrites the file";
  }
  Put("");
  ReadBack();
  EXPECT_EQ(G.RecordReward, 150000);
  EXPECT_EQ(G.SaveHeader, "");
}

TEST_F(SettingsFileTest, AnyHeaderIsAccepted) {
  Put("\"something else entirely\"\r\n1,900000,\"X\",1\r\n");
  ReadBack();
  EXPECT_EQ(G.SaveHeader, "something else entirely");
  EXPECT_EQ(G.RecordReward, 900000);
}

TEST_F(SettingsFileTest, AFolderThatCannotBeWrittenIsReportedNotPretended) {
  // Tests run as root, where permissions do not stop writes: make the folder a regular file.
  const std::string blocker = dir_ + "/not-a-folder";
  std::ofstream(blocker) << "x";
  G.SavePath = blocker + "/save.dat";
  testing::internal::CaptureStderr();
  EXPECT_FALSE(CreateDefaultSettings());
  std::string warning = testing::internal::GetCapturedStderr();
  EXPECT_NE(warning.find(G.SavePath), std::string::npos) << warning;
}

TEST_F(SettingsFileTest, AFailedSaveLeavesTheOldFileWhole) {
  ASSERT_TRUE(CreateDefaultSettings());
  const std::string before = Bytes();
  // The temporary file's name is taken by a folder: the write fails before the rename.
  fs::create_directory(G.SavePath + ".tmp");
  G.RecordHolder = "新しい名前";
  testing::internal::CaptureStderr();
  EXPECT_FALSE(SaveSettings());
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(Bytes(), before);
}

}  // namespace
