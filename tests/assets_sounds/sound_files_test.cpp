// The sounds and the music of data/, read through libsndfile: the effects and voice clips as the
// mixer takes them, the music as FluidSynth renders it for the sound library.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/files.h"

namespace {

const std::string kData = std::string(KZV_BUILD_DIR) + "/data/";

struct Wave {
  SF_INFO info{};
  std::vector<short> samples;  // interleaved

  double Seconds() const { return double(info.frames) / info.samplerate; }
  double Rms(double from, double to) const {
    const size_t ch = size_t(info.channels);
    const size_t first = size_t(std::max(0.0, from) * info.samplerate) * ch;
    const size_t last = std::min(samples.size(), size_t(to * info.samplerate) * ch);
    double sum = 0;
    for (size_t i = first; i < last; ++i) sum += double(samples[i]) * samples[i];
    return last > first ? std::sqrt(sum / double(last - first)) / 32768 : 0;
  }
  int Peak() const {
    int peak = 0;
    for (short s : samples) peak = std::max(peak, std::abs(int(s)));
    return peak;
  }
};

Wave Read(const std::string& path) {
  Wave w;
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &w.info);
  EXPECT_NE(file, nullptr) << path << ": " << sf_strerror(nullptr);
  if (!file) return w;
  w.samples.resize(size_t(w.info.frames * w.info.channels));
  sf_read_short(file, w.samples.data(), sf_count_t(w.samples.size()));
  sf_close(file);
  return w;
}

bool Installed(const std::string& program) {
  return std::system(("command -v '" + program + "' >/dev/null 2>&1").c_str()) == 0;
}

// Every effect and voice clip loads as 16-bit mono PCM, lasts about as long as the moment it is
// played for (a blip while the cursor passes, a whine while the gauge refills, a remark between
// shots), is heard and never reaches full scale.
TEST(SoundFiles, AreAudibleUnclippedMonoPcmOfTheirMomentsLength) {
  struct Case {
    std::string file;
    double minSeconds, maxSeconds;
  };
  std::vector<Case> cases = {{"se10.wav", 0.03, 0.20}, {"se11.wav", 0.8, 1.6},
                             {"se12.wav", 0.15, 0.8},  {"se13.wav", 0.6, 2.5},
                             {"se14.wav", 0.01, 0.15}, {"se15.wav", 0.1, 0.5},
                             {"se16.wav", 1.0, 3.0},   {"se17.wav", 0.3, 1.2}};
  for (const std::string folder : {"", "en/"})  // the commander speaks English too
    for (int n = 10; n <= 20; ++n) cases.push_back({folder + "opr" + std::to_string(n) + ".wav", 0.7, 4.0});
  for (const Case& c : cases) {
    const Wave w = Read(kData + c.file);
    EXPECT_EQ(w.info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16) << c.file;
    EXPECT_EQ(w.info.channels, 1) << c.file;
    EXPECT_TRUE(w.info.samplerate == 22050 || w.info.samplerate == 44100) << c.file;
    EXPECT_TRUE(w.Seconds() >= c.minSeconds && w.Seconds() <= c.maxSeconds)
        << c.file << " lasts " << w.Seconds() << " s";
    EXPECT_GT(w.Rms(0, w.Seconds()), 0.02) << c.file << " is nearly silent";
    EXPECT_LT(w.Peak(), 32700) << c.file << " reaches full scale";
  }
}

// The sound library loops bgm.mid: about a minute of music with no seam, sound right up to the
// end and nothing left sounding after it. FluidSynth renders the file once and twice in a row;
// the difference is the length of one pass.
TEST(MusicFile, LastsAboutAMinuteAndLoopsWithoutASeam) {
  const std::string font = "/usr/share/sounds/sf2/TimGM6mb.sf2";
  if (!Installed("fluidsynth") || ReadFile(font).empty()) GTEST_SKIP() << "no fluidsynth or " << font;
  const TempDir dir("music");
  const std::string render = "fluidsynth -ni -q -r 22050 -g 0.5 -F '" + dir.Path() + "/";
  const std::string music = " '" + kData + "bgm.mid'";
  ASSERT_EQ(std::system((render + "once.wav' " + font + music + " >/dev/null 2>&1").c_str()), 0);
  ASSERT_EQ(std::system((render + "twice.wav' " + font + music + music + " >/dev/null 2>&1").c_str()),
            0);
  const Wave once = Read(dir / "once.wav"), twice = Read(dir / "twice.wav");
  const double length = twice.Seconds() - once.Seconds();
  EXPECT_TRUE(length >= 50.0 && length <= 70.0) << "one pass lasts " << length << " s";
  const double first = once.Rms(0, 1), last = once.Rms(length - 1, length);
  EXPECT_GT(first, 0.005) << "silent start";
  EXPECT_GT(last, 0.005) << "silent end";
  EXPECT_GT(once.Rms(length / 2 - 1, length / 2), 0.005);
  // The last second flows into the first, so their loudness is alike, and no note rings on.
  EXPECT_LT(std::max(first, last) / std::min(first, last), 2.5);
  EXPECT_GT(twice.Rms(length, length + 1), 0.005);
  EXPECT_LT(once.Rms(length + 3, length + 8), first / 20) << "music past the loop point";
}

TEST(SoundGenerator, MakesTheSameBytesEveryRun) {
  const std::string generator = std::string(KZV_BUILD_DIR) + "/assets/sounds/kzv-gen-sounds";
  if (!Installed(generator) || !Installed("espeak-ng")) GTEST_SKIP() << "no generator or espeak-ng";
  const TempDir out("sounds");
  const std::string table = std::string(KZV_SOURCE_DIR) + "/assets/sounds/voice_lines.tsv";
  ASSERT_EQ(std::system(("'" + generator + "' '" + out.Path() + "' '" + table + "'").c_str()), 0);
  std::vector<std::string> files = {"bgm.mid"};
  for (int n = 10; n <= 20; ++n)
    for (const std::string kind : {"se", "opr", "en/opr"})
      if (kind != "se" || n <= 17) files.push_back(kind + std::to_string(n) + ".wav");
  for (const std::string& file : files)
    EXPECT_EQ(ReadFile(out / file), ReadFile(kData + file)) << file << " differs";
}

}  // namespace
