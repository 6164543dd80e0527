// What the real window asks of an X desktop directly, where SDL has no call for it.
#pragma once
#include <SDL.h>

namespace platform {

// What the real window asks of an X desktop directly, where SDL has no call for it. Both do
// nothing on other desktops.

// A request about one of our windows that the desktop had already let go of (a window manager
// and a closing window can cross each other) is no reason to end the game: X reports such
// errors by killing the program unless told otherwise. Other errors still end it. Call after
// the video subsystem is up, and again after creating or laying out a window, since SDL may
// put back the handler it found at its start.
void ForgiveVanishedWindows();

// Asks the window manager for a window that can be moved and closed but neither resized,
// maximised nor minimised, with (bordered) or without a title bar and border.
void AskForFixedWindow(SDL_Window* window, bool bordered);

}  // namespace platform
