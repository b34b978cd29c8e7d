#pragma once

#include <cstdint>

// Whether the game must pace its own frames. A swap interval the driver took
// is trusted to pace them until its swaps are seen to come faster than the
// display shows frames: Wine on a virtual display, for one, accepts a swap
// interval of 1 and never waits. From then on the game paces itself for the
// rest of the run, the driver being the same.
class FramePacing
{
  public:
    // True when the frame about to be swapped must first wait for its time:
    // always without a swap interval, and with one once its swaps came fast.
    bool MustPace(bool swapIntervalSet) const { return !swapIntervalSet || !swapsWait; }

    // Called just after each swap made with a swap interval set. `now` and
    // `period` (between the display's frames) are in the same clock's ticks.
    void Swapped(std::uint64_t now, std::uint64_t period);

  private:
    // Swaps are timed in runs this long; a run shorter than 3/4 of as many
    // periods did not wait. Real vsync, even one that lets two swaps through
    // at once after a stall, never comes close.
    static const int SWAPS_TIMED = 30;

    bool swapsWait = true;
    int swapsInRun = -1; // swaps since runStart; -1 before the first swap
    std::uint64_t runStart = 0;
};
