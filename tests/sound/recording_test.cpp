#include <sys/stat.h>

#include <algorithm>

#include "sound/sound_fixture.h"

// The module's real output, recorded with SDL's disk audio driver (16-bit stereo, 44100 Hz).
// With KZV_SOUND_RECORDING_DIR set, the recordings are kept there for listening or measuring.

namespace {
constexpr int kRate = 44100;

long FileSize(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 ? long(st.st_size) : 0;
}

// Start times (in frames) of the loud hits: the first 3 ms window whose peak passes half the
// recording's peak after at least 30 ms of near-silence.
std::vector<long> Onsets(const std::vector<int16_t>& samples) {
  constexpr int kWindow = 132;
  int peak = 0;
  for (int16_t v : samples) peak = std::max(peak, std::abs(int(v)));
  std::vector<long> onsets;
  int quietWindows = 0;
  bool armed = true;  // enough quiet since the last hit
  for (size_t start = 0; start + kWindow <= samples.size(); start += kWindow) {
    int windowPeak = 0;
    for (size_t i = start; i < start + kWindow; ++i)
      windowPeak = std::max(windowPeak, std::abs(int(samples[i])));
    if (armed && windowPeak > peak / 2) {
      onsets.push_back(long(start));
      armed = false;
    }
    quietWindows = windowPeak < peak / 10 ? quietWindows + 1 : 0;
    if (quietWindows >= 10) armed = true;
  }
  return onsets;
}
}  // namespace

class SoundRecording : public SoundFixture {
 protected:
  // Starts recording into the file of this name, which goes into KZV_SOUND_RECORDING_DIR when
  // that is set; gives its path. fast: the driver writes as fast as the mixer renders instead
  // of in real time.
  std::string StartRecording(const std::string& name, bool fast) {
    const char* keep = std::getenv("KZV_SOUND_RECORDING_DIR");
    const std::string path = keep && *keep ? std::string(keep) + "/" + name : dir_ / name;
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", path.c_str(), 1);
    unsetenv("SDL_DISKAUDIODELAY");
    if (fast) setenv("SDL_DISKAUDIODELAY", "0", 1);
    STInit(0, 0);
    return path;
  }
  void WaitForSeconds(const std::string& path, double seconds) {
    for (int i = 0; i < 60000 && FileSize(path) < long(seconds * kRate * 4); ++i) usleep(1000);
  }
  void WaitForMusicMs(int32_t ms) {
    for (int i = 0; i < 60000 && Position() < ms; ++i) usleep(1000);
  }
  std::vector<int16_t> StopRecording(const std::string& path) {
    UnloadSoundLibrary();  // closes the device, which closes the file
    unsetenv("SDL_DISKAUDIOFILE");
    unsetenv("SDL_DISKAUDIODELAY");
    // 16-bit stereo frames; the left channel is enough.
    const std::string bytes = ReadFile(path);
    std::vector<int16_t> left;
    for (size_t i = 0; i + 4 <= bytes.size(); i += 4)
      left.push_back(int16_t(uint8_t(bytes[i]) | uint8_t(bytes[i + 1]) << 8));
    return left;
  }
};

TEST_F(SoundRecording, ASlotPlayedThreeTimesSoundsAsThreeVoicesAtOnce) {
  const std::string path = StartRecording("overlap.raw", false);
  STReadFile(10, wave_, 3);  // half a second of the constant value 8000
  for (int i = 0; i < 3; ++i) STPlay(10);
  WaitForSeconds(path, 1.0);
  auto samples = StopRecording(path);
  ASSERT_GE(samples.size(), size_t(kRate));
  EXPECT_EQ(*std::max_element(samples.begin(), samples.end()), 24000);
  // Three voices for most of the half second.
  EXPECT_GT(std::count(samples.begin(), samples.end(), int16_t(24000)), kRate * 4 / 10);
}

TEST_F(SoundRecording, NoPileOfSoundsEverReachesFullScale) {
  const std::string path = StartRecording("pile.raw", true);
  WriteFile(dir_ / "loud.wav", ConstantWave(30000, 22050));
  STReadFile(11, dir_ / "loud.wav", 3);
  // The driver may have run well ahead while the sounds were loading.
  const double start = double(FileSize(path)) / (kRate * 4);
  for (int i = 0; i < 6; ++i) STPlay(11);  // six times what a sample can hold, for half a second
  WaitForSeconds(path, start + 1.0);
  auto samples = StopRecording(path);
  ASSERT_GE(samples.size(), size_t(kRate));
  // No sample at full scale, either way.
  const auto [lowest, peak] = std::minmax_element(samples.begin(), samples.end());
  EXPECT_GT(*lowest, -32767);
  EXPECT_LT(*peak, 32767);
  // Held down to just below full scale for the whole half second, not silenced.
  EXPECT_GT(*peak, 29000);
  EXPECT_GT(std::count(samples.begin(), samples.end(), *peak), kRate / 4);
}

TEST_F(SoundRecording, MusicPlaysAtTempo85AndRepeatsWithoutAGap) {
  const std::string path = StartRecording("music85.raw", true);
  MTReadFile(midi_);  // four hits a bar, tempo 120 in the file
  MTSetTempo(85);
  MTPlay();
  WaitForMusicMs(7500);  // more than two and a half passes of the bar
  auto samples = StopRecording(path);
  auto onsets = Onsets(samples);
  ASSERT_GE(onsets.size(), 10u);
  const double beat = 60.0 / 85.0 * kRate;  // 31129 frames
  for (size_t i = 1; i < onsets.size(); ++i) {
    // Every beat, the ones across the end of the bar included, is one beat after the last.
    EXPECT_NEAR(double(onsets[i] - onsets[i - 1]), beat, beat * 0.02) << "hit " << i;
  }
}
