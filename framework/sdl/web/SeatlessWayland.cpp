#include "framework/sdl/SeatlessWayland.h"

// The browser is the only display a page has.
bool KeepOffSeatlessWayland(std::string& why)
{
    why.clear();
    return true;
}
