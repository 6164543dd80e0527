// The full-screen pictures (title, result, play interface), the status panel, the briefing
// pages and the small stored pictures of the title and the launcher.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "art.h"
#include "language/language.h"
#include "layout.h"
#include "text.h"

namespace {

const TextStyle kBody{Face::PGothic, 13, false, true};
const TextStyle kBodyBold{Face::PGothic, 13, true, true};
const TextStyle kSmall{Face::PGothic, 11, false, true};
const TextStyle kHeading{Face::PGothic, 16, true, true};

// The faint grid of a console screen.
void ConsoleBackground(Image& im, uint32_t base, int step) {
  for (int y = 0; y < im.h; ++y)
    for (int x = 0; x < im.w; ++x) im.Set(x, y, Mix(base, ink::Black, 0.35 * y / im.h));
  for (int x = 0; x < im.w; x += step) DashedVLine(im, x, 0, im.h - 1, 1, 3, Mix(base, ink::Dim, 0.5));
  for (int y = 0; y < im.h; y += step) DashedHLine(im, 0, im.w - 1, y, 1, 3, Mix(base, ink::Dim, 0.5));
}

// A frame around a panel of the window: a bevel just outside the control's rectangle.
void PanelFrame(Image& im, const Rect& r, int margin = 2) {
  Bevel(im, r.x - margin - 1, r.y - margin - 1, r.w + 2 * margin + 2, r.h + 2 * margin + 2,
        ink::Black, ink::Mid, ink::Faint);
  FrameRect(im, r.x - 1, r.y - 1, r.w + 2, r.h + 2, ink::Dim);
}

// A small drawing of the satellite: body, two solar wings, the gun barrel pointing down.
void DrawSatellite(Image& im, int cx, int cy, int s, uint32_t c) {
  FillRect(im, cx - s, cy - s, 2 * s, 2 * s, Scale(c, 0.5));
  FrameRect(im, cx - s, cy - s, 2 * s, 2 * s, c);
  for (int side : {-1, 1}) {
    int x0 = side < 0 ? cx - s - 4 * s : cx + s + 1;
    FillRect(im, x0, cy - s / 2, 4 * s - 1, s, Scale(c, 0.3));
    FrameRect(im, x0, cy - s / 2, 4 * s - 1, s, c);
    for (int k = 1; k < 4; ++k) Line(im, x0 + k * s, cy - s / 2, x0 + k * s, cy + s / 2 - 1, c);
    Line(im, side < 0 ? x0 + 4 * s - 1 : x0, cy, side < 0 ? cx - s : cx + s, cy, c);
  }
  FillRect(im, cx - 1, cy + s, 3, 2 * s, c);
}

void DrawLines(Image& im, int x, int y, const std::vector<std::string>& lines, uint32_t color,
               const TextStyle& st, int lineHeight) {
  for (const std::string& line : lines) {
    DrawText(im, x, y, line, color, st);
    y += lineHeight;
  }
}

Image PageFrame(const std::string& heading, int n) {
  Image im(378, 211, ink::Black);
  ConsoleBackground(im, ink::Panel, 12);
  FrameRect(im, 0, 0, im.w, im.h, ink::Mid);
  FrameRect(im, 2, 2, im.w - 4, im.h - 4, ink::Dim);
  FillRect(im, 3, 3, im.w - 6, 20, Scale(ink::Mid, 0.35));
  DrawText(im, 10, 5, heading, ink::Bright, kHeading);
  if (n > 0) {
    std::string tag = "PAGE " + std::to_string(n) + "/3";
    DrawText(im, im.w - 10 - TextWidth(tag, kSmall), 7, tag, ink::Mid, kSmall);
  }
  DrawText(im, im.w - 10 - TextWidth("Shift ▶", kSmall), im.h - 16, "Shift ▶", ink::Mid, kSmall);
  return im;
}

}  // namespace

std::string MenuItemText(int item) {
  const std::string items[] = {Tr("ブリーフィング"), Tr("ヘルプ"), Tr("ミッション開始")};
  return items[item];
}

void DrawMenuItem(Image& im, int x, int y, int item, bool highlighted) {
  const TextStyle st{Face::PGothic, 12, true, true};
  if (highlighted) {
    FillRect(im, x, y, 105, 15, ink::Bright);
    FrameRect(im, x, y, 105, 15, ink::White);
    DrawText(im, x + 14, y + 1, "▶", ink::Black, st);
  } else {
    FillRect(im, x, y, 105, 15, ink::Black);
    FrameRect(im, x, y, 105, 15, ink::Faint);
  }
  DrawTextCentered(im, x + 58, y + 1, MenuItemText(item), highlighted ? ink::Black : ink::Bright, st);
}

