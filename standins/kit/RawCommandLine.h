#pragma once

#include <vector>

#include "afx.h"

// The arguments of a raw command line as the program's callers write them:
// blanks separate, a token that starts with a double quote runs to the
// next double quote, and a backslash is an ordinary character (so
// "C:\Data\" is the folder C:\Data\). The program's own name comes first
// and is left out.
std::vector<CString> SplitRawCommandLine(const wchar_t* line);
