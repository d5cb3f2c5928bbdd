// The in-place editor: a child edit control laid over the cell being
// edited. It ends on focus loss or on an ending key and then tells the grid
// once, with GRIDN_ENDEDIT carrying the text and that key.
#pragma once

#include "controls.h"
#include "gdi.h"
#include "strings.h"

class CGridCtrl;

class CInPlaceEdit : public CEdit
{
public:
    // Creates the window at once; without a window (creation failed) the
    // caller still owns the object. firstChar may carry GRID_TYPED_CHAR.
    CInPlaceEdit(CWnd* parent, LPCRECT rect, DWORD style, UINT id, int row, int col, const CString& initialText,
                 UINT firstChar, CFont* font);

    bool HasWindow() const { return m_bOwnedByWindow; }
    UINT GetLastKey() const { return m_nLastChar; }
    // Ends the edit and closes the window, which deletes the object.
    void EndInPlaceEdit();

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    void PostNcDestroy() override;

    void OnKillFocus(CWnd* newWnd);
    void OnChar(UINT ch, UINT repeat, UINT flags);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    UINT OnGetDlgCode();
    DECLARE_MESSAGE_MAP()

    // Widens the window to the text (never narrower, never past the parent).
    void GrowToText();
    void EndWithKey(UINT key);

    int m_nRow;
    int m_nCol;
    CString m_sInitText;
    UINT m_nLastChar = 0;
    CRect m_Rect;
    CGridCtrl* m_pGrid = nullptr;
    bool m_bOwnedByWindow = false;  // the window's end deletes the object
};
