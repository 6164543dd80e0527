// The game's lines on the terminal, each after the game's name.
#include "platform/warning.h"

#include <cstdio>
#include <set>
#include <string>

namespace platform {
namespace {

void Line(std::FILE* to, std::string_view text) {
  std::fprintf(to, "K.Z.V: %.*s\n", int(text.size()), text.data());
  std::fflush(to);
}

std::set<std::string, std::less<>>& Said() {
  static std::set<std::string, std::less<>> said;
  return said;
}

}  // namespace

void Warn(std::string_view text) { Line(stderr, text); }

void WarnOnce(std::string_view text, std::string_view cause) {
  if (Said().insert(std::string(cause.empty() ? text : cause)).second) Warn(text);
}

void ForgetWarnedOnce() { Said().clear(); }

void Say(std::string_view text) { Line(stdout, text); }

}  // namespace platform
