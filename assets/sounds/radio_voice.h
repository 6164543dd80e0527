#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "wave_file.h"

// The commander's voice clips: synthesised speech through a field-radio filter.
namespace sounds {

struct VoiceLine {
  std::string file;  // "opr10.wav" …
  int slot = 0;      // the game's sound slot that plays it
  std::string text;  // as written, for the record
  std::string kana;  // what the synthesiser reads
};

// Reads the table of lines (tab-separated: file, slot, text, kana; '#' starts a comment line).
// Returns nothing and says why in `error` when a line is malformed or the file cannot be read.
std::optional<std::vector<VoiceLine>> ReadVoiceLines(const std::string& path, std::string& error);

// Runs the speech synthesiser `espeak` on the text (kana for Japanese) with the commander's
// voice in the synthesiser's voice of the language ("ja", "en") and returns its speech;
// nothing (with the reason in `error`) when it cannot be run or gives no sound.
std::optional<Sound> Speak(const std::string& espeak, const std::string& text, std::string& error,
                           const std::string& language = "ja");

// Makes clean speech sound like a field radio: telephone band, compression and light
// overdrive, a squelch burst at the start and the end and faint static throughout. The noise
// is seeded, so the same speech and seed give the same clip.
Sound RadioFilter(const Sound& speech, uint64_t seed);

}  // namespace sounds
