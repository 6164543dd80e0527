#include "platform/text.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <tuple>
#include <unordered_map>

#include "platform/fonts.h"
#include "platform/warning.h"

namespace platform {
namespace {

bool g_caretVisible = true;
int g_renderCount = 0;

// ---- Characters -------------------------------------------------------------------------

// Length of the UTF-8 character at s[i]; a malformed byte counts as one character.
size_t CharLength(std::string_view s, size_t i) {
  auto b = static_cast<unsigned char>(s[i]);
  size_t n = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 1;
  if (i + n > s.size()) return 1;
  for (size_t k = 1; k < n; ++k)
    if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 1;
  return n;
}

uint32_t CodePoint(std::string_view c) {
  auto b = static_cast<unsigned char>(c[0]);
  if (c.size() == 1) return b;
  uint32_t cp = b & (0x7F >> c.size());
  for (size_t k = 1; k < c.size(); ++k) cp = (cp << 6) | (static_cast<unsigned char>(c[k]) & 0x3F);
  return cp;
}

// Japanese (and other East Asian) characters may break on either side.
bool BreaksAnywhere(uint32_t cp) {
  return cp >= 0x2E80;
}

// The usual Japanese line-breaking rules: these never begin a line (closing brackets and
// punctuation, small kana, the long-vowel and iteration marks) ...
bool NeverStartsALine(uint32_t cp) {
  static const std::u32string kNoStart =
      U"）」』】〕〉》］｝〙〗〛’”〟、。，．・：；？！‐゠–〜～…‥ー々ゝゞヽヾ"
      U"ぁぃぅぇぉっゃゅょゎゕゖァィゥェォッャュョヮヵヶㇰㇱㇲㇳㇴㇵㇶㇷㇸㇹㇺㇻㇼㇽㇾㇿ"
      U"ｧｨｩｪｫｯｬｭｮｰ｡｣､･)]},.:;?!%";
  return kNoStart.find(char32_t(cp)) != std::u32string::npos;
}

// ... and these never end one (opening brackets).
bool NeverEndsALine(uint32_t cp) {
  static const std::u32string kNoEnd = U"（「『【〔〈《［｛〘〖〚‘“〝｢([{";
  return kNoEnd.find(char32_t(cp)) != std::u32string::npos;
}

enum class TokenKind { Word, Wide, Space, Newline };
struct Token {
  TokenKind kind;
  std::string_view text;
};

std::vector<Token> Tokenize(std::string_view s) {
  std::vector<Token> out;
  size_t i = 0;
  while (i < s.size()) {
    const size_t n = CharLength(s, i);
    const std::string_view c = s.substr(i, n);
    if (c == "\r" || c == "\n") {
      i += (c == "\r" && i + 1 < s.size() && s[i + 1] == '\n') ? 2 : 1;
      out.push_back({TokenKind::Newline, {}});
    } else if (c == " " || c == "\t") {
      size_t j = i;
      while (j < s.size() && (s[j] == ' ' || s[j] == '\t')) ++j;
      out.push_back({TokenKind::Space, s.substr(i, j - i)});
      i = j;
    } else if (BreaksAnywhere(CodePoint(c))) {
      out.push_back({TokenKind::Wide, c});
      i += n;
    } else {
      size_t j = i;
      while (j < s.size()) {
        const size_t m = CharLength(s, j);
        const std::string_view d = s.substr(j, m);
        if (d == " " || d == "\t" || d == "\r" || d == "\n" || BreaksAnywhere(CodePoint(d))) break;
        j += m;
      }
      out.push_back({TokenKind::Word, s.substr(i, j - i)});
      i = j;
    }
  }
  return out;
}

std::string TrimTrailingSpaces(std::string s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.pop_back();
  return s;
}

// ---- Fonts ------------------------------------------------------------------------------

bool TtfReady() {
  static const bool ready = [] {
    if (TTF_Init() == 0) return true;
    Warn(std::string("text cannot be drawn: ") + TTF_GetError());
    return false;
  }();
  return ready;
}

// Open fonts are kept for the whole run, one per file, size and style.
TTF_Font* OpenFont(const Font& font) {
  if (!TtfReady()) return nullptr;
  const FontFile file = FontFileFor(font.name);
  if (!file.Found()) return nullptr;
  const int px = std::max(1, FontPixels(font.points));
  const int style = (font.bold ? TTF_STYLE_BOLD : 0) | (font.italic ? TTF_STYLE_ITALIC : 0);
  static std::map<std::tuple<std::string, int, int, int>, TTF_Font*> open;
  auto key = std::make_tuple(file.path, file.face, px, style);
  auto it = open.find(key);
  if (it != open.end()) return it->second;
  TTF_Font* f = TTF_OpenFontIndex(file.path.c_str(), px, file.face);
  if (!f) {
    Warn("cannot open font " + file.path + ": " + TTF_GetError());
  } else {
    TTF_SetFontStyle(f, style);
    TTF_SetFontHinting(f, TTF_HINTING_NORMAL);
  }
  open[key] = f;  // a font that failed once is not tried again
  return f;
}

int MeasureIn(TTF_Font* f, std::string_view text) {
  if (!f || text.empty()) return 0;
  int w = 0, h = 0;
  if (TTF_SizeUTF8(f, std::string(text).c_str(), &w, &h) != 0) return 0;
  return w;
}

// The captions were laid out for MS P Gothic, whose Latin letters are narrower than IPA
// P Gothic's: "WidX: 14m" needs 62 px where its label has 59. Rather than wrap such a line and
// lose its end below the label, the gaps next to Latin characters may each give up a pixel per
// six pixels of font size (its digits are a third wider: "：+10815円" takes 66 px of 58).
int SqueezableGaps(std::string_view line) {
  int gaps = 0;
  bool previousWide = true, first = true;
  for (size_t i = 0; i < line.size();) {
    const size_t n = CharLength(line, i);
    const bool wide = BreaksAnywhere(CodePoint(line.substr(i, n)));
    if (!first && !(wide && previousWide)) ++gaps;
    previousWide = wide;
    first = false;
    i += n;
  }
  return gaps;
}

// The narrowest a line can be drawn.
int SqueezePerGap(TTF_Font* f) {
  return std::max(1, TTF_FontHeight(f) / 6);
}

int SqueezedWidth(TTF_Font* f, std::string_view line) {
  const int natural = MeasureIn(f, line);
  return natural == 0 ? 0 : std::max(1, natural - SqueezableGaps(line) * SqueezePerGap(f));
}

// Where a line's baseline lies below its top: as MS P Gothic places it (86 % of the em),
// which is a pixel higher than IPA P Gothic would, so that the one-line labels of the design,
// a pixel shorter than the font, keep the feet of their characters.
int BaselineShift(TTF_Font* f, const Font& font) {
  return int(std::lround(FontPixels(font.points) * 0.86)) - TTF_FontAscent(f);
}

// ---- Rendering and its cache ------------------------------------------------------------

// Glyph coverage (0..255) over a w x h box; what a rendering of a caption keeps.
struct Coverage {
  int w = 0, h = 0;
  std::vector<uint8_t> alpha;
  int inkX0 = 0, inkY0 = 0, inkX1 = 0, inkY1 = 0;  // the box around every covered pixel

