#include "colordlg.h"

#include "app.h"
#include "window.h"

namespace {

bool SystemColorDialog(HWND owner, CHOOSECOLORW& cc)
{
    cc.hwndOwner = owner;
    return ::ChooseColorW(&cc) != FALSE;
}

AfxColorDialogHandler g_colorDialog = SystemColorDialog;

} // namespace

AfxColorDialogHandler AfxSetColorDialogHandler(AfxColorDialogHandler handler)
{
    AfxColorDialogHandler old = g_colorDialog;
    g_colorDialog = handler ? handler : SystemColorDialog;
    return old;
}

CColorDialog::CColorDialog(COLORREF initial, DWORD flags, CWnd* parent) : m_parent(parent)
{
    m_cc.lStructSize = sizeof m_cc;
    m_cc.rgbResult = initial;
    m_cc.Flags = flags | CC_RGBINIT;
    // White custom colours, as the system dialog starts without saved ones.
    for (COLORREF& custom : m_custom)
        custom = RGB(255, 255, 255);
    m_cc.lpCustColors = m_custom;
}

INT_PTR CColorDialog::DoModal()
{
    CWnd* owner = m_parent ? m_parent : AfxGetMainWnd();
    m_cc.lpCustColors = m_custom;
    CModalScope modal;
    return g_colorDialog(owner ? owner->GetSafeHwnd() : nullptr, m_cc) ? IDOK : IDCANCEL;
}
