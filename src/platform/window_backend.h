// The window system as the core's host loop needs it: one window, its events, and its frames.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/toolkit/pad_keys.h"
#include "platform/raster/rect.h"
#include "platform/raster/surface.h"
#include "platform/toolkit/window.h"

namespace platform {

// One thing the desktop reports. Keys come as the game's virtual-key codes and modifier mask
// (Shift 1, Ctrl 2, Alt 4); points as the laid-out form's client pixels.
struct WindowEvent {
  enum class Kind {
    Close,      // the close box, or the desktop asks the program to end
    KeyDown,    // key, mask, repeat (key 0: a key the game has no code for)
    KeyUp,      // key
    Text,       // text typed (UTF-8)
    Composing,  // the input method's text not yet committed (UTF-8), "" once it is done
    Press,      // the left button went down at (x, y); inside: over the client area
    Release,    // the left button came up at (x, y)
    FocusLost,  // every key and button counts as let go
    Exposed,    // the window must be drawn again (the backend shows the next frame whole)
    PadPress,   // a controller's button pressed: button
    PadRelease, // and released
    PadStick,   // the left stick moved on one axis: vertical, value -32768..32767, down positive
    PadGone,    // a controller was pulled out: whatever it held is let go
  };
  Kind kind = Kind::Close;
  int key = 0, mask = 0;
  bool repeat = false;
  std::string text;
  int x = 0, y = 0;
  bool inside = false;
  PadButton button = PadButton::Up;
  bool vertical = false;
  int value = 0;
};

// The real window on one desktop. The core's host loop (window_host.h) drives it: the backend
// only opens, lays out, shows and listens; every rule of the game's input lives in the core.
class WindowBackend {
 public:
  virtual ~WindowBackend() = default;

  // Connects to the desktop; false, with the reason said once on stderr, when there is none.
  virtual bool Connect() = 0;
  // Opens the (hidden) window for the first form; false, with the reason on stderr, when the
  // desktop gives none.
  virtual bool Open(const Form& form) = 0;
  virtual bool IsOpen() const = 0;
  // Lays the window out for form when it is another form or its size changed (its style,
  // the whole-number scale that fits the desktop, centred, icon, shown and raised), and follows
  // its caption. True when it was laid out anew: the next frame is a new one of form's size.
  virtual bool Follow(const Form& form) = 0;
  // Shows a frame of the laid-out form; changed holds the parts that differ from the frame
  // before (the backend shows all of it when the desktop lost what the window showed).
  virtual void Present(const Surface& frame, const std::vector<Rect>& changed) = 0;
  // Waits up to timeoutMs (-1: for ever) for the desktop's next events and appends every one
  // that is pending to events.
  virtual void WaitEvents(int timeoutMs, std::vector<WindowEvent>& events) = 0;
  // The modifier mask held now.
  virtual int ModifierMask() = 0;
  // Text input on, its input method placed beside a client rectangle; or off.
  virtual void StartTextInput(const Rect& client) = 0;
  virtual void StopTextInput() = 0;
  virtual void ToggleFullscreen() = 0;
  // The display's refresh period.
  virtual int64_t RefreshMicros() const = 0;
  // The text the clipboard holds (UTF-8), for Ctrl+V.
  virtual std::string ClipboardText() = 0;
  // Shows the stop box's picture in a window of its own above the game's, at the game's scale,
  // and waits until it is closed: a click on ok, Enter, Space or Escape, or its close box.
  virtual void ShowStopBox(const std::string& title, const Surface& picture, const Rect& ok) = 0;
  // Lets go of the desktop once the program has ended with status; it may end the process.
  virtual void Disconnect(int status) = 0;
};

// The window backend this build was made with (each backend folder defines it).
std::unique_ptr<WindowBackend> MakeWindowBackend();

}  // namespace platform
