#pragma once

class CWnd;

// Before the data of every group is replaced (another folder, another model
// library): when a group holds unsaved edits, asks once whether to go on.
// True when there are none or the operator answers OK.
bool ConfirmDiscardUnsavedEdits();
