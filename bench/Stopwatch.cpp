#include "Stopwatch.h"

#include <windows.h>

#include <cstdio>

double TimeOf(const std::function<void()>& work)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER start, end;
    ::QueryPerformanceCounter(&start);
    work();
    ::QueryPerformanceCounter(&end);
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double BestOf(int runs, const std::function<void()>& work)
{
    return FirstAndBest(runs, work).best;
}

Timings FirstAndBest(int runs, const std::function<void()>& work, const std::function<void()>& after)
{
    return FirstAndBestMeasured(runs, [&] {
        const double ms = TimeOf(work);
        if (after)
            after();
        return ms;
    });
}

Timings FirstAndBestMeasured(int runs, const std::function<double()>& measure)
{
    Timings timings;
    for (int i = 0; i < runs; ++i) {
        const double ms = measure();
        if (i == 0 || ms < timings.best)
            timings.best = ms;
        if (i == 0)
            timings.first = ms;
    }
    return timings;
}

void ReportTimings(const char* what, Timings timings, const char* reference, Timings ref, double goal)
{
    const double first = ref.first > 0 ? timings.first / ref.first : 0.0;
    const double best = ref.best > 0 ? timings.best / ref.best : 0.0;
    std::printf("%s: first %.1f ms, best %.1f ms | %s: first %.1f ms, best %.1f ms | ratio first %.2f, best %.2f", what,
                timings.first, timings.best, reference, ref.first, ref.best, first, best);
    if (goal > 0)
        std::printf(" | goal %.2f: first %s, best %s\n", goal, first <= goal ? "met" : "NOT met",
                    best <= goal ? "met" : "NOT met");
    else
        std::printf(" | no goal\n");
}
