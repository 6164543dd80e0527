// UTF-8, the game's own text: characters measured, decoded and split (CP932 is in cp932.h).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace platform {

// Length of the well-formed UTF-8 character at the start of the text (shortest form, no
// surrogate, at most U+10FFFF), or 0 when the text does not start with one.
size_t Utf8CharacterLength(std::string_view text);

// The code point of one well-formed UTF-8 character.
uint32_t Utf8CodePoint(std::string_view character);

// True for the bytes that continue a UTF-8 character rather than start one.
constexpr bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The offset clamped into the text and moved back to the start of the character it falls in.
size_t CharacterStart(std::string_view text, size_t offset);

// Splits a UTF-8 text into its characters (one code point each). Bytes that are not valid
// UTF-8 come out as one-byte pieces, so callers can recognise and drop them.
std::vector<std::string_view> SplitUtf8Characters(std::string_view utf8);

}  // namespace platform
