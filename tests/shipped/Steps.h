// The screens the walk visits from the function menu, one step each.
#pragma once

#include "Walk.h"

struct Step
{
    const wchar_t* name;   // names the step's pictures and failures
    void (*run)(Walk& walk);
};

// In the order the walk runs them.
extern const Step kSteps[];
extern const int kStepCount;
