// The test program's application object: records the thread messages it gets.
#pragma once

#include <vector>

#include "afx.h"

constexpr UINT WM_TEST_THREAD = WM_USER + 100;
constexpr UINT WM_TEST_END_MODAL = WM_USER + 101;

class CTestApp : public CWinApp
{
public:
    std::vector<WPARAM> received;  // wParam of every WM_TEST_THREAD
    CDialog* endOnMessage = nullptr;

protected:
    void OnTestThread(WPARAM wParam, LPARAM lParam);
    void OnEndModal(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

extern CTestApp theTestApp;
