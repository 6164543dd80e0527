#pragma once
#include <cstdint>

// Line wrapping (WrapText in text.h) and what it knows about characters.
namespace platform {

// Japanese (and other East Asian) characters, which may break on either side.
bool BreaksAnywhere(uint32_t codePoint);

}  // namespace platform
