#include "platform/text/line_breaking.h"

#include <algorithm>
#include <string>

#include "platform/text/text.h"
#include "platform/text/utf8.h"

namespace platform {
namespace {

// The character at s[i]; a byte that begins no well-formed character stands as one.
std::string_view CharacterAt(std::string_view s, size_t i) {
  return s.substr(i, std::max<size_t>(1, Utf8CharacterLength(s.substr(i))));
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

// Marks that close a clause or a sentence: a Japanese line broken after one splits no word.
bool EndsAClause(uint32_t cp) {
  static const std::u32string kClauseEnd = U"、。，．！？…‥!?";
  return kClauseEnd.find(char32_t(cp)) != std::u32string::npos;
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
    const std::string_view c = CharacterAt(s, i);
    const size_t n = c.size();
    if (c == "\r" || c == "\n") {
      i += (c == "\r" && i + 1 < s.size() && s[i + 1] == '\n') ? 2 : 1;
      out.push_back({TokenKind::Newline, {}});
    } else if (c == " " || c == "\t") {
      size_t j = i;
      while (j < s.size() && (s[j] == ' ' || s[j] == '\t')) ++j;
      out.push_back({TokenKind::Space, s.substr(i, j - i)});
      i = j;
    } else if (BreaksAnywhere(Utf8CodePoint(c))) {
      out.push_back({TokenKind::Wide, c});
      i += n;
    } else {
      size_t j = i;
      while (j < s.size()) {
        const std::string_view d = CharacterAt(s, j);
        const size_t m = d.size();
        if (d == " " || d == "\t" || d == "\r" || d == "\n" || BreaksAnywhere(Utf8CodePoint(d))) break;
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

}  // namespace

bool BreaksAnywhere(uint32_t codePoint) {
  return codePoint >= 0x2E80;
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
    return Utf8CodePoint(CharacterAt(current, starts[i]));
  };
  auto lastOf = [&](size_t i) {
    size_t at = (i + 1 < starts.size() ? starts[i + 1] : current.size()) - 1;
    while (at > starts[i] && IsUtf8Continuation(current[at])) --at;
    return Utf8CodePoint(CharacterAt(current, at));
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
  // Japanese text has no blanks to show where a word ends, but a clause mark does: a line that
  // must wrap in the middle of Japanese text breaks after its last clause mark instead, when
  // that leaves at least a quarter of the line filled and the rest fits on the next line with
  // `next`. False when there is no such mark.
  auto breakAfterClause = [&](std::string_view next) {
    for (size_t cut = starts.size() - 1; cut >= 1; --cut) {
      if (!EndsAClause(lastOf(cut - 1)) || NeverStartsALine(firstOf(cut)) || isSpace(cut)) continue;
      if (measure(current.substr(0, starts[cut])) * 4 < width) return false;
      if (!fits(current.substr(starts[cut]) + std::string(next))) return false;
      wrapBefore(cut);
      return true;
    }
    return false;
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
          if (t.kind != TokenKind::Wide || !breakAfterClause(t.text)) breakFor(Utf8CodePoint(CharacterAt(t.text, 0)));
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
          const std::string_view c = CharacterAt(t.text, i);
          if (!current.empty() && !fits(current + std::string(c))) wrapBefore(starts.size());
          append(c);
          i += c.size();
        }
        break;
      }
    }
  }
  current = TrimTrailingSpaces(std::move(current));
  if (!current.empty()) lines.push_back(std::move(current));
  return lines;
}

}  // namespace platform
