#include "sound/sound_fixture.h"

// The real module on an audio driver that needs no device.

TEST_F(SoundFixture, EveryExportRunsOnADeviceLessDriver) {
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
  EXPECT_TRUE(MusicAdvances());
  EXPECT_EQ(Call("STSetVolume", 50), 1);
  EXPECT_EQ(Call("STStop", 10), 1);
  EXPECT_EQ(Call("STStop", -1), 1);
  MTStop();
  EXPECT_EQ(Call("STGetPosition"), 0);

  EXPECT_EQ(Call("MTFadeIn", 200), 1);
  EXPECT_TRUE(MusicAdvances());
  EXPECT_EQ(Call("MTFadeOut", 50), 1);
  // The fade ends in a stop: the position goes back to 0 once it is silent.
  bool stopped = false;
  for (int i = 0; i < 1000 && !stopped; ++i) {
    stopped = Call("STGetPosition") == 0;
    if (!stopped) usleep(10000);
  }
  EXPECT_TRUE(stopped);
}

TEST_F(SoundFixture, PlayAfterStopStartsFromTheBeginning) {
  STInit(0, 0);
  MTReadFile(midi_);
  MTPlay();
  ASSERT_TRUE(MusicAdvances());
  while (Call("STGetPosition") < 200) usleep(10000);
  MTStop();
  MTPlay();
  EXPECT_LT(Call("STGetPosition"), 200);
}

TEST_F(SoundFixture, UnreadableFilesWarnOnceEachAndStaySilent) {
  STInit(0, 0);
  testing::internal::CaptureStderr();
  STReadFile(12, dir_ + "/missing.wav", 3);
  STReadFile(12, dir_ + "/missing.wav", 3);
  STPlay(12);
  WriteBytes(dir_ + "/text.wav", "this is not a wave");
  STReadFile(13, dir_ + "/text.wav", 3);
  MTReadFile(dir_ + "/missing.mid");
  MTReadFile(dir_ + "/missing.mid");
  MTPlay();
  MTPlay();
  EXPECT_EQ(Call("STGetPosition"), 0);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(CountOf(err, "Stools.dll: cannot read the sound file " + dir_ + "/missing.wav"), 1)
      << err;
  EXPECT_EQ(CountOf(err, "Stools.dll: cannot read the sound file " + dir_ + "/text.wav"), 1) << err;
  EXPECT_EQ(CountOf(err, "Stools.dll: cannot read the music file " + dir_ + "/missing.mid"), 1)
      << err;
  EXPECT_EQ(CountOf(err, "\n"), 3) << err;
}

TEST_F(SoundFixture, MissingSoundFontLeavesTheMusicSilentWithOneWarning) {
  setenv("KZV_SOUNDFONT", (dir_ + "/none.sf2").c_str(), 1);
  STInit(0, 0);
  testing::internal::CaptureStderr();
  MTReadFile(midi_);
  MTSetTempo(85);
  MTPlay();
  MTStop();
  MTPlay();
  Call("MTFadeIn", 100);
  STReadFile(10, wave_, 3);
  STPlay(10);  // waves still play
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(CountOf(err, "Stools.dll: no General MIDI SoundFont found (tried " + dir_ +
                             "/none.sf2); the music stays silent"),
            1)
      << err;
  EXPECT_EQ(CountOf(err, "\n"), 1) << err;
  EXPECT_EQ(Call("STGetPosition"), 0);
}

TEST_F(SoundFixture, NoAudioDeviceMeansSilenceWithOneWarning) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  testing::internal::CaptureStderr();
  STInit(0, 0);
  STInit(0, 0);
  STReadFile(10, wave_, 3);
  STPlay(10);
  MTReadFile(midi_);
  MTSetTempo(85);
  MTPlay();
  EXPECT_EQ(Call("STGetPosition"), 0);
  MTStop();
  EXPECT_EQ(Call("MTFadeIn", 10), 0);
  EXPECT_EQ(Call("MTFadeOut", 10), 0);
  EXPECT_EQ(Call("STSetVolume", 10), 0);
  EXPECT_EQ(Call("STStop", 10), 0);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(CountOf(err, "Stools.dll: no audio device ("), 1) << err;
  EXPECT_EQ(CountOf(err, "the game runs in silence"), 1) << err;
  EXPECT_EQ(CountOf(err, "\n"), 1) << err;
}
