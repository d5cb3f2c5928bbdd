#include "fontdlg.h"

#include "app.h"
#include "gdi.h"
#include "window.h"

namespace {

bool SystemFontDialog(HWND owner, CHOOSEFONTW& cf)
{
    cf.hwndOwner = owner;
    return ::ChooseFontW(&cf) != FALSE;
}

AfxFontDialogHandler g_fontDialog = SystemFontDialog;

} // namespace

AfxFontDialogHandler AfxSetFontDialogHandler(AfxFontDialogHandler handler)
{
    AfxFontDialogHandler old = g_fontDialog;
    g_fontDialog = handler ? handler : SystemFontDialog;
    return old;
}

CFontDialog::CFontDialog(LPLOGFONTW initial, DWORD flags, CDC* printer, CWnd* parent) : m_parent(parent)
{
    m_cf.lStructSize = sizeof m_cf;
    m_cf.lpLogFont = &m_lf;
    m_cf.Flags = flags;
    if (initial) {
        m_lf = *initial;
        m_cf.Flags |= CF_INITTOLOGFONTSTRUCT;
    }
    if (printer) {
        m_cf.hDC = printer->GetSafeHdc();
        m_cf.Flags |= CF_PRINTERFONTS;
    }
}

INT_PTR CFontDialog::DoModal()
{
    CWnd* owner = m_parent ? m_parent : AfxGetMainWnd();
    m_cf.lpLogFont = &m_lf;
    CModalScope modal;
    return g_fontDialog(owner ? owner->GetSafeHwnd() : nullptr, m_cf) ? IDOK : IDCANCEL;
}
