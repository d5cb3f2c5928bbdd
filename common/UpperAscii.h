#pragma once

#include "afx.h"

// The program's one rule for upper-casing names it derives (library base
// names, report keys, logo output names): the letters a to z only, so the
// result does not depend on the locale.
CString UpperAscii(CString text);
