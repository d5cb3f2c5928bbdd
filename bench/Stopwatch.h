#pragma once

#include <functional>

// Best time of several runs, in milliseconds, by the performance counter.
double BestOf(int runs, const std::function<void()>& work);
