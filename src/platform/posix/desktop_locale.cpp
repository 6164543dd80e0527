// The desktop's language on POSIX: the first of LC_ALL, LC_MESSAGES and LANG that is set.
#include "platform/desktop_locale.h"

#include <cstdlib>

namespace platform {

std::string DesktopLocale() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
    if (const char* locale = std::getenv(name); locale && *locale) return locale;
  return "";
}

}  // namespace platform
