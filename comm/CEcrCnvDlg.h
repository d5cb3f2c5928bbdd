#pragma once

#include "CEcrDialog.h"

class CEcrData;

// Converts the report files the register delivered into the data folder
// (run modally from the function menu): lists them with the report's name
// and the time from the file name, converts the ticked ones through the
// model library's report set, logs each, and has the report viewer's data
// reloaded at the end.
class CEcrCnvDlg : public CEcrDialog
{
public:
    explicit CEcrCnvDlg(CWnd* parent);

    // The time shown for a report file: the last four characters of its name
    // before the extension, with a colon after the second ("DAILY1230.CSV"
    // gives "12:30").
    static CString TimeText(const CString& fileName);

    void ConvertReports();
    void CheckAllRows();
    void UncheckAllRows();

    BOOL MayCloseNow() override { return !m_converting; }

    CEcrData* ReportSet = nullptr;
    CListCtrl m_list;
    CButton m_convert;
    CEdit m_log;
    CButton m_checkAll;
    CButton m_uncheckAll;
    CButton m_close;
    CStatic m_note;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    DECLARE_MESSAGE_MAP()

private:
    void EnableControls(BOOL enable);
    // The name of report file `index` of the report set's list.
    CString FileName(int index) const;

    bool m_converting = false;
};
