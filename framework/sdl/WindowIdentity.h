#pragma once

#include <SDL.h>

// What ties the game's window to its desktop entry, where the platform takes it
// from the running program. On Windows both come from the executable (its
// icon resource), so these do nothing there.

// Before SDL_Init: the window's class (X11's WM_CLASS, the app id on Wayland)
// becomes the desktop entry's id, so that docks and task switchers show it
// under the entry's name and icon. A class already chosen in the environment
// (SDL_VIDEO_X11_WMCLASS, SDL_VIDEO_WAYLAND_WMCLASS) stays.
void NameWindowsAfterDesktopEntry();

// Gives a new window the game's icon (X11's _NET_WM_ICON), the drawing of the
// desktop entry's icon, for window managers that find no entry for it.
void SetGameIcon(SDL_Window* window);
