#pragma once

#include <windows.h>

class CCaptionManagerBase;
class CEcrData;
class CWnd;
struct S_ECR_SETTING;

// The eight exports of a model library, looked up by these plain names.
using PFN_SetGClassAddr = void(WINAPI*)(S_ECR_SETTING* settings, CCaptionManagerBase** captionHolder);
using PFN_CreateExDialog = CWnd*(WINAPI*)(int wndNo);
using PFN_DeleteExDialog = void(WINAPI*)(CWnd* wnd);
using PFN_SetEcrFolder = int(WINAPI*)(const wchar_t* folder);
using PFN_GetEcrDataFromWndNo = CEcrData*(WINAPI*)(int wndNo);
using PFN_GetEcrDataCount = int(WINAPI*)();
using PFN_GetEcrDataFromIndex = CEcrData*(WINAPI*)(int index);
using PFN_GetEcrIndexFromData = int(WINAPI*)(CEcrData* data);
