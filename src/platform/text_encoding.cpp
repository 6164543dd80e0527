#include "platform/text_encoding.h"

#include <iconv.h>

#include <cerrno>

namespace platform {
namespace {

// One whole conversion with a fresh descriptor; any invalid or unconvertible byte fails it.
std::optional<std::string> Convert(const char* to, const char* from, std::string_view in) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out;
  char* inPtr = const_cast<char*>(in.data());
  size_t inLeft = in.size();
  char buffer[256];
  bool ok = true;
  while (true) {
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    // A null input pointer flushes any pending shift state at the end.
    size_t r = inLeft > 0 ? iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft)
                          : iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
    out.append(buffer, size_t(outPtr - buffer));
    if (r == size_t(-1)) {
      if (errno == E2BIG) continue;
      ok = false;  // EILSEQ: not convertible; EINVAL: cut off in the middle of a character
      break;
    }
    if (inLeft == 0 && outPtr == buffer) break;
  }
  iconv_close(cd);
  if (!ok) return std::nullopt;
  return out;
}

// Length of the UTF-8 sequence starting at s[i], or 0 when it is not a valid one.
size_t Utf8SequenceLength(std::string_view s, size_t i) {
  unsigned char c = static_cast<unsigned char>(s[i]);
  size_t len = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
  if (len == 0 || i + len > s.size()) return 0;
  for (size_t k = 1; k < len; ++k) {
    if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 0;
  }
  return len;
}

}  // namespace

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
  return Convert("CP932", "UTF-8", utf8);
}

std::optional<std::string> Cp932ToUtf8(std::string_view cp932) {
  return Convert("UTF-8", "CP932", cp932);
}

std::vector<std::string_view> SplitUtf8Characters(std::string_view utf8) {
  std::vector<std::string_view> characters;
  size_t i = 0;
  while (i < utf8.size()) {
    size_t len = Utf8SequenceLength(utf8, i);
    if (len == 0) len = 1;
    characters.push_back(utf8.substr(i, len));
    i += len;
  }
  return characters;
}

}  // namespace platform
