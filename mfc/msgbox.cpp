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
    if (!owner)
        owner = ::GetActiveWindow();
    if (!owner) {
        CWnd* main = AfxGetMainWnd();
        owner = main ? main->m_hWnd : nullptr;
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
