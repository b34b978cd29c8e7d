#pragma once

#include <functional>

// How much more a drawing costs than a yardstick, as medians over pairs of
// runs taken in turn, so that load from elsewhere falls on both alike.
struct PairedRatio
{
    double process; // CPU time of the whole process, the renderer's threads included
    double thread;  // CPU time of the calling thread alone
    double wall;    // time on the clock on the wall
    // Medians of the per-frame CPU times themselves, milliseconds.
    double measuredProcessMs, yardstickProcessMs;
    double measuredThreadMs, yardstickThreadMs;
};

// Runs `frames` calls of `measured` and of `yardstick`, alternately first, in
// each of `pairs` pairs; each figure is the median of the pairs' ratios.
PairedRatio MeasurePairedRatio(const std::function<void()>& measured,
                               const std::function<void()>& yardstick, int pairs, int frames);
