// The system's common dialogs, each through one seam that tests can answer.
#pragma once

#include <windows.h>

#include "strings.h"
#include "types.h"

// The folder browser: true and the chosen folder, or false when cancelled.
using AfxFolderBrowseHandler = bool (*)(HWND owner, LPCWSTR title, LPCWSTR initialFolder, CString& chosen);

// Replaces the handler; returns the previous one. Null restores the system browser.
AfxFolderBrowseHandler AfxSetFolderBrowseHandler(AfxFolderBrowseHandler handler);

// Runs the folder browser, owned by owner (disabled meanwhile), opened on
// initialFolder when it is given. Counts as a modal loop while it runs.
bool AfxBrowseForFolder(HWND owner, LPCWSTR title, LPCWSTR initialFolder, CString& chosen);

// The print dialog: true and a new printer context (the caller deletes it)
// when the user chose OK; false otherwise. flags are PRINTDLG flags.
using AfxPrintDialogHandler = bool (*)(HWND owner, DWORD flags, HDC& printerDC);

// Replaces the handler; returns the previous one. Null restores the system dialog.
AfxPrintDialogHandler AfxSetPrintDialogHandler(AfxPrintDialogHandler handler);

// Runs the print dialog (printing, not setup). Counts as a modal loop.
bool AfxPrintDialog(HWND owner, DWORD flags, HDC& printerDC);

// What a print job tells the code printing its pages.
struct CPrintInfo
{
    CRect m_rectDraw;       // the area to draw in, in logical units
    UINT m_nCurPage = 1;
    UINT GetMinPage() const { return m_nMinPage; }
    UINT GetMaxPage() const { return m_nMaxPage; }
    void SetMinPage(UINT page) { m_nMinPage = page; }
    void SetMaxPage(UINT page) { m_nMaxPage = page; }

private:
    UINT m_nMinPage = 1;
    UINT m_nMaxPage = 0;
};
