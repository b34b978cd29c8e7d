#pragma once

#include <string>

// SDL 2.26's Wayland driver dereferences a null pointer in SDL_Init when the
// compositor offers no seat, no keyboard and no mouse (fixed in SDL 2.30): the
// program would end with a segmentation fault and no word to the player.
// Called before SDL_Init. Where SDL would try Wayland (asked for by
// SDL_VIDEODRIVER, or among all its drivers when none is asked for) and the
// Wayland display has no seat, SDL is kept to the other drivers, and `why`
// says so, for the message of a start that then fails. False when no other
// driver is left to try: the start cannot succeed, and `why` is the reason.
bool KeepOffSeatlessWayland(std::string& why);
