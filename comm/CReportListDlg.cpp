#include "CReportListDlg.h"

#include "CEcrData.h"
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
    CWaitCursor wait;
    ReportOpener().Open(listPos, GetProgramFolder(), g_pEcrSetting->EcrName);
}
