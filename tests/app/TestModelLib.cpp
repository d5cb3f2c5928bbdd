// A model library for the binding and navigation tests. Built twice: with
// all eight exports, and (PARTIAL_MODEL) with SetGClassAddr alone.
#include "TestModelState.h"
#include "afx.h"

#define TEST_EXPORT extern "C" __declspec(dllexport)

namespace {
TestModelState g_state;

class CLibraryScreen : public CWnd
{
};
} // namespace

TEST_EXPORT TestModelState* WINAPI GetTestModelState()
{
    return &g_state;
}

TEST_EXPORT void WINAPI SetGClassAddr(S_ECR_SETTING* settings, CCaptionManagerBase** holder)
{
    ++g_state.setGClassAddrCalls;
    g_state.settings = settings;
    g_state.holder = holder;
}

#ifndef PARTIAL_MODEL
TEST_EXPORT CWnd* WINAPI CreateExDialog(int wndNo)
{
    g_state.lastRequest = wndNo;
    if ((wndNo & ~0x01000000) != g_state.provideWndNo)
        return nullptr;
    auto* screen = new CLibraryScreen;
    if (!screen->CreateEx(0, L"STATIC", L"library screen", WS_POPUP | WS_CAPTION, CRect(10, 10, 300, 200), nullptr, 0)) {
        delete screen;
        return nullptr;
    }
    ++g_state.screensMade;
    return screen;
}

TEST_EXPORT void WINAPI DeleteExDialog(CWnd* wnd)
{
    ++g_state.deleteCalls;
    wnd->DestroyWindow();
    delete wnd;
}

TEST_EXPORT int WINAPI SetEcrFolder(const wchar_t* folder)
{
    lstrcpynW(g_state.folder, folder, MAX_PATH);
    g_state.folderText = folder;
    return 0;
}

TEST_EXPORT int WINAPI GetEcrDataCount()
{
    return 0;
}
#endif
