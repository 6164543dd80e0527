#include "platform/warning.h"

#include <cstdio>

namespace platform {

void Warn(std::string_view text) {
  std::fprintf(stderr, "K.Z.V: %.*s\n", int(text.size()), text.data());
  std::fflush(stderr);
}

}  // namespace platform
