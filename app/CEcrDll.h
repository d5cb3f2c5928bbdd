#pragma once

#include "EcrDllExports.h"
#include "afx.h"

// The eight export entries of the model library. Each holds the library's
// function or a stub, so every export can be called at any time.
extern PFN_SetGClassAddr SetGClassAddr;
extern PFN_CreateExDialog CreateExDialog;
extern PFN_DeleteExDialog DeleteExDialog;
extern PFN_SetEcrFolder SetEcrFolder;
extern PFN_GetEcrDataFromWndNo GetEcrDataFromWndNo;
extern PFN_GetEcrDataCount GetEcrDataCount;
extern PFN_GetEcrDataFromIndex GetEcrDataFromIndex;
extern PFN_GetEcrIndexFromData GetEcrIndexFromData;

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
