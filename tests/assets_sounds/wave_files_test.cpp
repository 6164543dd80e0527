// The sound effects and voice clips in data/: every one must load as 16-bit PCM, last about as
// long as the moment it is played for, and never clip.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "sound_file_reader.h"

namespace {

using sound_check::ParseWave;
using sound_check::ReadBytes;
using sound_check::Wave;

std::string DataFile(const std::string& name) { return std::string(KZV_BUILD_DIR) + "/data/" + name; }

Wave Load(const std::string& name) {
  std::string why;
  const auto bytes = ReadBytes(DataFile(name));
  auto wave = ParseWave(bytes, why);
  EXPECT_TRUE(wave.has_value()) << name << ": " << why;
  return wave.value_or(Wave{});
}

struct Expected {
  const char* file;
  double min_seconds, max_seconds;
};

// Bounds by what each sound accompanies: a blip while the cursor passes, a whine while the
// gauge refills (1.25 s), a jingle under the result's voice clip, a remark between shots.
const Expected kEffects[] = {
    {"se10.wav", 0.03, 0.20}, {"se11.wav", 0.8, 1.6}, {"se12.wav", 0.15, 0.8},
    {"se13.wav", 0.6, 2.5},   {"se14.wav", 0.01, 0.15}, {"se15.wav", 0.1, 0.5},
    {"se16.wav", 1.0, 3.0},   {"se17.wav", 0.3, 1.2},
};

std::vector<std::string> VoiceFiles() {
  std::vector<std::string> files;
  for (int n = 10; n <= 20; ++n) files.push_back("opr" + std::to_string(n) + ".wav");
  return files;
}

void ExpectPlayableWave(const std::string& name, const Wave& w) {
  EXPECT_EQ(w.format, 1) << name << " is not PCM";
  EXPECT_EQ(w.bits, 16) << name;
  EXPECT_EQ(w.channels, 1) << name;
  EXPECT_TRUE(w.rate == 22050 || w.rate == 44100) << name << " rate " << w.rate;
  EXPECT_LT(w.Peak(), 32700) << name << " reaches full scale";
}

TEST(SoundEffects, AreShortUnclippedPcmOfTheirKind) {
  for (const Expected& e : kEffects) {
    const Wave w = Load(e.file);
    ExpectPlayableWave(e.file, w);
    EXPECT_GE(w.Seconds(), e.min_seconds) << e.file;
    EXPECT_LE(w.Seconds(), e.max_seconds) << e.file;
    EXPECT_GT(w.Rms(), 0.02) << e.file << " is nearly silent";
  }
}

TEST(VoiceClips, AreSpokenClipsOfOneToFourSeconds) {
  for (const std::string& file : VoiceFiles()) {
    const Wave w = Load(file);
    ExpectPlayableWave(file, w);
    EXPECT_GE(w.Seconds(), 0.7) << file;
    EXPECT_LE(w.Seconds(), 4.0) << file;
    EXPECT_GT(w.Rms(), 0.05) << file << " is nearly silent";
    // Words fill the middle of the clip, not just the squelch at the ends.
    EXPECT_GT(w.Rms(0.2, w.Seconds() - 0.2), 0.05) << file;
    // A remark is heard over every effect it may meet: louder at its peak and in its words.
    for (const Expected& e : kEffects) {
      const Wave effect = Load(e.file);
      EXPECT_GT(w.Peak(), effect.Peak()) << file << " against " << e.file;
      EXPECT_GT(w.Rms(0.2, w.Seconds() - 0.2), effect.Rms()) << file << " against " << e.file;
    }
  }
}

TEST(SoundGenerator, MakesTheSameBytesEveryRun) {
  const std::string generator = std::string(KZV_BUILD_DIR) + "/assets/sounds/kzv-gen-sounds";
  if (!std::filesystem::exists(generator)) GTEST_SKIP() << "no generator at " << generator;
  if (!sound_check::ProgramAvailable("espeak-ng")) GTEST_SKIP() << "espeak-ng is not installed";
  const auto out = std::filesystem::temp_directory_path() /
                   ("kzv-sounds-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                    "-" + std::to_string(getpid()));
  const std::string table = std::string(KZV_SOURCE_DIR) + "/assets/sounds/voice_lines.tsv";
  ASSERT_TRUE(sound_check::Run("'" + generator + "' '" + out.string() + "' '" + table + "'"));
  std::vector<std::string> files = VoiceFiles();
  for (const Expected& e : kEffects) files.push_back(e.file);
  files.push_back("bgm.mid");
  for (const std::string& file : files) {
    EXPECT_EQ(ReadBytes((out / file).string()), ReadBytes(DataFile(file))) << file << " differs";
  }
  std::filesystem::remove_all(out);
}

}  // namespace
