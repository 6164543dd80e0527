#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/toolkit/control_def.h"
#include "platform/raster/surface.h"

// The window toolkit: forms and their controls, built from the stored window definitions.
// Game code reads and writes the fields directly, as it would a control's properties; every
// position is in pixels at run time.

namespace platform {

struct Form;

struct Font {
  std::string name;  // design name, e.g. "ＭＳ Ｐゴシック"; empty: the default interface font
  double points = 9;
  bool bold = false;
  bool italic = false;
  bool operator==(const Font&) const = default;
};

struct Control {
  const ControlDef* def = nullptr;
  std::string name;
  int index = -1;
  ControlKind kind = ControlKind::Label;
  Form* form = nullptr;
  Control* container = nullptr;  // nullptr: the form itself

  int left = 0, top = 0, width = 0, height = 0;  // pixels, relative to the container
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;            // a line's end points, pixels of its container
  int lineWidth = 1;
  bool visible = true;
  bool enabled = true;
  uint32_t backColor = 0, foreColor = 0;  // 0xRRGGBB
  bool transparent = false;
  Align align = Align::Left;
  Font font;
  std::string caption;  // a label's caption or the text box's text, UTF-8

  // Picture boxes: the picture (stored or loaded) and the surface that shows, which holds the
  // back colour, the picture at (0, 0) and whatever was drawn into it since the last Cls.
  Surface picture;
  Surface image;

  // Timers.
  int interval = 0;
  int64_t dueMicros = 0;  // next tick, while enabled
  std::function<void()> onTimer;

  // Labels and picture boxes that take clicks.
  std::function<void()> onClick;

  // The text box: caret as a byte offset into caption; a filter every typed or pasted text
  // passes through before it is inserted (it may replace or drop characters); and the most
  // characters (code points) typing or pasting may fill it with, 0 for no limit.
  size_t caret = 0;
  std::function<std::string(std::string_view)> inputFilter;
  size_t maxLength = 0;

  std::string DisplayName() const;  // "sarch(0)" for an array item, else the name
  void Cls();                       // picture boxes: back to the back colour and the picture
  void SetPicture(Surface p);       // replaces the picture and clears to it
  void SetEnabled(bool on);         // timers: turning on starts a fresh period
  bool Shown() const;               // visible, and so is every container and the form
};

struct Form {
  Form() = default;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;
  ~Form();  // leaves Forms()

  const FormDef* def = nullptr;
  std::string name;
  std::string caption;
  int clientWidth = 0, clientHeight = 0;  // pixels
  uint32_t backColor = kButtonFace;
  Surface picture;  // background picture, drawn at (0, 0) over the back colour
  Surface icon;
  bool keyPreview = false;
  bool loaded = false;
  bool shown = false;
  std::vector<std::unique_ptr<Control>> controls;  // table order

  std::function<void()> onLoad;
  std::function<void(int vk, int mask)> onKeyDown;

  Control& operator()(std::string_view name, int index = -1);  // aborts on an unknown name
  Control* Find(std::string_view name, int index = -1);
  Control* FindByDisplayName(std::string_view displayName);  // "sarch(3)" or "title"
  std::vector<Control*> ChildrenOf(const Control* container);  // front to back
};

// Builds a form and all its controls from a definition; pictures are not attached here.
std::unique_ptr<Form> BuildForm(const FormDef& def);

// Every form that exists, in creation order; the hosts run their timers and show them.
std::vector<Form*>& Forms();

// Show loads a form first (running onLoad) when it is not loaded yet, then shows it.
void ShowForm(Form& form);
// Unloads a form: hidden, its timers stop.
void CloseForm(Form& form);

// Thrown by EndProgram; the host catches it, ends the run, and no further handler runs.
struct ProgramEnded {
  std::string reason;  // "escape", "close", "missing-file", ...
};
[[noreturn]] void EndProgram(const std::string& reason);

// Virtual-key codes and modifier mask bits, as the game's key handler receives them.
namespace vk {
constexpr int Back = 8, Enter = 13, Shift = 16, Control = 17, Escape = 27, Space = 32;
constexpr int Left = 37, Up = 38, Right = 39, Down = 40, Delete = 46, Home = 36, End = 35;
constexpr int Numpad0 = 96, Numpad2 = 98, Numpad4 = 100, Numpad6 = 102, Numpad8 = 104;
constexpr int MaskShift = 1, MaskCtrl = 2, MaskAlt = 4;
}  // namespace vk

}  // namespace platform
