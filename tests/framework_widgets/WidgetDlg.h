// A dialog holding one of each widget, bound as the screens bind them.
#pragma once

#include "CPictureButton.h"
#include "CStaticEx.h"

class CWidgetDlg : public CDialog
{
public:
    CWidgetDlg();

    CStaticEx m_label;
    CStatic m_area;
    CPictureButton m_picture;
    int clicks = 0;
    int doubleClicks = 0;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnPicture() { ++clicks; }
    void OnPictureDouble() { ++doubleClicks; }
    DECLARE_MESSAGE_MAP()
};
