// The real window on Win32: laid out for the front form, presented with StretchDIBits.
#include "platform/win32/screen.h"

#include <algorithm>
#include <vector>

#include "platform/host_view.h"
#include "platform/raster/rect.h"
#include "platform/warning.h"
#include "platform/win32/wide.h"

namespace platform {
namespace {

// The main screen's size: every window opens at the scale that fits this screen, so the
// launcher appears at the same magnification as the main window after it.
constexpr int kScreenWidth = 640, kScreenHeight = 480;

// A fixed frame with a title bar and a close box, nothing to resize, minimise or maximise.
constexpr DWORD kBordered = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kBorderless = WS_POPUP;

HICON IconOf(const Surface& icon) {
  if (icon.Empty()) return nullptr;
  BITMAPV5HEADER header{};
  header.bV5Size = sizeof header;
  header.bV5Width = icon.width;
  header.bV5Height = -icon.height;
  header.bV5Planes = 1;
  header.bV5BitCount = 32;
  header.bV5Compression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP color = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits,
                                   nullptr, 0);
  ReleaseDC(nullptr, screen);
  if (!color) return nullptr;
  auto* px = static_cast<uint32_t*>(bits);
  for (size_t i = 0; i < icon.pixels.size(); ++i) px[i] = icon.pixels[i] | 0xFF000000u;
  std::vector<BYTE> maskBits(size_t((icon.width + 15) / 16 * 2) * icon.height, 0);
  HBITMAP mask = CreateBitmap(icon.width, icon.height, 1, 1, maskBits.data());
  ICONINFO info{TRUE, 0, 0, mask, color};
  HICON made = CreateIconIndirect(&info);
  DeleteObject(mask);
  DeleteObject(color);
  return made;
}

}  // namespace

Win32Screen::~Win32Screen() {
  if (window_) DestroyWindow(window_);
  if (smallIcon_) DestroyIcon(smallIcon_);
}

bool Win32Screen::Open(const wchar_t* windowClass, void* owner, HWND parent) {
  window_ = CreateWindowExW(0, windowClass, L"K.Z.V", kBordered, CW_USEDEFAULT, CW_USEDEFAULT, 640, 480,
                            parent, nullptr, GetModuleHandleW(nullptr), owner);
  if (!window_) {
    Warn("cannot open a window (error " + std::to_string(GetLastError()) + ")");
    return false;
  }
  HDC dc = GetDC(window_);
  const int hz = GetDeviceCaps(dc, VREFRESH);
  ReleaseDC(window_, dc);
  if (hz > 1) refreshMicros_ = 1000000 / hz;
  return true;
}

bool Win32Screen::Follow(const Form& form) {
  bool laidOut = false;
  if (&form != form_ || form.clientWidth != clientW_ || form.clientHeight != clientH_) {
    const bool first = form_ == nullptr;
    form_ = &form;
    clientW_ = std::max(1, form.clientWidth);
    clientH_ = std::max(1, form.clientHeight);
    style_ = !form.def || form.def->bordered ? kBordered : kBorderless;
    // The whole-number scale at which both this form and the main screen fit the work area.
    RECT work{0, 0, kScreenWidth, kScreenHeight};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, style_, FALSE, 0);
    const int availW = int(work.right - work.left) - int(frame.right - frame.left);
    const int availH = int(work.bottom - work.top) - int(frame.bottom - frame.top);
    const int scale = std::min(WholeScaleToFit(clientW_, clientH_, availW, availH),
                               WholeScaleToFit(kScreenWidth, kScreenHeight, availW, availH));
    RECT outer{0, 0, clientW_ * scale, clientH_ * scale};
    AdjustWindowRectEx(&outer, style_, FALSE, 0);
    const int w = int(outer.right - outer.left), h = int(outer.bottom - outer.top);
    const int x = int(work.left) + std::max(0, (int(work.right - work.left) - w) / 2);
    const int y = int(work.top) + std::max(0, (int(work.bottom - work.top) - h) / 2);
    if (!fullscreen_) {
      const DWORD shown = IsWindowVisible(window_) ? WS_VISIBLE : 0;
      SetWindowLongPtrW(window_, GWL_STYLE, LONG_PTR(style_ | shown));
      SetWindowPos(window_, HWND_TOP, x, y, w, h, SWP_FRAMECHANGED | SWP_NOACTIVATE);
    } else {
      // Back in a window, the new form is where it belongs.
      placement_.rcNormalPosition = {x, y, x + w, y + h};
    }
    HICON icon = IconOf(form.icon);
    if (icon) {
      SendMessageW(window_, WM_SETICON, ICON_SMALL, LPARAM(icon));
      if (smallIcon_) DestroyIcon(smallIcon_);
      smallIcon_ = icon;
    }
    shown_ = Surface(clientW_, clientH_);
    whole_ = true;
    if (first) ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    laidOut = true;
  }
  if (form.caption != caption_) {  // the hidden modes change the caption
    caption_ = form.caption;
    SetWindowTextW(window_, Widen(caption_).c_str());
  }
  return laidOut;
}

