#pragma once

#include "EcrDllEntries.h"
#include "afx.h"

// Base name of a library path: the part after the last backslash, upper-cased
// (ASCII letters only) with every ".DLL" removed. Names the caption files
// and the character table.
CString DLLBASE(const wchar_t* path);

// The binding of the loaded model library.
class CEcrDll
{
public:
    CEcrDll();
    ~CEcrDll();
    CEcrDll(const CEcrDll&) = delete;
    CEcrDll& operator=(const CEcrDll&) = delete;

    // Frees the library and points every export entry at its stub.
    BOOL UnloadModelDll();
    // Unloads the current library, loads the one at path and binds its
    // exports (stubs for missing ones). False when LoadLibrary fails, which
    // leaves no library loaded.
    bool Load(const wchar_t* path);

    CString Path;             // as passed to LoadLibrary; empty when none is loaded
    HMODULE Module = nullptr;
};
