#pragma once

#include "afx.h"

// Before the data of every group is replaced (another folder, another model
// library): when a group holds unsaved edits, asks once whether to go on.
// True when there are none or the operator answers OK.
bool ConfirmDiscardUnsavedEdits();

// The names of the groups that hold unsaved edits, in the library's order,
// joined by ", "; empty when none does.
CString UnsavedGroupNames();
