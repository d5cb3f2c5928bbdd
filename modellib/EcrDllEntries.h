#pragma once

#include "EcrDllExports.h"

// The export entries of the loaded model library, defined by the program's
// library binding (app/CEcrDll). Each holds the library's function or a
// stub, so every export can be called at any time; screens below the
// application reach the library through them.
extern PFN_SetGClassAddr SetGClassAddr;
extern PFN_CreateExDialog CreateExDialog;
extern PFN_DeleteExDialog DeleteExDialog;
extern PFN_SetEcrFolder SetEcrFolder;
extern PFN_GetEcrDataFromWndNo GetEcrDataFromWndNo;
extern PFN_GetEcrDataCount GetEcrDataCount;
extern PFN_GetEcrDataFromIndex GetEcrDataFromIndex;
extern PFN_GetEcrIndexFromData GetEcrIndexFromData;
