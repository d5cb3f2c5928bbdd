// The eight exports of the demo model library for model "02 VORN-K2".
#include "afx.h"
#include "EcrDllExports.h"
#include "LibraryState.h"

#define VORN_EXPORT extern "C" __declspec(dllexport)

VORN_EXPORT void WINAPI SetGClassAddr(S_ECR_SETTING* settings, CCaptionManagerBase** captionHolder)
{
    LibraryState::Instance().Bind(settings, captionHolder);
}

// The demo register brings no screens of its own.
VORN_EXPORT CWnd* WINAPI CreateExDialog(int)
{
    return nullptr;
}

VORN_EXPORT void WINAPI DeleteExDialog(CWnd*)
{
}

VORN_EXPORT int WINAPI SetEcrFolder(const wchar_t* folder)
{
    LibraryState::Instance().SetFolder(folder);
    return 0;
}

VORN_EXPORT CEcrData* WINAPI GetEcrDataFromWndNo(int)
{
    return nullptr;
}

VORN_EXPORT int WINAPI GetEcrDataCount()
{
    return 0;
}

VORN_EXPORT CEcrData* WINAPI GetEcrDataFromIndex(int)
{
    return nullptr;
}

VORN_EXPORT int WINAPI GetEcrIndexFromData(CEcrData*)
{
    return -1;
}
