#include "platform/text/text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "platform/sdl/fonts.h"
#include "platform/toolkit/window.h"
#include "shell/window_tables.h"
#include "support/files.h"

using namespace platform;
using Lines = std::vector<std::string>;

namespace {

// A stand-in font: 6 px for an ASCII character, 12 px for any other (the bytes that continue a
// UTF-8 character add nothing).
int Measure(std::string_view s) {
  int w = 0;
  for (const unsigned char b : s) w += b < 0x80 ? 6 : (b & 0xC0) != 0x80 ? 12 : 0;
  return w;
}

Control MakeLabel(int w, int h, std::string caption) {
  Control c;
  c.width = w;
  c.height = h;
  c.caption = std::move(caption);
  c.foreColor = 0x80FF80;
  c.backColor = 0x808080;
  c.transparent = true;
  return c;
}

int CountColor(const Surface& s, uint32_t color) {
  return int(std::count(s.pixels.begin(), s.pixels.end(), color));
}

// The leftmost and rightmost columns holding a pixel other than `back`, or -1.
std::pair<int, int> InkColumns(const Surface& s, uint32_t back) {
  int first = -1, last = -1;
  for (int x = 0; x < s.width; ++x)
    for (int y = 0; y < s.height; ++y)
      if (s.At(x, y) != back) {
        if (first < 0) first = x;
        last = x;
      }
  return {first, last};
}

// The label drawn at (x, y) into a fresh w x h frame of the colour back.
Surface Drawn(const Control& label, int w, int h, uint32_t back = 0, int x = 0, int y = 0) {
  Surface frame(w, h, back);
  DrawLabel(label, frame, x, y, {0, 0, w, h});
  return frame;
}

// The text box drawn at (5, 4) into a 200 x 30 frame, a fresh black one unless given.
Surface DrawnBox(const Control& box, bool focused, Surface frame = Surface(200, 30, 0)) {
  DrawTextBox(box, frame, 5, 4, {0, 0, 200, 30}, focused);
  return frame;
}

}  // namespace

// Japanese breaks between any two characters, keeping the line-breaking rules (no line begins
// with closing punctuation, a small kana or the long-vowel mark, none ends with an opening
// bracket: the character before, or the bracket, moves down with it); Latin breaks at spaces
// and long words anywhere; line breaks in the text always break.
TEST(Text, WrapsAsJapaneseAndLatinTextWrap) {
  // The text, the width, the lines.
  const std::tuple<const char*, int, Lines> cases[] = {
      {"あいうえお", 36, {"あいう", "えお"}},
      {"ab あいう", 36, {"ab あ", "いう"}},
      {"あい", 5, {"あ", "い"}},  // narrower than a character: one a line, never a hang
      {"消えたまえ！", 60, {"消えたま", "え！"}},
      // Within Japanese text a line breaks after its last clause mark, when that leaves a
      // quarter of it filled and the rest fits on the next line.
      {"君を降格する！さっさと消えたまえ！", 144, {"君を降格する！", "さっさと消えたまえ！"}},
      {"あ、いうえおかきくけ", 108, {"あ、いうえおかきく", "け"}},
      {"あいう。えお、かきくけこさしすせそた",
       96,
       {"あいう。えお、", "かきくけこさしす", "せそた"}},
      {"ないよぉ～", 48, {"ない", "よぉ～"}},
      {"あいうえ、お", 48, {"あいう", "え、お"}},
      {"あいうっか", 36, {"あい", "うっか"}},
      {"あいうーか", 36, {"あい", "うーか"}},
      {"あい（うえ）", 36, {"あい", "（う", "え）"}},
      {"あい「う」え", 36, {"あい", "「う」", "え"}},
      {"ab (cd", 30, {"ab", "(cd"}},
      {"あ 」", 24, {"あ", "」"}},         // a break at a blank is always allowed
      {"ーーーー", 36, {"ーーー", "ー"}},  // nothing can move: break where it must
      {"WidX: 14m here", 60, {"WidX: 14m", "here"}},
      {"aaaa    bbbb", 24, {"aaaa", "bbbb"}},
      {"abcdefghijkl", 30, {"abcde", "fghij", "kl"}},
      {"ab cdefghijkl", 30, {"ab", "cdefg", "hijkl"}},
      {"150000円", 30, {"15000", "0円"}},
      {"  Label2", 100, {"  Label2"}},
      {"a\r\nb\nc", 100, {"a", "b", "c"}},
      {"a\n\nb", 100, {"a", "", "b"}},
      {"", 100, {}},
      {"abc", 0, {}},
  };
  for (const auto& [text, width, lines] : cases)
    EXPECT_EQ(WrapText(text, width, Measure), lines) << text << " " << width;
  // Broken UTF-8 is laid out byte by byte rather than read past its end.
  EXPECT_EQ(WrapText("\xE3\x81", 100, Measure).size(), 1u);
}

