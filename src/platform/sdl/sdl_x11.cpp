// The X11 window hints and error handler of the real window.
#include "platform/sdl/sdl_x11.h"

#include <SDL_syswm.h>
#include <cstring>

#ifdef KZV_X11
#include <X11/Xatom.h>
#include <X11/Xlib.h>
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

#else

void ForgiveVanishedWindows() {}
void AskForFixedWindow(SDL_Window*, bool) {}

#endif

}  // namespace platform
