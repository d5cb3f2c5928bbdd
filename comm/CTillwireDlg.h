#pragma once

#include <vector>

#include "CCancelEvent.h"
#include "CEcrDialog.h"

class CEcrData;
class CEcrReportGroup;

// Sends data groups to the register or receives data groups and reports
// from it (run modally from the function menu). For every ticked row a
// worker thread runs the communication program once and logs its exit
// code; each group received with code 0 is reloaded by the application.
class CTillwireDlg : public CEcrDialog
{
public:
    static constexpr int SettingRows = 12;
    static constexpr int ReportRows = 24;
    static constexpr const wchar_t* CancelEventName = L"EV_TILLWIRE_CANCEL";

    // direction: 0 receive, 1 send.
    CTillwireDlg(int direction, CWnd* parent);
    // A run still going (the dialog torn down by the end of the program) is
    // cancelled and waited for.
    ~CTillwireDlg() override;

    const int TransferDirection;

    // Whether no run is in progress.
    BOOL IsIdle() const { return m_idle; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    // During a run, Esc and the close box cancel it; the dialog ends when
    // the worker has ended.
    BOOL MayCloseNow() override;

    void OnStartTransfer();
    void StorePortIndex();
    void CheckAllRows() { SetAllRowChecks(1); }
    void UncheckAllRows() { SetAllRowChecks(0); }
    void ToggleTransferDetail();
    void OnGroupCheck(UINT id);
    LRESULT OnTransferEnded(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    struct ReportRow
    {
        CEcrReportGroup* group = nullptr;
        int report = 0;  // index among the group's own reports
        int minimum = 0;
        int maximum = 0;
    };

    void FillRows();
    void FillPortList();
    void EnableTransferControls(BOOL enable);
    void SetAllRowChecks(int state);
    void ClampRangeEdits();
    void StopProgressAnimation();
    // The ticked setting rows whose groups hold unsaved edits, leaving out
    // rows confirmed one by one, and their names as the rows show them.
    struct UnsavedRows
    {
        std::vector<int> rows;
        CString names;  // joined by ", "
    };
    UnsavedRows TickedRowsWithUnsavedEdits() const;
    // Receive mode: asks once about ticked groups with unsaved edits that
    // were not confirmed one by one, naming them; on Cancel they are unticked.
    void ConfirmUnsavedGroups();
    // Send mode: asks before ticked groups with unsaved edits are sent as
    // saved, naming them; false when the operator answers No.
    bool ConfirmSendOfSavedData();
    bool SettingRowMayChange(int row) const;

    // The worker and its steps; they reach the controls through their
    // handles only.
    static UINT TransferThread(LPVOID param);
    void RunTransfers();
    // Starts the program of the next ticked row after row; false with row
    // 0xFFFF when none is left, false with the row when it did not start.
    BOOL StartNextTransfer(int* row, class CChildProgram& program, CString& line);
    CString CommandLineFor(int row) const;
    void Log(const wchar_t* text) const;
    // The check box of row 0 to 35.
    static int RowBox(int row);
    bool RowTicked(int row) const;
    bool AnyRowTicked() const;
    HWND Item(int id) const { return ::GetDlgItem(m_hWnd, id); }
    CEcrData* RowGroup(int row) const;

    CButton m_startButton;
    CComboBox m_portList;
    CEdit m_log;
    CButton m_detailButton;
    CButton m_settingBox;
    CButton m_reportBox;
    CButton m_closeButton;
    CButton m_checkAll;
    CButton m_uncheckAll;
    CStatic m_counter;
    CAnimateCtrl m_animation;

    CEcrData* m_settingGroups[SettingRows] = {};
    bool m_confirmed[SettingRows] = {};  // ticked after the unsaved-edits question
    ReportRow m_reportRows[ReportRows];
    CCancelEvent m_cancel;
    CWorkerThread m_worker;
    BOOL m_idle = TRUE;
    BOOL m_detail = FALSE;
    bool m_closeWhenEnded = false;
};
