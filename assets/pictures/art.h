#pragma once
#include "city_map.h"
#include "image.h"

#include <string>

// The colours of the console: green phosphor on black.
namespace ink {
constexpr uint32_t Black = 0x000000;
constexpr uint32_t White = 0xFFFFFF;
constexpr uint32_t Bright = 0x80FF80;   // the labels' green
constexpr uint32_t Phosphor = 0x00FF5A; // cross-hair green
constexpr uint32_t Mid = 0x30A048;
constexpr uint32_t Dim = 0x1C5A2A;
constexpr uint32_t Faint = 0x0C2612;
constexpr uint32_t Panel = 0x0A140D;
constexpr uint32_t Amber = 0xFFC080;    // the shot gauge line's colour
constexpr uint32_t Alarm = 0xFF4030;
}  // namespace ink

// Data pictures of data/.
Image MakeTileSheet();                 // map.mcg 800 x 30
Image MakeTitle();                     // title.mcg 640 x 480
Image MakeResult();                    // end.mcg 640 x 480
Image MakeInterface();                 // interface.mcg 640 x 480
Image MakeStatusPanel();               // jyo.mcg 166 x 86
Image MakeScope();                     // sco.mcg 200 x 400
Image MakeEye();                       // eye.mcg 225 x 225
Image MakeNoise();                     // noise.mcg 225 x 50
Image MakeGauge(bool charged);         // geari.mcg / genai.mcg 246 x 62
Image MakePage(int n);                 // page1.mcg .. page5.mcg 378 x 211

// Stored pictures of the window definition.
Image MakeIcon();                      // 16 x 16
Image MakeLauncher();                  // form2, 63 x 94
Image MakeSoundOff();                  // si, 42 x 74
Image MakeMenuHighlight(int item);     // pa0..pa2, 105 x 15
Image MakeMarkerBack();                // gungb, 64 x 64
Image MakeTargetMarker();              // gung, 64 x 64
Image MakeOverview(const CityMap& m);  // allm, 94 x 94
Image MakePeople();                    // peple, 195 x 30
Image MakeBlood();                     // chi, 90 x 30
Image MakeCursor();                    // sol, 30 x 15
Image MakeCrossHair(bool vertical);    // line1 1 x 225, line2 225 x 1

// Shared by the title and the highlight pictures: menu item text and its place on the title.
std::string MenuItemText(int item);
void DrawMenuItem(Image& im, int x, int y, int item, bool highlighted);
// One sprite of the people sheet drawn at (x, y) in full colour (for the briefing pages).
void DrawPersonSprite(Image& im, int x, int y, int look, int scale);
