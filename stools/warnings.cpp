// The library's warnings: one line on stderr per cause and run, in the game's own voice.
#include <cstdio>
#include <set>

#include "stools_internal.h"

namespace stools {
namespace {
std::set<std::string> g_warned;
}  // namespace

void WarnOnce(const std::string& cause, const std::string& text) {
  if (!g_warned.insert(cause).second) return;
  std::fprintf(stderr, "K.Z.V: %s\n", text.c_str());
  std::fflush(stderr);
}

void ForgetWarnings() {
  g_warned.clear();
}

}  // namespace stools
