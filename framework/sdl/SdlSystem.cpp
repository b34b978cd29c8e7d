#include <SDL.h>

#include <cstdio>

#include "framework/System.h"

// The keyboard state is as of the last event pump; the message loop pumps
// before every frame, so this is current when the frame asks.
bool IsEscapeDown()
{
    const Uint8* keys = SDL_GetKeyboardState(nullptr);
    return keys && keys[SDL_SCANCODE_ESCAPE];
}

// Works with or without SDL_Init.
void ShowErrorMessage(const char* caption, const char* text, const char* detail)
{
    caption = caption ? caption : "";
    text = text ? text : "";
    if (detail && *detail)
        std::fprintf(stderr, "%s: %s: %s\n", caption, text, detail);
    else
        std::fprintf(stderr, "%s: %s\n", caption, text);
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, text, nullptr);
}

bool HasCurrentContext()
{
    return SDL_GL_GetCurrentContext() != nullptr;
}

std::string ExecutableFolder()
{
    char* base = SDL_GetBasePath();
    if (!base)
        return std::string();
    std::string folder(base);
    SDL_free(base);
    return folder;
}
