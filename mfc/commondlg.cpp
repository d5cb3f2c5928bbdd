#include "commondlg.h"

#include <shlobj.h>

#include "app.h"

namespace {

int CALLBACK SelectInitialFolder(HWND browser, UINT message, LPARAM, LPARAM folder)
{
    if (message == BFFM_INITIALIZED && folder)
        ::SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, folder);
    return 0;
}

bool SystemFolderBrowser(HWND owner, LPCWSTR title, LPCWSTR initialFolder, CString& chosen)
{
    wchar_t display[MAX_PATH] = {};
    BROWSEINFOW info = {};
    info.hwndOwner = owner;
    info.pszDisplayName = display;
    info.lpszTitle = title;
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    if (initialFolder && *initialFolder) {
        info.lpfn = SelectInitialFolder;
        info.lParam = reinterpret_cast<LPARAM>(initialFolder);
    }
    PIDLIST_ABSOLUTE item = ::SHBrowseForFolderW(&info);
    if (!item)
        return false;
    wchar_t path[MAX_PATH] = {};
    bool ok = ::SHGetPathFromIDListW(item, path) != FALSE;
    ::CoTaskMemFree(item);
    if (ok)
        chosen = path;
    return ok;
}

AfxFolderBrowseHandler g_folderBrowser = SystemFolderBrowser;

} // namespace

AfxFolderBrowseHandler AfxSetFolderBrowseHandler(AfxFolderBrowseHandler handler)
{
    AfxFolderBrowseHandler old = g_folderBrowser;
    g_folderBrowser = handler ? handler : SystemFolderBrowser;
    return old;
}

bool AfxBrowseForFolder(HWND owner, LPCWSTR title, LPCWSTR initialFolder, CString& chosen)
{
    CModalScope modal;
    return g_folderBrowser(owner, title, initialFolder, chosen);
}
