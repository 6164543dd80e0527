#pragma once
// The language the game speaks: Japanese, its own, or one whose catalog is compiled in.
#include <initializer_list>
#include <string>
#include <string_view>

// "ja" for Japanese, else the code of a compiled-in catalog ("en"). Japanese until set.
const std::string& CurrentLanguage();
// False (and nothing changes) for a code that is neither "ja" nor a compiled-in catalog's.
bool SetLanguage(std::string_view code);
bool JapaneseSpoken();
// "ja" and the catalogs' codes, for messages that list them.
std::string KnownLanguages();

// The language the desktop asks for: KZV_LANGUAGE, else the desktop's locale (on POSIX the first
// set of LC_ALL, LC_MESSAGES and LANG; on Windows the user's interface language). Unset, "C" and "POSIX" mean Japanese; a locale whose language has no catalog means
// English. An unknown KZV_LANGUAGE is reported on stderr and the locale decides.
std::string DesktopLanguage();
// The language a locale name ("en_GB.UTF-8", "ja_JP", "C") asks for, as above.
std::string LanguageOfLocale(std::string_view locale);

// The text in the current language: the Japanese text itself in Japanese, else its catalog
// entry (a text with no entry stays as it is; the build makes sure every marked text has one).
std::string Tr(std::string_view japanese);
// The same, with each "%s" of the text replaced by the next of the values, in order.
std::string TrFormat(std::string_view japanese, std::initializer_list<std::string> values);
// Marks a Japanese text of a table for the catalog; it is translated where it is shown.
constexpr const char* TrMark(const char* japanese) { return japanese; }

// True when the text holds a kana, kanji or full-width character.
bool HasJapanese(std::string_view text);
