#pragma once

#include <windows.h>

// Appends a line to a dialog's on-screen log (a multi-line edit) and keeps
// the last line in view. Works on the handle only, so a worker thread may
// call it: every step is a message to the edit's own thread.
void AppendLogLine(HWND logEdit, const wchar_t* text);
