#include <SDL.h>

#include "framework/Clock.h"

// These run during static initialisation too, before SDL_Init: SDL starts its
// counter on first use.

bool QueryPerformanceFrequency(int64_t* frequency)
{
    const Uint64 counts = SDL_GetPerformanceFrequency();
    *frequency = static_cast<int64_t>(counts);
    return counts != 0;
}

bool QueryPerformanceCounter(int64_t* count)
{
    *count = static_cast<int64_t>(SDL_GetPerformanceCounter());
    return true;
}

// Derived from the performance counter rather than SDL_GetTicks, whose zero
// moves to "now" again after SDL_Quit: the clock must never run backwards
// while the program lives. Split so the multiplication cannot overflow.
uint32_t timeGetTime()
{
    const Uint64 frequency = SDL_GetPerformanceFrequency();
    if (frequency == 0)
        return SDL_GetTicks();
    const Uint64 counter = SDL_GetPerformanceCounter();
    const Uint64 milliseconds = counter / frequency * 1000 + counter % frequency * 1000 / frequency;
    return static_cast<uint32_t>(milliseconds);
}
