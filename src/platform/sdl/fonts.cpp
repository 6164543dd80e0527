#include "platform/sdl/fonts.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <utility>
#include <vector>

#include "platform/warning.h"

namespace platform {
namespace {

FcConfig* Config() {
  static FcConfig* config = FcInitLoadConfigAndFonts();
  return config;
}

std::string StringOf(FcPattern* p, const char* object, int n = 0) {
  FcChar8* s = nullptr;
  if (FcPatternGetString(p, object, n, &s) != FcResultMatch || !s) return {};
  return reinterpret_cast<const char*>(s);
}

FontFile FileOf(FcPattern* p) {
  FontFile f;
  f.path = StringOf(p, FC_FILE);
  int face = 0;
  if (FcPatternGetInteger(p, FC_INDEX, 0, &face) == FcResultMatch) f.face = face;
  return f;
}

bool HasFamily(FcPattern* p, const std::string& family) {
  for (int n = 0;; ++n) {
    std::string name = StringOf(p, FC_FAMILY, n);
    if (name.empty()) return false;
    if (FcStrCmpIgnoreCase(reinterpret_cast<const FcChar8*>(name.c_str()),
                           reinterpret_cast<const FcChar8*>(family.c_str())) == 0)
      return true;
  }
}

}  // namespace

std::string FamilyForDesignName(const std::string& designName) {
  if (designName.empty() || designName == "ＭＳ Ｐゴシック") return "IPAPGothic";
  if (designName == "ＭＳ Ｐ明朝") return "IPAPMincho";
  return designName;
}

FontFile FindFamily(const std::string& family) {
  FcConfig* config = Config();
  if (!config || family.empty()) return {};
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddBool(pattern, FC_OUTLINE, FcTrue);
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(config, pattern, &result);
  FcPatternDestroy(pattern);
  FontFile found;
  // fontconfig always offers its best guess; only the family itself counts as found.
  if (match && HasFamily(match, family)) found = FileOf(match);
  if (match) FcPatternDestroy(match);
  return found;
}

FontFile FindJapaneseFont() {
  static const FontFile chosen = [] {
    FcConfig* config = Config();
    if (!config) return FontFile{};
    FcPattern* pattern = FcPatternCreate();
    FcLangSet* ja = FcLangSetCreate();
    FcLangSetAdd(ja, reinterpret_cast<const FcChar8*>("ja"));
    FcPatternAddLangSet(pattern, FC_LANG, ja);
    FcPatternAddBool(pattern, FC_OUTLINE, FcTrue);
    FcObjectSet* objects = FcObjectSetBuild(FC_FILE, FC_INDEX, nullptr);
    FcFontSet* set = FcFontList(config, pattern, objects);
    std::vector<std::pair<std::string, int>> files;
    for (int i = 0; set && i < set->nfont; ++i) {
      FontFile f = FileOf(set->fonts[i]);
      if (f.Found()) files.emplace_back(f.path, f.face);
    }
    if (set) FcFontSetDestroy(set);
    FcObjectSetDestroy(objects);
    FcLangSetDestroy(ja);
    FcPatternDestroy(pattern);
    if (files.empty()) return FontFile{};
    // The listing order depends on the cache; sorting makes the choice the same every run.
    std::sort(files.begin(), files.end());
    return FontFile{files.front().first, files.front().second};
  }();
  return chosen;
}

FontFile FontFileFor(const std::string& designName) {
  static std::map<std::string, FontFile> resolved;
  auto it = resolved.find(designName);
  if (it != resolved.end()) return it->second;
  const std::string family = FamilyForDesignName(designName);
  FontFile f = FindFamily(family);
  if (!f.Found()) {
    f = FindJapaneseFont();
    if (f.Found())
      WarnOnce("font \"" + family + "\" is not installed; drawing its text with " + f.path);
    else
      WarnOnce("no font that covers Japanese is installed; text is not drawn");
  }
  resolved[designName] = f;
  return f;
}

}  // namespace platform
