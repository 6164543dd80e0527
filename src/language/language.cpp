// Which language the game speaks, and the lookup of a text in its catalog.
#include "language/language.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "language/catalog.h"
#include "platform/desktop_locale.h"
#include "platform/warning.h"

namespace {

std::string g_language = "ja";

const CatalogLanguage* CatalogOf(std::string_view code) {
  for (std::size_t i = 0; i < kCatalogLanguageCount; ++i)
    if (code == kCatalogLanguages[i].code) return &kCatalogLanguages[i];
  return nullptr;
}

std::string_view Variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

}  // namespace

const std::string& CurrentLanguage() { return g_language; }

bool SetLanguage(std::string_view code) {
  if (code != "ja" && !CatalogOf(code)) return false;
  g_language = std::string(code);
  return true;
}

bool JapaneseSpoken() { return g_language == "ja"; }

std::string KnownLanguages() {
  std::string known = "ja";
  for (std::size_t i = 0; i < kCatalogLanguageCount; ++i) known += std::string(", ") + kCatalogLanguages[i].code;
  return known;
}

std::string LanguageOfLocale(std::string_view locale) {
  const std::string_view language = locale.substr(0, locale.find_first_of("_.@"));
  if (language.empty() || language == "C" || language == "POSIX" || language == "ja") return "ja";
  return CatalogOf(language) ? std::string(language) : "en";
}

std::string DesktopLanguage() {
  if (std::string_view asked = Variable("KZV_LANGUAGE"); !asked.empty()) {
    if (asked == "ja" || CatalogOf(asked)) return std::string(asked);
    platform::Warn("KZV_LANGUAGE=" + std::string(asked) + " is none of the game's languages (" +
                   KnownLanguages() + "); the desktop's is taken");
  }
  if (const std::string locale = platform::DesktopLocale(); !locale.empty())
    return LanguageOfLocale(locale);
  return "ja";
}

std::string Tr(std::string_view japanese) {
  const CatalogLanguage* catalog = JapaneseSpoken() ? nullptr : CatalogOf(g_language);
  if (!catalog) return std::string(japanese);
  const CatalogEntry* end = catalog->entries + catalog->count;
  const CatalogEntry* at = std::lower_bound(catalog->entries, end, japanese,
                                            [](const CatalogEntry& e, std::string_view key) { return e.japanese < key; });
  if (at != end && at->japanese == japanese) return at->text;
  return std::string(japanese);
}

std::string TrFormat(std::string_view japanese, std::initializer_list<std::string> values) {
  const std::string pattern = Tr(japanese);
  std::string out;
  const std::string* next = values.begin();
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern.compare(i, 2, "%s") == 0 && next != values.end()) {
      out += *next++;
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

bool HasJapanese(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    const int length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    uint32_t cp = length == 1 ? lead : lead & (0xFF >> (length + 1));
    for (int k = 1; k < length && i + k < text.size(); ++k) cp = (cp << 6) | (text[i + k] & 0x3F);
    i += length;
    if ((cp >= 0x3000 && cp <= 0x30FF) || (cp >= 0x31F0 && cp <= 0x31FF) || (cp >= 0x3400 && cp <= 0x9FFF) ||
        (cp >= 0xF900 && cp <= 0xFAFF) || (cp >= 0xFF00 && cp <= 0xFFEF))
      return true;
  }
  return false;
}
