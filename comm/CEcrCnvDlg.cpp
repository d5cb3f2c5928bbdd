#include "CEcrCnvDlg.h"

#include "CommResources.h"
#include "EcrWndNo.h"

CEcrCnvDlg::CEcrCnvDlg(CWnd* parent) : CEcrDialog(IDD_ECRCNV_DIALOG, WNDNO_CNV, parent)
{
}
