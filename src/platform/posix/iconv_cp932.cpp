// CP932 to and from UTF-8 through iconv.
#include <iconv.h>

#include <cerrno>

#include "platform/cp932.h"

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

}  // namespace

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
  return Convert("CP932", "UTF-8", utf8);
}

std::optional<std::string> Cp932ToUtf8(std::string_view cp932) {
  return Convert("UTF-8", "CP932", cp932);
}

}  // namespace platform
