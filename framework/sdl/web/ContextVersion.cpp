#include "framework/sdl/ContextVersion.h"

#include <SDL.h>

// A WebGL 1.0 context, which SDL asks for as OpenGL ES 2.0: the browser offers
// no other kind that every browser has. The game's GL 1.1 is drawn over it by
// the GL layer in web/gl11/.
void RequestContextVersion()
{
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
}
