// The window backend on Win32: one GDI window, its messages as the core's window events, the
// input method, the clipboard, XInput controllers and the stop box. The window procedure only
// notes what happened; the core runs the program outside it, never inside a Windows callback.
#include <windows.h>
#include <imm.h>
#include <mmsystem.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "platform/win32/screen.h"
#include "platform/win32/stop_box.h"
#include "platform/win32/wide.h"
#include "platform/win32/xinput_pads.h"
#include "platform/window_backend.h"

namespace platform {
namespace {

constexpr wchar_t kWindowClass[] = L"KZVWindow";

// The backend's own clock for the controllers' readings; the program's clock is the core's.
int64_t Micros() {
  using namespace std::chrono;
  return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

WindowEvent Event(WindowEvent::Kind kind) {
  WindowEvent ev;
  ev.kind = kind;
  return ev;
}

class Win32Window final : public WindowBackend {
 public:
  bool Connect() override;
  bool Open(const Form& form) override;
  bool IsOpen() const override { return screen_.IsOpen(); }
  bool Follow(const Form& form) override { return screen_.Follow(form); }
  void Present(const Surface& frame, const std::vector<Rect>& changed) override {
    screen_.Present(frame, changed);
  }
  void WaitEvents(int timeoutMs, std::vector<WindowEvent>& events) override;
  int ModifierMask() override;
  void StartTextInput(const Rect& client) override;
  void StopTextInput() override;
  void ToggleFullscreen() override { screen_.ToggleFullscreen(); }
  int64_t RefreshMicros() const override { return screen_.RefreshMicros(); }
  std::string ClipboardText() override;
  void ShowStopBox(const std::string& title, const Surface& picture, const Rect& ok) override {
    RunStopBox(title, picture, ok, screen_.Window());
  }
  void Disconnect(int status) override;

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  void Mouse(WindowEvent::Kind kind, LPARAM lp);
  void ApplyTextInput();
  void PlaceInputMethod(HWND hwnd);
  void Composing(std::string text);

  Win32Screen screen_;
  XInputPads pads_;
  std::vector<WindowEvent> pending_;
  wchar_t highSurrogate_ = 0;
  bool typing_ = false;
  Rect typingAt_{0, 0, 0, 0};
  HIMC inputContext_ = nullptr;  // the input method's context, kept while typing is off
};

bool Win32Window::Connect() {
  // Timers and sleeps to the millisecond, as the game's 1 ms timer asks for.
  timeBeginPeriod(1);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = Procedure;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(1));
  wc.lpszClassName = kWindowClass;
  if (!RegisterClassExW(&wc)) {
    std::fprintf(stderr, "K.Z.V: cannot open a window (error %lu)\n", GetLastError());
    return false;
  }
  return true;
}

bool Win32Window::Open(const Form&) {
  if (!screen_.Open(kWindowClass, this)) return false;
  ApplyTextInput();
  return true;
}

// The program ends here, as on X: the forms and caches of static storage are not taken down
// one by one at exit (under Wine that teardown has been seen to fault in the heap); Windows
// frees the whole process at once.
void Win32Window::Disconnect(int status) {
  timeEndPeriod(1);
  std::fflush(nullptr);
  std::_Exit(status);
}

LRESULT CALLBACK Win32Window::Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE)
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, LONG_PTR(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
  auto* window = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  return window ? window->Handle(hwnd, msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

void Win32Window::Mouse(WindowEvent::Kind kind, LPARAM lp) {
  WindowEvent ev = Event(kind);
  ev.inside = screen_.WindowToClient(short(LOWORD(lp)), short(HIWORD(lp)), ev.x, ev.y);
  pending_.push_back(ev);
}

LRESULT Win32Window::Handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CLOSE:
      pending_.push_back(Event(WindowEvent::Kind::Close));
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      WindowEvent ev = Event(WindowEvent::Kind::KeyDown);
      ev.key = int(wp);
      ev.mask = ModifierMask();
      ev.repeat = (lp & (1 << 30)) != 0;
      pending_.push_back(ev);
      // Alt's keys stay with the game (Alt+Enter, F10 open no menu); Alt+F4 still closes.
      if (msg == WM_SYSKEYDOWN && wp == VK_F4) break;
      return 0;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      WindowEvent ev = Event(WindowEvent::Kind::KeyUp);
      ev.key = int(wp);
      pending_.push_back(ev);
      if (msg == WM_SYSKEYUP) return 0;
      break;
    }
    case WM_SYSCHAR:
      return 0;  // no beep for Alt+Enter
    case WM_CHAR: {
      // Typed text and the input method's results arrive here, in UTF-16 units.
      const wchar_t unit = wchar_t(wp);
      if (unit >= 0xD800 && unit <= 0xDBFF) {
        highSurrogate_ = unit;
        return 0;
      }
      std::wstring text;
      if (unit >= 0xDC00 && unit <= 0xDFFF) {
        if (highSurrogate_) text = {highSurrogate_, unit};
      } else if (unit >= 0x20 && unit != 0x7F) {  // Enter, Backspace and the like are keys
        text = {unit};
      }
      highSurrogate_ = 0;
      if (!text.empty()) {
        WindowEvent ev = Event(WindowEvent::Kind::Text);
        ev.text = Narrow(text);
        pending_.push_back(ev);
      }
      return 0;
    }
    case WM_IME_SETCONTEXT:
      // The game shows the text being composed in its own box; the input method's own window
      // for it stays hidden (its candidate list still shows).
      return DefWindowProcW(hwnd, msg, wp, lp & ~LPARAM(ISC_SHOWUICOMPOSITIONWINDOW));
    case WM_IME_STARTCOMPOSITION:
      PlaceInputMethod(hwnd);
      return 0;
    case WM_IME_COMPOSITION:
      if (lp & (GCS_COMPSTR | GCS_RESULTSTR)) {
        std::wstring text;
        if (HIMC ime = ImmGetContext(hwnd)) {
          const LONG bytes = ImmGetCompositionStringW(ime, GCS_COMPSTR, nullptr, 0);
          if (bytes > 0) {
            text.resize(size_t(bytes) / sizeof(wchar_t));
            ImmGetCompositionStringW(ime, GCS_COMPSTR, text.data(), DWORD(bytes));
          }
          ImmReleaseContext(hwnd, ime);
        }
        Composing(Narrow(text));
      }
      break;  // a committed result comes as WM_CHAR from here
    case WM_IME_ENDCOMPOSITION:
      Composing("");
      break;
    case WM_LBUTTONDOWN:
      SetCapture(hwnd);
      Mouse(WindowEvent::Kind::Press, lp);
      return 0;
    case WM_LBUTTONUP:
      ReleaseCapture();
      Mouse(WindowEvent::Kind::Release, lp);
      return 0;
    case WM_KILLFOCUS:
      pending_.push_back(Event(WindowEvent::Kind::FocusLost));
      break;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      screen_.Repaint();  // the frame as it is: no program code runs here
      return 0;
    }
    case WM_SIZE:
      screen_.ShowWholeNext();
      pending_.push_back(Event(WindowEvent::Kind::Exposed));
      break;
    case WM_ERASEBKGND:
      return 1;
    default:
      break;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

void Win32Window::WaitEvents(int timeoutMs, std::vector<WindowEvent>& events) {
  // Controllers have no messages: they are read when due, so the wait ends by then.
  const int64_t untilPads = std::max<int64_t>(0, (pads_.NextPoll() - Micros() + 999) / 1000);
  const DWORD timeout = DWORD(timeoutMs < 0 ? untilPads : std::min<int64_t>(timeoutMs, untilPads));
  if (pending_.empty()) MsgWaitForMultipleObjectsEx(0, nullptr, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  pads_.Poll(Micros(), pending_);
  events.insert(events.end(), pending_.begin(), pending_.end());
  pending_.clear();
}

// The input method's candidate list goes below the text box.
void Win32Window::PlaceInputMethod(HWND hwnd) {
  HIMC ime = ImmGetContext(hwnd);
  if (!ime) return;
  const RECT box = screen_.ClientToWindow(typingAt_);
  COMPOSITIONFORM where{};
  where.dwStyle = CFS_POINT;
  where.ptCurrentPos = {box.left, box.bottom};
  ImmSetCompositionWindow(ime, &where);
  CANDIDATEFORM candidates{};
  candidates.dwStyle = CFS_CANDIDATEPOS;
  candidates.ptCurrentPos = {box.left, box.bottom};
  ImmSetCandidateWindow(ime, &candidates);
  ImmReleaseContext(hwnd, ime);
}

void Win32Window::Composing(std::string text) {
  WindowEvent ev = Event(WindowEvent::Kind::Composing);
  ev.text = std::move(text);
  pending_.push_back(ev);
}

int Win32Window::ModifierMask() {
  return (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
         (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

// Typing follows the text box's focus, so the input method opens only while it can type.
void Win32Window::StartTextInput(const Rect& client) {
  typing_ = true;
  typingAt_ = client;
  ApplyTextInput();
}

void Win32Window::StopTextInput() {
  typing_ = false;
  ApplyTextInput();
}

void Win32Window::ApplyTextInput() {
  HWND hwnd = screen_.Window();
  if (!hwnd) return;
  if (typing_) {
    if (inputContext_) ImmAssociateContext(hwnd, inputContext_);
    inputContext_ = nullptr;
  } else if (!inputContext_) {
    inputContext_ = ImmAssociateContext(hwnd, nullptr);
  }
}

std::string Win32Window::ClipboardText() {
  std::string out;
  if (!OpenClipboard(screen_.Window())) return out;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
      out = Narrow(text);
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return out;
}

}  // namespace

std::unique_ptr<WindowBackend> MakeWindowBackend() { return std::make_unique<Win32Window>(); }

}  // namespace platform