  void FindInk() {
    inkX0 = w, inkY0 = h, inkX1 = 0, inkY1 = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (alpha[size_t(y) * w + x]) {
          inkX0 = std::min(inkX0, x), inkX1 = std::max(inkX1, x + 1);
          inkY0 = std::min(inkY0, y), inkY1 = std::max(inkY1, y + 1);
        }
  }
};

// Renders one line of text and adds its coverage into cov at (x, y), clipped to cov.
void RenderLine(TTF_Font* f, const std::string& line, int x, int y, Coverage& cov) {
  if (line.empty()) return;
  SDL_Surface* rendered = TTF_RenderUTF8_Blended(f, line.c_str(), SDL_Color{255, 255, 255, 255});
  if (!rendered) return;
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(rendered);
  if (!argb) return;
  for (int ry = 0; ry < argb->h; ++ry) {
    const int cy = y + ry;
    if (cy < 0 || cy >= cov.h) continue;
    auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(argb->pixels) +
                                                  size_t(ry) * argb->pitch);
    for (int rx = 0; rx < argb->w; ++rx) {
      const int cx = x + rx;
      if (cx < 0 || cx >= cov.w) continue;
      uint8_t& a = cov.alpha[size_t(cy) * cov.w + cx];
      a = uint8_t(std::max<uint32_t>(a, row[rx] >> 24));
    }
  }
  SDL_FreeSurface(argb);
}

// The width a label's text may take: its own, up to where a label in front of it that shares
// most of its rows begins (the status panel's deleted name ends where the price starts).
int TextRoom(const Control& label) {
  int room = label.width;
  if (!label.form) return room;
  for (const auto& other : label.form->controls) {
    const Control& o = *other;
    if (&o == &label) break;  // the rest lie behind it
    if (o.kind != ControlKind::Label || o.container != label.container || !o.visible ||
        o.caption.empty())
      continue;
    const int shared = std::min(o.top + o.height, label.top + label.height) - std::max(o.top, label.top);
    if (2 * shared >= label.height && o.left > label.left && o.left < label.left + room)
      room = o.left - label.left;
  }
  return room;
}

// Everything a label's look depends on; the cached rendering is reused while it is the same.
struct LabelKey {
  std::string caption;
  std::string fontName;
  double points;
  bool bold, italic;
  int width, height, room;
  Align align;
  bool operator==(const LabelKey&) const = default;
};

LabelKey KeyOf(const Control& c) {
  return {c.caption, c.font.name, c.font.points, c.font.bold, c.font.italic,
          c.width,   c.height,    TextRoom(c),   c.align};
}

struct CachedText {
  LabelKey key;
  Coverage coverage;
  // An opaque label drawn whole in the colours it had last time, copied as it is while they
  // stay the same.
  Surface opaque;
  uint32_t opaqueFore = 0, opaqueBack = 0;
};

// Keyed per control; each entry also holds the inputs it was made from, so a control that
// reuses the address of one that is gone never gets a stale picture.
using TextCache = std::unordered_map<const Control*, CachedText>;

CachedText& Cached(TextCache& cache, const Control& c, Coverage (*render)(const Control&)) {
  if (cache.size() > 4096) cache.clear();  // forms rebuilt again and again, as tests do
  LabelKey key = KeyOf(c);
  auto it = cache.find(&c);
  if (it != cache.end() && it->second.key == key) return it->second;
  ++g_renderCount;
  CachedText& entry = cache[&c];
  entry.key = std::move(key);
  entry.coverage = render(c);
  entry.coverage.FindInk();
  entry.opaque = Surface();
  return entry;
}

// Draws a line character by character, `squeeze` pixels narrower than its natural width, taking
// up to a pixel from each gap next to a Latin character, spread evenly along the line.
void RenderSqueezed(TTF_Font* f, const std::string& line, int squeeze, int x, int y, Coverage& cov) {
  const int gaps = SqueezableGaps(line);
  int gap = 0;
  bool previousWide = true, first = true;
  for (size_t i = 0; i < line.size();) {
    const size_t n = CharLength(line, i);
    const std::string c = line.substr(i, n);
    const bool wide = BreaksAnywhere(CodePoint(c));
    if (!first && !(wide && previousWide)) ++gap;
    previousWide = wide;
    first = false;
    if (c != " ") {
      const int at = MeasureIn(f, std::string_view(line).substr(0, i)) - gap * squeeze / gaps;
      RenderLine(f, c, x + at, y, cov);
    }
    i += n;
  }
}

// One line of a label on its own, its pen starting `pad` pixels in, and how far it was squeezed:
// no more than a line that fits its room needs, but as far as it takes (and may go) to bring
// the ink itself inside the room, since a glyph's ink may reach past its advance.
struct LineRendering {
  Coverage cov;
  int pad = 0, advance = 0;
};

LineRendering RenderFitted(TTF_Font* f, const std::string& line, int room, int top, int height) {
  LineRendering r;
  r.pad = TTF_FontHeight(f);
  const int natural = MeasureIn(f, line);
  const int most = SqueezableGaps(line) * SqueezePerGap(f);
  for (int squeeze = std::clamp(natural - room, 0, most);; ++squeeze) {
    r.cov = Coverage{natural + 2 * r.pad, height, {}};
    r.cov.alpha.assign(size_t(r.cov.w) * r.cov.h, 0);
    if (squeeze > 0)
      RenderSqueezed(f, line, squeeze, r.pad, top, r.cov);
    else
      RenderLine(f, line, r.pad, top, r.cov);
    r.cov.FindInk();
    r.advance = natural - squeeze;
    if (r.cov.inkX1 - r.cov.inkX0 <= room || squeeze >= most) return r;
  }
}

// Adds src into dst with src's (0, 0) at dst's (x, y).
void AddCoverage(const Coverage& src, int x, int y, Coverage& dst) {
  for (int sy = src.inkY0; sy < src.inkY1; ++sy) {
    if (y + sy < 0 || y + sy >= dst.h) continue;
    for (int sx = src.inkX0; sx < src.inkX1; ++sx) {
      if (x + sx < 0 || x + sx >= dst.w) continue;
      uint8_t& a = dst.alpha[size_t(y + sy) * dst.w + x + sx];
      a = std::max(a, src.alpha[size_t(sy) * src.w + sx]);
    }
  }
}

Coverage RenderLabel(const Control& label) {
  Coverage cov{label.width, label.height, {}};
  if (cov.w <= 0 || cov.h <= 0) return cov;
  cov.alpha.assign(size_t(cov.w) * cov.h, 0);
  TTF_Font* f = OpenFont(label.font);
  if (!f) return cov;
  const int room = TextRoom(label);
  const int lineHeight = TTF_FontHeight(f);
  int y = BaselineShift(f, label.font);
  for (const std::string& line : LabelLines(label)) {
    if (y >= cov.h) break;  // clipped to the label's height
    const LineRendering r = RenderFitted(f, line, room, y, cov.h);
    int x = label.align == Align::Left    ? 0
            : label.align == Align::Right ? room - r.advance
                                          : (room - r.advance) / 2;
    // The ink stays inside the room where it can: a pixel of a last stroke or of an italic
    // overhang moves the line rather than being cut off.
    x = std::min(x, room - (r.cov.inkX1 - r.pad));
    x = std::max(x, -(r.cov.inkX0 - r.pad));
    AddCoverage(r.cov, x - r.pad, 0, cov);
    y += lineHeight;
  }
  return cov;
}

Coverage RenderTextLine(const Control& box) {
  Coverage cov;
  TTF_Font* f = OpenFont(box.font);
  if (!f || box.caption.empty()) return cov;
  cov.w = MeasureIn(f, box.caption);
  cov.h = TTF_FontHeight(f);
  if (cov.w <= 0 || cov.h <= 0) return {};
  cov.alpha.assign(size_t(cov.w) * cov.h, 0);
  RenderLine(f, box.caption, 0, 0, cov);
  return cov;
}

Rect FrameClip(const Surface& frame, const Rect& clip, const Rect& box) {
  return Intersect(Intersect(clip, {0, 0, frame.width, frame.height}), box);
}

void FillRect(Surface& frame, const Rect& r, uint32_t color) {
  for (int y = r.y; y < r.y + r.h; ++y) {
    uint32_t* d = &frame.At(r.x, y);
    std::fill(d, d + r.w, color);
  }
}

uint32_t Blend(uint32_t dst, uint32_t fore, uint32_t a) {
  const uint32_t na = 255 - a;
  const uint32_t r = (((fore >> 16) & 0xFF) * a + ((dst >> 16) & 0xFF) * na + 127) / 255;
  const uint32_t g = (((fore >> 8) & 0xFF) * a + ((dst >> 8) & 0xFF) * na + 127) / 255;
  const uint32_t b = ((fore & 0xFF) * a + (dst & 0xFF) * na + 127) / 255;
  return (r << 16) | (g << 8) | b;
}

// Lays coverage whose (0, 0) is at frame pixel (x, y) onto the frame in colour, inside area.
void Paint(const Coverage& cov, int x, int y, uint32_t color, Surface& frame, const Rect& area) {
  const Rect ink{x + cov.inkX0, y + cov.inkY0, cov.inkX1 - cov.inkX0, cov.inkY1 - cov.inkY0};
  if (ink.w <= 0 || ink.h <= 0) return;
  const Rect r = Intersect(area, ink);
  for (int fy = r.y; fy < r.y + r.h; ++fy) {
    const uint8_t* a = &cov.alpha[size_t(fy - y) * cov.w + (r.x - x)];
    uint32_t* d = &frame.At(r.x, fy);
    for (int i = 0; i < r.w; ++i) {
      if (a[i] == 0) continue;
      d[i] = a[i] == 255 ? color : Blend(d[i], color, a[i]);
    }
  }
}

TextCache& LabelCache() {
  static TextCache cache;
  return cache;
}

TextCache& TextBoxCache() {
  static TextCache cache;
  return cache;
}

// The byte offset clamped into the text and back to the start of a character.
size_t CaretOffset(const std::string& text, size_t caret) {
  caret = std::min(caret, text.size());
  while (caret > 0 && caret < text.size() &&
         (static_cast<unsigned char>(text[caret]) & 0xC0) == 0x80)
    --caret;
  return caret;
}

}  // namespace

