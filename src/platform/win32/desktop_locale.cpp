// The desktop's language on Windows: the user's interface language ("ja-JP" read as "ja_JP").
#include <windows.h>

#include <string>

#include "platform/desktop_locale.h"

namespace platform {

std::string DesktopLocale() {
  wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
  if (!LCIDToLocaleName(MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT), name,
                        LOCALE_NAME_MAX_LENGTH, 0))
    return "";
  std::string locale;
  for (const wchar_t* c = name; *c; ++c) locale += *c == L'-' ? '_' : char(*c & 0x7F);
  return locale;
}

}  // namespace platform
