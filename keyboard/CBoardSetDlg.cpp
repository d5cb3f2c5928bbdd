#include "CBoardSetDlg.h"

#include "KeyboardResources.h"

CBoardSetDlg::CBoardSetDlg() : CDialog(IDD_BOARDSET_DIALOG, nullptr)
{
}

void CBoardSetDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    // Each value is checked as soon as it is read, in this order: the first
    // refusal keeps the dialog open on that control.
    DDX_Text(dx, IDC_BS_COLUMNS, ColumnCount);
    DDV_MinMaxInt(dx, ColumnCount, 1, 100);
    DDX_Text(dx, IDC_BS_ROWS, RowCount);
    DDV_MinMaxInt(dx, RowCount, 1, 100);
    DDX_Text(dx, IDC_BS_CELL_WIDTH, CellWidth);
    DDV_MinMaxInt(dx, CellWidth, 1, 200);
    DDX_Text(dx, IDC_BS_CELL_HEIGHT, CellHeight);
    DDV_MinMaxInt(dx, CellHeight, 1, 200);
    DDX_Text(dx, IDC_BS_TOP, TopMargin);
    DDV_MinMaxInt(dx, TopMargin, 0, 128);
    DDX_Text(dx, IDC_BS_BOTTOM, BottomMargin);
    DDV_MinMaxInt(dx, BottomMargin, 0, 128);
    DDX_Text(dx, IDC_BS_LEFT, LeftMargin);
    DDV_MinMaxInt(dx, LeftMargin, 0, 64);
    DDX_Text(dx, IDC_BS_RIGHT, RightMargin);
    DDV_MinMaxInt(dx, RightMargin, 0, 64);
    DDX_Text(dx, IDC_BS_FOOTER, Footer);
    DDV_MaxChars(dx, Footer, 32);
    DDX_Text(dx, IDC_BS_HEADER, Header);
    DDV_MaxChars(dx, Header, 32);
}