int FontPixels(double points) {
  return int(std::lround(points * 96.0 / 72.0));
}

std::vector<std::string> WrapText(std::string_view text, int width,
                                  const std::function<int(std::string_view)>& measure) {
  std::vector<std::string> lines;
  if (width <= 0) return lines;
  // The line being filled, and where each of its pieces (a Japanese character, a Latin word, a
  // run of blanks) begins, so that a break may move back by whole pieces.
  std::string current;
  std::vector<size_t> starts;
  bool lineStartsAfterWrap = false;
  auto fits = [&](const std::string& s) { return measure(TrimTrailingSpaces(s)) <= width; };
  auto append = [&](std::string_view piece) {
    starts.push_back(current.size());
    current += piece;
  };
  auto isSpace = [&](size_t i) { return current[starts[i]] == ' ' || current[starts[i]] == '\t'; };
  auto firstOf = [&](size_t i) {
    return CodePoint(std::string_view(current).substr(starts[i], CharLength(current, starts[i])));
  };
  auto lastOf = [&](size_t i) {
    size_t at = (i + 1 < starts.size() ? starts[i + 1] : current.size()) - 1;
    while (at > starts[i] && (static_cast<unsigned char>(current[at]) & 0xC0) == 0x80) --at;
    return CodePoint(std::string_view(current).substr(at, CharLength(current, at)));
  };
  // Ends the line before piece `cut`; the pieces from there on begin the next line, without
  // the blanks at the break.
  auto wrapBefore = [&](size_t cut) {
    size_t first = cut;
    while (first < starts.size() && isSpace(first)) ++first;
    const size_t from = first < starts.size() ? starts[first] : current.size();
    std::string rest = current.substr(from);
    std::vector<size_t> restStarts;
    for (size_t i = first; i < starts.size(); ++i) restStarts.push_back(starts[i] - from);
    current.resize(cut < starts.size() ? starts[cut] : current.size());
    lines.push_back(TrimTrailingSpaces(std::move(current)));
    current = std::move(rest);
    starts = std::move(restStarts);
    lineStartsAfterWrap = true;
  };
  // Where to break before a piece that does not fit: right before it, unless the next line
  // would begin with a character that never begins one or this one would end with a character
  // that never ends one; then earlier, carrying whole pieces along, as long as something stays.
  auto breakFor = [&](uint32_t next) {
    auto bad = [&](size_t cut) {
      if (isSpace(cut - 1)) return false;  // a break at blanks is always allowed
      const uint32_t first = cut < starts.size() ? firstOf(cut) : next;
      return NeverStartsALine(first) || NeverEndsALine(lastOf(cut - 1));
    };
    size_t cut = starts.size();
    while (cut > 1 && bad(cut)) --cut;
    if (bad(cut)) cut = starts.size();
    wrapBefore(cut);
  };
  for (const Token& t : Tokenize(text)) {
    switch (t.kind) {
      case TokenKind::Newline:
        lines.push_back(TrimTrailingSpaces(std::move(current)));
        current.clear();
        starts.clear();
        lineStartsAfterWrap = false;
        break;
      case TokenKind::Space:
        // The blanks where a line was wrapped vanish; elsewhere they are kept.
        if (!(current.empty() && lineStartsAfterWrap)) append(t.text);
        break;
      case TokenKind::Wide:
      case TokenKind::Word: {
        if (fits(current + std::string(t.text))) {
          append(t.text);
          break;
        }
        if (!TrimTrailingSpaces(current).empty()) {
          breakFor(CodePoint(t.text.substr(0, CharLength(t.text, 0))));
          if (fits(current + std::string(t.text))) {
            append(t.text);
            break;
          }
          if (!TrimTrailingSpaces(current).empty()) wrapBefore(starts.size());
        }
        current.clear();
        starts.clear();
        if (fits(std::string(t.text))) {
          append(t.text);
          break;
        }
        // Wider than a whole line: break it between characters, one at least per line.
        for (size_t i = 0; i < t.text.size();) {
          const size_t n = CharLength(t.text, i);
          const std::string_view c = t.text.substr(i, n);
          if (!current.empty() && !fits(current + std::string(c))) wrapBefore(starts.size());
          append(c);
          i += n;
        }
        break;
      }
    }
  }
  current = TrimTrailingSpaces(std::move(current));
  if (!current.empty()) lines.push_back(std::move(current));
  return lines;
}

