// "bgm.mid": a General MIDI file at 85 beats a minute, about a minute long, that the sound
// library loops. The loop must have no seam: music right up to the end, nothing left sounding.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "sound_file_reader.h"

namespace {

using sound_check::Midi;

const std::string kMusic = std::string(KZV_BUILD_DIR) + "/data/bgm.mid";

Midi LoadMusic() {
  std::string why;
  auto midi = sound_check::ParseMidi(sound_check::ReadBytes(kMusic), why);
  EXPECT_TRUE(midi.has_value()) << why;
  return midi.value_or(Midi{});
}

double SecondsAt85(const Midi& m, uint32_t ticks) {
  return static_cast<double>(ticks) / m.division * 60.0 / 85.0;
}

TEST(Music, IsAStandardMidiFileAt85BeatsAMinute) {
  const Midi m = LoadMusic();
  EXPECT_TRUE(m.format == 0 || m.format == 1);
  ASSERT_GT(m.division, 0);
  EXPECT_LT(m.division, 0x8000) << "ticks per quarter note, not SMPTE time";
  ASSERT_EQ(m.tempos.size(), 1u);
  EXPECT_EQ(m.tempos[0], 705882u);  // 60 000 000 / 85
  EXPECT_GE(SecondsAt85(m, m.end_tick), 50.0);
  EXPECT_LE(SecondsAt85(m, m.end_tick), 70.0);
}

// Fluidsynth's own player renders the file as the game's sound library will play it.
TEST(MusicRendering, FluidsynthPlaysItForItsWholeLengthWithoutASeam) {
  const std::string font = "/usr/share/sounds/sf2/TimGM6mb.sf2";
  if (!sound_check::ProgramAvailable("fluidsynth")) GTEST_SKIP() << "fluidsynth is not installed";
  if (!std::filesystem::exists(font)) GTEST_SKIP() << "no SoundFont at " << font;
  const Midi m = LoadMusic();
  const auto rendered = std::filesystem::temp_directory_path() /
                        ("kzv-bgm-" + std::to_string(getpid()) + ".wav");
  ASSERT_TRUE(sound_check::Run("fluidsynth -ni -q -r 22050 -g 0.5 -F '" + rendered.string() +
                               "' '" + font + "' '" + kMusic + "' >/dev/null 2>&1"));
  std::string why;
  const auto wave = sound_check::ParseWave(sound_check::ReadBytes(rendered.string()), why);
  std::filesystem::remove(rendered);
  ASSERT_TRUE(wave.has_value()) << why;

  // Fluidsynth adds the release tails and a little quiet after the last event.
  const double length = SecondsAt85(m, m.end_tick);
  EXPECT_GE(wave->Seconds(), length - 0.5);
  EXPECT_LE(wave->Seconds(), length + 8.0);
  const double first = wave->Rms(0, 1);
  const double last = wave->Rms(length - 1, length);
  const double middle = wave->Rms(length / 2 - 1, length / 2);
  EXPECT_GT(first, 0.005) << "silent start";
  EXPECT_GT(last, 0.005) << "silent end";
  EXPECT_GT(middle, 0.005);
  // The seam: the last second flows into the first, so their loudness must be alike.
  EXPECT_LT(std::max(first, last) / std::min(first, last), 2.5);
  EXPECT_LT(wave->Rms(length + 3, length + 8), first / 20) << "music past the loop point";
}

}  // namespace
