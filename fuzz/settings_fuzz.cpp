// The settings-file reader on arbitrary bytes: every value in range, every text valid UTF-8,
// the file left as it was, and a save of what was read reading back the same.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "flow/game_state.h"
#include "fuzz_support.h"
#include "shell/settings_file.h"

namespace {

const std::filesystem::path& Folder() { return ScratchFolder("settings"); }

// Strict UTF-8: shortest forms only, no surrogates, nothing above U+10FFFF.
bool ValidUtf8(std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    const auto b = [&](size_t k) { return uint8_t(s[k]); };
    const uint8_t lead = b(i);
    size_t n;
    uint32_t cp;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      n = 1, cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      n = 2, cp = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      n = 3, cp = lead & 0x07;
    } else {
      return false;
    }
    if (i + n >= s.size()) return false;  // cut short
    for (size_t k = 1; k <= n; ++k) {
      if ((b(i + k) & 0xC0) != 0x80) return false;
      cp = cp << 6 | (b(i + k) & 0x3F);
    }
    if ((n == 2 && cp < 0x800) || (n == 3 && cp < 0x10000) || cp > 0x10FFFF ||
        (cp >= 0xD800 && cp <= 0xDFFF)) {
      return false;
    }
    i += n + 1;
  }
  return true;
}

struct Settings {
  uint8_t veteran;
  int32_t reward;
  std::string holder;
  uint8_t soundOn;
  std::string header;
};

Settings ReadBack() {
  ReadSettings();
  return {G.Veteran, G.RecordReward, G.RecordHolder, G.SoundOn, G.SaveHeader};
}

// The folder holds the settings file and nothing else: no temporary file left behind.
void CheckFolderClean() {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(Folder())) {
    if (entry.path().filename() != "save.dat") Fail("a save left another file behind");
    ++count;
  }
  if (count != 1) Fail("the settings file is missing after a save");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = (Folder() / "save.dat").string();
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  WriteBytes(path, input);
  G.SavePath = path;

  const Settings first = ReadBack();
  if (ReadBytes(path) != input) Fail("reading changed the file");
  // The numbers are bytes and a 32-bit reward by their types; the texts must be real UTF-8.
  if (!ValidUtf8(first.holder)) Fail("the record holder is not valid UTF-8");
  if (!ValidUtf8(first.header)) Fail("the header is not valid UTF-8");

  // A save of what was read gives it back: the veteran mark set, the name as the name entry
  // would have let it through.
  if (!SaveSettings()) Fail("the save of what was read failed");
  CheckFolderClean();
  const Settings second = ReadBack();
  if (second.veteran != 1) Fail("a save did not mark the veteran");
  if (second.reward != first.reward) Fail("the record reward did not read back");
  if (second.soundOn != first.soundOn) Fail("the sound switch did not read back");
  if (second.holder != SanitizeRecordName(first.holder)) Fail("the record holder did not read back");
  if (second.header != kSettingsHeader) Fail("the header did not read back");

  // And a name that has been through one save is kept exactly.
  if (!SaveSettings()) Fail("the second save failed");
  const Settings third = ReadBack();
  if (third.holder != second.holder || third.reward != second.reward ||
      third.soundOn != second.soundOn || third.veteran != 1) {
    Fail("a second save changed the record");
  }
  return 0;
}
