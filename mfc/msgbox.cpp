#include "msgbox.h"

#include "app.h"

namespace {

int SystemMessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type)
{
    return ::MessageBoxW(owner, text, caption, type);
}

AfxMessageBoxHandler g_handler = SystemMessageBox;

} // namespace

AfxMessageBoxHandler AfxSetMessageBoxHandler(AfxMessageBoxHandler handler)
{
    AfxMessageBoxHandler old = g_handler;
    g_handler = handler ? handler : SystemMessageBox;
    return old;
}

int AfxShowMessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type)
{
    if (!AfxIsUiThread()) {
        // A worker's box has no owner: closing a box owned by a window that
        // a modal dialog has disabled would enable that window again. Kept
        // in front, since nothing owns it.
        type |= MB_SETFOREGROUND | MB_TOPMOST;
    } else if (!owner) {
        owner = ::GetActiveWindow();
        if (!owner) {
            CWnd* main = AfxGetMainWnd();
            owner = main ? main->m_hWnd : nullptr;
        }
    }
    if (!caption) {
        CWinApp* app = AfxGetApp();
        caption = app && app->m_pszAppName ? app->m_pszAppName : L"";
    }
    CModalScope modal;
    return g_handler(owner, text ? text : L"", caption, type);
}

int AfxMessageBox(LPCWSTR text, UINT type, UINT)
{
    return AfxShowMessageBox(nullptr, text, nullptr, type);
}
