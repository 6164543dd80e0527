// CP932 (Shift_JIS as Windows writes it), the encoding of the game's own text files.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The CP932 bytes of a UTF-8 text; nothing when the text is not valid UTF-8 or holds a
// character CP932 has no code for (no best-fit stand-ins).
std::optional<std::string> Utf8ToCp932(std::string_view utf8);

// The UTF-8 text of CP932 bytes; nothing when the bytes are not valid CP932.
std::optional<std::string> Cp932ToUtf8(std::string_view cp932);

// The length of the CP932 character at the start of the bytes: 2 for a lead byte followed by a
// trail byte, else 1 (a byte that is not CP932 counts as one character too); 0 for no bytes.
size_t Cp932CharacterLength(std::string_view bytes);

// CP932 bytes split into their characters, one or two bytes each.
std::vector<std::string_view> SplitCp932Characters(std::string_view bytes);

}  // namespace platform
