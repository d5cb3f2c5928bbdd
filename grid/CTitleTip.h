// The title tip: a small popup that shows a cell's whole text over the
// cell when it does not fit. It hides itself as soon as the mouse leaves the
// cell, a key is pressed or a button clicked, and passes those on to the
// window below so that nothing needs doing twice.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "strings.h"
#include "types.h"
#include "window.h"

class CTitleTip : public CWnd
{
public:
    CTitleTip();

    BOOL Create(CWnd* parent);
    BOOL DestroyWindow() override;
    BOOL PreTranslateMessage(MSG* msg) override;

    // Both rectangles in the parent's client coordinates; hover may be null
    // (the cell text rectangle then keeps the tip up).
    void ShowTip(LPCWSTR text, LPCRECT hover, const LOGFONTW* font, COLORREF textColour, COLORREF backColour,
                 CRect cellTextRect);
    void HideTip();

protected:
    void OnMouseMove(UINT flags, CPoint point);
    void OnPaint();
    DECLARE_MESSAGE_MAP()

    // The window under a screen point, the parent standing in for the tip.
    HWND TargetAt(POINT screen) const;
    HFONT MakeFont(bool& owned) const;

    CWnd* m_pParentWnd = nullptr;
    CRect m_rectHover;
    DWORD m_dwLastLButtonDown = 0xFFFFFFFF;
    DWORD m_dwDblClickMsecs;
    BOOL m_bCreated = FALSE;
    // What the tip shows; painted on every WM_PAINT.
    CString m_strText;
    LOGFONTW m_lf = {};
    bool m_bHasFont = false;
    COLORREF m_crText = CLR_DEFAULT;
    COLORREF m_crBack = CLR_DEFAULT;
};