TEST(Text, DesignFontsMapToTheIpaFontsAndAMissingOneFallsBackWithOneWarning) {
  for (auto [name, file] :
       {std::pair{"ＭＳ Ｐゴシック", "ipagp"}, {"", "ipagp"}, {"ＭＳ Ｐ明朝", "ipamp"}})
    EXPECT_NE(FontFileFor(name).path.find(file), std::string::npos) << name;
  testing::internal::CaptureStderr();
  const FontFile first = FontFileFor("ＭＳ ゴシック体KZV");
  const FontFile again = FontFileFor("ＭＳ ゴシック体KZV");
  const std::string err = testing::internal::GetCapturedStderr();
  ASSERT_TRUE(first.Found());
  // The fallback, both times.
  EXPECT_EQ(Lines({first.path, again.path}), Lines(2, FindJapaneseFont().path));
  EXPECT_NE(err.find("ＭＳ ゴシック体KZV"), std::string::npos) << err;
  EXPECT_EQ(err.find('\n'), err.size() - 1) << "exactly one line: " << err;
  // Its text is drawn all the same.
  Control label = MakeLabel(80, 16, "澄香より");
  label.font.name = "ＭＳ ゴシック体KZV";
  EXPECT_GT(CountColor(Drawn(label, 80, 16), label.foreColor), 0);
}

TEST(Text, CaptionsWrapInsideTheLabelInItsOwnFont) {
  auto form = BuildForm(kForm1Def);
  const Control& remark = (*form)("keka", 4);
  const Lines lines = LabelLines(remark);
  ASSERT_GE(lines.size(), 2u);
  std::string joined;
  for (const std::string& line : lines) {
    EXPECT_LE(TextWidth(remark.font, line), remark.width) << line;
    joined += line;
  }
  EXPECT_EQ(joined, remark.caption);
  // The next character would not have fitted on the first line.
  const std::string next = lines[0] + lines[1].substr(0, 3);
  EXPECT_GT(TextWidth(remark.font, next), remark.width);
}

TEST(Text, ALatinLineALittleTooWideIsDrawnTighterRatherThanWrapped) {
  auto form = BuildForm(kForm1Def);
  Control& box = (*form)("box");
  box.caption = "WidX: 92m";
  ASSERT_GT(TextWidth(box.font, box.caption), box.width);  // the substitute font is wider
  EXPECT_EQ(LabelLines(box), Lines{"WidX: 92m"});
  // Drawn as it would be in a label wide enough, only tighter: its last stroke whole.
  Control roomy = box;
  roomy.form = nullptr;
  roomy.width = 100;
  const Surface cut = Drawn(box, 100, 20), whole = Drawn(roomy, 100, 20);
  const auto [cutFirst, cutLast] = InkColumns(cut, 0);
  EXPECT_LE(cutFirst, 1);
  ASSERT_LT(cutLast, box.width);
  EXPECT_GE(cutLast, box.width - 6);  // the "m" is there, not cut off
  for (int y = 0; y < 20; ++y)
    EXPECT_EQ(cut.At(cutLast, y), whole.At(InkColumns(whole, 0).second, y)) << y;
  // Two labels of the status panel share a row; the deleted name ends before the price begins.
  Control& deleted = (*form)("ndel");
  Control& value = (*form)("dne");
  deleted.caption = "Del._= 長谷川 亜希子";
  value.caption = "：+10700円";
  EXPECT_EQ(LabelLines(value), Lines{"：+10700円"});
  const Surface panel = Drawn(deleted, deleted.width, deleted.height);
  EXPECT_LT(InkColumns(panel, 0).second, value.left - deleted.left);
  EXPECT_EQ(LabelLines(deleted).front().rfind("Del._= 長谷川", 0), 0u);
  // Japanese text is never squeezed: it wraps as designed.
  box.caption = "一般市民一般市民";
  EXPECT_EQ(LabelLines(box).size(), 2u);
}

