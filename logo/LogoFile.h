// Writing the register's logo file in the data folder. Both ways go
// through a temporary file beside the target and a rename, so a failure
// leaves the old logo whole.
#pragma once

#include "afx.h"

namespace LogoFile {

// Replaces target with size bytes of 0 (the blank logo). A size of 0
// fails without touching the target.
bool WriteBlank(const CString& target, size_t size);

// Replaces target with a copy of source.
bool CopyOver(const CString& source, const CString& target);

} // namespace LogoFile
