// The stop box on Win32: the core's picture of it in a small modal window, closed by OK,
// Enter, Space, Escape or its close box.
#include "platform/win32/stop_box.h"

#include "platform/toolkit/stop_box.h"
#include "platform/win32/screen.h"

namespace platform {
namespace {

struct StopBoxState {
  Win32Screen* screen = nullptr;
  Rect ok{0, 0, 0, 0};
  bool pressed = false, done = false;
};

bool Inside(const Rect& r, int x, int y) { return x >= r.x && y >= r.y && x < r.x + r.w && y < r.y + r.h; }

LRESULT CALLBACK StopBoxProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE)
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, LONG_PTR(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
  auto* box = reinterpret_cast<StopBoxState*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!box) return DefWindowProcW(hwnd, msg, wp, lp);
  switch (msg) {
    case WM_CLOSE:
      box->done = true;
      return 0;
    case WM_KEYDOWN:
      if (wp == VK_RETURN || wp == VK_SPACE || wp == VK_ESCAPE) box->done = true;
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP: {
      int x = 0, y = 0;
      const bool onOk = box->screen->WindowToClient(short(LOWORD(lp)), short(HIWORD(lp)), x, y) &&
                        Inside(box->ok, x, y);
      if (msg == WM_LBUTTONDOWN) {
        box->pressed = onOk;
      } else {
        box->done = box->pressed && onOk;
        box->pressed = false;
      }
      return 0;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      box->screen->Repaint();
      return 0;
    }
    default:
      return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

}  // namespace

void RunStopBox(const std::string& title, const Surface& picture, const Rect& ok, HWND owner) {
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = StopBoxProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = HBRUSH(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = L"KZVStopBox";
    return RegisterClassExW(&wc) != 0;
  }();
  if (!registered) return;  // the text is on stderr already
  Form form;
  SetUpStopBoxForm(form, title, picture);
  Win32Screen screen;
  StopBoxState state{&screen, ok};
  if (!screen.Open(L"KZVStopBox", &state, owner)) return;
  // Modal: the window beneath takes nothing until the box is closed.
  if (owner) EnableWindow(owner, FALSE);
  SetWindowPos(screen.Window(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  screen.Follow(form);
  screen.Present(picture, {{0, 0, picture.width, picture.height}});
  MSG msg;
  while (!state.done && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    // Keys go to the box whichever window has the focus.
    if (msg.message == WM_KEYDOWN) msg.hwnd = screen.Window();
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (owner) EnableWindow(owner, TRUE);
}

}  // namespace platform
