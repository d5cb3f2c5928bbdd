// The eight exports of the demo model library for model "02 VORN-K2", and
// the library's message-box seam for tests.
#include "afx.h"
#include "EcrDllExports.h"
#include "GroupRegistry.h"
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

VORN_EXPORT CEcrData* WINAPI GetEcrDataFromWndNo(int wndNo)
{
    return GroupRegistry::Instance().FromWndNo(wndNo);
}

VORN_EXPORT int WINAPI GetEcrDataCount()
{
    return GroupRegistry::Instance().Count();
}

VORN_EXPORT CEcrData* WINAPI GetEcrDataFromIndex(int index)
{
    return GroupRegistry::Instance().FromIndex(index);
}

VORN_EXPORT int WINAPI GetEcrIndexFromData(CEcrData* data)
{
    return GroupRegistry::Instance().IndexOf(data);
}

// The library's messages (CSV refusals, write failures) go through its own
// copy of the framework's message-box seam; tests answer them here.
VORN_EXPORT AfxMessageBoxHandler WINAPI VornSetMessageBoxHandler(AfxMessageBoxHandler handler)
{
    return AfxSetMessageBoxHandler(handler);
}
