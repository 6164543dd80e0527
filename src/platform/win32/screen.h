#pragma once
// The one real window on Win32: it takes the front form's size at the whole-number scale that
// fits the desktop, its caption and icon, and shows the frames the core composes with GDI.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/raster/rect.h"
#include "platform/raster/surface.h"
#include "platform/toolkit/window.h"

namespace platform {

class Win32Screen {
 public:
  Win32Screen() = default;
  Win32Screen(const Win32Screen&) = delete;
  Win32Screen& operator=(const Win32Screen&) = delete;
  ~Win32Screen();

  // Opens the (hidden) window of the window class; false, with the reason on stderr, when
  // Windows gives none. Its messages go to the class's procedure with owner in its user data.
  bool Open(const wchar_t* windowClass, void* owner, HWND parent = nullptr);
  bool IsOpen() const { return window_ != nullptr; }
  HWND Window() const { return window_; }

  // Lays the window out for form when it is another form or its size changed (shown, raised
  // and centred), and follows its caption. True when the window was laid out anew.
  bool Follow(const Form& form);
  void ToggleFullscreen();

  // Shows a frame: the changed parts, or all of it when the desktop lost what it showed.
  void Present(const Surface& frame, const std::vector<Rect>& changed);
  // Shows the last frame whole again (WM_PAINT).
  void Repaint();
  void ShowWholeNext() { whole_ = true; }

  // A client point of the window mapped to the form's client pixels; false outside it.
  bool WindowToClient(int wx, int wy, int& cx, int& cy) const;
  // A form rectangle in the window's client points.
  RECT ClientToWindow(const Rect& r) const;

  int64_t RefreshMicros() const { return refreshMicros_; }

 private:
  void Blit(HDC dc, const Rect& r) const;

  HWND window_ = nullptr;
  HICON smallIcon_ = nullptr;
  Surface shown_;  // what the window shows, for WM_PAINT
  bool whole_ = true;
  const Form* form_ = nullptr;
  int clientW_ = 0, clientH_ = 0;
  std::string caption_;
  bool fullscreen_ = false;
  WINDOWPLACEMENT placement_ = [] {
    WINDOWPLACEMENT p{};
    p.length = sizeof p;
    return p;
  }();
  DWORD style_ = 0;
  int64_t refreshMicros_ = 16667;
};

}  // namespace platform
