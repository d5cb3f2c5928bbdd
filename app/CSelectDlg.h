#pragma once

#include "CEcrDialog.h"

// The function menu (window 16): the hub from which the data screens open,
// the report conversion and transfers run, and the data folder is chosen.
// Its buttons follow the data groups the model library has.
class CSelectDlg : public CEcrDialog
{
public:
    CSelectDlg();

    LRESULT RefreshCaptions(WPARAM wParam, LPARAM lParam) override;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnScreenButton(UINT id);
    void OnReportConvert();
    void OnReceive();
    void OnSend();
    void OnFolderSelect();
    DECLARE_MESSAGE_MAP()

private:
    void EnableFunctionButtons();
    // Hides the button without a data group for wndNo, or enables it by the
    // group's flag; true when the button has a group.
    bool EnableForGroup(int buttonId, int wndNo);
    void RunTransfer(int direction);

    CButton m_buttons[14];
    CStatic m_groups[3];
};
