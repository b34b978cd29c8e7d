#include "framework/sdl/FullScreenState.h"

// The page's canvas fills the browser's window already, and the browser's own
// full screen (F11) makes that the whole screen. SDL's full-screen request
// would instead wait for the player's first click or key, the only moments a
// browser grants one, and take the screen then: it is never made, and the game
// counts as full screen from the start.
bool SetFullScreenBeforeShowing(SDL_Window*)
{
    return true;
}
