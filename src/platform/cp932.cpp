// CP932's character boundaries, the same on every system.
#include "platform/cp932.h"

namespace platform {

size_t Cp932CharacterLength(std::string_view bytes) {
  if (bytes.empty()) return 0;
  auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned lead = byte(0);
  const bool isLead = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
  if (!isLead || bytes.size() < 2) return 1;
  const unsigned trail = byte(1);
  const bool isTrail = trail >= 0x40 && trail <= 0xFC && trail != 0x7F;
  return isTrail ? 2 : 1;
}

std::vector<std::string_view> SplitCp932Characters(std::string_view bytes) {
  std::vector<std::string_view> characters;
  for (size_t i = 0; i < bytes.size();) {
    const size_t n = Cp932CharacterLength(bytes.substr(i));
    characters.push_back(bytes.substr(i, n));
    i += n;
  }
  return characters;
}

}  // namespace platform
