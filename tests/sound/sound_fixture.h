#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/dynlib.h"
#include "shell/sound_binding.h"
#include "support/files.h"
#include "support/sound_bytes.h"

using sound_bytes::ConstantWave;
using sound_bytes::FourBeatMidi;

inline const std::string kModulePath = std::string(KZV_BUILD_DIR) + "/Stools.dll";

// Loads the real Stools.dll through the game's binding, with a folder of test sounds; a handle
// of its own reads the music's position, which the game never asks for.
class SoundFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(wave_, ConstantWave(8000, 22050));
    WriteFile(midi_, FourBeatMidi());
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
