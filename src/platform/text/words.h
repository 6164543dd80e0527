// Reading the words of the game's own text lines: replays and the command line.
#pragma once
#include <charconv>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// True for the characters words are split at: space, tab and the other C white space.
constexpr bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The words of a line, split at any run of blanks; views into line.
std::vector<std::string_view> Words(std::string_view line);
// The same words as strings of their own.
std::vector<std::string> SplitWords(const std::string& line);

// The text after the first n words and the one blank that follows them.
std::string_view RestAfter(std::string_view line, int n);

// The whole text as a decimal number that fits T; false when any of it is not.
template <typename T>
bool ParseNumber(std::string_view text, T& value) {
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

}  // namespace platform
