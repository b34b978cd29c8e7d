#include "framework/sdl/SeatlessWayland.h"

// Windows has no Wayland.
bool KeepOffSeatlessWayland(std::string& why)
{
    why.clear();
    return true;
}
