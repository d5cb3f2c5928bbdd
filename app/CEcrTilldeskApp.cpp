#include "CEcrTilldeskApp.h"

#include <commctrl.h>

#include "resource.h"

CEcrTilldeskApp theApp;

BOOL CEcrTilldeskApp::InitInstance()
{
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_INTERNET_CLASSES};
    ::InitCommonControlsEx(&icc);

    CurrentWnd = new CDialog;
    if (!CurrentWnd->Create(IDD_ECRTILLDESK_DIALOG)) {
        delete CurrentWnd;
        CurrentWnd = nullptr;
        return FALSE;
    }
    m_pMainWnd = CurrentWnd;
    CurrentWnd->ShowWindow(SW_SHOW);
    return TRUE;
}

int CEcrTilldeskApp::ExitInstance()
{
    if (CurrentWnd) {
        CurrentWnd->DestroyWindow();
        delete CurrentWnd;
        CurrentWnd = nullptr;
    }
    return CWinApp::ExitInstance();
}
