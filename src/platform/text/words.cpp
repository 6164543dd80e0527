// Splitting the game's own text lines into words.
#include "platform/text/words.h"

namespace platform {

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    const size_t start = i;
    while (i < line.size() && !IsBlank(line[i])) ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

std::vector<std::string> SplitWords(const std::string& line) {
  std::vector<std::string> words;
  for (std::string_view w : Words(line)) words.emplace_back(w);
  return words;
}

std::string_view RestAfter(std::string_view line, int n) {
  size_t i = 0;
  for (int w = 0; w < n; ++w) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    while (i < line.size() && !IsBlank(line[i])) ++i;
  }
  if (i < line.size()) ++i;
  return line.substr(i);
}

}  // namespace platform
