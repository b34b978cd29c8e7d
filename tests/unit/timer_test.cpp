#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <new>
#include <string>

#include "tests/fake/FakePlatform.h"
#include "timer/Timer.h"

// Frames of known lengths long after the time source's zero, on the counter and on
// the millisecond clock across its wrap: each frame measures only itself, the time
// counts from construction, and the rate text changes only at the first frame that
// ends more than 1000 ms after its last change, to that frame's rate.
TEST(Timer, SuccessiveFramesMeasureThemselvesAndTheRateChangesOnceASecond)
{
    const int lengths[] = {16, 40, 5, 250, 30, 1, 100}; // ms, in turn
    for (const FakeClock start : {FakeClock{1000000, 7000000000, 0}, FakeClock{0, 0, 0xFFFFF000u}})
    {
        fakeClock = start;
        alignas(CTimer) unsigned char zeroed[sizeof(CTimer)] = {}; // as the static game's
        CTimer& timer = *new (zeroed) CTimer;
        int now = 0, changed = 0; // ms since construction; the last change of the text
        double rate = 0;          // shown; 0 for none yet
        const auto Advance = [&](int ms)
        {
            now += ms;
            fakeClock.counter += int64_t(ms) * 1000;
            fakeClock.milliseconds += uint32_t(ms);
        };
        Advance(2500);
        timer.currentTime = timer.GetTime(); // as the game's initialisation does
        for (int frame = 0; frame < 90; ++frame)
        {
            const int length = lengths[frame % 7];
            Advance(length);
            timer.Update();
            if (now - changed > 1000)
            {
                changed = now;
                rate = 1000.0 / length;
            }
            const std::string shown = timer.GetFPSText();
            EXPECT_NEAR(timer.frameTime, length * 0.001, 2e-6) << "frame " << frame;
            EXPECT_NEAR(timer.currentTime, now, 0.01) << "frame " << frame;
            EXPECT_NEAR(shown.empty() ? 0 : std::stod(shown.substr(5)), rate, 0.006)
                << "frame " << frame << " at " << now << " ms: \"" << shown << '"';
        }
    }
}

TEST(Timer, FpsTextShowsTheLastRateAfterMoreThanASecondWithinItsBuffer)
{
    // clang-format off
    const struct { float currentTime, fpsTime, frameTime; const char* text; } cases[] = {
        {1000.0f, 0, 0.02f, "old"}, {1000.5f, 0, 0.02f, "FPS:   50.00 "},
        {2000.0f, 0, 0.00005f, "FPS: 20000.00 "}, {2000.0f, 0, 0.0f, "FPS:     inf "},
        {2000.0f, 0, std::ldexp(1.0f, -100), "FPS: 126765060022822940"}}; // 2^100, cut short
    // clang-format on
    for (const auto& c : cases)
    {
        CTimer timer;
        std::strcpy(timer.fpsText, "old");
        timer.currentTime = c.currentTime;
        timer.fpsTime = c.fpsTime;
        timer.frameTime = c.frameTime;
        EXPECT_STREQ(timer.GetFPSText(), c.text)
            << "at " << c.currentTime << " after " << c.fpsTime;
        EXPECT_EQ(timer.fpsTime, std::strcmp(c.text, "old") ? c.currentTime : c.fpsTime);
    }
}
