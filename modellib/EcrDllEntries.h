#pragma once

#include "EcrDllExports.h"

// The program's entries to the loaded model library's exports, bound by the
// application (app/CEcrDll). Each holds the library's function or a stub, so
// every export can be called at any time.
extern PFN_SetGClassAddr SetGClassAddr;
extern PFN_CreateExDialog CreateExDialog;
extern PFN_DeleteExDialog DeleteExDialog;
extern PFN_SetEcrFolder SetEcrFolder;
extern PFN_GetEcrDataFromWndNo GetEcrDataFromWndNo;
extern PFN_GetEcrDataCount GetEcrDataCount;
extern PFN_GetEcrDataFromIndex GetEcrDataFromIndex;
extern PFN_GetEcrIndexFromData GetEcrIndexFromData;
