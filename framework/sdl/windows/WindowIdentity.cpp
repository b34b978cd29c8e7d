#include "framework/sdl/WindowIdentity.h"

// Windows has no window class for desktops to match, and SDL gives the window
// the executable's icon resource (id 1) itself.
void NameWindowsAfterDesktopEntry() {}

void SetGameIcon(SDL_Window*) {}
