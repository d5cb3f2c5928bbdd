#pragma once

#include "afx.h"

// The absolute form of a path (relative ones against the current
// directory, "." and ".." resolved); the path itself when that fails.
CString FullPathName(const CString& path);

// The absolute form of a folder's path, without closing backslashes but for
// a drive's root ("C:\").
CString FullFolderPath(const CString& folder);

// The folder holding a folder given in the form above, in that form; empty
// at a root.
CString FolderAbove(const CString& fullFolder);

// "<folder>\<name>".
CString JoinFolder(const CString& folder, const wchar_t* name);
