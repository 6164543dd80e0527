#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/dynlib.h"
#include "shell/sound_binding.h"
#include "support/files.h"

inline const std::string kModulePath = std::string(KZV_BUILD_DIR) + "/Stools.dll";

// Writes a mono 16-bit PCM wave of one constant sample value: overlapping voices add up to
// exact multiples of it.
void WriteConstantWave(const std::string& path, int16_t value, int frames, int rate = 44100);
// A one-bar MIDI file (480 ticks per beat, tempo 120 in the file) with a short, loud percussion
// hit on each of its four beats.
std::string MakeFourBeatMidi();

// Loads the real Stools.dll through the game's binding, with a folder of test sounds; a handle
// of its own reads the music's position, which the game never asks for.
class SoundFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteConstantWave(wave_, 8000, 22050);
    WriteFile(midi_, MakeFourBeatMidi());
    LoadSoundLibrary(kModulePath);
    module_ = platform::OpenDynamicLibrary(kModulePath);
    ASSERT_NE(module_, nullptr) << platform::DynamicLibraryError();
  }

  void TearDown() override {
    UnloadSoundLibrary();
    platform::CloseDynamicLibrary(module_);
    unsetenv("KZV_SOUNDFONT");
    setenv("SDL_AUDIODRIVER", "dummy", 1);
  }

  // The music's position in ms, 0 when none plays.
  int32_t Position() {
    auto fn = reinterpret_cast<int32_t (*)()>(platform::FindDynamicSymbol(module_, "STGetPosition"));
    EXPECT_NE(fn, nullptr);
    return fn ? fn() : 0;
  }

  TempDir dir_{"sound"};
  std::string wave_ = dir_ / "se10.wav", midi_ = dir_ / "bgm.mid";
  platform::DynamicLibrary* module_ = nullptr;
};