Image MakeTitle() {
  Image im(640, 480, ink::Black);
  ConsoleBackground(im, ink::Panel, 16);
  // The name, the subtitle and the studio.
  const TextStyle big{Face::PGothic, 110, true, true};
  DrawGlowText(im, 40, 120, "K.Z.V", ink::Bright, ink::Mid, big, 4);
  DrawText(im, 48, 250, Tr("軌道狙撃衛星 ― ORBITAL SNIPER SATELLITE"), ink::Mid, kHeading);
  DrawText(im, 48, 276, Tr("上空三万六千キロから、街の標的を狙え。"), ink::Dim, kBody);
  // The SOUND panel, top right: the switch's emblem, and at its left the well where the
  // sound-off mark shows (the mark's place is fixed left of the click area, so the panel
  // reaches out to it).
  Rect sic = ControlRect("sic"), si = ControlRect("si");
  const int panelLeft = si.x - 6;
  FrameRect(im, panelLeft, sic.y, sic.Right() - panelLeft, sic.h, ink::Dim);
  FrameRect(im, si.x - 2, si.y - 2, si.w + 4, si.h + 4, ink::Dim);
  DrawTextCentered(im, si.x + si.w / 2, si.y + si.h / 2 - 7, "ON", ink::Dim, kSmall);
  DrawSatellite(im, sic.x + sic.w / 2, sic.y + 70, 8, ink::Bright);
  Ring(im, sic.x + sic.w / 2, sic.y + 150, 26, 1.5, ink::Mid);
  Ring(im, sic.x + sic.w / 2, sic.y + 150, 14, 1.5, ink::Mid);
  DrawTextCentered(im, sic.x + sic.w / 2, sic.y + sic.h - 22, "SOUND", ink::Mid, kSmall);
  // The menu, where the highlight pictures lie over it.
  const TextStyle label{Face::PGothic, 11, false, true};
  DrawText(im, 223, 384, Tr("MENU ― ↑↓で選択 / Shiftで決定"), ink::Mid, label);
  for (int item = 0; item < 3; ++item) {
    Rect r = ControlRect("pa", item);
    Rect title = ControlRect("title");
    DrawMenuItem(im, title.x + r.x, title.y + r.y, item, false);
  }
  FillRect(im, 0, 462, 640, 18, Scale(ink::Panel, 0.6));
  DashedHLine(im, 0, 639, 461, 4, 2, ink::Dim);
  return im;
}

Image MakeMenuHighlight(int item) {
  Image im(105, 15, ink::Black);
  DrawMenuItem(im, 0, 0, item, true);
  return im;
}

Image MakeResult() {
  Image im(640, 480, ink::Black);
  ConsoleBackground(im, ink::Panel, 16);
  DrawGlowText(im, 40, 30, "MISSION RESULT", ink::Bright, ink::Mid, {Face::PGothic, 30, true, true}, 3);
  DrawText(im, 44, 70, Tr("作戦結果報告"), ink::Mid, kHeading);
  struct Caption {
    const char* name;
    int index;
    std::string text;
  } captions[] = {{"keka", 0, Tr("ガングロ排除数")}, {"keka", 1, Tr("民間人被害数")},
                  {"keka", 2, Tr("今回の作戦報酬")}, {"keka", 3, Tr("これまでの最高報酬")}};
  const TextStyle cap{Face::PGothic, 15, true, true};
  for (const Caption& c : captions) {
    Rect r = ControlRect(c.name, c.index);
    FillRect(im, 120, r.y - 3, r.Right() - 120 + 6, r.h + 6, Scale(ink::Panel, 1.6));
    FrameRect(im, 120, r.y - 3, r.Right() - 120 + 6, r.h + 6, ink::Dim);
    DrawText(im, 130, r.y + 2, c.text, ink::Mid, cap);
  }
  Rect rank = ControlRect("keka", 5);
  FrameRect(im, rank.x - 70, rank.y - 6, rank.w + 78, rank.h + 12, ink::Mid);
  DrawText(im, rank.x - 62, rank.y + 2, Tr("評価"), ink::Mid, cap);
  // The commander's remark, signed at its bottom right by the label Label4: the box holds both.
  Rect remark = ControlRect("keka", 4), signature = ControlRect("Label4");
  const int boxBottom = signature.Bottom() + 5;
  Bevel(im, remark.x - 8, remark.y - 8, remark.w + 16, boxBottom - (remark.y - 8), Scale(ink::Panel, 1.4), ink::Mid, ink::Faint);
  DrawText(im, remark.x - 6, remark.y - 25, Tr("司令部より"), ink::Bright, kSmall);
  Rect name = ControlRect("ename");
  // One frame around the name box and the hint right under it, clear of both texts (the
  // hint's glyphs reach a few pixels past its label).
  Rect hint = ControlRect("chu");
  const int frameRight = std::max(name.Right(), hint.Right()) + 4;
  FrameRect(im, name.x - 2, name.y - 1, frameRight - (name.x - 2), hint.Bottom() + 5 - (name.y - 1), ink::Mid);
  DrawText(im, 120, name.y + 4, Tr("記録者名"), ink::Mid, cap);
  DrawText(im, 120, 452, Tr("Enterで記録してタイトルへ"), ink::Bright, kSmall);
  return im;
}

