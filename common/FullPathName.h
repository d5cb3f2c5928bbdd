#pragma once

#include "afx.h"

// The absolute form of a path (relative ones against the current
// directory, "." and ".." resolved); the path itself when that fails.
CString FullPathName(const CString& path);

// "<folder>\<name>".
CString JoinFolder(const CString& folder, const wchar_t* name);