int TextWidth(const Font& font, std::string_view text) {
  return MeasureIn(OpenFont(font), text);
}

std::vector<std::string> LabelLines(const Control& label) {
  TTF_Font* f = OpenFont(label.font);
  if (!f) return {};
  return WrapText(label.caption, TextRoom(label),
                  [f](std::string_view s) { return SqueezedWidth(f, s); });
}

void DrawLabel(const Control& label, Surface& frame, int x, int y, const Rect& clip) {
  const Rect area = FrameClip(frame, clip, {x, y, label.width, label.height});
  if (area.w <= 0 || area.h <= 0) return;
  if (label.caption.empty()) {
    if (!label.transparent) FillRect(frame, area, label.backColor);
    return;
  }
  CachedText& text = Cached(LabelCache(), label, RenderLabel);
  if (label.transparent) {
    Paint(text.coverage, x, y, label.foreColor, frame, area);
    return;
  }
  if (text.opaque.Empty() || text.opaqueFore != label.foreColor ||
      text.opaqueBack != label.backColor) {
    text.opaque = Surface(label.width, label.height, label.backColor);
    Paint(text.coverage, 0, 0, label.foreColor, text.opaque, {0, 0, label.width, label.height});
    text.opaqueFore = label.foreColor;
    text.opaqueBack = label.backColor;
  }
  BitBlt(frame, area.x, area.y, area.w, area.h, text.opaque, area.x - x, area.y - y, Rop::SrcCopy);
}

