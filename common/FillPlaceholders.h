#pragma once

#include <initializer_list>

#include "afx.h"

// The pattern (usually a caption) with "%1" to "%9" replaced by the values
// in order, in one pass: an edited caption can name a value twice, in any
// order, or one that is not there (it is left as written), and nothing else
// in it is read as a format.
CString FillPlaceholders(const CString& pattern, std::initializer_list<CString> values);
