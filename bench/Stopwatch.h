#pragma once

#include <functional>
#include <string>

// Milliseconds of one run, by the performance counter.
double TimeOf(const std::function<void()>& work);

// Best time of several runs, in milliseconds, by the performance counter.
double BestOf(int runs, const std::function<void()>& work);

// The first of several runs is what a user waits for when the work is new to
// the process (code, classes and data not yet touched); the best is the cost
// once everything is warm. Both in milliseconds.
struct Timings
{
    double first = 0;
    double best = 0;
};

// Times `runs` runs of `work`; `after` (may be empty) runs after each one,
// untimed, to tear down what the run made.
Timings FirstAndBest(int runs, const std::function<void()>& work, const std::function<void()>& after = {});
// The same of `runs` runs of `measure`, each answering its own milliseconds
// (for work whose end is seen elsewhere than at its return).
Timings FirstAndBestMeasured(int runs, const std::function<double()>& measure);

// One line: what was timed, its first and best beside the reference's, the
// ratios, and whether each met the goal (a share of the reference; 0 or
// less: no goal).
void ReportTimings(const char* what, Timings timings, const char* reference, Timings ref, double goal);

// Runs this program again with the arguments, for work that must be timed in
// a fresh process (what a user waits for on a first open); the milliseconds
// that run prints on its output, or -1 when it failed.
double TimeOfFreshRun(const std::wstring& arguments);
