#include "CEcrCnvDlg.h"

#include "AppendLogLine.h"
#include "CEcrReportSet.h"
#include "CommResources.h"
#include "EcrDllEntries.h"
#include "EcrGlobals.h"
#include "EcrWndNo.h"
#include "FieldRules.h"
#include "S_ECR_SETTING.h"

BEGIN_MESSAGE_MAP(CEcrCnvDlg, CEcrDialog)
    ON_BN_CLICKED(IDC_CNV_CONVERT, &CEcrCnvDlg::ConvertReports)
    ON_BN_CLICKED(IDC_CNV_CHECK_ALL, &CEcrCnvDlg::CheckAllRows)
    ON_BN_CLICKED(IDC_CNV_UNCHECK_ALL, &CEcrCnvDlg::UncheckAllRows)
END_MESSAGE_MAP()

CEcrCnvDlg::CEcrCnvDlg(CWnd* parent) : CEcrDialog(IDD_ECRCNV_DIALOG, WNDNO_CNV, parent)
{
}

void CEcrCnvDlg::DoDataExchange(CDataExchange* dx)
{
    CEcrDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_CNV_LIST, m_list);
    DDX_Control(dx, IDC_CNV_CONVERT, m_convert);
    DDX_Control(dx, IDC_CNV_LOG, m_log);
    DDX_Control(dx, IDC_CNV_CHECK_ALL, m_checkAll);
    DDX_Control(dx, IDC_CNV_UNCHECK_ALL, m_uncheckAll);
    DDX_Control(dx, IDCANCEL, m_close);
    DDX_Control(dx, IDC_CNV_NOTE, m_note);
}

CString CEcrCnvDlg::TimeText(const CString& fileName)
{
    CString text = fileName;
    const int dot = text.ReverseFind(L'.');
    text.Delete(dot >= 0 ? dot : 0, 4);
    if (text.GetLength() > 4)
        text = text.Right(4);
    text.Insert(text.GetLength() < 2 ? text.GetLength() : 2, L':');
    return text;
}

BOOL CEcrCnvDlg::OnInitDialog()
{
    CEcrDialog::OnInitDialog();
    BindCaption(this, 1);
    BindCaption(&m_checkAll, 2);
    BindCaption(&m_uncheckAll, 3);
    BindCaption(&m_note, 4);
    BindCaption(&m_convert, 5);
    BindCaption(&m_close, 6);

    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    m_list.InsertColumn(0, CaptionText(WNDNO_CNV, 7, L"ReportName"), LVCFMT_CENTER, 240);
    m_list.InsertColumn(1, CaptionText(WNDNO_CNV, 8, L"OutPutTime"), LVCFMT_CENTER, 64);
    m_convert.EnableWindow(FALSE);

    CEcrData* set = GetEcrDataFromWndNo(WNDNO_CNV);
    if (!set || set->GroupType != GROUP_REPORT_SET)
        return TRUE;
    ReportSet = set;
    if (!set->LoadData(g_pEcrSetting ? g_pEcrSetting->DataPath.GetString() : nullptr))
        return TRUE;

    // The file's index in the report set's list goes with its row: a file
    // without a report definition gets no row, so rows and files need not
    // line up.
    const auto* node = ReportFileHead(set);
    for (int i = 0; node && i < ReportFileCount(set); ++i, node = node->pNext) {
        S_ECR_TABLE* definition = set->GetTable(node->data.Key);
        if (!definition)
            continue;
        const int row = m_list.InsertItem(m_list.GetItemCount(), LabelText(definition->Label));
        m_list.SetItemText(row, 1, TimeText(node->data.Name));
        m_list.SetItemData(row, static_cast<DWORD_PTR>(i));
    }
    m_convert.EnableWindow(TRUE);
    return TRUE;
}

CString CEcrCnvDlg::FileName(int index) const
{
    const auto* node = ReportSet ? ReportFileHead(ReportSet) : nullptr;
    for (int i = 0; node && i < index; ++i)
        node = node->pNext;
    return node ? CString(node->data.Name) : CString();
}

void CEcrCnvDlg::EnableControls(BOOL enable)
{
    m_convert.EnableWindow(enable);
    m_close.EnableWindow(enable);
    m_checkAll.EnableWindow(enable);
    m_uncheckAll.EnableWindow(enable);
}

void CEcrCnvDlg::ConvertReports()
{
    m_log.SetWindowText(L"");
    EnableControls(FALSE);
    m_converting = true;
    CEcrReportSet* set = AsReportSet(ReportSet);
    for (int row = 0; row < m_list.GetItemCount(); ++row) {
        if (!m_list.GetCheck(row) || !set)
            continue;
        const int file = static_cast<int>(m_list.GetItemData(row));
        AppendLogLine(m_log.m_hWnd, L"[Start]:" + FileName(file));
        m_log.UpdateWindow();
        if (set->ConvertReport(file, 0)) {
            AppendLogLine(m_log.m_hWnd, L"[End  ]:Convert Success");
        } else {
            CString failure;
            const CString name = m_list.GetItemText(row, 0), time = m_list.GetItemText(row, 1);
            const CString caption = CaptionText(WNDNO_CNV, 9, nullptr);
            if (!caption.IsEmpty())
                failure.Format(L"%s\n %s%s", caption.GetString(), name.GetString(), time.GetString());
            else
                failure.Format(L"There is no data..\n %s%s", name.GetString(), time.GetString());
            AfxMessageBox(failure, MB_OK);
            AppendLogLine(m_log.m_hWnd, L"[End  ]:Convert Fail");
        }
        m_log.UpdateWindow();
    }
    PostEcrMessage(WM_ECR_DATA_RELOAD, 0, WNDNO_REPORT_VIEWER);
    m_converting = false;
    EnableControls(TRUE);
}

void CEcrCnvDlg::CheckAllRows()
{
    for (int row = 0; row < m_list.GetItemCount(); ++row)
        m_list.SetCheck(row, TRUE);
}

void CEcrCnvDlg::UncheckAllRows()
{
    for (int row = 0; row < m_list.GetItemCount(); ++row)
        m_list.SetCheck(row, FALSE);
}
