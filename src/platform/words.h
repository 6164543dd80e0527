#pragma once
#include <charconv>
#include <string>
#include <string_view>
#include <vector>

// Reading the words of the game's own text lines: replays and the command line.
namespace platform {

// The words of a line, split at any white space.
std::vector<std::string> SplitWords(const std::string& line);

// The whole text as a decimal number that fits T; false when any of it is not.
template <typename T>
bool ParseNumber(std::string_view text, T& value) {
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

}  // namespace platform
