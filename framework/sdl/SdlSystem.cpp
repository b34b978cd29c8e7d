#include <SDL.h>

#include <string>

#include "framework/Events.h"
#include "framework/Report.h"
#include "framework/System.h"

// The keyboard state is as of the last event pump; the message loop pumps
// before every frame, so this is current when the frame asks.
bool IsEscapeHeld()
{
    const Uint8* keys = SDL_GetKeyboardState(nullptr);
    return keys && keys[SDL_SCANCODE_ESCAPE];
}

// Works with or without SDL_Init. The reason goes where the game's other
// problems go (standard error, or the log on Windows); the box shows the text.
void ShowErrorMessage(const char* caption, const char* text, const char* detail)
{
    caption = caption ? caption : "";
    text = text ? text : "";
    std::string line = std::string(caption) + ": " + text;
    if (detail && *detail)
        line += std::string(": ") + detail;
    ReportProblem(line);
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
