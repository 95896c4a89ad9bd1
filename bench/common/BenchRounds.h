#pragma once

// Timing for the benchmarks that paint: a piece of work run round after round,
// each round's time taken after GDI has flushed its batch, so that the time
// includes the drawing itself.

#include <windows.h>

#include <functional>
#include <vector>

namespace bench {

inline double NowSeconds()
{
    static const double frequency = [] {
        LARGE_INTEGER value;
        ::QueryPerformanceFrequency(&value);
        return double(value.QuadPart);
    }();
    LARGE_INTEGER value;
    ::QueryPerformanceCounter(&value);
    return double(value.QuadPart) / frequency;
}

// The milliseconds of each of `rounds` runs of `work`, after five runs that warm
// the caches up.
inline std::vector<double> TimeRounds(int rounds, const std::function<void()>& work)
{
    for (int i = 0; i < 5; ++i)
        work();
    ::GdiFlush();
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        const double start = NowSeconds();
        work();
        ::GdiFlush();
        times.push_back((NowSeconds() - start) * 1000);
    }
    return times;
}

}  // namespace bench
