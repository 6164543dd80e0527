// The music file: read whole and checked before the backend's player sees it, since a player
// can be kept busy for ever by a file whose chunks and events do not fit together.
#include <cstring>

#include "backend.h"
#include "stools_internal.h"

namespace stools {

void LoadMusicFile(const std::string& path) {
  backend::ForgetMusic();
  std::vector<char> bytes;
  std::string why;
  if (!ReadWholeFile(path, bytes, why)) {
    why = "cannot open it";
  } else if (bytes.size() < 14 || std::memcmp(bytes.data(), "MThd", 4) != 0) {
    why = "not a MIDI file";
  } else if (!MidiFileIsWhole(bytes)) {
    why = "damaged";
  } else if (backend::LoadMusic(bytes, why)) {
    return;
  }
  WarnOnce("cannot read the music file " + path + " (" + why + "); the music stays silent",
           "music:" + path);
}

}  // namespace stools
