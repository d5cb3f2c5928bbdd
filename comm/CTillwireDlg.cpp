#include "CTillwireDlg.h"

#include "CommResources.h"
#include "EcrWndNo.h"

CTillwireDlg::CTillwireDlg(int direction, CWnd* parent)
    : CEcrDialog(IDD_TILLWIRE_DIALOG, WNDNO_COM, parent), Direction(direction)
{
}
