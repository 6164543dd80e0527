#include "shell/settings_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "flow/game_state.h"
#include "platform/cp932.h"
#include "support/files.h"

namespace {

// The CP932 bytes the game's texts take in the file.
const std::string kHeaderLine = std::string("\"(C)2000 VOREN [KZV ") +
                                "\x90\xdd\x92\xe8\x83\x74\x83\x40\x83\x43\x83\x8b" + "]\"\r\n";
const std::string kDefaultName = "\x93\xfa\x8c\xfc \x90\x9f\x8d\x81";  // 日向 澄香
const std::string kAllFields = "Veteran, RecordReward, RecordHolder, SoundOn";

// The four values of the file as the game holds them: "Veteran|RecordReward|RecordHolder|SoundOn".
std::string Held() {
  return std::to_string(G.Veteran) + "|" + std::to_string(G.RecordReward) + "|" + G.RecordHolder +
         "|" + std::to_string(G.SoundOn);
}

class SettingsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGameState();
    G.SavePath = dir_ / "save.dat";
  }

  // Reads a file holding these bytes; gives what went to stderr.
  std::string ReadFrom(const std::string& bytes) {
    WriteFile(G.SavePath, bytes);
    testing::internal::CaptureStderr();
    ReadSettings();
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(ReadFile(G.SavePath), bytes) << "the reader never rewrites the file";
    return err;
  }

  std::vector<std::string> Entries() { return ::Entries(dir_.Path()); }

  TempDir dir_{"settings"};
};

}  // namespace

TEST_F(SettingsFile, TheFileHasTheExactBytesAndReadsBackAsItWasWritten) {
  G.RecordReward = 777;
  G.RecordHolder = "someone";
  ASSERT_TRUE(CreateDefaultSettings());
  EXPECT_EQ(ReadFile(G.SavePath), kHeaderLine + "0,150000,\"" + kDefaultName + "\",1\r\n");
  // The game's own values are not touched, and no temporary file is left behind.
  EXPECT_EQ(G.RecordReward, 777);
  EXPECT_EQ(Entries(), std::vector<std::string>{"save.dat"});
  // Every save marks a veteran in the file, whatever the flag in memory says.
  // The bytes the name takes in the file ("": not compared), and the name read back ("": the
  // name itself).
  struct Case {
    int32_t reward;
    std::string name, nameBytes, readBack;
  } cases[] = {
      {1234567, "スナイパー,佐藤", "\x83\x58\x83\x69\x83\x43\x83\x70\x81\x5b,\x8d\xb2\x93\xa1", ""},
      {-15000, "ＡＢＣ　ｱｲｳ", "\x82\x60\x82\x61\x82\x62\x81\x40\xb1\xb2\xb3", ""},
      {INT32_MAX, "12345678901234567890", "12345678901234567890", ""},
      {INT32_MIN, "日向澄香日向澄香日向澄香日向澄香日向澄香", "", ""},
      {0, "a\"b\",9,\"c😀\td", "", "a＂b＂,9,＂cd"},  // the writer makes an unsafe name safe
  };
  for (const auto& c : cases) {
    G.RecordReward = c.reward;
    G.RecordHolder = c.name;
    G.SoundOn = 1;
    ASSERT_TRUE(SaveSettings());
    const std::string reward = std::to_string(c.reward);
    if (!c.nameBytes.empty()) {
      EXPECT_EQ(ReadFile(G.SavePath),
                kHeaderLine + "1," + reward + ",\"" + c.nameBytes + "\",1\r\n");
    }
    SetUp();  // the file just saved, read as it is
    EXPECT_EQ(ReadFrom(ReadFile(G.SavePath)), "");
    EXPECT_EQ(G.SaveHeader, "(C)2000 VOREN [KZV 設定ファイル]");
    EXPECT_EQ(Held(), "1|" + reward + "|" + (c.readBack.empty() ? c.name : c.readBack) + "|1");
  }
}

