#include "timer/Timer.h"

#include <cstdio>

#include "framework/Clock.h"

// Static storage zeroes currentTime, frameTime, fpsTime and fpsText.
CTimer::CTimer()
{
    QueryPerformanceFrequency(&frequency);
    if (frequency == 0)
    {
        performanceTimer = false;
        mmTimerStart = timeGetTime();
        frequency = 1000;
        resolution = 0.001f;
    }
    else
    {
        QueryPerformanceCounter(&perfTimerStart);
        performanceTimer = true;
        resolution = static_cast<float>(1.0 / static_cast<double>(frequency));
    }
}

float CTimer::GetTime()
{
    if (performanceTimer)
    {
        int64_t now = 0;
        QueryPerformanceCounter(&now);
        return static_cast<float>(now - perfTimerStart) * resolution * 1000.0f;
    }
    // Unsigned difference: right across a wrap of the 32-bit millisecond clock.
    const uint32_t elapsed = timeGetTime() - mmTimerStart;
    return static_cast<float>(elapsed) * resolution * 1000.0f;
}

void CTimer::Update()
{
    const float now = GetTime();
    frameTime = (now - currentTime) * 0.001f;
    // A fresh reading: the next frame is measured from here, not from `now`.
    currentTime = GetTime();
}

char* CTimer::GetFPSText()
{
    if (currentTime - fpsTime > 1000.0f)
    {
        // Bounded: no rate, however large, and no infinity overflows the buffer.
        std::snprintf(fpsText, sizeof fpsText, "FPS: %7.02f ",
                      1.0 / static_cast<double>(frameTime));
        fpsTime = currentTime;
    }
    return fpsText;
}
