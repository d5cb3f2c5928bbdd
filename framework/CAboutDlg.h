#pragma once

#include "afx.h"

// Shows the product name and version from the program's version resource,
// under a title in the caption language.
class CAboutDlg : public CDialog
{
public:
    CAboutDlg();

    CStatic ProductName;
    CStatic ProductVersion;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
};