TEST_F(SettingsFile, NoFileMeansTheDefaultsAndASaveCreatesNone) {
  G.RecordHolder = "stale";
  ReadSettings();
  EXPECT_EQ(Held(), "0|150000|日向 澄香|1");
  testing::internal::CaptureStderr();
  EXPECT_FALSE(SaveSettings());
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_TRUE(Entries().empty());
}

TEST_F(SettingsFile, SaveRewritesTheFileAsItIsSpelledOnDisk) {
  WriteFile(dir_ / "SAVE.DAT", "old");
  G.RecordReward = 5;
  EXPECT_TRUE(SaveSettings());
  EXPECT_EQ(Entries(), std::vector<std::string>{"SAVE.DAT"});
  EXPECT_EQ(ReadFile(dir_ / "SAVE.DAT"), kHeaderLine + "1,5,\"\",0\r\n");
}

TEST_F(SettingsFile, AFolderThatCannotTakeTheFileGivesOneWarningAndNoSuccess) {
  // Root can write anywhere, so the failures are made by the paths themselves.
  WriteFile(dir_ / "plain", "a file, not a folder");
  const std::string notAFolder = dir_ / "plain/save.dat";
  const std::string aFolder = dir_ / "save.dat";
  ASSERT_EQ(mkdir(aFolder.c_str(), 0755), 0);
  for (const std::string& path : {notAFolder, aFolder}) {
    G.SavePath = path;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(CreateDefaultSettings());
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err, "K.Z.V: cannot write the settings file " + path +
                       "; the game goes on with the values it has, unsaved\n");
  }
  EXPECT_TRUE(std::filesystem::is_directory(aFolder));
  EXPECT_TRUE(std::filesystem::is_empty(aFolder));
  EXPECT_EQ(ReadFile(dir_ / "plain"), "a file, not a folder");
}

