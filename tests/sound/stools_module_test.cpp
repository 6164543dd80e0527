#include <utility>
#include <vector>

#include "sound/sound_fixture.h"

// The real module, on an audio driver that needs no device, through the calls the game makes.

TEST_F(SoundFixture, EveryCallOfTheGameRunsAndTheMusicStartsAgainFromItsBeginning) {
  STInit(0x1234, 0);
  STReadFile(10, wave_, 3);
  STReadFile(11, wave_, 3);
  MTReadFile(midi_);
  MTSetTempo(85);
  STPlay(10);
  STPlay(10);  // the same slot again while it sounds
  STPlay(11);
  STPlay(99);  // a slot that holds nothing
  MTPlay();
  for (int i = 0; i < 1000 && Position() < 200; ++i) usleep(10000);
  ASSERT_GE(Position(), 200) << "the music does not advance";
  MTStop();
  EXPECT_EQ(Position(), 0);
  MTPlay();
  EXPECT_LT(Position(), 200);
}

// A damaged rate of one sample a second would grow a sound to gigabytes at the output rate; a
// piece of no length the player would start again and again without ever returning.
TEST_F(SoundFixture, UnreadableFilesWarnOnceEachAndStaySilent) {
  STInit(0, 0);
  WriteFile(dir_ / "text.wav", "this is not a wave");
  WriteFile(dir_ / "slow.wav", ConstantWave(8000, 22050, 1));
  const std::string piece = FourBeatMidi();
  WriteFile(dir_ / "cut.mid", piece.substr(0, piece.size() - 9));
  WriteFile(dir_ / "empty.mid", piece.substr(0, 18) + std::string("\0\0\0\x04\0\xFF\x2F\0", 8));
  testing::internal::CaptureStderr();
  for (const char* name : {"missing.wav", "text.wav", "slow.wav"}) {
    STReadFile(12, dir_ / name, 3);
    STReadFile(12, dir_ / name, 3);
    STPlay(12);
  }
  for (const char* name : {"missing.mid", "cut.mid", "empty.mid"}) {
    MTReadFile(dir_ / name);
    MTReadFile(dir_ / name);
    MTPlay();
  }
  EXPECT_EQ(Position(), 0);
  const std::string err = testing::internal::GetCapturedStderr();
  for (const char* name : {"missing.wav", "text.wav", "slow.wav"})
    EXPECT_EQ(CountOf(err, "K.Z.V: cannot read the sound file " + (dir_ / name) + " "), 1) << err;
  for (const char* name : {"missing.mid", "cut.mid", "empty.mid"})
    EXPECT_EQ(CountOf(err, "K.Z.V: cannot read the music file " + (dir_ / name) + " "), 1) << err;
  EXPECT_EQ(CountOf(err, "\n"), 6) << err;
}

// No SoundFont, no audio driver, and ALSA with no usable card, whose own diagnostics must not
// reach the terminal: one line each, the game's own.
TEST_F(SoundFixture, NoSoundFontOrNoAudioDeviceMeansSilenceWithOneWarning) {
  WriteFile(dir_ / "asound.conf", "pcm.!default { type hw card 99 }\n");
  using Environment = std::vector<std::pair<const char*, std::string>>;
  const std::pair<Environment, std::string> cases[] = {
      {{{"KZV_SOUNDFONT", dir_ / "none.sf2"}},
       "K.Z.V: no General MIDI SoundFont found (tried " + (dir_ / "none.sf2") +
           "); the music stays silent"},
      {{{"SDL_AUDIODRIVER", "no-such-driver"}}, "K.Z.V: no audio device ("},
      {{{"SDL_AUDIODRIVER", "alsa"}, {"ALSA_CONFIG_PATH", dir_ / "asound.conf"}},
       "K.Z.V: no audio device ("},
  };
  for (const auto& [environment, warning] : cases) {
    UnloadSoundLibrary();
    LoadSoundLibrary(kModulePath);
    for (const auto& [variable, value] : environment) setenv(variable, value.c_str(), 1);
    testing::internal::CaptureStderr();
    STInit(0, 0);
    STInit(0, 0);
    MTReadFile(midi_);
    MTSetTempo(85);
    MTPlay();
    MTStop();
    MTPlay();
    STReadFile(10, wave_, 3);
    STPlay(10);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(CountOf(err, warning), 1) << err;
    EXPECT_EQ(CountOf(err, "\n"), 1) << err;
    EXPECT_EQ(Position(), 0);
    unsetenv("KZV_SOUNDFONT");
    unsetenv("ALSA_CONFIG_PATH");
    setenv("SDL_AUDIODRIVER", "dummy", 1);
  }
}
