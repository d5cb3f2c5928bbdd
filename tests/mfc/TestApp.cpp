#include "TestApp.h"

CTestApp theTestApp;

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
    ON_THREAD_MESSAGE(WM_TEST_THREAD, &CTestApp::OnTestThread)
    ON_THREAD_MESSAGE(WM_TEST_END_MODAL, &CTestApp::OnEndModal)
END_MESSAGE_MAP()

void CTestApp::OnTestThread(WPARAM wParam, LPARAM)
{
    received.push_back(wParam);
}

void CTestApp::OnEndModal(WPARAM wParam, LPARAM)
{
    if (endOnMessage)
        endOnMessage->EndDialog(static_cast<int>(wParam));
}
