// A transparent text label that fits itself to its text and that the
// operator drags with the mouse inside a given area of its dialog.
#pragma once

#include "afx.h"

class CStaticEx : public CStatic
{
public:
    CStaticEx();

    // Invalidates what the label covers now, then shows the text and fits
    // the label to it.
    void SetLabelText(const wchar_t* text);
    // Takes a copy of the font and fits the label to its text in it; the
    // given font stays the caller's.
    void SetLabelFont(CFont* font);
    // Dragging stays inside area (the parent when null); the label moves to
    // the area's top-left corner plus offset ((0, 0) when null).
    void SetMoveArea(CWnd* area, const POINT* offset);
    // Shrinks the label to its text as measured in dc, or grows it while
    // it stays inside the move area. Painting runs it too.
    void FitToText(CDC* dc);
    // The colour the text is drawn in.
    COLORREF TextColor() const { return m_crText; }

protected:
    void PreSubclassWindow() override;

    HBRUSH CtlColor(CDC* dc, UINT type);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnCaptureChanged(CWnd* wnd);
    DECLARE_MESSAGE_MAP()

private:
    // The move area's client rectangle in the parent's client coordinates.
    CRect MoveAreaRect() const;
    CRect RectInParent() const;
    void InvalidateInParent() const;
    void MoveTo(CPoint topLeft);
    // Fitting at paint time alone would strand a label shrunk to nothing:
    // a window without a client area is never painted.
    void FitInOwnFont();
    void EndDrag();

    COLORREF m_crText;
    HBRUSH m_hBrush;
    CFont m_font;
    CWnd* m_pMoveArea = nullptr;  // null: the parent
    CPoint m_ptOffset;
    bool m_bDragging = false;
    CPoint m_ptGrab;
};