Image MakeInterface() {
  Image im(640, 480, ink::Black);
  ConsoleBackground(im, Rgb(8, 20, 12), 20);
  for (const char* name : {"main", "big", "jyo", "gaga", "allm", "gungb", "bp"}) PanelFrame(im, ControlRect(name));
  // The message log: one frame around all nine lines, with room below the last line, whose
  // glyphs reach past its label.
  Rect first = ControlRect("sarch", 0), last = ControlRect("sarch", 8);
  PanelFrame(im, {first.x, first.y, first.w, last.Bottom() + 3 - first.y});
  // The position read-out and the version plate.
  Rect box = ControlRect("box"), box2 = ControlRect("box2");
  PanelFrame(im, {box.x, box.y, box.w, box2.Bottom() - box.y}, 1);
  Rect version = ControlRect("Label1");
  FillRect(im, version.x - 2, version.y - 1, version.w + 4, version.h + 2, Rgb(160, 176, 168));
  // The shot gauge: a scale beside the line.
  Rect li = LineEnds("li");
  for (int y = li.y; y <= li.h; y += 4) Line(im, li.x + 3, y, li.x + ((y - li.y) % 20 == 0 ? 9 : 6), y, ink::Dim);
  DrawText(im, li.x + 10, li.y - 4, "SHOT", ink::Mid, kSmall);
  // Panel titles.
  Rect main = ControlRect("main"), big = ControlRect("big"), allm = ControlRect("allm");
  DrawText(im, main.x, main.y - 18, "MAP VIEW", ink::Mid, kSmall);
  DrawText(im, big.x, big.y - 18, "SCOPE  ×4.4", ink::Mid, kSmall);
  // The log and the city overview sit right under the map view, so their titles go below them.
  const int under = std::max(allm.Bottom(), last.Bottom() + 3) + 5;
  DrawText(im, allm.x, under, "CITY", ink::Mid, kSmall);
  DrawText(im, first.x, under, "LOG", ink::Mid, kSmall);
  DrawGlowText(im, 330, 14, "K.Z.V  ORBITAL SNIPER SATELLITE", ink::Bright, ink::Dim, kHeading, 2);
  return im;
}

Image MakeStatusPanel() {
  Image im(166, 86, ink::Panel);
  Bevel(im, 0, 0, 166, 86, ink::Panel, ink::Mid, ink::Faint);
  Rect yen = ControlRect("yenm");
  FillRect(im, 3, yen.y, 160, yen.h, Scale(ink::Panel, 0.5));
  DrawText(im, 6, yen.y + 3, Tr("報酬 ￥"), ink::Mid, kSmall);
  DashedHLine(im, 3, 162, 30, 2, 2, ink::Dim);
  DashedHLine(im, 3, 162, 68, 2, 2, ink::Dim);
  DrawText(im, 6, 71, Tr("識別"), ink::Dim, kSmall);
  return im;
}

namespace {

// The pages that are text alone: heading, the lines' spacing and the lines.
struct TextPage {
  std::string heading;
  int lineHeight;
  std::vector<std::string> lines;
};

// Made anew at each call: the pages are drawn once in every language.
std::optional<TextPage> TextPageOf(int n) {
  const TextPage help = {
      Tr("ヘルプ ― 操作方法"), 18,
      {Tr("タイトル画面"), Tr("　↑ ↓ … 項目を選ぶ　　Shift … 決定 / ページをめくる"),
       Tr("　S … 音の入/切　　　　Esc … ゲームを終了する"), Tr("作戦中"),
       Tr("　← ↑ → ↓（テンキー 4 8 6 2）… 照準を動かす"), Tr("　Shift … 発射（充電が終わってから）"),
       Tr("　Esc … ゲームを終了する（記録は残りません）"), Tr("結果画面"), Tr("　名前を入力して Enter … 記録する")}};
  const TextPage mission = {
      Tr("ブリーフィング ― 任務"), 20,
      {Tr("諸君は軌道狙撃衛星「K.Z.V」の射撃手に選ばれた。"), Tr("衛星は上空から街を見下ろし、"),
       Tr("地上の一人を正確に撃ち抜くことができる。"), Tr("街には千人の市民が歩いている。"),
       Tr("その中に紛れたガングロを探し出し、排除せよ。"), Tr("一回の作戦で撃てる弾は５６発だ。"),
       Tr("一発ごとに砲身の充電が必要になる。")}};
  const TextPage reward = {
      Tr("ブリーフィング ― 報酬"), 19,
      {Tr("ガングロ　＋10100〜11000円（10000円に＋1〜10％）"), Tr("　連続で命中すると１人ごとに＋5％（最大＋100％）"),
       Tr("一般市民　－15150〜16500円"), Tr("子供　　　－20200〜22000円"), Tr("老人　　　－10100〜11000円"),
       Tr("罰金も報酬と同じく、１発ごとに1〜10％の幅で変わる。"), Tr("外れても罰金はないが、連続ボーナスは消える。"),
       Tr("報酬でＳ〜Ｅの評価が下り、最高報酬なら名前が残る。")}};
  if (n == 1) return help;
  if (n == 2) return mission;
  if (n == 4) return reward;
  return std::nullopt;
}

}  // namespace

