#include "bench/PairedRatio.h"

#include <time.h>

#include <algorithm>
#include <vector>

namespace
{
struct Cost
{
    double process, thread, wall;
};

double Seconds(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + now.tv_nsec * 1e-9;
}

Cost Now()
{
    return Cost{Seconds(CLOCK_PROCESS_CPUTIME_ID), Seconds(CLOCK_THREAD_CPUTIME_ID),
                Seconds(CLOCK_MONOTONIC)};
}

Cost Run(const std::function<void()>& draw, int frames)
{
    const Cost start = Now();
    for (int i = 0; i < frames; ++i)
        draw();
    const Cost end = Now();
    return Cost{end.process - start.process, end.thread - start.thread, end.wall - start.wall};
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}
} // namespace

PairedRatio MeasurePairedRatio(const std::function<void()>& measured,
                               const std::function<void()>& yardstick, int pairs, int frames)
{
    std::vector<double> process, thread, wall, absolute[4];
    for (int pair = 0; pair < pairs; ++pair)
    {
        Cost a{}, b{};
        if (pair % 2 == 0)
        {
            a = Run(measured, frames);
            b = Run(yardstick, frames);
        }
        else
        {
            b = Run(yardstick, frames);
            a = Run(measured, frames);
        }
        process.push_back(a.process / b.process);
        thread.push_back(a.thread / b.thread);
        wall.push_back(a.wall / b.wall);
        const double perFrameMs = 1000.0 / frames;
        absolute[0].push_back(a.process * perFrameMs);
        absolute[1].push_back(b.process * perFrameMs);
        absolute[2].push_back(a.thread * perFrameMs);
        absolute[3].push_back(b.thread * perFrameMs);
    }
    if (pairs <= 0 || frames <= 0)
        return PairedRatio{};
    return PairedRatio{Median(process),     Median(thread),      Median(wall),
                       Median(absolute[0]), Median(absolute[1]), Median(absolute[2]),
                       Median(absolute[3])};
}