// Any header; blanks before fields; line ends separate fields like commas; text after a closing
// quote is passed over; a quote never closed ends with its line. What cannot be read takes its
// default, with one warning naming the fields.
TEST_F(SettingsFile, ReaderFollowsTheFieldRulesAndUnreadableFieldsTakeTheirDefaults) {
  // What the reader holds, as Held() gives it, and the fields named in the warning ("": none).
  struct Case {
    const char* what;
    std::string bytes, held, warned;
  } cases[] = {
      {"blanks, a quoted number, LF only, a bare name",
       "\"another header, with a comma\"\n  7,  \"-42\" ,  plain name  ,3\n", "7|-42|plain name|3",
       ""},
      {"line ends between fields", "header\r\n255\r\n+2147483647\r\n\"x\"junk,0",
       "255|2147483647|x|0", ""},
      {"a comma inside quotes", "\"h\"\r\n0,-2147483648,\"a,b\",1\r\n", "0|-2147483648|a,b|1", ""},
      {"an unclosed quote", "\"h\"\n1,5,\"abc\n7\n", "1|5|abc|7", ""},
      {"a header that is not CP932", "\"\x85\x40\"\r\n1,2,\"n\",1\r\n", "1|2|n|1", ""},
      {"empty file", "", "0|150000|日向 澄香|1", kAllFields},
      {"header only", kHeaderLine, "0|150000|日向 澄香|1", kAllFields},
      {"fields missing", kHeaderLine + "1,99\r\n", "1|99|日向 澄香|1", "RecordHolder, SoundOn"},
      {"text for numbers", kHeaderLine + "yes,lots,\"n\",on\r\n", "0|150000|n|1",
       "Veteran, RecordReward, SoundOn"},
      {"byte too large", kHeaderLine + "300,1,\"n\",256\r\n", "0|1|n|1", "Veteran, SoundOn"},
      {"byte negative", kHeaderLine + "-1,1,\"n\",-1\r\n", "0|1|n|1", "Veteran, SoundOn"},
      {"reward beyond 32 bits", kHeaderLine + "1,2147483648,\"n\",0\r\n", "1|150000|n|0",
       "RecordReward"},
      {"reward below 32 bits", kHeaderLine + "1,-2147483649,\"n\",0\r\n", "1|150000|n|0",
       "RecordReward"},
      {"huge number", kHeaderLine + "1,99999999999999999999999,\"n\",0\r\n", "1|150000|n|0",
       "RecordReward"},
      {"not whole numbers", kHeaderLine + "1.5,1e3,\"n\",- \r\n", "0|150000|n|1",
       "Veteran, RecordReward, SoundOn"},
      // An empty name would leave the result screen's name box empty, and Enter needs a name.
      {"empty fields", kHeaderLine + ",,,\r\n", "0|150000|日向 澄香|1", kAllFields},
      {"empty quoted name", kHeaderLine + "1,150000,\"\",1\r\n", "1|150000|日向 澄香|1",
       "RecordHolder"},
      {"name of blanks only", kHeaderLine + "1,150000,   ,1\r\n", "1|150000|日向 澄香|1",
       "RecordHolder"},
      {"name of control characters only", kHeaderLine + "1,150000,\"\t\x01\",1\r\n",
       "1|150000|日向 澄香|1", "RecordHolder"},
      {"broken CP932 in the name", kHeaderLine + "1,5,\"\x85\x40\x81\",0\r\n", "1|5|日向 澄香|0",
       "RecordHolder"},
      {"name without its closing quote", kHeaderLine + "1,5,\"abc,0\r\n", "1|5|abc,0|1", "SoundOn"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    G.RecordReward = G.Veteran = G.SoundOn = 9;
    G.RecordHolder = "stale";
    const std::string warning = "K.Z.V: the settings file " + G.SavePath + " holds no readable " +
                                c.warned +
                                "; the default is used for it (the file stays as it "
                                "is until the next save)\n";
    EXPECT_EQ(ReadFrom(c.bytes), c.warned.empty() ? "" : warning);
    EXPECT_EQ(Held(), c.held);
  }
}

TEST(RecordNameFilter, KeepsWhatTheFileCanHoldAndMendsTheRest) {
  EXPECT_EQ(SanitizeRecordName("日向 澄香"), "日向 澄香");
  EXPECT_EQ(SanitizeRecordName("ＡＢ ｶﾅ ①Ⅰ㈱髙 a,b\\~"), "ＡＢ ｶﾅ ①Ⅰ㈱髙 a,b\\~");
  EXPECT_EQ(SanitizeRecordName("say \"hi\""), "say ＂hi＂");
  EXPECT_EQ(SanitizeRecordName("a\tb\r\nc\x01\x7f"
                               "d"),
            "abcd");
  EXPECT_EQ(SanitizeRecordName("x😀€y"), "xy");
  EXPECT_EQ(SanitizeRecordName("bad\xff\xc3utf8"), "badutf8");
  // Characters CP932 writes as another one are shown as the one that will be read back.
  EXPECT_EQ(SanitizeRecordName("〜−‖¢"), "～－∥￠");
}

TEST(RecordNameFilter, WhatItGivesAlwaysSurvivesTheFile) {
  std::string every;
  for (uint32_t cp = 1; cp < 0x10000; cp += 7) {
    if (cp >= 0xD800 && cp < 0xE000) continue;
    // The code point in UTF-8, by hand.
    if (cp < 0x80)
      every += char(cp);
    else if (cp < 0x800)
      every += {char(0xC0 | (cp >> 6)), char(0x80 | (cp & 0x3F))};
    else
      every += {char(0xE0 | (cp >> 12)), char(0x80 | ((cp >> 6) & 0x3F)), char(0x80 | (cp & 0x3F))};
  }
  std::string clean = SanitizeRecordName(every);
  EXPECT_EQ(clean.find('"'), std::string::npos);
  auto bytes = platform::Utf8ToCp932(clean);
  ASSERT_TRUE(bytes.has_value());
  EXPECT_EQ(platform::Cp932ToUtf8(*bytes), clean);
  EXPECT_EQ(SanitizeRecordName(clean), clean);
}
