#include "framework/sdl/ContextVersion.h"

#include <SDL.h>

// A legacy (compatibility) context: the game draws with fixed-function GL 1.1.
void RequestContextVersion()
{
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, 0);
}
