#include "framework/sdl/FocusRefusal.h"

#include <SDL.h>
#include <X11/Xlib.h>
#include <X11/Xproto.h>

namespace
{
XErrorHandler previousHandler = nullptr;
bool tolerating = false;

int TolerateFocusRefusal(Display* display, XErrorEvent* error)
{
    if (error->request_code == X_SetInputFocus && error->error_code == BadMatch)
        return 0;
    return previousHandler ? previousHandler(display, error) : 0;
}
} // namespace

void StartToleratingFocusRefusal()
{
    const char* driver = SDL_GetCurrentVideoDriver();
    if (tolerating || !driver || SDL_strcmp(driver, "x11") != 0)
        return;
    previousHandler = XSetErrorHandler(TolerateFocusRefusal);
    tolerating = true;
}

void StopToleratingFocusRefusal()
{
    if (tolerating)
        XSetErrorHandler(previousHandler);
    tolerating = false;
    previousHandler = nullptr;
}
