#include "framework/sdl/StartErrors.h"

#include <GL/gl11_backend.h>

#include <string>

namespace
{
std::string failure;
} // namespace

// A page's start fails where X's does not: the browser gives a WebGL context
// that lacks what the game's GL 1.1 is drawn with. The GL layer takes its
// functions from the context just made here, before the first GL call.
void StartCatchingStartErrors()
{
    failure.clear();
}

const char* CaughtStartError(SDL_Window*)
{
    if (Gl11LoadBackend(SDL_GL_GetProcAddress))
        return nullptr;
    const char* why = Gl11BackendFailure();
    failure = std::string("the game needs WebGL: ") + (why && *why ? why : "no reason given");
    return failure.c_str();
}

void StopCatchingStartErrors() {}
