#include "platform/raster/compose.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "platform/raster/frame_composer.h"
#include "platform/toolkit/window.h"

using namespace platform;

namespace {

constexpr int T = kTwipsPerPixel;

// Rows of the table read best one control to a row.
// clang-format off

constexpr ControlDef Box(const char* name, const char* container, int x, int y, int w, int h,
                         bool visible, uint32_t back) {
  return {name, -1, ControlKind::PictureBox, container, x * T, y * T, w * T, h * T, visible,
          true, back, 0, false, Align::Left, nullptr, 0, false, false, nullptr, nullptr, nullptr,
          0, 0};
}

constexpr ControlDef Opaque(const char* name, const char* container, int x, int y, int w, int h,
                            uint32_t back) {
  return {name, -1, ControlKind::Label, container, x * T, y * T, w * T, h * T, true, true, back,
          0, false, Align::Left, nullptr, 0, false, false, "", nullptr, nullptr, 0, 0};
}

// A small window whose every control is placed to show one rule of stacking. The label L is
// listed first, yet lies below the picture box P, as every windowless control does.
constexpr ControlDef kTestControls[] = {
    Opaque("L", nullptr, 0, 0, 15, 15, 0x00FF00),
    Box("P", nullptr, 10, 10, 20, 20, true, 0xFF0000),
    {"S", -1, ControlKind::Shape, nullptr, 40 * T, 5 * T, 6 * T, 4 * T, true, true, 0, 0xFFFF00,
     true, Align::Left, nullptr, 0, false, false, nullptr, nullptr, nullptr, 0, 1},
    {"N", -1, ControlKind::Line, nullptr, 50 * T, 20 * T, 50 * T, 29 * T, true, true, 0, 0x00FFFF,
     false, Align::Left, nullptr, 0, false, false, nullptr, nullptr, nullptr, 0, 2},
    Box("H", "P", 0, 0, 5, 5, false, 0xFFFF00),
    Box("C", "P", 15, 15, 10, 10, true, 0x0000FF),
    Opaque("CL", "P", 12, 12, 5, 5, 0xFF00FF),
};

constexpr FormDef kTestForm = {"Test", "Test", 60 * T, 40 * T, 0x111111, true, false, nullptr,
                               nullptr, kTestControls,
                               int(sizeof kTestControls / sizeof kTestControls[0])};

// clang-format on

}  // namespace

TEST(Compose, PictureBoxesLieAboveLabelsAndChildrenInsideTheirContainer) {
  auto form = BuildForm(kTestForm);
  Surface frame;
  ComposeForm(*form, frame);
  ASSERT_EQ(std::pair(frame.width, frame.height), std::pair(60, 40));
  // The label, the picture box over it (its hidden child is not drawn), a label on the picture
  // box, the child picture box over that label, cut at its container's edge; the shape's
  // outline, one pixel wide, hollow; below the line.
  const std::tuple<int, int, uint32_t> points[] = {
      {5, 5, 0x00FF00},   {12, 12, 0xFF0000}, {10, 10, 0xFF0000}, {23, 23, 0xFF00FF},
      {26, 26, 0x0000FF}, {29, 29, 0x0000FF}, {30, 30, 0x111111}, {34, 20, 0x111111},
      {59, 39, 0x111111}, {40, 5, 0xFFFF00},  {45, 5, 0xFFFF00},  {40, 8, 0xFFFF00},
      {45, 8, 0xFFFF00},  {42, 5, 0xFFFF00},  {40, 6, 0xFFFF00},  {43, 8, 0xFFFF00},
      {42, 6, 0x111111},  {46, 5, 0x111111},  {49, 31, 0x111111}};
  for (auto [x, y, colour] : points) EXPECT_EQ(frame.At(x, y), colour) << x << "," << y;
  // The line, two pixels wide.
  for (int y = 20; y <= 29; ++y)
    for (auto [x, colour] :
         {std::pair{48, 0x111111u}, {49, 0x00FFFFu}, {50, 0x00FFFFu}, {51, 0x111111u}})
      EXPECT_EQ(frame.At(x, y), colour) << x << "," << y;

  // What was drawn into a picture box shows, and hiding the container hides its children.
  (*form)("C").image.At(9, 0) = 0xABCDEF;
  (*form)("C").image.At(0, 0) = 0x123456;
  ComposeForm(*form, frame);
  EXPECT_EQ(frame.At(25, 25), 0x123456u);
  (*form)("P").visible = false;
  ComposeForm(*form, frame);
  EXPECT_EQ(std::pair(frame.At(12, 12), frame.At(25, 25)), std::pair(0x00FF00u, 0x111111u));
}

