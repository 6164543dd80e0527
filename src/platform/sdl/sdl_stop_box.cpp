// The stop box's own little event loop on SDL2.
#include "platform/sdl/sdl_stop_box.h"

#include "platform/sdl/sdl_screen.h"
#include "platform/toolkit/stop_box.h"
#include "platform/toolkit/window.h"

namespace platform {
namespace {

bool Inside(const Rect& r, int x, int y) {
  return x >= r.x && y >= r.y && x < r.x + r.w && y < r.y + r.h;
}

}  // namespace

void RunStopBox(const std::string& title, const Surface& picture, const Rect& ok, SDL_Window* owner) {
  Form form;
  SetUpStopBoxForm(form, title, picture);

  SdlScreen screen;
  if (!screen.Open(form)) return;  // the text is on stderr already
  SDL_SetWindowAlwaysOnTop(screen.Window(), SDL_TRUE);
  if (owner) SDL_SetWindowModalFor(screen.Window(), owner);
  screen.Follow(form);
  screen.Present(picture, {});
  const Uint32 id = SDL_GetWindowID(screen.Window());

  bool pressed = false;  // the left button went down on OK
  for (;;) {
    SDL_Event ev;
    if (!SDL_WaitEvent(&ev)) return;
    switch (ev.type) {
      case SDL_QUIT:
        return;
      case SDL_KEYDOWN:
        // The box is the only thing that takes keys now, whichever window has the focus.
        switch (ev.key.keysym.sym) {
          case SDLK_RETURN:
          case SDLK_KP_ENTER:
          case SDLK_SPACE:
          case SDLK_ESCAPE:
            return;
          default:
            break;
        }
        break;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP: {
        if (ev.button.windowID != id || ev.button.button != SDL_BUTTON_LEFT) break;
        int x = 0, y = 0;
        bool onOk = screen.WindowToClient(ev.button.x, ev.button.y, x, y) && Inside(ok, x, y);
        if (ev.type == SDL_MOUSEBUTTONDOWN) {
          pressed = onOk;
        } else if (pressed && onOk) {
          return;
        } else {
          pressed = false;
        }
        break;
      }
      case SDL_WINDOWEVENT:
        if (ev.window.windowID != id) break;
        if (ev.window.event == SDL_WINDOWEVENT_CLOSE) return;
        if (ev.window.event == SDL_WINDOWEVENT_EXPOSED) {
          screen.ShowWholeNext();
          screen.Present(picture, {});
        }
        break;
      default:
        break;
    }
  }
}

}  // namespace platform
