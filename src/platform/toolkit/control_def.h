#pragma once
#include <cstdint>

// What a window definition is: one row per control, exactly as designed. Window building,
// drawing, hit-testing, the data generator's interface frame and the tests all read such rows.

namespace platform {

enum class ControlKind { PictureBox, Label, TextBox, Shape, Line, Timer };
enum class Align { Left, Right, Center };

constexpr int kTwipsPerPixel = 15;
// The system colour "window background".
constexpr uint32_t kWindowBackground = 0xFFFFFF;
// The system colour "button face", the default background of a window.
constexpr uint32_t kButtonFace = 0xD4D0C8;
// The system colour "window text".
constexpr uint32_t kWindowText = 0x000000;

struct ControlDef {
  const char* name;
  int index;              // position in a control array, -1 for a single control
  ControlKind kind;
  const char* container;  // name of the containing picture box, nullptr for the window itself
  // Position and size in twips, relative to the container. For a line: X1, Y1, X2, Y2.
  int left, top, width, height;
  bool visible;
  bool enabled;           // for a timer: enabled at creation
  uint32_t backColor;     // 0xRRGGBB
  uint32_t foreColor;     // text colour; outline or line colour for shapes and lines
  bool transparent;       // labels: background shows the container
  Align align;
  const char* fontName;   // nullptr: the default interface font
  double fontPoints;      // 0: the default size
  bool bold;
  bool italic;
  const char* caption;    // label caption or text box text (UTF-8); nullptr for none
  const char* storedPicture;  // name of a stored picture, or nullptr
  const char* pictureFile;    // data file loaded into it at run time (documentation), or nullptr
  int interval;           // timers, milliseconds
  int lineWidth;          // lines, pixels
};

struct FormDef {
  const char* name;
  const char* caption;
  int clientWidthTwips, clientHeightTwips;  // design client area
  uint32_t backColor;
  bool bordered;          // false: a borderless window
  bool keyPreview;
  const char* storedIcon; // stored picture used as the window icon, or nullptr
  const char* storedPicture;  // stored background picture, or nullptr
  const ControlDef* controls;  // front to back within each container
  int controlCount;
};

}  // namespace platform
