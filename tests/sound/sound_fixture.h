#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/dynlib.h"
#include "shell/sound_binding.h"
#include "sound/sound_files.h"

inline const std::string kModulePath = std::string(KZV_BUILD_DIR) + "/Stools.dll";

// Loads the real Stools.dll through the game's binding, with a folder of test sounds, and keeps
// a handle of its own for the exports the game never calls.
class SoundFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = MakeTempDir("sound");
    ASSERT_FALSE(dir_.empty());
    wave_ = dir_ + "/se10.wav";
    midi_ = dir_ + "/bgm.mid";
    WriteBytes(wave_, MakeConstantWave(8000, 22050));
    WriteBytes(midi_, MakeFourBeatMidi());
    LoadSoundLibrary(kModulePath);
    module_ = platform::OpenDynamicLibrary(kModulePath);
    ASSERT_NE(module_, nullptr) << platform::DynamicLibraryError();
  }

  void TearDown() override {
    UnloadSoundLibrary();
    platform::CloseDynamicLibrary(module_);
    unsetenv("KZV_SOUNDFONT");
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::string command = "rm -rf '" + dir_ + "'";
    if (!dir_.empty()) std::system(command.c_str());
  }

  int32_t Call(const char* name) {
    auto fn = reinterpret_cast<int32_t (*)()>(platform::FindDynamicSymbol(module_, name));
    EXPECT_NE(fn, nullptr) << name;
    return fn ? fn() : 0;
  }
  int32_t Call(const char* name, int32_t value) {
    auto fn = reinterpret_cast<int32_t (*)(int32_t)>(platform::FindDynamicSymbol(module_, name));
    EXPECT_NE(fn, nullptr) << name;
    return fn ? fn(value) : 0;
  }

  // Waits (at most a generous while) until the music has been rendered for some time.
  bool MusicAdvances() {
    for (int i = 0; i < 1000; ++i) {
      if (Call("STGetPosition") > 0) return true;
      usleep(10000);
    }
    return false;
  }

  std::string dir_, wave_, midi_;
  platform::DynamicLibrary* module_ = nullptr;
};

inline int CountOf(const std::string& text, const std::string& part) {
  int n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}
