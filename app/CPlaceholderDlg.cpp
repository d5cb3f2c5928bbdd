#include "CPlaceholderDlg.h"

#include "EcrWndNo.h"
#include "FrameworkResources.h"
#include "resource.h"

namespace {

// The screen each navigation button leads to, in button order.
const int kTargets[] = {WNDNO_MAIN, WNDNO_SELECT, WNDNO_DEPT, WNDNO_PLU, WNDNO_CLERK, WNDNO_S_MODE,
                        WNDNO_PROG_MODE, WNDNO_LOGO, WNDNO_KEYBOARD, WNDNO_REPORT_VIEWER};
static_assert(sizeof kTargets / sizeof kTargets[0] == IDC_GOTO_LAST - IDC_GOTO_FIRST + 1);

} // namespace

BEGIN_MESSAGE_MAP(CPlaceholderDlg, CEcrDialog)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_GOTO_FIRST, IDC_GOTO_LAST, &CPlaceholderDlg::OnGoTo)
END_MESSAGE_MAP()

CPlaceholderDlg::CPlaceholderDlg(UINT templateId, int wndNo) : CEcrDialog(templateId, wndNo)
{
    Icon = ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME));
}

BOOL CPlaceholderDlg::OnInitDialog()
{
    CEcrDialog::OnInitDialog();
    CString title;
    title.Format(L"Tilldesk - window %d", WndNo);
    SetWindowText(title);
    return TRUE;
}

void CPlaceholderDlg::OnGoTo(UINT id)
{
    PostEcrMessage(WM_ECR_SHOW_WINDOW, static_cast<WPARAM>(kTargets[id - IDC_GOTO_FIRST]), 0);
}
