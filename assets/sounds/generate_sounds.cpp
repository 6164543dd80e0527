// kzv-gen-sounds DATA_DIR VOICE_LINES ESPEAK
// Synthesises the sound effects, speaks the commander's lines through the radio filter and
// writes the music, all into DATA_DIR.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "music.h"
#include "radio_voice.h"
#include "sound_effects.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: kzv-gen-sounds DATA_DIR VOICE_LINES ESPEAK\n");
    return 2;
  }
  const std::string data = argv[1];
  std::filesystem::create_directories(data);
  std::string error;
  for (const sounds::NamedSound& s : sounds::MakeSoundEffects()) {
    if (!sounds::WriteWave16(data + "/" + s.file, s.sound, error)) {
      std::fprintf(stderr, "kzv-gen-sounds: %s\n", error.c_str());
      return 1;
    }
  }
  auto lines = sounds::ReadVoiceLines(argv[2], error);
  if (!lines) {
    std::fprintf(stderr, "kzv-gen-sounds: %s\n", error.c_str());
    return 1;
  }
  for (const sounds::VoiceLine& line : *lines) {
    auto speech = sounds::Speak(argv[3], line.kana, error);
    if (!speech) {
      std::fprintf(stderr, "kzv-gen-sounds: %s\n", error.c_str());
      return 1;
    }
    if (!sounds::WriteWave16(data + "/" + line.file, sounds::RadioFilter(*speech, uint64_t(line.slot)), error)) {
      std::fprintf(stderr, "kzv-gen-sounds: %s\n", error.c_str());
      return 1;
    }
  }
  const std::vector<uint8_t> music = sounds::MakeMusic();
  const std::string musicPath = data + "/bgm.mid";
  {
    std::ofstream out(musicPath + ".tmp", std::ios::binary);
    out.write(reinterpret_cast<const char*>(music.data()), std::streamsize(music.size()));
    if (!out) {
      std::fprintf(stderr, "kzv-gen-sounds: cannot write %s\n", musicPath.c_str());
      return 1;
    }
  }
  std::filesystem::rename(musicPath + ".tmp", musicPath);
  return 0;
}
