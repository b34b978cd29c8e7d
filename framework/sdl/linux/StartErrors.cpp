#include "framework/sdl/StartErrors.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xproto.h>

#include <cstdio>

namespace
{
XErrorHandler previousHandler = nullptr;
bool catching = false;
bool caught = false;
char description[256];

int NoteStartError(Display* display, XErrorEvent* error)
{
    const bool focusRefusal =
        error->request_code == X_SetInputFocus && error->error_code == BadMatch;
    if (focusRefusal || caught)
        return focusRefusal && previousHandler ? previousHandler(display, error) : 0;
    // XGetErrorText reads Xlib's tables; it makes no request of the server.
    char text[160] = "";
    XGetErrorText(display, error->error_code, text, sizeof text);
    std::snprintf(description, sizeof description, "X error %s, request %d.%d", text,
                  error->request_code, error->minor_code);
    caught = true;
    return 0;
}
} // namespace

void StartCatchingStartErrors()
{
    const char* driver = SDL_GetCurrentVideoDriver();
    if (catching || !driver || SDL_strcmp(driver, "x11") != 0)
        return;
    caught = false;
    previousHandler = XSetErrorHandler(NoteStartError);
    catching = true;
}

const char* CaughtStartError(SDL_Window* window)
{
    if (!catching)
        return nullptr;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window && SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11)
        XSync(info.info.x11.display, False);
    return caught ? description : nullptr;
}

void StopCatchingStartErrors()
{
    if (catching)
        XSetErrorHandler(previousHandler);
    previousHandler = nullptr;
    catching = false;
}
