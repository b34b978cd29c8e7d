#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "framework/sdl/FramePacing.h"

namespace
{
const std::uint64_t PERIOD = 16667; // a 60 Hz display, in microsecond ticks
} // namespace

// Swaps that wait for the display keep the game unpaced, however late some
// frames are; swaps that come clearly faster than the display's frames switch
// pacing on within a run of 30 and for good. Without a swap interval the game
// always paces itself, before the first swap and after the last.
TEST(FramePacing, PacesOnlyOnceTheSwapsAreSeenNotToWait)
{
    struct Run
    {
        int swaps;
        std::uint64_t interval;
    };
    // clang-format off
    const struct { const char* name; std::vector<Run> runs; int pacedAfter; } cases[] = {
        {"vsync at the display's rate", {{600, PERIOD}}, 0},
        {"vsync, slow frames take two periods", {{100, PERIOD}, {100, 2 * PERIOD}, {100, PERIOD}}, 0},
        {"vsync, a stall then two swaps let through at once",
            {{29, PERIOD}, {1, 20 * PERIOD}, {2, 1}, {200, PERIOD}}, 0},
        {"vsync jittering around the period", {{1, PERIOD * 9 / 10}, {1, PERIOD * 11 / 10},
            {1, PERIOD * 7 / 10}, {1, PERIOD * 13 / 10}, {600, PERIOD}}, 0},
        {"swaps that never wait, 300 frames a second", {{100, PERIOD / 5}}, 31},
        {"swaps that never wait, 90 frames a second", {{100, PERIOD * 2 / 3}}, 31},
        {"slow at first, then fast", {{61, 2 * PERIOD}, {100, PERIOD / 5}}, 91},
    };
    // clang-format on
    for (const auto& c : cases)
    {
        FramePacing pacing;
        EXPECT_TRUE(pacing.MustPace(false)) << c.name;
        std::uint64_t now = 1000;
        int swaps = 0, pacedAfter = 0; // the first swap after which it paces
        for (const Run& run : c.runs)
            for (int i = 0; i < run.swaps && !pacedAfter; ++i)
            {
                now += run.interval;
                pacing.Swapped(now, PERIOD);
                ++swaps;
                pacedAfter = pacing.MustPace(true) ? swaps : 0;
            }
        EXPECT_EQ(pacedAfter, c.pacedAfter) << c.name;
        EXPECT_TRUE(pacing.MustPace(false)) << c.name;
    }
}
