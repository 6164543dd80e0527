// The stored definitions of the two windows, control by control, in twips.
#include "shell/window_tables.h"

#include "language/language.h"

using namespace platform;

namespace {

constexpr ControlKind PB = ControlKind::PictureBox;
constexpr ControlKind LB = ControlKind::Label;
constexpr ControlKind TB = ControlKind::TextBox;
constexpr ControlKind SH = ControlKind::Shape;
constexpr ControlKind LN = ControlKind::Line;
constexpr ControlKind TM = ControlKind::Timer;
constexpr Align L = Align::Left;
constexpr Align R = Align::Right;
constexpr const char* kGothic = "ＭＳ Ｐゴシック";
constexpr const char* kMincho = "ＭＳ Ｐ明朝";
constexpr uint32_t kWin = kWindowBackground;
constexpr uint32_t kTxt = kWindowText;

// Picture boxes: name, index, container, rectangle, visible, back colour, stored picture, file.
constexpr ControlDef Pic(const char* name, int index, const char* container, int x, int y, int w,
                         int h, bool visible, uint32_t back, const char* stored,
                         const char* file) {
  return {name, index, PB, container, x, y, w, h, visible, true, back, kTxt, false, L,
          nullptr, 0, false, false, nullptr, stored, file, 0, 0};
}

// Labels: name, index, container, rectangle, caption, text colour, transparent, back colour,
// alignment, font.
constexpr ControlDef Lbl(const char* name, int index, const char* container, int x, int y, int w,
                         int h, const char* caption, uint32_t fore, bool transparent = true,
                         uint32_t back = kButtonFace, Align align = L, const char* font = nullptr,
                         double points = 0, bool bold = false, bool italic = false) {
  return {name, index, LB, container, x, y, w, h, true, true, back, fore, transparent, align,
          font, points, bold, italic, caption, nullptr, nullptr, 0, 0};
}

constexpr ControlDef Tmr(const char* name, int interval, bool enabled) {
  return {name, -1, TM, nullptr, 0, 0, 0, 0, false, enabled, 0, 0, false, L,
          nullptr, 0, false, false, nullptr, nullptr, nullptr, interval, 0};
}

constexpr ControlDef kForm1Controls[] = {
    // Top level, front to back.
    Pic("ending", -1, nullptr, 0, 0, 9600, 7200, false, kWin, nullptr, "end.mcg"),
    Pic("title", -1, nullptr, 0, 0, 9600, 7200, true, 0x8080FF, nullptr, "title.mcg"),
    Pic("gungb", -1, nullptr, 3465, 5385, 960, 960, true, 0x404040, "gungb", nullptr),
    Pic("jyo", -1, nullptr, 855, 5040, 2490, 1290, true, 0x404040, nullptr, "jyo.mcg"),
    Pic("gaga3", -1, nullptr, -2490, 7875, 3690, 930, true, 0x404040, nullptr, "genai.mcg"),
    Pic("gaga2", -1, nullptr, -2820, 7560, 3690, 930, true, 0x404040, nullptr, "geari.mcg"),
    Pic("gaga", -1, nullptr, 1185, 4815, 3690, 930, true, 0x404040, nullptr, "geari.mcg"),
    Pic("allm", -1, nullptr, 6510, 4425, 1410, 1410, true, 0x404040, "allm", nullptr),
    Tmr("Tim3", 50, false),
    Pic("noise", -1, nullptr, 1365, 8085, 3375, 750, true, 0x404040, nullptr, "noise.mcg"),
    Pic("big", -1, nullptr, 1455, 1545, 3000, 3000, true, 0x000000, nullptr, nullptr),
    Tmr("Tim2", 1000, false),
    Pic("peple", -1, nullptr, 10095, 6090, 2925, 450, true, kWin, "peple", nullptr),
    Pic("chi", -1, nullptr, 10035, 4560, 1350, 450, true, kWin, "chi", nullptr),
    Pic("line2", -1, nullptr, 4860, 7455, 3375, 15, true, 0x000000, "line2", nullptr),
    Pic("line1", -1, nullptr, 4845, 7590, 15, 3375, true, 0x000000, "line1", nullptr),
    Pic("sol", -1, nullptr, 10050, 5775, 450, 225, true, 0x000000, "sol", nullptr),
    Pic("bp", -1, nullptr, 9015, 4650, 225, 225, true, 0x000000, nullptr, nullptr),
    Tmr("tim1", 1, false),
    Pic("work", -1, nullptr, 9960, 1035, 3375, 3375, true, 0x000000, nullptr, nullptr),
    Pic("main", -1, nullptr, 4875, 990, 3375, 3375, true, 0x000000, nullptr, nullptr),
    Pic("cip", -1, nullptr, 10035, 5190, 12000, 450, true, kWin, nullptr, "map.mcg"),
    Pic("eye", -1, nullptr, 4935, 7545, 3375, 3375, true, 0x404040, nullptr, "eye.mcg"),
    Pic("fra", -1, nullptr, -3135, 7305, 3375, 3375, true, 0xFFFFFF, nullptr, nullptr),
    Pic("sco", -1, nullptr, 510, 7785, 3000, 6000, true, 0x000000, nullptr, "sco.mcg"),
    Pic("sco2", -1, nullptr, 615, 7260, 3000, 3000, true, 0x404040, nullptr, nullptr),
    Lbl("Label3", -1, nullptr, 30, 6960, 7755, 180, "", 0xC0C0FF),
    {"li", -1, LN, nullptr, 8415, 900, 8415, 4230, true, true, 0, 0xFFC080, false, L, nullptr, 0,
     false, false, nullptr, nullptr, nullptr, 0, 2},
    Lbl("Label1", -1, nullptr, 435, 870, 1380, 195, "Version 1.10", 0x000080),
    Lbl("ura", -1, nullptr, 2205, 390, 585, 270, "", kTxt),
    Lbl("box2", -1, nullptr, 3975, 1245, 885, 195, "WidY: 14m", 0x80FF80),
    Lbl("box", -1, nullptr, 3975, 1065, 885, 195, "WidX: 14m", 0x80FF80),
    Lbl("sarch", 0, nullptr, 4890, 4440, 1605, 165, "Label2", 0x80FF80, false, 0x808080),
    Lbl("sarch", 1, nullptr, 4890, 4650, 1605, 165, "Label2", 0x80FF80, false, 0x808080),
    Lbl("sarch", 2, nullptr, 4890, 4815, 1605, 165, "Label2", 0x80FF80, false, 0x808080),
    Lbl("sarch", 3, nullptr, 4890, 4980, 1605, 165, "Label2", 0x80FF80, false, 0x808080),
    Lbl("sarch", 4, nullptr, 4890, 5145, 1605, 165, "Label2", 0x80FF80, false, 0x808080),
    Lbl("sarch", 5, nullptr, 4890, 5310, 1605, 165, "Label2", 0x80FF80, false, 0x808080),
    Lbl("sarch", 6, nullptr, 4890, 5475, 1605, 165, "Label2", 0x00C000, false, 0x808080),
    Lbl("sarch", 7, nullptr, 4890, 5640, 1605, 165, "Label2", 0x008000, false, 0x808080),
    Lbl("sarch", 8, nullptr, 4890, 5805, 1605, 165, "Label2", 0x004000, false, 0x808080),

    // Children of the result screen "ending", front to back.
    {"ename", -1, TB, "ending", 5025, 4875, 2775, 330, true, true, 0x404040, 0x80FF80, false, L,
     kGothic, 15.75, true, false, TrMark("日向 澄香"), nullptr, nullptr, 0, 0},
    Lbl("Label4", -1, "ending", 6705, 6255, 1170, 240, TrMark("澄香より"), 0x80FF80, true, kButtonFace, R,
        kGothic, 11.25, true),
    Lbl("keka", 5, "ending", 7290, 1335, 1140, 315, TrMark("Ａランク"), 0x80FF80, true, kButtonFace, L,
        kGothic, 14.25, true),
    Lbl("chu2", -1, "ending", 5040, 4695, 2595, 165, TrMark("名前をエントリーしてください↓"), 0x80FF80),
    Lbl("chu", -1, "ending", 5205, 5205, 2595, 165, TrMark("全角１０文字（半角２０文字）まで"), 0x008000,
        true, kButtonFace, R),
    Lbl("keka", 4, "ending", 2520, 5625, 5370, 660,
        TrMark("君の能力は上層部でも高く評価されている。これからもがんばってくれたまえ。"), 0x80FF80, true,
        kButtonFace, L, kGothic, 14.25, true),
    Lbl("keka", 3, "ending", 5025, 4275, 2745, 300, TrMark("0円"), 0x80FF80, true, kButtonFace, R,
        kGothic, 14.25, true),
    Lbl("keka", 2, "ending", 5025, 3285, 2745, 300, TrMark("0円"), 0x80FF80, true, kButtonFace, R,
        kGothic, 14.25, true),
    Lbl("keka", 1, "ending", 5025, 2760, 2745, 300, TrMark("0人"), 0x80FF80, true, kButtonFace, R,
        kGothic, 14.25, true),
    Lbl("keka", 0, "ending", 5025, 2265, 2745, 300, TrMark("0人"), 0x80FF80, true, kButtonFace, R,
        kGothic, 14.25, true),

    // Children of the title screen "title", front to back.
    Pic("si", -1, "title", 6180, 1725, 630, 1110, false, kButtonFace, "si", nullptr),
    Pic("pa", 2, "title", 3345, 6600, 1575, 225, false, kButtonFace, "pa2", nullptr),
    Pic("pa", 1, "title", 3345, 6315, 1575, 225, false, kButtonFace, "pa1", nullptr),
    Pic("pa", 0, "title", 3345, 6030, 1575, 225, false, kButtonFace, "pa0", nullptr),
    Pic("page", -1, "title", 0, 2505, 5670, 3165, false, 0x000080, nullptr, "page1.mcg"),
    Lbl("sic", -1, "title", 6810, 540, 2520, 3015, "", kTxt),
    Lbl("Label2", -1, "title", 45, 6975, 7755, 180, "", 0xC0C0FF),

    // Children of the status panel "jyo", front to back.
    Lbl("dne", -1, "jyo", 1575, 510, 870, 180, "", 0x00C0C0),
    Lbl("ndel", -1, "jyo", 120, 510, 1530, 195, "", 0x00C0C0),
    Lbl("ccode", -1, "jyo", 1155, 1065, 825, 195, "", 0x80FF80, true, kButtonFace, R),
    Lbl("cname", -1, "jyo", 300, 720, 1920, 330, "", 0x80FF80, true, kButtonFace, R, kGothic,
        15.75, true),
    Lbl("yenm", -1, "jyo", 825, 30, 1440, 285, "0", 0x80FF80, true, kButtonFace, R, kMincho,
        15.75, true, true),

    // Child of "gungb": the target marker.
    Pic("gung", -1, "gungb", 0, 0, 960, 960, false, 0x404040, "gung", nullptr),

    // Child of the overview "allm": the frame of the visible window.
    {"all", -1, SH, "allm", 210, 165, 225, 225, true, true, 0, 0xFFFF00, true, L, nullptr, 0,
     false, false, nullptr, nullptr, nullptr, 0, 1},
};

constexpr ControlDef kForm2Controls[] = {
    Tmr("timm", 1, true),
};

}  // namespace

const platform::FormDef kForm1Def = {"Form1", "K.Z.V", 11910, 8175, kButtonFace, true, true, "icon", nullptr,
                           kForm1Controls, int(sizeof kForm1Controls / sizeof kForm1Controls[0])};

const platform::FormDef kForm2Def = {"Form2", "K.Z.V", 945, 1410, kButtonFace, false, false, "icon", "form2",
                           kForm2Controls, int(sizeof kForm2Controls / sizeof kForm2Controls[0])};
