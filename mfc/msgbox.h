// Every message box of the program goes through one seam that tests answer.
#pragma once

#include <windows.h>

// Shows a message box and returns the button pressed (IDOK, IDYES, ...).
using AfxMessageBoxHandler = int (*)(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);

// Replaces the handler; returns the previous one. Null restores the system box.
AfxMessageBoxHandler AfxSetMessageBoxHandler(AfxMessageBoxHandler handler);

// On the UI thread, owner null means the active window, else the main
// window; a box raised by a worker thread keeps the owner given (workers give
// none) and stays on top. Caption null: the application's name. Counts as a
// modal loop of the UI thread while it runs there.
int AfxShowMessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);

int AfxMessageBox(LPCWSTR text, UINT type = MB_OK, UINT helpId = 0);
