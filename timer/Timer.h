#pragma once

#include <cstdint>

// Frame timing over the high-resolution counter, or the millisecond clock
// where there is no counter. Times are milliseconds since construction.
class CTimer
{
  public:
    int64_t frequency;      // counts per second; 1000 for the millisecond clock
    float resolution;       // seconds per count
    uint32_t mmTimerStart;  // millisecond clock at construction
    bool performanceTimer;  // the counter is the source
    int64_t perfTimerStart; // counter at construction
    float currentTime;      // ms, read at the end of the last Update
    float frameTime;        // s, duration of the last measured frame
    float fpsTime;          // ms, currentTime when fpsText was last refreshed
    char fpsText[24];       // frame-rate line, empty until the first refresh

    CTimer();

    // Milliseconds elapsed since construction.
    float GetTime();
    // Measures the frame that has just ended into frameTime; once per frame.
    void Update();
    // Refreshes fpsText when more than 1000 ms have passed since the last
    // refresh, and returns it; the pointer never changes.
    char* GetFPSText();
};
