#include "filedlg.h"

#include <vector>

#include "app.h"
#include "window.h"

namespace {

bool SystemFileDialog(BOOL open, OPENFILENAMEW& ofn, CString& chosen)
{
    // Room for long paths; the name given as the start is copied in.
    std::vector<wchar_t> buffer(32768, L'\0');
    if (ofn.lpstrFile)
        wcsncpy(buffer.data(), ofn.lpstrFile, buffer.size() - 1);
    OPENFILENAMEW request = ofn;
    request.lpstrFile = buffer.data();
    request.nMaxFile = static_cast<DWORD>(buffer.size());
    const BOOL ok = open ? ::GetOpenFileNameW(&request) : ::GetSaveFileNameW(&request);
    if (!ok)
        return false;
    chosen = buffer.data();
    return true;
}

AfxFileDialogHandler g_fileDialog = SystemFileDialog;

} // namespace

AfxFileDialogHandler AfxSetFileDialogHandler(AfxFileDialogHandler handler)
{
    AfxFileDialogHandler old = g_fileDialog;
    g_fileDialog = handler ? handler : SystemFileDialog;
    return old;
}

CFileDialog::CFileDialog(BOOL openFileDialog, LPCWSTR defExt, LPCWSTR fileName, DWORD flags, LPCWSTR filter,
                         CWnd* parent)
    : m_open(openFileDialog), m_defExt(defExt), m_filter(filter), m_path(fileName), m_parent(parent)
{
    m_filter.Replace(L'|', L'\0');
    m_ofn.lStructSize = sizeof m_ofn;
    // Every path of the program is relative to the current directory.
    m_ofn.Flags = flags | OFN_NOCHANGEDIR | OFN_EXPLORER;
}

INT_PTR CFileDialog::DoModal()
{
    CWnd* owner = m_parent ? m_parent : AfxGetMainWnd();
    m_ofn.hwndOwner = owner ? owner->GetSafeHwnd() : nullptr;
    m_ofn.lpstrFilter = m_filter.IsEmpty() ? nullptr : m_filter.GetString();
    m_ofn.lpstrDefExt = m_defExt.IsEmpty() ? nullptr : m_defExt.GetString();
    m_ofn.lpstrFile = const_cast<wchar_t*>(m_path.GetString());
    CModalScope modal;
    CString chosen;
    if (!g_fileDialog(m_open, m_ofn, chosen))
        return IDCANCEL;
    m_path = chosen;
    return IDOK;
}

CString CFileDialog::GetFileName() const
{
    const int slash = m_path.ReverseFind(L'\\');
    return m_path.Mid(slash + 1);
}

CString CFileDialog::GetFileExt() const
{
    const CString name = GetFileName();
    const int dot = name.ReverseFind(L'.');
    return dot < 0 ? CString() : name.Mid(dot + 1);
}
