#include "CSelectDlg.h"

#include <utility>

#include "CEcrCnvDlg.h"
#include "CEcrData.h"
#include "CEcrDll.h"
#include "CEcrTilldeskApp.h"
#include "CTillwireDlg.h"
#include "CaptionText.h"
#include "EcrGlobals.h"
#include "EcrWndNo.h"
#include "FrameworkResources.h"
#include "S_ECR_SETTING.h"
#include "UnsavedEdits.h"
#include "resource.h"

namespace {

// Buttons in caption order (captions 1 to 14), then the group boxes (16 to 18).
const int kButtonIds[14] = {IDC_SEL_DEPT, IDC_SEL_PLU, IDC_SEL_CLERK, IDC_SEL_LOGO, IDC_SEL_KEYBOARD,
                            IDC_SEL_S_MODE, IDC_SEL_PROG_MODE, IDC_SEL_REPORT_CONVERT, IDC_SEL_REPORT_VIEWER,
                            IDC_SEL_RESERVED, IDC_SEL_FOLDER, IDC_SEL_RECEIVE, IDC_SEL_SEND, IDC_SEL_BACK};
const int kGroupIds[3] = {IDC_SEL_SETTING_GROUP, IDC_SEL_REPORT_GROUP, IDC_SEL_COMM_GROUP};

const wchar_t kTransferModel[] = L"02 VORN-K2";

// The folder browser's prompt.
constexpr int kFolderPromptCaption = 19;

// The screen a button leads to.
int ScreenOf(UINT id)
{
    switch (id) {
    case IDC_SEL_DEPT: return WNDNO_DEPT;
    case IDC_SEL_PLU: return WNDNO_PLU;
    case IDC_SEL_CLERK: return WNDNO_CLERK;
    case IDC_SEL_LOGO: return WNDNO_LOGO;
    case IDC_SEL_KEYBOARD: return WNDNO_KEYBOARD;
    case IDC_SEL_S_MODE: return WNDNO_S_MODE;
    case IDC_SEL_PROG_MODE: return WNDNO_PROG_MODE;
    case IDC_SEL_REPORT_VIEWER: return WNDNO_REPORT_VIEWER;
    case IDC_SEL_BACK: return WNDNO_MAIN;
    default: return -1;
    }
}

} // namespace

BEGIN_MESSAGE_MAP(CSelectDlg, CEcrDialog)
    ON_BN_CLICKED(IDC_SEL_REPORT_CONVERT, &CSelectDlg::OnReportConvert)
    ON_BN_CLICKED(IDC_SEL_RECEIVE, &CSelectDlg::OnReceive)
    ON_BN_CLICKED(IDC_SEL_SEND, &CSelectDlg::OnSend)
    ON_BN_CLICKED(IDC_SEL_FOLDER, &CSelectDlg::OnFolderSelect)
    // Every other button switches screens (Resurve does nothing).
    ON_CONTROL_RANGE(BN_CLICKED, IDC_SEL_PLU, IDC_SEL_RESERVED, &CSelectDlg::OnScreenButton)
END_MESSAGE_MAP()

CSelectDlg::CSelectDlg() : CEcrDialog(IDD_SELECT_DIALOG, WNDNO_SELECT)
{
    Icon = ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME));
}

void CSelectDlg::DoDataExchange(CDataExchange* dx)
{
    CEcrDialog::DoDataExchange(dx);
    for (int i = 0; i < 14; ++i)
        DDX_Control(dx, kButtonIds[i], m_buttons[i]);
    for (int i = 0; i < 3; ++i)
        DDX_Control(dx, kGroupIds[i], m_groups[i]);
}

BOOL CSelectDlg::OnInitDialog()
{
    CEcrDialog::OnInitDialog();
    for (int i = 0; i < 14; ++i)
        BindCaption(&m_buttons[i], i + 1);
    for (int i = 0; i < 3; ++i)
        BindCaption(&m_groups[i], i + 16);
    EnableFunctionButtons();
    return TRUE;
}

LRESULT CSelectDlg::RefreshCaptions(WPARAM wParam, LPARAM lParam)
{
    EnableFunctionButtons();
    return CEcrDialog::RefreshCaptions(wParam, lParam);
}

