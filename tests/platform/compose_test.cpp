#include "platform/raster/compose.h"

#include <gtest/gtest.h>

#include <functional>

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
  ASSERT_EQ(frame.width, 60);
  ASSERT_EQ(frame.height, 40);
  EXPECT_EQ(frame.At(5, 5), 0x00FF00u);    // the label
  EXPECT_EQ(frame.At(12, 12), 0xFF0000u);  // the picture box over the label
  EXPECT_EQ(frame.At(10, 10), 0xFF0000u);  // its hidden child is not drawn
  EXPECT_EQ(frame.At(23, 23), 0xFF00FFu);  // a label on the picture box
  EXPECT_EQ(frame.At(26, 26), 0x0000FFu);  // the child picture box over that label
  EXPECT_EQ(frame.At(29, 29), 0x0000FFu);
  EXPECT_EQ(frame.At(30, 30), 0x111111u);  // the child is cut at its container's edge
  EXPECT_EQ(frame.At(34, 20), 0x111111u);
  EXPECT_EQ(frame.At(59, 39), 0x111111u);

  // The shape's outline, one pixel wide, hollow.
  for (auto [x, y] : {std::pair{40, 5}, {45, 5}, {40, 8}, {45, 8}, {42, 5}, {40, 6}, {43, 8}})
    EXPECT_EQ(frame.At(x, y), 0xFFFF00u) << x << "," << y;
  EXPECT_EQ(frame.At(42, 6), 0x111111u);
  EXPECT_EQ(frame.At(46, 5), 0x111111u);
  // The line, two pixels wide.
  for (int y = 20; y <= 29; ++y) {
    EXPECT_EQ(frame.At(49, y), 0x00FFFFu) << y;
    EXPECT_EQ(frame.At(50, y), 0x00FFFFu) << y;
    EXPECT_EQ(frame.At(48, y), 0x111111u) << y;
    EXPECT_EQ(frame.At(51, y), 0x111111u) << y;
  }
  EXPECT_EQ(frame.At(49, 31), 0x111111u);

  // What was drawn into a picture box shows, and hiding the container hides its children.
  (*form)("C").image.At(9, 0) = 0xABCDEF;
  (*form)("C").image.At(0, 0) = 0x123456;
  ComposeForm(*form, frame);
  EXPECT_EQ(frame.At(25, 25), 0x123456u);
  (*form)("P").visible = false;
  ComposeForm(*form, frame);
  EXPECT_EQ(frame.At(12, 12), 0x00FF00u);
  EXPECT_EQ(frame.At(25, 25), 0x111111u);
}

TEST(Compose, HitTestFollowsTheSameStacking) {
  auto form = BuildForm(kTestForm);
  EXPECT_EQ(HitTest(*form, 5, 5), &(*form)("L"));
  EXPECT_EQ(HitTest(*form, 12, 12), &(*form)("P"));
  EXPECT_EQ(HitTest(*form, 10, 10), &(*form)("P"));  // its child there is hidden
  EXPECT_EQ(HitTest(*form, 23, 23), &(*form)("CL"));
  EXPECT_EQ(HitTest(*form, 26, 26), &(*form)("C"));
  EXPECT_EQ(HitTest(*form, 27, 32), nullptr);  // where the child is cut off
  EXPECT_EQ(HitTest(*form, 40, 5), nullptr);   // shapes and lines take no clicks
  EXPECT_EQ(HitTest(*form, 50, 25), nullptr);
  EXPECT_EQ(HitTest(*form, -1, 5), nullptr);
  EXPECT_EQ(HitTest(*form, 60, 5), nullptr);
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

  struct Change {
    const char* what;
    std::function<void()> change;
    int mostRedrawn;  // pixels
  };
  const Change changes[] = {
      {"nothing", [] {}, 0},
      {"a row drawn into a child box", [&] { BitBlt(f("C").image, 0, 3, 10, 1, pattern, 0, 0, Rop::SrcCopy); }, 10},
      {"the same drawn again", [&] { BitBlt(f("C").image, 0, 3, 10, 1, pattern, 0, 0, Rop::SrcCopy); }, 0},
      {"a box cleared", [&] { f("C").Cls(); }, 10},
      {"pixels written directly", [&] { f("P").image.pixels[0] = 1; f("P").image.Touch(); }, 20},
      {"a line moved", [&] { f("N").y2 -= 4; }, 5 * 14},
      {"a shape recoloured", [&] { f("S").foreColor = 0x00FF00; }, 24},
      {"a label recoloured", [&] { f("L").backColor = 0x0000FF; }, 225},
      {"a label captioned", [&] { f("L").caption = "Ab"; }, 225},
      {"a hidden box shown", [&] { f("H").visible = true; }, 25},
      {"a container moved", [&] { f("P").left += 3; }, 20 * 23},
      {"a container hidden", [&] { f("P").visible = false; }, 400},
      {"the back colour", [&] { f.backColor = 0x222222; }, 60 * 40},
  };
  for (const Change& c : changes) {
    c.change();
    int redrawn = 0;
    for (const Rect& r : composer.Compose(f, frame)) redrawn += r.w * r.h;
    Surface whole;
    ComposeForm(f, whole);
    EXPECT_TRUE(frame.pixels == whole.pixels) << c.what;
    EXPECT_LE(redrawn, c.mostRedrawn) << c.what;
  }
}
