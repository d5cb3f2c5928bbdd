#include "CReportListDlg.h"

#include "CEcrData.h"
#include "CaptionText.h"
#include "EcrGlobals.h"
#include "EcrWndNo.h"
#include "ProgramFolder.h"
#include "ReportOpener.h"
#include "S_ECR_SETTING.h"

CReportListDlg::CReportListDlg() : CFlexListDlg(WNDNO_REPORT_VIEWER)
{
}

void CReportListDlg::OpenReport(int listPos)
{
    CEcrData* group = DataGroup();
    if (!group || group->GroupType != GROUP_REPORTS || !g_pEcrSetting)
        return;
    ReportOpener::Result result = ReportOpener::Result::Opened;
    {
        CWaitCursor wait;
        result = ReportOpener().Open(listPos, GetProgramFolder(), g_pEcrSetting->EcrName);
    }
    if (result == ReportOpener::Result::NotConverted)
        AfxMessageBox(CaptionText(WNDNO_REPORT_VIEWER, 20,
                                  L"This report has not been converted yet. "
                                  L"Convert it first with ReportConvert in the function menu."),
                      MB_OK | MB_ICONINFORMATION);
}