void Win32Screen::ToggleFullscreen() {
  fullscreen_ = !fullscreen_;
  whole_ = true;
  if (fullscreen_) {
    GetWindowPlacement(window_, &placement_);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& m = monitor.rcMonitor;
    SetWindowLongPtrW(window_, GWL_STYLE, LONG_PTR(kBorderless | WS_VISIBLE));
    SetWindowPos(window_, HWND_TOP, m.left, m.top, m.right - m.left, m.bottom - m.top, SWP_FRAMECHANGED);
  } else {
    SetWindowLongPtrW(window_, GWL_STYLE, LONG_PTR(style_ | WS_VISIBLE));
    SetWindowPlacement(window_, &placement_);
    SetWindowPos(window_, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  }
  InvalidateRect(window_, nullptr, FALSE);
}

void Win32Screen::Blit(HDC dc, const Rect& r) const {
  RECT client{};
  GetClientRect(window_, &client);
  const Letterbox box = FitWhole(clientW_, clientH_, client.right, client.bottom);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), shown_.width, -shown_.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  SetStretchBltMode(dc, COLORONCOLOR);  // nearest pixel: whole pixels grow into squares
  // With a top-down DIB the source rectangle counts its rows from the bottom of the picture.
  StretchDIBits(dc, box.x + r.x * box.scale, box.y + r.y * box.scale, r.w * box.scale, r.h * box.scale, r.x,
                shown_.height - r.y - r.h, r.w, r.h, shown_.pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
}

void Win32Screen::Present(const Surface& frame, const std::vector<Rect>& changed) {
  if (!window_ || frame.width != shown_.width || frame.height != shown_.height) return;
  if (whole_) {
    shown_.pixels = frame.pixels;
    Repaint();
    return;
  }
  for (const Rect& r : changed)
    for (int y = r.y; y < r.y + r.h; ++y)
      std::copy_n(&frame.pixels[size_t(y) * frame.width + r.x], r.w, &shown_.pixels[size_t(y) * shown_.width + r.x]);
  HDC dc = GetDC(window_);
  for (const Rect& r : changed) Blit(dc, r);
  ReleaseDC(window_, dc);
}

void Win32Screen::Repaint() {
  if (!window_ || shown_.Empty()) return;
  whole_ = false;
  HDC dc = GetDC(window_);
  RECT client{};
  GetClientRect(window_, &client);
  const Letterbox box = FitWhole(clientW_, clientH_, client.right, client.bottom);
  // The border around a letterboxed frame is black.
  HRGN all = CreateRectRgn(0, 0, client.right, client.bottom);
  HRGN shown = CreateRectRgn(box.x, box.y, box.x + clientW_ * box.scale, box.y + clientH_ * box.scale);
  CombineRgn(all, all, shown, RGN_DIFF);
  FillRgn(dc, all, HBRUSH(GetStockObject(BLACK_BRUSH)));
  DeleteObject(all);
  DeleteObject(shown);
  Blit(dc, {0, 0, shown_.width, shown_.height});
  ReleaseDC(window_, dc);
}

bool Win32Screen::WindowToClient(int wx, int wy, int& cx, int& cy) const {
  if (!window_ || !form_) return false;
  RECT client{};
  GetClientRect(window_, &client);
  const Letterbox box = FitWhole(clientW_, clientH_, client.right, client.bottom);
  DrawableToClient(box, wx, wy, cx, cy);
  return cx >= 0 && cy >= 0 && cx < clientW_ && cy < clientH_;
}

RECT Win32Screen::ClientToWindow(const Rect& r) const {
  RECT client{};
  GetClientRect(window_, &client);
  const Letterbox box = FitWhole(clientW_, clientH_, client.right, client.bottom);
  return {box.x + r.x * box.scale, box.y + r.y * box.scale, box.x + (r.x + r.w) * box.scale,
          box.y + (r.y + r.h) * box.scale};
}

}  // namespace platform
