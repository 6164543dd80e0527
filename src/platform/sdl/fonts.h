// Font files found through fontconfig for the design's font names.
#pragma once
#include <string>

namespace platform {

// A font file found through fontconfig: the file and the face inside it (collections hold
// several faces).
struct FontFile {
  std::string path;
  int face = 0;
  bool Found() const { return !path.empty(); }
};

// The fontconfig family that stands in for a design font name: IPA P Gothic for
// "ＭＳ Ｐゴシック" and for the default interface font (an empty name), IPA P Mincho for
// "ＭＳ Ｐ明朝"; any other name is looked up as it is.
std::string FamilyForDesignName(const std::string& designName);

// The installed font of exactly that family, or nothing.
FontFile FindFamily(const std::string& family);

// Some installed outline font that covers Japanese, the same one on every call, or nothing.
FontFile FindJapaneseFont();

// The font that draws a design font name: its family when installed, otherwise a font that
// covers Japanese (one warning on stderr per missing family), otherwise nothing (one warning).
FontFile FontFileFor(const std::string& designName);

}  // namespace platform
