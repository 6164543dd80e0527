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
  ASSERT_TRUE(MusicAdvances());
  while (Position() < 200) usleep(10000);
  MTStop();
  EXPECT_EQ(Position(), 0);
  MTPlay();
  EXPECT_LT(Position(), 200);
}

TEST_F(SoundFixture, UnreadableFilesWarnOnceEachAndStaySilent) {
  STInit(0, 0);
  testing::internal::CaptureStderr();
  STReadFile(12, dir_ / "missing.wav", 3);
  STReadFile(12, dir_ / "missing.wav", 3);
  STPlay(12);
  WriteFile(dir_ / "text.wav", "this is not a wave");
  STReadFile(13, dir_ / "text.wav", 3);
  MTReadFile(dir_ / "missing.mid");
  MTReadFile(dir_ / "missing.mid");
  MTPlay();
  MTPlay();
  EXPECT_EQ(Position(), 0);
  std::string err = testing::internal::GetCapturedStderr();
  for (const std::string& line : {"Stools.dll: cannot read the sound file " + (dir_ / "missing.wav"),
                                  "Stools.dll: cannot read the sound file " + (dir_ / "text.wav"),
                                  "Stools.dll: cannot read the music file " + (dir_ / "missing.mid")})
    EXPECT_EQ(CountOf(err, line), 1) << err;
  EXPECT_EQ(CountOf(err, "\n"), 3) << err;
}

TEST_F(SoundFixture, NoSoundFontOrNoAudioDeviceMeansSilenceWithOneWarning) {
  struct Case {
    const char* variable;
    std::string value, warning;
  } cases[] = {
      {"KZV_SOUNDFONT", dir_ / "none.sf2",
       "Stools.dll: no General MIDI SoundFont found (tried " + (dir_ / "none.sf2") +
           "); the music stays silent"},
      {"SDL_AUDIODRIVER", "no-such-driver", "Stools.dll: no audio device ("},
  };
  for (const Case& c : cases) {
    UnloadSoundLibrary();
    LoadSoundLibrary(kModulePath);
    setenv(c.variable, c.value.c_str(), 1);
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
    EXPECT_EQ(CountOf(err, c.warning), 1) << err;
    EXPECT_EQ(CountOf(err, "\n"), 1) << err;
    EXPECT_EQ(Position(), 0);
    unsetenv("KZV_SOUNDFONT");
    setenv("SDL_AUDIODRIVER", "dummy", 1);
  }
}
