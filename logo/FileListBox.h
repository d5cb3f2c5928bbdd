// Filling a list box with the files of a folder.
#pragma once

#include <functional>

#include "afx.h"

// Adds the names (without folder) of the files that match pattern, a folder
// and a wildcard, in the order the search finds them, leaving out those that
// keep refuses. When any was added, the list scrolls sideways as far as the
// widest of them. Returns the number added.
int AddFolderFiles(CListBox& list, const CString& pattern, const std::function<bool(const wchar_t*)>& keep);
