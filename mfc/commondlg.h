// The system's common dialogs, each through one seam that tests can answer.
#pragma once

#include "strings.h"

// The folder browser: true and the chosen folder, or false when cancelled.
using AfxFolderBrowseHandler = bool (*)(HWND owner, LPCWSTR title, LPCWSTR initialFolder, CString& chosen);

// Replaces the handler; returns the previous one. Null restores the system browser.
AfxFolderBrowseHandler AfxSetFolderBrowseHandler(AfxFolderBrowseHandler handler);

// Runs the folder browser, owned by owner (disabled meanwhile), opened on
// initialFolder when it is given. Counts as a modal loop while it runs.
bool AfxBrowseForFolder(HWND owner, LPCWSTR title, LPCWSTR initialFolder, CString& chosen);
