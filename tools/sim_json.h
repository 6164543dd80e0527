#pragma once
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>

// kzv-sim's answers: JSON objects that keep their members in the order they were added.
namespace sim {

using Json = nlohmann::ordered_json;

// The one-line text of an answer. Control characters are escaped; a byte that is not part of a
// well-formed UTF-8 character becomes U+FFFD.
std::string Line(const Json& answer);

// "#RRGGBB" of a 0xRRGGBB colour.
std::string Colour(uint32_t rgb);

}  // namespace sim