void DrawTextBox(const Control& box, Surface& frame, int x, int y, const Rect& clip, bool focused) {
  const Rect area = FrameClip(frame, clip, {x, y, box.width, box.height});
  if (area.w <= 0 || area.h <= 0) return;
  FillRect(frame, area, box.backColor);
  TTF_Font* f = OpenFont(box.font);
  if (!f) return;
  // A small margin inside the box, the text centred in its height, scrolled left when the
  // caret would leave the box.
  constexpr int kMargin = 2;
  const int lineHeight = TTF_FontHeight(f);
  const int top = y + std::max(0, (box.height - lineHeight) / 2);
  const size_t caret = CaretOffset(box.caption, box.caret);
  const int caretX = MeasureIn(f, std::string_view(box.caption).substr(0, caret));
  // A disabled box shows its text from the start, wherever its caret was left.
  const int scroll = box.enabled ? std::max(0, caretX - (box.width - 2 * kMargin - 1)) : 0;
  const int left = x + kMargin - scroll;
  if (!box.caption.empty())
    Paint(Cached(TextBoxCache(), box, RenderTextLine).coverage, left, top, box.foreColor, frame,
          area);
  if (focused && g_caretVisible) {
    const Rect bar = Intersect(area, {left + caretX, top, 1, std::min(lineHeight, box.height)});
    if (bar.w > 0 && bar.h > 0) FillRect(frame, bar, box.foreColor);
  }
}

void SetCaretVisible(bool on) {
  g_caretVisible = on;
}

int TextRenderCount() {
  return g_renderCount;
}

}  // namespace platform
