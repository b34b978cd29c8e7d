#pragma once

#include <SDL.h>

// Gives a window that is not shown yet the full-screen state that X window
// managers read as they map it (_NET_WM_STATE_FULLSCREEN), without SDL's
// knowledge: SDL asks a shown window for full screen and then waits up to
// 100 ms for the manager to move and resize it, which it never does to a
// borderless window already the size of the screen. True if done; false on
// video drivers other than x11, where SDL's own full screen serves.
bool SetFullScreenBeforeShowing(SDL_Window* window);
