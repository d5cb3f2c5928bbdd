#include "CTillmarkViewDlg.h"

#include "AtomicFile.h"
#include "EcrGlobals.h"
#include "EcrWndNo.h"
#include "FileListBox.h"
#include "FullPathName.h"
#include "CaptionText.h"
#include "LogoFile.h"
#include "LogoNames.h"
#include "LogoResources.h"
#include "S_ECR_SETTING.h"

BEGIN_MESSAGE_MAP(CTillmarkViewDlg, CEcrDialog)
    ON_LBN_SELCHANGE(IDC_VIEW_FILES, &CTillmarkViewDlg::OnSelectLogoFile)
    ON_BN_CLICKED(IDC_VIEW_SET, &CTillmarkViewDlg::OnSetLogo)
    ON_BN_CLICKED(IDC_VIEW_CLEAR, &CTillmarkViewDlg::OnClearLogo)
    ON_WM_DRAWITEM()
END_MESSAGE_MAP()

CTillmarkViewDlg::CTillmarkViewDlg(CEcrGraphic* logo, DWORD, const wchar_t* outputName, CWnd* parent)
    : CEcrDialog(IDD_TILLMARK_VIEW_DIALOG, WNDNO_LOGO_VIEW, parent), m_logo(logo),
      m_outputName(outputName ? outputName : L"")
{
    IsModal = TRUE;
}

void CTillmarkViewDlg::DoDataExchange(CDataExchange* dx)
{
    CEcrDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_VIEW_PREVIEW, m_preview);
    DDX_Control(dx, IDC_VIEW_FILES, m_files);
    DDX_Control(dx, IDC_VIEW_SET, m_set);
    DDX_Control(dx, IDC_VIEW_CLEAR, m_clear);
    DDX_Control(dx, IDCANCEL, m_close);
}

BOOL CTillmarkViewDlg::OnInitDialog()
{
    CEcrDialog::OnInitDialog();
    BindCaption(this, 1);
    BindCaption(&m_set, 2);
    BindCaption(&m_close, 3);
    BindCaption(&m_clear, 7);

    S_ECR_TABLE* table = m_logo->GetTable(0);
    if (table)
        m_preview.SetWindowPos(nullptr, 0, 0, table->FieldCount, table->RecordCount,
                               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ListLogoFiles(g_pEcrSetting->BmpPath);

    int select = 0;
    if (!m_outputName.IsEmpty()) {
        int found = static_cast<int>(m_files.SendMessage(LB_FINDSTRING, 0, reinterpret_cast<LPARAM>(m_outputName.GetString())));
        select = found >= 0 ? found : 0;
    }
    m_files.SetCurSel(select);
    OnSelectLogoFile();
    return TRUE;
}

void CTillmarkViewDlg::ListLogoFiles(const CString& folder)
{
    m_files.ResetContent();
    m_files.AddString(m_logo->FileName ? m_logo->FileName : L"");
    CString pattern;
    pattern.Format(L"%s\\*_%s.ecr", folder.GetString(), m_logo->LogoName ? m_logo->LogoName : L"");
    const wchar_t* logoName = m_logo->LogoName;
    AddFolderFiles(m_files, pattern, [logoName](const wchar_t* name) { return IsLogoFileOf(name, logoName); });
}

CString CTillmarkViewDlg::SelectedText() const
{
    CString text;
    int index = m_files.GetCurSel();
    if (index >= 0)
        m_files.GetText(index, text);
    return text;
}

CString CTillmarkViewDlg::LogoPath() const
{
    return JoinFolder(g_pEcrSetting->DataPath, m_logo->FileName ? m_logo->FileName : L"");
}

void CTillmarkViewDlg::OnSelectLogoFile()
{
    CString name = SelectedText();
    if (m_files.GetCurSel() == 0) {
        m_logo->LoadLogoPreview(g_pEcrSetting->DataPath, name);
        m_set.EnableWindow(FALSE);
        m_clear.EnableWindow(TRUE);
    } else {
        // A file the library cannot decode (the wrong size, say) is never installed.
        BOOL decoded = m_logo->LoadLogoPreview(g_pEcrSetting->BmpPath, name);
        m_set.EnableWindow(decoded);
        m_clear.EnableWindow(FALSE);
    }
    m_preview.Invalidate(TRUE);
}

void CTillmarkViewDlg::OnDrawItem(int id, LPDRAWITEMSTRUCT item)
{
    if (id != IDC_VIEW_PREVIEW) {
        CEcrDialog::OnDrawItem(id, item);
        return;
    }
    CDC dc;
    dc.Attach(item->hDC);
    CRect client;
    m_preview.GetClientRect(&client);
    dc.FillSolidRect(&client, RGB(255, 255, 255));
    BITMAP bm = {};
    if (m_logo->Loaded && m_logo->Image.GetBitmap(&bm)) {
        CDC source;
        if (source.CreateCompatibleDC(&dc)) {
            HGDIOBJ old = source.SelectObject(&m_logo->Image);
            // A one-bit image takes these colours for its 0 and 1 bits.
            dc.SetTextColor(RGB(0, 0, 0));
            dc.SetBkColor(RGB(255, 255, 255));
            dc.BitBlt(0, 0, bm.bmWidth, bm.bmHeight, &source, 0, 0, SRCCOPY);
            source.SelectObject(old);
        }
    } else {
        CPen pen(PS_SOLID, 3, RGB(255, 0, 0));
        HGDIOBJ old = dc.SelectObject(&pen);
        dc.MoveTo(0, 0);
        dc.LineTo(client.right, client.bottom);
        dc.MoveTo(client.right, 0);
        dc.LineTo(0, client.bottom);
        dc.SelectObject(old);
    }
    dc.Detach();
}

void CTillmarkViewDlg::ReportUpdate(bool done)
{
    if (done) {
        m_logo->ReloadFromFolder(g_pEcrSetting->DataPath);
        AfxMessageBox(CaptionText(WNDNO_LOGO_VIEW, 6, L"Update Success"), MB_OK | MB_ICONINFORMATION);
    } else {
        // The register's logo file was left as it was: name it.
        AfxMessageBox(CaptionText(WNDNO_LOGO_VIEW, 5, L"Update Fail") + L"\n" + LogoPath(), MB_OK);
    }
}

bool CTillmarkViewDlg::CreateDataFolder()
{
    // A data folder that is not there yet is made by the first write.
    if (AtomicFile::CreateFolder(g_pEcrSetting->DataPath))
        return true;
    AfxMessageBox(FolderFailureText(LogoPath(), g_pEcrSetting->DataPath, ::GetLastError()), MB_OK | MB_ICONEXCLAMATION);
    return false;
}

void CTillmarkViewDlg::OnSetLogo()
{
    CString name = SelectedText();
    if (name.IsEmpty()) {
        AfxMessageBox(CaptionText(WNDNO_LOGO_VIEW, 4, L"The file has not been selected"), MB_OK);
        return;
    }
    if (!CreateDataFolder())
        return;
    ReportUpdate(LogoFile::CopyOver(JoinFolder(g_pEcrSetting->BmpPath, name), LogoPath()));
}

void CTillmarkViewDlg::OnClearLogo()
{
    S_ECR_TABLE* table = m_logo->GetTable(0);
    size_t size = table && table->FieldCount > 0 && table->RecordCount > 0
                      ? static_cast<size_t>(table->FieldCount) * static_cast<size_t>(table->RecordCount) / 8
                      : 0;
    if (!CreateDataFolder())
        return;
    bool done = LogoFile::WriteBlank(LogoPath(), size);
    OnSelectLogoFile();
    ReportUpdate(done);
}
