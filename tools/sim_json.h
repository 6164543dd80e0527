#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// A small writer of one-line JSON for kzv-sim's answers.
namespace sim {

// A JSON string literal: quotes, backslashes and control characters escaped; well-formed
// UTF-8 passes through, a byte that is not part of a character becomes U+FFFD.
std::string Quote(std::string_view text);

// "#RRGGBB" of a 0xRRGGBB colour.
std::string Colour(uint32_t rgb);

// Builds an object member by member: o.AddInt("a", 1).AddText("b", "x").Text() is {"a":1,"b":"x"}.
class Object {
 public:
  Object& AddInt(std::string_view key, int64_t value);
  Object& AddBool(std::string_view key, bool value);
  Object& AddText(std::string_view key, std::string_view value);
  Object& AddRaw(std::string_view key, std::string_view json);  // an already written value
  std::string Text() const { return text_ + "}"; }

 private:
  Object& Key(std::string_view key);
  std::string text_ = "{";
};

}  // namespace sim
