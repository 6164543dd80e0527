// kzv-gen-sounds: makes every sound file of data/ — the effects, the commander's voice clips
// and the music — from nothing but our own code, the table of voice lines and the speech
// synthesiser. Same inputs, same bytes.
//
//   kzv-gen-sounds <output folder> <voice_lines.tsv> [<espeak-ng program>]

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bgm_score.h"
#include "language/catalog.h"
#include "language/language.h"
#include "platform/files.h"
#include "radio_voice.h"
#include "sound_effects.h"
#include "wave_file.h"

namespace {

int Fail(const std::string& message) {
  std::fprintf(stderr, "kzv-gen-sounds: %s\n", message.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4) {
    std::fprintf(stderr, "usage: kzv-gen-sounds <output folder> <voice_lines.tsv> [<espeak-ng>]\n");
    return 2;
  }
  const std::string out = argv[1];
  const std::string espeak = argc == 4 ? argv[3] : "espeak-ng";
  std::error_code ec;
  std::filesystem::create_directories(out, ec);
  std::string error;

  for (const auto& effect : sounds::MakeSoundEffects()) {
    if (!sounds::WriteWave16(out + "/" + effect.file, effect.sound, error)) return Fail(error);
  }

  const auto lines = sounds::ReadVoiceLines(argv[2], error);
  if (!lines) return Fail(error);
  for (const auto& line : *lines) {
    const auto speech = sounds::Speak(espeak, line.kana, error);
    if (!speech) return Fail(error);
    const auto clip = sounds::RadioFilter(*speech, static_cast<uint64_t>(line.slot));
    if (!sounds::WriteWave16(out + "/" + line.file, clip, error)) return Fail(error);
  }
  // The commander speaks each catalog's language too, its clips in <output folder>/<code>/.
  for (std::size_t i = 0; i < kCatalogLanguageCount; ++i) {
    const std::string code = kCatalogLanguages[i].code;
    SetLanguage(code);
    std::filesystem::create_directories(out + "/" + code, ec);
    for (const auto& line : *lines) {
      const auto speech = sounds::Speak(espeak, Tr(line.text), error, code);
      if (!speech) return Fail(error);
      const auto clip = sounds::RadioFilter(*speech, static_cast<uint64_t>(line.slot));
      if (!sounds::WriteWave16(out + "/" + code + "/" + line.file, clip, error)) return Fail(error);
    }
  }

  const std::vector<uint8_t> music = sounds::ComposeBackgroundMusic();
  if (!platform::WriteFileAtomically(out + "/bgm.mid", std::string(music.begin(), music.end()))) {
    return Fail("cannot write " + out + "/bgm.mid");
  }
  return 0;
}
