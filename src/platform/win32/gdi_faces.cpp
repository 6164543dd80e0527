// Text faces on GDI: the fonts the window definition names when Windows has them, else a
// Japanese font it has, rendered in grey levels into a memory bitmap and read back as coverage.
#include <windows.h>

#include <algorithm>
#include <map>
#include <set>
#include <tuple>
#include <vector>

#include "platform/text/text.h"
#include "platform/text_faces.h"
#include "platform/warning.h"
#include "platform/win32/wide.h"

namespace platform {

struct Face {
  HFONT font;
  int height, ascent;
};

namespace {

// Families in the order they are tried for a design name; the IPA fonts are what Wine's
// desktop has on Debian.
std::vector<std::wstring> FamiliesFor(const std::string& designName) {
  const std::vector<std::wstring> gothic = {L"ＭＳ Ｐゴシック", L"MS PGothic", L"Meiryo", L"Yu Gothic",
                                            L"MS UI Gothic", L"IPAPGothic", L"IPAGothic"};
  if (designName == "ＭＳ Ｐ明朝") {
    std::vector<std::wstring> mincho = {L"ＭＳ Ｐ明朝", L"MS PMincho", L"Yu Mincho", L"IPAPMincho",
                                        L"IPAMincho"};
    mincho.insert(mincho.end(), gothic.begin(), gothic.end());
    return mincho;
  }
  if (designName.empty() || designName == "ＭＳ Ｐゴシック") return gothic;
  std::vector<std::wstring> named = {Widen(designName)};
  named.insert(named.end(), gothic.begin(), gothic.end());
  return named;
}

HDC MemoryDc() {
  static HDC dc = CreateCompatibleDC(nullptr);
  return dc;
}

bool Installed(const std::wstring& family) {
  LOGFONTW want{};
  want.lfCharSet = DEFAULT_CHARSET;
  family.copy(want.lfFaceName, LF_FACESIZE - 1);
  bool found = false;
  EnumFontFamiliesExW(
      MemoryDc(), &want,
      [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM seen) -> int {
        *reinterpret_cast<bool*>(seen) = true;
        return 0;
      },
      LPARAM(&found), 0);
  return found;
}

// The first installed family for a design name; one warning when it is not the first choice.
std::wstring FamilyFor(const std::string& designName) {
  static std::map<std::string, std::wstring> chosen;
  if (auto it = chosen.find(designName); it != chosen.end()) return it->second;
  const std::vector<std::wstring> families = FamiliesFor(designName);
  std::wstring family;
  for (const std::wstring& f : families)
    if (Installed(f)) {
      family = f;
      break;
    }
  const std::string shown = designName.empty() ? "the interface font" : designName;
  if (family.empty())
    Warn("no Japanese font found for " + shown + "; text is drawn in the system's font");
  else if (family != families.front())
    Warn("font " + Narrow(families.front()) + " is not installed; drawing " + shown + " in " + Narrow(family));
  return chosen[designName] = family;
}

}  // namespace

Face* OpenFace(const Font& font) {
  const int px = std::max(1, FontPixels(font.points));
  static std::map<std::tuple<std::string, int, bool, bool>, Face*> open;
  const auto key = std::make_tuple(font.name, px, font.bold, font.italic);
  if (auto it = open.find(key); it != open.end()) return it->second;
  LOGFONTW want{};
  want.lfHeight = -px;  // the em, as the point size means
  want.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  want.lfItalic = font.italic;
  want.lfCharSet = DEFAULT_CHARSET;
  want.lfQuality = ANTIALIASED_QUALITY;  // grey levels, never the colour fringes of ClearType
  FamilyFor(font.name).copy(want.lfFaceName, LF_FACESIZE - 1);
  Face* face = nullptr;
  if (HFONT f = CreateFontIndirectW(&want)) {
    HGDIOBJ old = SelectObject(MemoryDc(), f);
    TEXTMETRICW tm{};
    GetTextMetricsW(MemoryDc(), &tm);
    SelectObject(MemoryDc(), old);
    face = new Face{f, int(tm.tmHeight), int(tm.tmAscent)};  // kept for the run
  } else {
    Warn("cannot open a font for " + (font.name.empty() ? std::string("the interface font") : font.name));
  }
  return open[key] = face;
}

int FaceHeight(const Face* f) { return f ? f->height : 0; }

int FaceAscent(const Face* f) { return f ? f->ascent : 0; }

int MeasureLine(Face* f, std::string_view text) {
  if (!f || text.empty()) return 0;
  const std::wstring wide = Widen(text);
  HGDIOBJ old = SelectObject(MemoryDc(), f->font);
  SIZE size{};
  GetTextExtentPoint32W(MemoryDc(), wide.c_str(), int(wide.size()), &size);
  SelectObject(MemoryDc(), old);
  return int(size.cx);
}

void RenderLine(Face* f, const std::string& line, int x, int y, Coverage& cov) {
  if (!f || line.empty()) return;
  const std::wstring wide = Widen(line);
  // Room around the pen for ink that reaches past the advance (italics, a last stroke).
  const int margin = f->height / 2 + 1;
  const int w = MeasureLine(f, line) + 2 * margin, h = f->height;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(MemoryDc(), &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) return;
  HGDIOBJ oldBitmap = SelectObject(MemoryDc(), bitmap);
  HGDIOBJ oldFont = SelectObject(MemoryDc(), f->font);
  std::fill_n(static_cast<uint32_t*>(bits), size_t(w) * h, 0u);
  SetBkMode(MemoryDc(), TRANSPARENT);
  SetTextColor(MemoryDc(), RGB(255, 255, 255));
  SetTextAlign(MemoryDc(), TA_TOP | TA_LEFT | TA_NOUPDATECP);
  TextOutW(MemoryDc(), margin, 0, wide.c_str(), int(wide.size()));
  GdiFlush();
  const auto* px = static_cast<const uint32_t*>(bits);
  for (int ry = 0; ry < h; ++ry) {
    const int cy = y + ry;
    if (cy < 0 || cy >= cov.h) continue;
    for (int rx = 0; rx < w; ++rx) {
      const int cx = x - margin + rx;
      if (cx < 0 || cx >= cov.w) continue;
      const uint8_t a = uint8_t((px[size_t(ry) * w + rx] >> 8) & 0xFF);  // white ink: any channel
      uint8_t& d = cov.alpha[size_t(cy) * cov.w + cx];
      d = std::max(d, a);
    }
  }
  SelectObject(MemoryDc(), oldFont);
  SelectObject(MemoryDc(), oldBitmap);
  DeleteObject(bitmap);
}

}  // namespace platform
