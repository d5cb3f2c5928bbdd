#pragma once

#include "afx.h"

// Drive and folder of the program's own file, ending in a backslash. Files
// shipped beside the program are found through it.
CString GetProgramFolder();
