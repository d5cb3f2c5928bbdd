#include "EcrWndNo.h"

#include "afx.h"

BOOL PostEcrMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    CWinApp* app = AfxGetApp();
    return app && app->PostApplicationMessage(message, wParam, lParam);
}
