// The game's lines on the terminal, each after the game's name: "K.Z.V: text".
#pragma once
#include <string_view>

namespace platform {

// One line on stderr for one cause.
void Warn(std::string_view text);
// The same, but only the first time its cause is seen in this run: the text itself, or the cause
// given, so that a fault met at every call is announced once whatever each call's details.
void WarnOnce(std::string_view text, std::string_view cause = {});
// Forgets what WarnOnce said, so that a new run of the program says it again.
void ForgetWarnedOnce();
// One line on stdout: what the player asked for was done (a screenshot saved, ...).
void Say(std::string_view text);

}  // namespace platform
