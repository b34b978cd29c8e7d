#include "framework/sdl/WindowIdentity.h"

#include <SDL_image.h>

#include <cstddef>

// The desktop entry's icon drawn at 64 x 64 as a PNG, embedded by the build
// (framework/CMakeLists.txt).
extern const unsigned char WINDOW_ICON_PNG[];
extern const size_t WINDOW_ICON_PNG_SIZE;

void NameWindowsAfterDesktopEntry()
{
    // SDL 2 (2.26 as 2.32) takes the class from the environment only, on
    // Wayland too where SDL_VIDEO_WAYLAND_WMCLASS is not set; otherwise it is the
    // program's file name, which no desktop entry is named after.
    SDL_setenv("SDL_VIDEO_X11_WMCLASS", QUORVEL_APP_ID, 0);
}

// A window without the icon still plays: nothing is reported.
void SetGameIcon(SDL_Window* window)
{
    SDL_RWops* bytes = SDL_RWFromConstMem(WINDOW_ICON_PNG, static_cast<int>(WINDOW_ICON_PNG_SIZE));
    SDL_Surface* icon = bytes ? IMG_LoadPNG_RW(bytes) : nullptr;
    if (bytes)
        SDL_RWclose(bytes);
    if (icon)
        SDL_SetWindowIcon(window, icon);
    SDL_FreeSurface(icon);
}
