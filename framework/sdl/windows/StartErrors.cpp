#include "framework/sdl/StartErrors.h"

// Windows has no X server: a driver that fails makes SDL's calls fail, and
// SDL_GetError says why.

void StartCatchingStartErrors() {}

const char* CaughtStartError(SDL_Window*)
{
    return nullptr;
}

void StopCatchingStartErrors() {}
