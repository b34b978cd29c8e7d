#include "framework/sdl/FullScreenState.h"

// The wait this avoids is the X11 driver's; on Windows SDL's own full screen
// is made at once.
bool SetFullScreenBeforeShowing(SDL_Window*)
{
    return false;
}