TEST(Text, OpaqueLabelsFillTheirBackTransparentOnesDoNot) {
  Control label = MakeLabel(40, 11, "");
  Surface frame = Drawn(label, 60, 20, 0x123456, 5, 3);
  EXPECT_EQ(CountColor(frame, 0x123456), 60 * 20);  // transparent, no caption: nothing drawn
  label.transparent = false;
  DrawLabel(label, frame, 5, 3, {0, 0, 60, 20});
  EXPECT_EQ(CountColor(frame, 0x808080), 40 * 11);
  EXPECT_EQ(std::pair(frame.At(5, 3), frame.At(44, 13)), std::pair(0x808080u, 0x808080u));
  // Clipped to the rectangle it is given.
  Surface clipped(60, 20, 0);
  DrawLabel(label, clipped, 5, 3, {10, 0, 5, 20});
  EXPECT_EQ(CountColor(clipped, 0x808080), 5 * 11);
  // With a caption: the text over the back colour, in the colours of the moment.
  label.caption = "Label2";
  label.foreColor = 0x004000;
  const Surface log = Drawn(label, 60, 20, 0x123456, 5, 3);
  EXPECT_GT(CountColor(log, 0x004000), 5);
  EXPECT_EQ(CountColor(log, 0x123456), 60 * 20 - 40 * 11);
}

TEST(Text, TextIsAlignedAndClippedToTheLabel) {
  Control label = MakeLabel(120, 14, "0円");
  std::pair<int, int> ink[3];
  for (Align align : {Align::Left, Align::Right, Align::Center}) {
    label.align = align;
    ink[int(align)] = InkColumns(Drawn(label, 120, 30), 0);
  }
  const auto [l0, l1] = ink[int(Align::Left)];
  const auto [r0, r1] = ink[int(Align::Right)];
  EXPECT_LE(l0, 2);
  EXPECT_GE(r1, 116);
  EXPECT_NEAR(ink[int(Align::Center)].first - l0, (r0 - l0) / 2, 1);
  EXPECT_NEAR(r1 - r0, l1 - l0, 1);
  // Nothing below the label's height, even for a caption of several lines.
  label.caption = "一行目\n二行目\n三行目";
  const Surface tall = Drawn(label, 120, 30);
  for (int y = 14; y < 30; ++y)
    for (int x = 0; x < 120; ++x) ASSERT_EQ(tall.At(x, y), 0u) << x << "," << y;
}