Image MakePage(int n) {
  if (const std::optional<TextPage> page = TextPageOf(n)) {
    Image im = PageFrame(page->heading, n - 1);
    DrawLines(im, 16, 32, page->lines, ink::Bright, kBody, page->lineHeight);
    return im;
  }
  if (n == 3) {
    Image im = PageFrame(Tr("ブリーフィング ― 識別"), 2);
    DrawText(im, 16, 32, Tr("目標（ガングロ）の姿："), ink::Bright, kBodyBold);
    for (int look = 1; look <= 4; ++look) DrawPersonSprite(im, 24 + (look - 1) * 40, 52, look, 2);
    // The target marker as the NO LOCK panel shows it.
    Paste(im, 300, 26, MakeTargetMarker());
    DrawText(im, 222, 52, Tr("標的マーク ▶"), ink::Mid, kSmall);
    // Everybody else shares eight looks that tell no age: only the identification panel
    // names a citizen, a child or an elder.
    DrawText(im, 16, 94, Tr("撃ってはならない人々（姿では種別は分からない）："), ink::Bright, kBodyBold);
    for (int look = 5; look <= 12; ++look) DrawPersonSprite(im, 24 + (look - 5) * 40, 114, look, 2);
    DrawLines(im, 16, 152, {Tr("照準を人に重ねると、識別欄に名前と種別が出る。"), Tr("目標のときだけ、NO LOCK欄に標的マークが点く。")},
              ink::Bright, kBody, 18);
    return im;
  }
  // Page 5: shown while the city is being built.
  Image im(378, 211, ink::Black);
  ConsoleBackground(im, ink::Panel, 12);
  FrameRect(im, 0, 0, im.w, im.h, ink::Mid);
  DrawSatellite(im, 189, 70, 7, ink::Bright);
  DrawTextCentered(im, 189, 120, Tr("衛星リンク確立中…"), ink::Bright, kHeading);
  DrawTextCentered(im, 189, 146, "SATELLITE LINK ― LOADING CITY DATA", ink::Mid, kSmall);
  FrameRect(im, 90, 172, 198, 10, ink::Mid);
  FillRect(im, 92, 174, 140, 6, ink::Bright);
  return im;
}

Image MakeLauncher() {
  Image im(63, 94, ink::Black);
  FrameRect(im, 0, 0, 63, 94, ink::Mid);
  FrameRect(im, 2, 2, 59, 90, ink::Dim);
  DrawSatellite(im, 31, 28, 3, ink::Bright);
  DrawTextCentered(im, 32, 50, "K.Z.V", ink::Bright, {Face::PGothic, 14, true, true});
  DrawTextCentered(im, 32, 72, Tr("起動中"), ink::Mid, kSmall);
  return im;
}

Image MakeSoundOff() {
  Image im(42, 74, ink::Black);
  FrameRect(im, 0, 0, 42, 74, ink::Alarm);
  // A speaker with a cross over it.
  FillRect(im, 8, 22, 8, 14, ink::Bright);
  for (int i = 0; i < 10; ++i) Line(im, 16 + i, 22 - i, 16 + i, 35 + i, ink::Bright);
  Line(im, 6, 12, 36, 46, ink::Alarm);
  Line(im, 7, 12, 37, 46, ink::Alarm);
  Line(im, 36, 12, 6, 46, ink::Alarm);
  Line(im, 37, 12, 7, 46, ink::Alarm);
  DrawTextCentered(im, 21, 52, "OFF", ink::Alarm, {Face::PGothic, 13, true, true});
  return im;
}
