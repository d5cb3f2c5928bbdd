#pragma once

#include "afx.h"

// The demo register's sample data, the same on every run: departments,
// PLUs with Japanese and English names, clerks, modes, the keyboard, logos
// and a day's raw reports. Register text is written in code page 932.
namespace SampleData {

// Writes every data file of the library into `folder`; false on a failure.
bool Write(const CString& folder, int pluCount);

// A PLU name for record `i`, Japanese or English.
CString PluName(int i);

} // namespace SampleData
