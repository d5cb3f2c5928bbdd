#include "WidgetDlg.h"

#include "resource.h"

BEGIN_MESSAGE_MAP(CWidgetDlg, CDialog)
    ON_BN_CLICKED(IDC_PICTURE, &CWidgetDlg::OnPicture)
    ON_BN_DOUBLECLICKED(IDC_PICTURE, &CWidgetDlg::OnPictureDouble)
END_MESSAGE_MAP()

CWidgetDlg::CWidgetDlg() : CDialog(IDD_WIDGETS)
{
}

void CWidgetDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_LABEL, m_label);
    DDX_Control(dx, IDC_AREA, m_area);
    DDX_Control(dx, IDC_PICTURE, m_picture);
}
