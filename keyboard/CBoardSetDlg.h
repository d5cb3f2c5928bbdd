#pragma once

#include "afx.h"

// Board settings: the shape of the key map (columns, rows, cell size at
// 100% zoom) and its print layout (header, footer, four margins). The caller
// fills the members, runs DoModal and reads them back after IDOK.
class CBoardSetDlg : public CDialog
{
public:
    CBoardSetDlg();

    int ColumnCount = 0;
    int RowCount = 0;
    int CellWidth = 0;   // pixels at 100%
    int CellHeight = 0;  // pixels at 100%
    int TopMargin = 0;
    int BottomMargin = 0;
    int LeftMargin = 0;
    int RightMargin = 0;
    CString Footer;
    CString Header;

protected:
    void DoDataExchange(CDataExchange* dx) override;
};
