#pragma once

#include <windows.h>

#include "afx.h"

// What an exit code of the communication program (TillwireCodes.h) means,
// in the caption language, to follow the code in a failure message; empty
// for a code it does not list.
CString TillwireCodeMeaning(DWORD code);
