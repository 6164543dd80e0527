#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The settings file keeps its text in CP932 (Shift_JIS as Windows writes it); the game's texts
// are UTF-8. Both conversions go through iconv.

// The CP932 bytes of a UTF-8 text; nothing when the text is not valid UTF-8 or holds a
// character CP932 has no code for.
std::optional<std::string> Utf8ToCp932(std::string_view utf8);

// The UTF-8 text of CP932 bytes; nothing when the bytes are not valid CP932.
std::optional<std::string> Cp932ToUtf8(std::string_view cp932);

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
