// The colour dialog, through one seam that tests answer.
#pragma once

#include <windows.h>
#include <commdlg.h>

class CWnd;

// Answers a colour dialog: true when a colour was chosen (cc.rgbResult),
// false when cancelled.
using AfxColorDialogHandler = bool (*)(HWND owner, CHOOSECOLORW& cc);

// Replaces the handler; returns the previous one. Null restores the system dialog.
AfxColorDialogHandler AfxSetColorDialogHandler(AfxColorDialogHandler handler);

class CColorDialog
{
public:
    explicit CColorDialog(COLORREF initial = 0, DWORD flags = 0, CWnd* parent = nullptr);
    CColorDialog(const CColorDialog&) = delete;
    CColorDialog& operator=(const CColorDialog&) = delete;

    // IDOK or IDCANCEL. Counts as a modal loop while it runs.
    INT_PTR DoModal();

    COLORREF GetColor() const { return m_cc.rgbResult; }

    CHOOSECOLORW m_cc = {};

private:
    COLORREF m_custom[16] = {};
    CWnd* m_parent;
};
