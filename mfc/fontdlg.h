// The font dialog, through one seam that tests answer.
#pragma once

#include <windows.h>
#include <commdlg.h>

class CDC;
class CWnd;

// Answers a font dialog: true when a font was chosen (written to
// *cf.lpLogFont, with cf.rgbColors and cf.iPointSize), false when cancelled.
using AfxFontDialogHandler = bool (*)(HWND owner, CHOOSEFONTW& cf);

// Replaces the handler; returns the previous one. Null restores the system dialog.
AfxFontDialogHandler AfxSetFontDialogHandler(AfxFontDialogHandler handler);

class CFontDialog
{
public:
    // initial: the font shown first (also the result's starting point).
    explicit CFontDialog(LPLOGFONTW initial = nullptr, DWORD flags = CF_EFFECTS | CF_SCREENFONTS,
                         CDC* printer = nullptr, CWnd* parent = nullptr);
    CFontDialog(const CFontDialog&) = delete;
    CFontDialog& operator=(const CFontDialog&) = delete;

    // IDOK or IDCANCEL. Counts as a modal loop while it runs.
    INT_PTR DoModal();

    void GetCurrentFont(LPLOGFONTW font) const { *font = m_lf; }
    COLORREF GetColor() const { return m_cf.rgbColors; }
    int GetSize() const { return m_cf.iPointSize; }  // tenths of a point

    CHOOSEFONTW m_cf = {};
    LOGFONTW m_lf = {};

private:
    CWnd* m_parent;
};
