// UTF-8, the game's own text: characters measured, decoded and split.
#include "platform/text/utf8.h"

#include <algorithm>

namespace platform {
size_t Utf8CharacterLength(std::string_view text) {
  if (text.empty()) return 0;
  const auto lead = static_cast<unsigned char>(text[0]);
  const size_t n = lead < 0x80          ? 1
                   : (lead >> 5) == 0x6  ? 2
                   : (lead >> 4) == 0xE  ? 3
                   : (lead >> 3) == 0x1E ? 4
                                         : 0;
  if (n == 0 || n > text.size()) return 0;
  for (size_t i = 1; i < n; ++i)
    if (!IsUtf8Continuation(text[i])) return 0;
  const uint32_t cp = Utf8CodePoint(text.substr(0, n));
  static constexpr uint32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kSmallest[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return n;
}

uint32_t Utf8CodePoint(std::string_view character) {
  const auto lead = static_cast<unsigned char>(character[0]);
  uint32_t cp = character.size() == 1 ? lead : lead & (0x7Fu >> character.size());
  for (size_t i = 1; i < character.size(); ++i)
    cp = (cp << 6) | (static_cast<unsigned char>(character[i]) & 0x3F);
  return cp;
}

size_t CharacterStart(std::string_view text, size_t offset) {
  offset = std::min(offset, text.size());
  while (offset > 0 && offset < text.size() && IsUtf8Continuation(text[offset])) --offset;
  return offset;
}

std::vector<std::string_view> SplitUtf8Characters(std::string_view utf8) {
  std::vector<std::string_view> characters;
  size_t i = 0;
  while (i < utf8.size()) {
    size_t len = Utf8CharacterLength(utf8.substr(i));
    if (len == 0) len = 1;
    characters.push_back(utf8.substr(i, len));
    i += len;
  }
  return characters;
}

}  // namespace platform
