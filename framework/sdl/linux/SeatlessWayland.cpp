#include "framework/sdl/SeatlessWayland.h"

#include <SDL.h>
#include <wayland-client.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace
{
void NoteSeat(void* seatSeen, wl_registry*, std::uint32_t, const char* interface, std::uint32_t)
{
    if (std::strcmp(interface, wl_seat_interface.name) == 0)
        *static_cast<bool*>(seatSeen) = true;
}

void IgnoreRemoval(void*, wl_registry*, std::uint32_t) {}

// Whether the Wayland display SDL would connect to (WAYLAND_DISPLAY, or
// wayland-0) can be reached and lists no seat among its globals. Not asked
// where the connection would take WAYLAND_SOCKET's descriptor, which serves
// once and is SDL's, nor where it would complain on stderr of no
// XDG_RUNTIME_DIR (a display that SDL could not reach either).
bool WaylandDisplayWithoutSeat()
{
    const char* socket = SDL_getenv("WAYLAND_SOCKET");
    const char* name = SDL_getenv("WAYLAND_DISPLAY");
    const char* runtime = SDL_getenv("XDG_RUNTIME_DIR");
    if ((socket && *socket) || (!(runtime && *runtime) && !(name && name[0] == '/')))
        return false;
    wl_display* display = wl_display_connect(nullptr);
    if (!display)
        return false;
    bool seatSeen = false;
    const wl_registry_listener listener = {NoteSeat, IgnoreRemoval};
    wl_registry* registry = wl_display_get_registry(display);
    const bool listed = registry && wl_registry_add_listener(registry, &listener, &seatSeen) == 0 &&
                        wl_display_roundtrip(display) >= 0;
    if (registry)
        wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return listed && !seatSeen;
}

// The drivers SDL_Init would try, in its order: the comma-separated ones asked
// for, or all SDL has.
std::vector<std::string> DriversToTry()
{
    std::vector<std::string> drivers;
    const char* requested = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    if (requested && *requested)
    {
        for (const char* start = requested; start;)
        {
            const char* comma = std::strchr(start, ',');
            drivers.emplace_back(start, comma ? comma - start : std::strlen(start));
            start = comma ? comma + 1 : nullptr;
        }
        return drivers;
    }
    for (int i = 0; i < SDL_GetNumVideoDrivers(); ++i)
        drivers.emplace_back(SDL_GetVideoDriver(i));
    return drivers;
}
} // namespace

bool KeepOffSeatlessWayland(std::string& why)
{
    why.clear();
    std::string others;
    bool wayland = false;
    for (const std::string& driver : DriversToTry())
    {
        if (SDL_strcasecmp(driver.c_str(), "wayland") == 0)
            wayland = true;
        else if (!driver.empty())
            others += (others.empty() ? "" : ",") + driver;
    }
    if (!wayland || !WaylandDisplayWithoutSeat())
        return true;
    why = "the Wayland display has no seat (no keyboard or mouse)";
    if (others.empty())
        return false;
    SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, others.c_str(), SDL_HINT_OVERRIDE);
    why += ", so SDL's Wayland driver was not tried";
    return true;
}
