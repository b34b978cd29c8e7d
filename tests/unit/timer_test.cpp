#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <utility>

#include "tests/fake/FakePlatform.h"
#include "timer/Timer.h"

TEST(Timer, CountsOnTheWrappingClockOrTheCounterAndTimesFramesInSeconds)
{
    fakeClock = {0, 0, 0xFFFFFF00u}; // no counter: the millisecond clock
    CTimer clock;
    fakeClock.milliseconds += 1000; // past 2^32
    EXPECT_NEAR(clock.GetTime(), 1000.0f, 0.001);
    fakeClock = {1 << 20, 1 << 14, 0}; // 2^20 counts a second
    CTimer timer;
    timer.currentTime = 0.0f;     // the last frame ended at construction
    fakeClock.counter += 1 << 16; // 62.5 ms later
    timer.Update();
    EXPECT_EQ(std::make_pair(timer.frameTime, timer.currentTime), std::make_pair(0.0625f, 62.5f));
}

TEST(Timer, FpsTextShowsTheLastRateAfterMoreThanASecondWithinItsBuffer)
{
    // clang-format off
    const struct { float currentTime, fpsTime, frameTime; const char* text; } cases[] = {
        {1000.0f, 0, 0.02f, "old"}, {1000.5f, 0, 0.02f, "FPS:   50.00 "},
        {5000.0f, 4000, 0.02f, "old"}, {5000.5f, 4000, 0.0005f, "FPS: 2000.00 "},
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