TEST(Compose, HitTestFollowsTheSameStacking) {
  auto form = BuildForm(kTestForm);
  // At (10, 10) the child of P is hidden; at (27, 32) the child is cut off; shapes and lines
  // take no clicks; nothing outside the window does.
  const std::tuple<int, int, const char*> hits[] = {
      {5, 5, "L"},       {12, 12, "P"},    {10, 10, "P"},     {23, 23, "CL"},   {26, 26, "C"},
      {27, 32, nullptr}, {40, 5, nullptr}, {50, 25, nullptr}, {-1, 5, nullptr}, {60, 5, nullptr}};
  for (auto [x, y, control] : hits)
    EXPECT_EQ(HitTest(*form, x, y), control ? &(*form)(control) : nullptr) << x << "," << y;
  (*form)("L").visible = false;  // a hidden label takes no click either
  EXPECT_EQ(HitTest(*form, 5, 5), nullptr);
}

// Whatever changes, the kept frame is the whole composition again, and only the part around
// the change is redrawn.
TEST(Compose, TheKeptFrameRedrawsOnlyWhatChanged) {
  auto form = BuildForm(kTestForm);
  Form& f = *form;
  for (const char* name : {"P", "C", "H"}) f(name).Cls();
  FrameComposer composer;
  Surface frame;
  ASSERT_EQ(composer.Compose(f, frame), (std::vector<Rect>{{0, 0, 60, 40}}));
  Surface pattern(10, 10, 0x445566);
  const auto drawRow = [&] { BitBlt(f("C").image, 0, 3, 10, 1, pattern, 0, 0, Rop::SrcCopy); };

  // What changes, how, the most pixels that may be redrawn for it.
  const std::tuple<const char*, std::function<void()>, int> changes[] = {
      {"nothing", [] {}, 0},
      {"a row drawn into a child box", drawRow, 10},
      {"the same drawn again", drawRow, 0},
      {"a box cleared", [&] { f("C").Cls(); }, 10},
      {"pixels written directly",
       [&] {
         f("P").image.pixels[0] = 1;
         f("P").image.Touch();
       },
       20},
      {"a line moved", [&] { f("N").y2 -= 4; }, 5 * 14},
      {"a shape recoloured", [&] { f("S").foreColor = 0x00FF00; }, 24},
      {"a label recoloured", [&] { f("L").backColor = 0x0000FF; }, 225},
      {"a label captioned", [&] { f("L").caption = "Ab"; }, 225},
      {"a hidden box shown", [&] { f("H").visible = true; }, 25},
      {"a container moved", [&] { f("P").left += 3; }, 20 * 23},
      {"a container hidden", [&] { f("P").visible = false; }, 400},
      {"the back colour", [&] { f.backColor = 0x222222; }, 60 * 40},
  };
  for (const auto& [what, change, mostRedrawn] : changes) {
    change();
    int redrawn = 0;
    for (const Rect& r : composer.Compose(f, frame)) redrawn += r.w * r.h;
    Surface whole;
    ComposeForm(f, whole);
    EXPECT_TRUE(frame.pixels == whole.pixels) << what;
    EXPECT_LE(redrawn, mostRedrawn) << what;
  }
}
