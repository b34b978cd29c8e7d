#include "framework/sdl/WindowIdentity.h"

// The page is the window: its title comes from SDL (the window's title) and its
// icon from the page itself, so there is nothing to name or draw here.
void NameWindowsAfterDesktopEntry() {}

void SetGameIcon(SDL_Window*) {}
