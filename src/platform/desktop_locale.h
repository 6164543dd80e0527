// The desktop's language, as the system backend reads it.
#pragma once
#include <string>

namespace platform {

// The locale the desktop shows its texts in, as "language[_TERRITORY]" ("ja_JP", "en_US",
// "C"); "" when the desktop names none.
std::string DesktopLocale();

}  // namespace platform
