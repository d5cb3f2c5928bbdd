#pragma once

#include "CGridCtrl.h"
#include "afx.h"

// Sent to the parent when a row of the key list was clicked: an
// S_GRID_NOTIFY with the row (-1 when the click was below the rows) and column 0.
constexpr UINT KEYLISTN_CLICK = LVN_COLUMNCLICK;  // -108
static_assert(static_cast<int>(KEYLISTN_CLICK) == -108);

// The key-function list: a one-column grid of names that tells its parent
// which row was clicked and keeps no selection of its own.
//
// A right-click popup for the colours of a row and a "Save List" command
// are there for screens that set ListPopup and ListFilePath.
class CBtnListCtrl : public CGridCtrl
{
public:
    CBtnListCtrl();

    // Two columns, the first a fixed one holding the names, the second hidden.
    BOOL InitList();
    // Replaces the rows by the names; the number of rows, or 0 when nothing was done.
    int FillList(const CStringArray& names);
    // Writes the list file: UTF-16LE with a byte-order mark, one line per
    // row: "text",r/g/b,r/g/b (text colour, then background).
    BOOL SaveList(LPCWSTR path);

    BOOL ListPopup = FALSE;
    int RClickRow = -1;
    int RClickCol = -1;
    CString ListFilePath;

protected:
    void FitListColumn();
    void ResetListScrollBars();

    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnSize(UINT type, int cx, int cy);
    void OnRButtonDown(UINT flags, CPoint point);
    void OnColourCommand(UINT id);
    void OnSaveListCommand();
    DECLARE_MESSAGE_MAP()
};
