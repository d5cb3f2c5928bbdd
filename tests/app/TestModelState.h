#pragma once

#include <windows.h>

class CCaptionManagerBase;
struct S_ECR_SETTING;

// What the test model library saw of the program.
struct TestModelState
{
    int setGClassAddrCalls = 0;
    S_ECR_SETTING* settings = nullptr;
    CCaptionManagerBase** holder = nullptr;
    int provideWndNo = -1;  // the window number the library makes a screen for
    int lastRequest = 0;
    int screensMade = 0;
    int deleteCalls = 0;
    wchar_t folder[MAX_PATH] = {};
    const wchar_t* folderText = nullptr;  // the pointer SetEcrFolder was given
};

using PFN_GetTestModelState = TestModelState*(WINAPI*)();
