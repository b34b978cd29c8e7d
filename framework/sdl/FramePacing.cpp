#include "framework/sdl/FramePacing.h"

void FramePacing::Swapped(std::uint64_t now, std::uint64_t period)
{
    if (!swapsWait)
        return;
    if (swapsInRun >= 0 && ++swapsInRun < SWAPS_TIMED)
        return;
    if (swapsInRun == SWAPS_TIMED && (now - runStart) * 4 < period * 3 * SWAPS_TIMED)
        swapsWait = false;
    runStart = now;
    swapsInRun = 0;
}
