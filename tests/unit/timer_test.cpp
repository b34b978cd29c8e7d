#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "tests/fake/FakePlatform.h"
#include "timer/Timer.h"

TEST(Timer, CountsFromConstructionOnTheCounterOrTheWrappingMillisecondClock)
{
    fakeClock = {true, 1 << 20, 5000, 0, 0};
    CTimer counter;
    fakeClock.counter += 1 << 19;
    EXPECT_TRUE(counter.performanceTimer);
    EXPECT_FLOAT_EQ(counter.GetTime(), 500.0f);
    for (uint32_t start : {1000u, 0xFFFFFF00u}) // the second wraps past 2^32
    {
        fakeClock = {false, 0, 0, start, 0};
        CTimer clock;
        fakeClock.milliseconds += 1000;
        EXPECT_FALSE(clock.performanceTimer);
        EXPECT_EQ(clock.frequency, 1000);
        EXPECT_NEAR(clock.GetTime(), 1000.0f, 0.001) << "from " << start;
    }
}

TEST(Timer, FrameTimeIsTheFirstReadingAndTheNextFrameStartsAtTheSecond)
{
    fakeClock = {true, 1 << 20, 0, 0, 1 << 14}; // every read moves on by 15.625 ms
    CTimer timer;
    timer.currentTime = 0.0f;
    for (float frameEnd : {31.25f, 62.5f})
    {
        timer.Update();
        EXPECT_FLOAT_EQ(timer.frameTime, 0.015625f);
        EXPECT_FLOAT_EQ(timer.currentTime, frameEnd);
    }
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
        ASSERT_EQ(timer.GetFPSText(), timer.fpsText);
        ASSERT_NE(std::memchr(timer.fpsText, '\0', sizeof timer.fpsText), nullptr)
            << "unterminated";
        EXPECT_STREQ(timer.fpsText, c.text) << "at " << c.currentTime << " after " << c.fpsTime;
        EXPECT_EQ(timer.fpsTime, std::strcmp(c.text, "old") ? c.currentTime : c.fpsTime);
    }
}
