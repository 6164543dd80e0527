// The X11 window hints and error handler of the real window.
#include "platform/sdl/sdl_x11.h"

#include <SDL_syswm.h>
#include <cstring>

#ifdef KZV_X11
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#endif

namespace platform {

#ifdef KZV_X11
namespace {

XErrorHandler g_otherErrors = nullptr;

int OnXError(Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow) return 0;
  return g_otherErrors ? g_otherErrors(display, error) : 0;
}

bool X11Window(SDL_Window* window, Display*& display, Window& xwindow) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
    return false;
  display = info.info.x11.display;
  xwindow = info.info.x11.window;
  return true;
}

}  // namespace

void ForgiveVanishedWindows() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver || std::strcmp(driver, "x11") != 0) return;
  XErrorHandler previous = XSetErrorHandler(OnXError);
  if (previous != OnXError) g_otherErrors = previous;
}

void AskForFixedWindow(SDL_Window* window, bool bordered) {
  Display* display = nullptr;
  Window xwindow = 0;
  if (!X11Window(window, display, xwindow)) return;
  // The Motif hints, which window managers read for the functions and decorations they offer.
  enum : unsigned long {
    kFunctions = 1, kDecorations = 2,                 // which fields count
    kFuncMove = 4, kFuncClose = 32,                   // functions
    kDecorBorder = 2, kDecorTitle = 8, kDecorMenu = 16  // decorations
  };
  unsigned long hints[5] = {kFunctions | kDecorations, kFuncMove | kFuncClose,
                            bordered ? kDecorBorder | kDecorTitle | kDecorMenu : 0, 0, 0};
  Atom motif = XInternAtom(display, "_MOTIF_WM_HINTS", False);
  XChangeProperty(display, xwindow, motif, motif, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(hints), 5);
  XFlush(display);
}

// A window manager says it runs by a window of its own named on the root window's
// _NET_SUPPORTING_WM_CHECK, which names itself in turn.
bool WindowManagerRuns(SDL_Window* window) {
  Display* display = nullptr;
  Window xwindow = 0;
  if (!X11Window(window, display, xwindow)) return true;
  Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
  if (check == None) return false;
  auto supporting = [&](Window on, Window& named) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    bool found = XGetWindowProperty(display, on, check, 0, 1, False, XA_WINDOW, &type, &format,
                                    &count, &after, &data) == Success &&
                 type == XA_WINDOW && format == 32 && count == 1;
    if (found) named = *reinterpret_cast<Window*>(data);
    if (data) XFree(data);
    return found;
  };
  Window wm = 0, itself = 0;
  return supporting(DefaultRootWindow(display), wm) && supporting(wm, itself) && itself == wm;
}

void SetLegacyTitle(SDL_Window* window, const std::string& title) {
  Display* display = nullptr;
  Window xwindow = 0;
  if (!X11Window(window, display, xwindow)) return;
  char* text = const_cast<char*>(title.c_str());
  XTextProperty property;
  // Latin-1 where the title is Latin-1 (STRING), else compound text, which every client decodes.
  if (Xutf8TextListToTextProperty(display, &text, 1, XStdICCTextStyle, &property) != Success)
    return;
  XSetWMName(display, xwindow, &property);
  XSetWMIconName(display, xwindow, &property);
  XFree(property.value);
  XFlush(display);
}

#else

void ForgiveVanishedWindows() {}
void AskForFixedWindow(SDL_Window*, bool) {}
bool WindowManagerRuns(SDL_Window*) { return true; }
void SetLegacyTitle(SDL_Window*, const std::string&) {}

#endif

}  // namespace platform
