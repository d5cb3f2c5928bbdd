#pragma once

#include "afx.h"

// Stands for a screen that is not built yet: shows its window number and
// offers the way to every other screen, so navigation runs end to end.
class CPlaceholderDlg : public CDialog
{
public:
    explicit CPlaceholderDlg(int wndNo) : m_wndNo(wndNo) {}

    int WndNo() const { return m_wndNo; }

protected:
    BOOL OnInitDialog() override;
    // A modeless screen never ends itself: Enter does nothing and closing
    // asks the application whether to exit.
    void OnOK() override {}
    void OnCancel() override;
    void OnGoTo(UINT id);
    DECLARE_MESSAGE_MAP()

private:
    int m_wndNo;
};