TEST(Text, TheTextBoxShowsItsCaretWhileFocused) {
  // In the label's colour of text, on a back of its own.
  Control box = MakeLabel(185, 22, "");
  box.kind = ControlKind::TextBox;
  box.transparent = false;
  box.backColor = 0x404040;
  box.font = {"ＭＳ Ｐゴシック", 15.75, true, false};
  Surface frame = DrawnBox(box, false);
  EXPECT_EQ(CountColor(frame, 0x404040), 185 * 22);
  frame = DrawnBox(box, true, frame);
  // A caret as tall as 15.75 points at 96 dpi, at the margin.
  EXPECT_EQ(CountColor(frame, 0x80FF80), 21);
  EXPECT_EQ(frame.At(7, 14), 0x80FF80u);
  SetCaretVisible(false);
  frame = DrawnBox(box, true, frame);
  SetCaretVisible(true);
  EXPECT_EQ(CountColor(frame, 0x80FF80), 0);

  // With text, the caret stands after the characters before it.
  box.caption = "日向 澄香";
  box.caret = box.caption.size();
  frame = DrawnBox(box, true, frame);
  const int caretX = 5 + 2 + TextWidth(box.font, box.caption);
  for (int y = 5; y < 4 + 21; ++y) EXPECT_EQ(frame.At(caretX, y), 0x80FF80u) << y;
  EXPECT_GT(CountColor(frame, 0x80FF80), 21);
  // What the input method composes stands at the caret as the committed text will, underlined
  // on the line's bottom row, the caret after it; an unfocused box shows none of it.
  box.caret = std::string("日向 ").size();
  SetComposition("すみか");
  const Surface composing = DrawnBox(box, true), unfocused = DrawnBox(box, false);
  SetComposition("");
  EXPECT_EQ(unfocused.pixels, DrawnBox(box, false).pixels);
  Control committed = box;
  committed.caption = "日向 すみか澄香";
  committed.caret = std::string("日向 すみか").size();
  const Surface typed = DrawnBox(committed, true);
  const int from = 5 + 2 + TextWidth(box.font, "日向 "),
            to = 5 + 2 + TextWidth(box.font, "日向 すみか");
  int row = -1;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 200; ++x)
      if (composing.At(x, y) != typed.At(x, y)) {
        if (row < 0) row = y;
        ASSERT_TRUE(y == row && x >= from && x < to) << "differs at " << x << "," << y;
      }
  ASSERT_GE(row, 4 + 11);  // below the glyphs' middle
  for (int x = from; x < to; ++x) EXPECT_EQ(composing.At(x, row), 0x80FF80u) << x;
  // A long text scrolls so that the caret stays inside the box.
  box.caption = std::string(80, 'W');
  box.caret = box.caption.size();
  const Surface wide = DrawnBox(box, true);
  for (int y = 5; y < 25; ++y) EXPECT_EQ(wide.At(5 + 185 - 3, y), 0x80FF80u) << y;
  EXPECT_EQ(wide.At(5 + 185, 10), 0u);
  // Disabled, it shows the text from its start wherever the caret was left.
  const Surface scrolled = DrawnBox(box, false);
  box.enabled = false;
  const Surface disabled = DrawnBox(box, false);
  box.caret = 0;
  EXPECT_EQ(disabled.pixels, DrawnBox(box, false).pixels);
  EXPECT_NE(disabled.pixels, scrolled.pixels);
}

// Run in a fresh process (fonts are looked up once per run): with a fontconfig that knows no
// font at all, labels still draw their back colour, text is left out, and one warning says so.
TEST(TextDeathTest, WithNoFontAtAllTextIsLeftOutWithOneWarning) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const std::string config = testing::TempDir() + "kzv-no-fonts.conf";
  EXPECT_EXIT(
      {
        WriteFile(config, "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n");
        setenv("FONTCONFIG_FILE", config.c_str(), 1);
        Control label = MakeLabel(40, 12, "ガングロ");
        label.transparent = false;
        Surface frame = Drawn(label, 40, 12);
        DrawLabel(label, frame, 0, 0, {0, 0, 40, 12});
        Control box = label;
        box.kind = ControlKind::TextBox;
        DrawTextBox(box, frame, 0, 0, {0, 0, 40, 12}, true);
        std::exit(CountColor(frame, 0x808080) == 40 * 12 && LabelLines(label).empty() ? 0 : 1);
      },
      testing::ExitedWithCode(0),
      "^K\\.Z\\.V: no font that covers Japanese is installed; text is not drawn\n$");
}
