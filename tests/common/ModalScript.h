// Drives a modal dialog from inside its own loop in tests.
#pragma once

#include <functional>

#include <windows.h>

// Runs the action once on the first visible window of this thread that holds
// a control with the given id, as soon as a message loop (a modal dialog's,
// usually) handles the thread's timer messages. The action ends the dialog,
// or the dialog runs on.
void WhenDialogShows(int controlId, std::function<void(HWND dialog)> action);

// Whether an action is still waiting for its dialog.
bool DialogScriptPending();
