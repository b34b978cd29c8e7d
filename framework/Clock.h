#pragma once

#include <cstdint>

// Counts per second of the high-resolution counter; false when there is none.
bool QueryPerformanceFrequency(int64_t* frequency);
// The high-resolution counter's current value, never decreasing.
bool QueryPerformanceCounter(int64_t* count);
// Milliseconds since an arbitrary start, wrapping modulo 2^32.
uint32_t timeGetTime();
