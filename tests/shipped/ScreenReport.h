// What was on screen when a step of the walk failed, for its output.
#pragma once

#include <string>

#include <windows.h>

// Lists the programs the program started that still run; every visible
// top-level window with its process, title and the texts of its controls
// (which are ticked or disabled; hidden edits too, as the transfer log lies
// behind its animation), or that the window's thread does not answer; and
// the last lines of every log in the program folder (the stand-ins' logs).
// Each line begins with "  ".
std::wstring ScreenReport(DWORD programId, const std::wstring& folder);
