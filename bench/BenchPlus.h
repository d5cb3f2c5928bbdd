// The sample PLU table some benchmarks work on.
#pragma once

#include "afx.h"

// Writes `records` sample PLUs into the folder the first argument names, else
// "tilldesk-bench" in the temporary folder. The folder, or empty (and said on
// stderr) when writing failed.
CString WriteBenchPlus(int argc, wchar_t** argv, int records);
