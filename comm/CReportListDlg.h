#pragma once

#include "CFlexListDlg.h"

// The report viewer (window 24): the record list in report list mode. A
// double click on a report opens its CSV file in the spreadsheet opener and
// builds its charts.
class CReportListDlg : public CFlexListDlg
{
public:
    CReportListDlg();

protected:
    void OpenReport(int listPos) override;
};
