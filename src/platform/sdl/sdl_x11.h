// What the real window asks of an X desktop directly, where SDL has no call for it.
#pragma once
#include <SDL.h>

#include <string>

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

// False on an X desktop with no window manager, where nothing can make a window full screen.
bool WindowManagerRuns(SDL_Window* window);

// Sets the title in the legacy properties (WM_NAME, WM_ICON_NAME) as older clients decode them:
// SDL puts the UTF-8 bytes there typed as Latin-1. Call after SDL_SetWindowTitle.
void SetLegacyTitle(SDL_Window* window, const std::string& title);

}  // namespace platform
