#include "commondlg.h"

#include <commdlg.h>
#include <shlobj.h>

#include "app.h"

namespace {

int CALLBACK SelectInitialFolder(HWND browser, UINT message, LPARAM, LPARAM folder)
{
    if (message == BFFM_INITIALIZED && folder) {
        // Wine's browser matches the path's shell ids, which hold each
        // folder's access time, against those of its tree. Looking the path
        // up reads the folders on it, so a folder changed since it was last
        // read gets a new access time after its id was taken and no match;
        // the second request meets settled times (elsewhere it selects the
        // same folder again).
        ::SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, folder);
        ::SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, folder);
    }
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

bool SystemPrintDialog(HWND owner, DWORD flags, HDC& printerDC)
{
    PRINTDLGW pd = {};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = owner;
    pd.Flags = flags | PD_RETURNDC;
    const bool ok = ::PrintDlgW(&pd) && pd.hDC;
    // The chosen printer's settings are not kept between jobs.
    if (pd.hDevMode)
        ::GlobalFree(pd.hDevMode);
    if (pd.hDevNames)
        ::GlobalFree(pd.hDevNames);
    if (!ok) {
        if (pd.hDC)
            ::DeleteDC(pd.hDC);
        return false;
    }
    printerDC = pd.hDC;
    return true;
}

AfxPrintDialogHandler g_printDialog = SystemPrintDialog;

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

AfxPrintDialogHandler AfxSetPrintDialogHandler(AfxPrintDialogHandler handler)
{
    AfxPrintDialogHandler old = g_printDialog;
    g_printDialog = handler ? handler : SystemPrintDialog;
    return old;
}

bool AfxPrintDialog(HWND owner, DWORD flags, HDC& printerDC)
{
    CModalScope modal;
    printerDC = nullptr;
    return g_printDialog(owner, flags, printerDC);
}