bool CSelectDlg::EnableForGroup(int buttonId, int wndNo)
{
    CWnd* button = GetDlgItem(buttonId);
    CEcrData* group = GetEcrDataFromWndNo(wndNo);
    if (!group) {
        button->ShowWindow(SW_HIDE);
        return false;
    }
    button->EnableWindow(group->Enabled != 0);
    return true;
}

void CSelectDlg::EnableFunctionButtons()
{
    EnableForGroup(IDC_SEL_DEPT, WNDNO_DEPT);
    EnableForGroup(IDC_SEL_PLU, WNDNO_PLU);
    EnableForGroup(IDC_SEL_CLERK, WNDNO_CLERK);
    EnableForGroup(IDC_SEL_S_MODE, WNDNO_S_MODE);
    EnableForGroup(IDC_SEL_PROG_MODE, WNDNO_PROG_MODE);
    bool convert = EnableForGroup(IDC_SEL_REPORT_CONVERT, WNDNO_CNV);
    bool viewer = EnableForGroup(IDC_SEL_REPORT_VIEWER, WNDNO_REPORT_VIEWER);
    if (!convert && !viewer)
        GetDlgItem(IDC_SEL_REPORT_GROUP)->ShowWindow(SW_HIDE);
    EnableForGroup(IDC_SEL_KEYBOARD, WNDNO_KEYBOARD);
    EnableForGroup(IDC_SEL_RESERVED, WNDNO_RESERVED);

    const S_ECR_SETTING& settings = *g_pEcrSetting;
    CString title;
    title.Format(L"%s - %s", settings.EcrName.GetString(), settings.DataPath.GetString());
    SetWindowText(title);

    // A caption file can hide the transfers by naming their group "HIDETHISITEM".
    wchar_t group[63] = {};
    ::GetWindowTextW(GetDlgItem(IDC_SEL_COMM_GROUP)->m_hWnd, group, 63);
    int show = ::lstrcmpiW(group, L"HIDETHISITEM") != 0 && settings.EcrName == kTransferModel ? SW_SHOW : SW_HIDE;
    GetDlgItem(IDC_SEL_COMM_GROUP)->ShowWindow(show);
    GetDlgItem(IDC_SEL_RECEIVE)->ShowWindow(show);
    GetDlgItem(IDC_SEL_SEND)->ShowWindow(show);
}

void CSelectDlg::OnScreenButton(UINT id)
{
    int wndNo = ScreenOf(id);
    if (wndNo >= 0)
        PostEcrMessage(WM_ECR_SHOW_WINDOW, static_cast<WPARAM>(wndNo), 0);
}

void CSelectDlg::OnReportConvert()
{
    CEcrCnvDlg dialog(this);
    dialog.IsModal = TRUE;
    dialog.DoModal();
}

void CSelectDlg::RunTransfer(int direction)
{
    CTillwireDlg dialog(direction, this);
    dialog.IsModal = TRUE;
    dialog.DoModal();
}

void CSelectDlg::OnReceive()
{
    RunTransfer(0);
}

void CSelectDlg::OnSend()
{
    RunTransfer(1);
}

void CSelectDlg::OnFolderSelect()
{
    CWnd* button = GetDlgItem(IDC_SEL_FOLDER);
    button->EnableWindow(FALSE);

    // The browser opens on the current data folder when it exists.
    CString initial;
    wchar_t full[MAX_PATH] = {};
    DWORD n = ::GetFullPathNameW(g_pEcrSetting->DataPath, MAX_PATH, full, nullptr);
    DWORD attributes = n > 0 && n < MAX_PATH ? ::GetFileAttributesW(full) : INVALID_FILE_ATTRIBUTES;
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        initial = full;

    // The menu owns the browser, so no click here can switch screens under it.
    // A folder another copy has open is not opened; the current one stays.
    CString chosen;
    FolderLock mark;
    const CString prompt = CaptionText(WNDNO_SELECT, kFolderPromptCaption, L"Select EcrData Folder");
    if (AfxBrowseForFolder(m_hWnd, prompt, initial, chosen) &&
        theApp.MarkDataFolder(chosen, mark) && ConfirmDiscardUnsavedEdits()) {
        if (mark.Held())
            theApp.DataFolderLock = std::move(mark);
        g_pEcrSetting->DataPath = chosen;
        PostEcrMessage(WM_ECR_FOLDER_CHANGED, reinterpret_cast<WPARAM>(g_pEcrSetting->DataPath.GetString()));
    }
    button->EnableWindow(TRUE);
}
