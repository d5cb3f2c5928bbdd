// The open and save file dialogs, through one seam that tests answer.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include "strings.h"

class CWnd;

// Answers a file dialog: true and the chosen full path, or false when
// cancelled. ofn is the request as the system dialog would get it.
using AfxFileDialogHandler = bool (*)(BOOL open, OPENFILENAMEW& ofn, CString& chosen);

// Replaces the handler; returns the previous one. Null restores the system dialogs.
AfxFileDialogHandler AfxSetFileDialogHandler(AfxFileDialogHandler handler);

class CFileDialog
{
public:
    // filter: pairs of description and pattern separated by '|', ending in "||".
    explicit CFileDialog(BOOL openFileDialog, LPCWSTR defExt = nullptr, LPCWSTR fileName = nullptr,
                         DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCWSTR filter = nullptr,
                         CWnd* parent = nullptr);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // IDOK or IDCANCEL. Counts as a modal loop while it runs.
    INT_PTR DoModal();

    CString GetPathName() const { return m_path; }
    CString GetFileName() const;  // without the folder
    CString GetFileExt() const;   // without the period

    OPENFILENAMEW m_ofn = {};

private:
    BOOL m_open;
    CString m_defExt;
    CString m_filter;  // '|' turned into the terminators the system expects
    CString m_path;
    CWnd* m_parent;
};
