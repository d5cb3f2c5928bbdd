// The grid control: a rectangle of cells whose first rows and
// columns may be fixed headers, drawn double-buffered, with a focus cell, a
// selection, merged blocks and notifications to its parent.
//
// The class is large; its sources are split by topic:
//   CGridCtrl.cpp           model, notifications, construction, window
//   CGridCtrlGeometry.cpp   geometry, scrolling, visibility, font
//   CGridCtrlShape.cpp      rows and columns, cursor
//   CGridCtrlMerge.cpp      merged blocks
//   CGridCtrlItems.cpp      items and sizing
//   CGridCtrlPaint.cpp      painting
//   CGridCtrlSelection.cpp  selection and focus
//   CGridCtrlKeyboard.cpp   keyboard, auto-scroll timer, in-place-edit flow
//   CGridCtrlMouse.cpp      mouse
//   CGridCtrlClipboard.cpp  clipboard, user edits, drag and drop
//   CGridCtrlSort.cpp       sorting
//   CGridCtrlPrint.cpp      printing
#pragma once

#include <type_traits>
#include <unordered_set>
#include <vector>

#include "CGridCell.h"
#include "CGridDefaultCell.h"
#include "CGridDropTarget.h"
#include "CTitleTip.h"
#include "GridDefs.h"
#include "commondlg.h"
#include "gdi.h"
#include "window.h"

class CCmdUI;
class CScrollBar;
using DROPEFFECT = DWORD;

// Makes the cells the grid fills itself with (in place of a runtime class).
using GRIDCELLFACTORY = CGridCellBase* (*)();
// Orders two cells: negative, 0 or positive (the third value is the caller's).
using GRIDCOMPAREFUNC = int(CALLBACK*)(CGridCellBase* a, CGridCellBase* b, LPARAM value);
// Virtual mode's sort order: whether row-order entry a sorts before b by a stored column.
using GRIDROWLESS = BOOL(CALLBACK*)(int a, int b, int storedCol);
// Virtual mode's callback: fills one cell's record.
using GRIDCALLBACK = BOOL(CALLBACK*)(S_GRID_DISPINFO* info, LPARAM lParam);

class CGridCtrl : public CWnd
{
public:
    // Mouse modes (5 is not used).
    enum eMouseModes {
        MOUSE_NOTHING = 0, MOUSE_SELECT_ALL = 1, MOUSE_SELECT_COL = 2, MOUSE_SELECT_ROW = 3,
        MOUSE_SELECT_CELLS = 4, MOUSE_OVER_ROW_DIVIDE = 6, MOUSE_SIZING_ROW = 7,
        MOUSE_OVER_COL_DIVIDE = 8, MOUSE_SIZING_COL = 9, MOUSE_PREPARE_EDIT = 10,
        MOUSE_PREPARE_DRAG = 11, MOUSE_DRAGGING = 12
    };

    // Dynamic creation: an empty grid.
    static CGridCtrl* CreateObject() { return new CGridCtrl; }

    CGridCtrl(int nRows = 0, int nCols = 0, int nFixedRows = 0, int nFixedCols = 0);
    ~CGridCtrl() override;

    // ---- Construction and window ----
    static BOOL RegisterGridClass();
    BOOL Create(const RECT& rect, CWnd* parent, UINT id = GRID_DEFAULT_ID, DWORD style = GRID_DEFAULT_STYLE);
    static int GetWheelScrollLines();
    BOOL PreTranslateMessage(MSG* msg) override;

    // ---- Model and notifications ----
    CGridCellBase* GetCell(int nRow, int nCol) const;
    LRESULT NotifyParent(int nRow, int nCol, UINT code);
    LRESULT NotifyCacheHint(const CCellRange& range);
    // Fills the header's sender fields and sends WM_NOTIFY to the owner or parent.
    LRESULT SendNotify(NMHDR& header, UINT code);
    CGridDefaultCell* PickDefaultCell(BOOL fixedRow, BOOL fixedCol) const;
    CGridCellBase* GetDefaultCell(BOOL fixedRow, BOOL fixedCol) const { return PickDefaultCell(fixedRow, fixedCol); }
    // Turns selecting on or off; off deselects everything first.
    void EnableSelection(BOOL enable = TRUE);
    BOOL IsSelectable() const { return m_bEnableSelection; }

    // The cells new rows and columns get; null makes no cells.
    void SetDefaultCellType(GRIDCELLFACTORY factory) { m_pfnCellFactory = factory; }
    template <typename T> void SetCellType()
    {
        static_assert(std::is_base_of_v<CGridCellBase, T>, "a cell class derives from CGridCellBase");
        m_pfnCellFactory = [] () -> CGridCellBase* { return new T; };
    }

    void SetVirtualMode(BOOL on);
    BOOL GetVirtualMode() const { return m_bVirtualMode; }
    void SetCallbackFunc(GRIDCALLBACK fn, LPARAM lParam) { m_pfnCallback = fn; m_lParamCallback = lParam; }

    // Settings.
    int GetGridLines() const { return m_nGridLines; }
    void SetGridLines(int mode);
    BOOL IsEditable() const { return m_bEditable; }
    void SetEditable(BOOL on = TRUE) { m_bEditable = on; }
    BOOL GetListMode() const { return m_bListMode; }
    void SetListMode(BOOL on = TRUE);
    BOOL GetSingleRowSelection() const { return m_bSingleRowSelection; }
    void SetSingleRowSelection(BOOL on = TRUE) { m_bSingleRowSelection = on; }
    BOOL GetSingleColSelection() const { return m_bSingleColSelection; }
    void SetSingleColSelection(BOOL on = TRUE) { m_bSingleColSelection = on; }
    BOOL GetRowHeaderSelection() const { return m_bRowHeaderSelection; }
    void SetRowHeaderSelection(BOOL on = TRUE) { m_bRowHeaderSelection = on; }
    BOOL GetColumnHeaderSelection() const { return m_bColHeaderSelection; }
    void SetColumnHeaderSelection(BOOL on = TRUE) { m_bColHeaderSelection = on; }
    BOOL GetFixedColumnsInSelection() const { return m_bFixedColumnsInSelection; }
    void SetFixedColumnsInSelection(BOOL on = TRUE) { m_bFixedColumnsInSelection = on; }
    BOOL GetAllowDraw() const { return m_bAllowDraw; }
    void SetRedraw(BOOL allow, BOOL resetScrollBars = FALSE);
    BOOL GetDoubleBuffering() const { return m_bDoubleBuffer; }
    void SetDoubleBuffering(BOOL on = TRUE) { m_bDoubleBuffer = on; }
    BOOL GetTitleTips() const { return m_bTitleTips; }
    void EnableTitleTips(BOOL on = TRUE) { m_bTitleTips = on; }
    BOOL GetMarkFocusHeaders() const { return m_bMarkFocusHeaders; }
    void SetMarkFocusHeaders(BOOL on = TRUE) { m_bMarkFocusHeaders = on; }
    BOOL GetFrameFocusCell() const { return m_bFrameFocus; }
    void SetFrameFocusCell(BOOL on = TRUE) { m_bFrameFocus = on; }
    BOOL GetSortOnHeaderClick() const { return m_bSortOnClick; }
    void SetSortOnHeaderClick(BOOL on = TRUE) { m_bSortOnClick = on; }
    BOOL GetHandleTabKey() const { return m_bHandleTabKey; }
    void SetHandleTabKey(BOOL on = TRUE) { m_bHandleTabKey = on; }
    BOOL GetTabToNextControl() const { return m_bTabToNextControl; }
    void SetTabToNextControl(BOOL on = TRUE) { m_bTabToNextControl = on; }
    BOOL GetDragAndDrop() const { return m_bAllowDragAndDrop; }
    void EnableDragAndDrop(BOOL on = TRUE) { m_bAllowDragAndDrop = on; }
    BOOL GetColumnDrag() const { return m_bAllowColumnDrag; }
    void EnableColumnDrag(BOOL on = TRUE) { m_bAllowColumnDrag = on; }
    BOOL GetDropMovesRows() const { return m_bDropMovesRows; }
    void SetDropMovesRows(BOOL on = TRUE) { m_bDropMovesRows = on; }
    BOOL GetRowResize() const { return m_bAllowRowResize; }
    void SetRowResize(BOOL on = TRUE) { m_bAllowRowResize = on; }
    BOOL GetColumnResize() const { return m_bAllowColResize; }
    void SetColumnResize(BOOL on = TRUE) { m_bAllowColResize = on; }
    UINT GetAutoSizeStyle() const { return m_nAutoSizeStyle; }
    void SetAutoSizeStyle(UINT style) { m_nAutoSizeStyle = style; }
    int GetDividerTolerance() const { return m_nResizeCaptureRange; }
    BOOL GetModified() const { return m_bModified; }
    void SetModified(BOOL on = TRUE) { m_bModified = on; }
    BOOL GetPrintColour() const { return m_bPrintColour; }
    void SetPrintColour(BOOL on = TRUE) { m_bPrintColour = on; }
    CImageList* GetImageList() const { return m_pImageList; }
    void SetImageList(CImageList* list) { m_pImageList = list; }
    int GetWheelLines() const { return m_nWheelLines; }

    // Colours.
    COLORREF GetGridLineColor() const { return m_crGridLineColour; }
    void SetGridLineColor(COLORREF c) { m_crGridLineColour = c; }
    COLORREF GetGridBkColor() const { return m_crGridBkColour; }
    void SetGridBkColor(COLORREF c) { m_crGridBkColour = c; }
    COLORREF GetTitleTipTextClr() const { return m_crTTipFgClr; }
    COLORREF GetTitleTipBackClr() const { return m_crTTipBkClr; }
    void SetTitleTipTextClr(COLORREF c) { m_crTTipFgClr = c; }
    void SetTitleTipBackClr(COLORREF c) { m_crTTipBkClr = c; }

    // ---- Geometry, scrolling and visibility ----
    int GetRowHeight(int nRow) const;
    int GetColumnWidth(int nCol) const;
    int GetFixedRowsHeight() const;
    int GetFixedColumnsWidth() const;
    int GetTotalHeight() const;
    int GetTotalWidth() const;
    CCellID GetTopLeftNonFixedCell(bool force = false);
    CCellRange GetVisibleNonFixedCellRange(LPRECT rect = nullptr, bool force = false);
    CCellID GetCellFromPt(CPoint point, BOOL allowFixed = TRUE) { return CellFromPoint(point, allowFixed); }
    CCellID CellFromPoint(CPoint point, BOOL allowFixed = FALSE);
    BOOL GetCellOrigin(int nRow, int nCol, LPPOINT p);
    BOOL GetCellRect(int nRow, int nCol, LPRECT rect);
    BOOL GetCellRect(const CCellID& cell, LPRECT rect) { return GetCellRect(cell.row, cell.col, rect); }
    BOOL GetCellRangeRect(const CCellRange& range, LPRECT rect);
    BOOL IsCellVisible(int nRow, int nCol);
    BOOL IsCellVisible(const CCellID& cell) { return IsCellVisible(cell.row, cell.col); }
    BOOL InvalidateCell(int nRow, int nCol);
    // The part of a cell, or of the merged block it belongs to, that is in
    // view (client coordinates, right and bottom exclusive); empty when none.
    CRect CellRectInView(int nRow, int nCol);
    void ResetScrollBars();
    void SetScrollPosition(int bar, int pos);
    int GetScrollPosition(int bar, BOOL trackPos = FALSE) const;
    // The largest position a bar can take (its maximum less its page, plus one).
    int GetScrollLimit(int bar) const;
    BOOL IsHScrollBarShown() const { return (GetStyle() & WS_HSCROLL) != 0; }
    BOOL IsVScrollBarShown() const { return (GetStyle() & WS_VSCROLL) != 0; }
    void EnsureVisible(int nRow, int nCol);
    void EnsureVisible(const CCellID& cell) { EnsureVisible(cell.row, cell.col); }

    // ---- Rows and columns ----
    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    int GetFixedRowCount() const { return m_nFixedRows; }
    int GetFixedColumnCount() const { return m_nFixedCols; }
    BOOL SetRowCount(int nRows);
    BOOL SetColumnCount(int nCols);
    BOOL SetFixedRowCount(int nFixedRows);
    BOOL SetFixedColumnCount(int nFixedCols);
    BOOL DeleteAllCells();
    BOOL IsOverRowDivider(CPoint point);
    BOOL IsOverColumnDivider(CPoint point);
    int GetColumnOrder(int nCol) const { return nCol >= 0 && nCol < static_cast<int>(m_arColOrder.size()) ? m_arColOrder[nCol] : -1; }
    int GetRowOrder(int nRow) const { return nRow >= 0 && nRow < static_cast<int>(m_arRowOrder.size()) ? m_arRowOrder[nRow] : -1; }

    // ---- Cell merging ----
    void MergeCells(int minRow, int minCol, int maxRow, int maxCol);
    void MergeCells(const CCellRange& r) { MergeCells(r.m_nMinRow, r.m_nMinCol, r.m_nMaxRow, r.m_nMaxCol); }
    void UnmergeCells(int minRow, int minCol, int maxRow, int maxCol);
    void UnmergeCells(const CCellRange& r) { UnmergeCells(r.m_nMinRow, r.m_nMinCol, r.m_nMaxRow, r.m_nMaxCol); }
    int GetMergedWidth(int nRow, int nCol) const;
    int GetMergedHeight(int nRow, int nCol) const;
    CCellID GetMergeOwnerCell(int nRow, int nCol) const;
    // The block a cell owns, clipped to the grid; unset when it owns none.
    CCellRange GetOwnedBlock(int nRow, int nCol) const;

    // ---- Items and sizing ----
    BOOL SetItem(const S_GRID_ITEM* item);
    BOOL GetItem(S_GRID_ITEM* item);
    BOOL SetItemText(int nRow, int nCol, LPCWSTR text);
    CString GetItemText(int nRow, int nCol) const;
    BOOL SetItemState(int nRow, int nCol, UINT state);
    UINT GetItemState(int nRow, int nCol) const;
    BOOL SetItemData(int nRow, int nCol, LPARAM data);
    LPARAM GetItemData(int nRow, int nCol) const;
    BOOL SetItemImage(int nRow, int nCol, int image);
    int GetItemImage(int nRow, int nCol) const;
    BOOL SetItemFormat(int nRow, int nCol, UINT format);
    UINT GetItemFormat(int nRow, int nCol) const;
    BOOL SetItemBkColour(int nRow, int nCol, COLORREF colour = CLR_DEFAULT);
    COLORREF GetItemBkColour(int nRow, int nCol) const;
    BOOL SetItemFgColour(int nRow, int nCol, COLORREF colour = CLR_DEFAULT);
    COLORREF GetItemFgColour(int nRow, int nCol) const;
    BOOL SetItemFont(int nRow, int nCol, const LOGFONTW* font);
    const LOGFONTW* GetItemFont(int nRow, int nCol);
    BOOL SetItemMaxLength(int nRow, int nCol, UINT length);
    BOOL SetRowHeight(int nRow, int height);
    BOOL SetColumnWidth(int nCol, int width);
    BOOL AutoSizeColumn(int nCol, UINT autoSizeStyle = 0, BOOL resetScroll = TRUE);
    BOOL AutoSizeRow(int nRow, BOOL resetScroll = TRUE);
    void AutoSizeColumns();
    void AutoSizeRows();
    void FitColumnsToWidth();
    void SetSortColumn(int nCol);
    int GetSortColumn() const { return m_nSortColumn; }
    BOOL GetSortAscending() const { return m_bAscending; }
    void SetSortAscending(BOOL ascending) { m_bAscending = ascending; }
    void MarkModified(int nRow, int nCol);
    void Refresh();
    BOOL IsCellEditable(const CCellID& cell) const { return IsCellEditable(cell.row, cell.col); }
    BOOL IsCellEditable(int nRow, int nCol) const;
    BOOL IsCellSelected(int nRow, int nCol) const;
    BOOL IsCellSelected(const CCellID& cell) const { return IsCellSelected(cell.row, cell.col); }
    BOOL IsCellFixed(int nRow, int nCol) const { return nRow < m_nFixedRows || nCol < m_nFixedCols; }
    // A cell in a row or column of no size: the user neither sees nor edits it.
    BOOL IsCellHidden(int nRow, int nCol) const { return GetRowHeight(nRow) == 0 || GetColumnWidth(nCol) == 0; }

    // ---- Painting ----
    BOOL RedrawCell(int nRow, int nCol, CDC* dc = nullptr);
    BOOL RedrawCell(const CCellID& cell, CDC* dc = nullptr) { return RedrawCell(cell.row, cell.col, dc); }
    void EraseBkgnd(CDC* dc);

    // ---- Selection and focus ----
    BOOL IsValid(int nRow, int nCol) const { return nRow >= 0 && nRow < m_nRows && nCol >= 0 && nCol < m_nCols; }
    BOOL IsValid(const CCellID& cell) const { return IsValid(cell.row, cell.col); }
    BOOL IsValid(const CCellRange& range) const;
    BOOL IsValidCell(const CCellID& cell) const { return IsValid(cell); }
    CCellID SetFocusCell(int nRow, int nCol);
    CCellID SetFocusCell(CCellID cell) { return SetFocusCell(cell.row, cell.col); }
    CCellID GetFocusCell() const { return m_idCurrentCell; }
    CCellRange GetSelectedRange() const;
    size_t GetSelectedCount() const { return m_SelectedCells.size(); }
    std::vector<CCellID> GetSelectedCells() const;
    void ResetSelectedRange();
    void SetSelectedRange(const CCellRange& range, BOOL forceRepaint = FALSE, BOOL select = TRUE);
    void SetSelectedRange(int minRow, int minCol, int maxRow, int maxCol, BOOL forceRepaint = FALSE, BOOL select = TRUE);
    void SelectAllCells();
    void SelectRows(CCellID cell, BOOL forceRepaint = FALSE, BOOL select = TRUE);
    void SelectColumns(CCellID cell, BOOL forceRepaint = FALSE, BOOL select = TRUE);
    void SelectCells(CCellID cell, BOOL forceRepaint = FALSE, BOOL select = TRUE);
    void OnSelecting(const CCellID& cell);
    CCellID GetSelectionStartCell() const { return m_SelectionStartCell; }
    void SetSelectionStartCell(CCellID cell) { m_SelectionStartCell = cell; }
    CCellID GetLeftClickDownCell() const { return m_LeftClickDownCell; }
    int GetMouseMode() const { return m_MouseMode; }
    void SetMouseMode(int mode) { m_MouseMode = mode; }
    // The Ctrl-extended selection kept while the mouse extends it.
    void KeepSelectionAsPrevious() { m_PrevSelectedCells = m_SelectedCells; }

    // ---- Printing ----
    // Shows the print dialog and prints every page on the chosen printer.
    void Print();
    void SetPrintHeaderText(LPCWSTR text) { m_strPrintHeader = text; }
    void SetPrintFooterText(LPCWSTR text) { m_strPrintFooter = text; }
    const CString& GetPrintHeaderText() const { return m_strPrintHeader; }
    const CString& GetPrintFooterText() const { return m_strPrintFooter; }
    // The page margins: left and right in characters of the print font;
    // top and bottom are kept for the caller but printing does not use them.
    void GetPrintMargins(int& top, int& bottom, int& left, int& right) const;
    void SetPrintMargins(int top, int bottom, int left, int right);
    // Kept for the caller; printing always scales the columns to the page.
    BOOL GetWysiwygPrinting() const { return m_bWysiwygPrinting; }
    void SetWysiwygPrinting(BOOL on = TRUE) { m_bWysiwygPrinting = on; }
    // The index of each page's first row among rows of the given heights,
    // for a body of bodyHeight per page.
    static std::vector<int> PaginateRows(const std::vector<int>& heights, int bodyHeight);

    // Whether one of the four edit commands (ID_EDIT_*) can run now.
    BOOL IsEditCommandEnabled(UINT id) const;

    // ---- Sorting ----
    void SortByColumn(int nCol, BOOL ascending);
    BOOL SortByColumnWith(GRIDCOMPAREFUNC compare, int nCol, BOOL ascending);
    // Rows low..high (-1: the last) by column nCol; FALSE when nothing could be sorted.
    BOOL SortRows(GRIDCOMPAREFUNC compare, int nCol, BOOL ascending, LPARAM value, int low, int high);
    static int CALLBACK CompareCellText(CGridCellBase* a, CGridCellBase* b, LPARAM value);
    void SetCompareFunction(GRIDCOMPAREFUNC compare) { m_pfnCompare = compare; }
    void SetVirtualCompare(GRIDROWLESS less) { m_pfnVirtualCompare = less; }

    // ---- The grid's virtual operations, in slot order ----
    virtual void ClearSelectedCells();
    virtual COleDataSource* CopySelectionText();
    virtual BOOL PasteText(int nRow, int nCol, COleDataObject* data, BOOL selectPasted);
    virtual void BeginDrag();
    virtual DROPEFFECT OnDragEnter(COleDataObject* data, DWORD keyState, CPoint point);
    virtual DROPEFFECT OnDragOver(COleDataObject* data, DWORD keyState, CPoint point);
    virtual void OnDragLeave();
    virtual BOOL OnDrop(COleDataObject* data, DROPEFFECT effect, CPoint point);
    virtual void OnEditCut();
    virtual void OnEditCopy();
    virtual void OnEditPaste();
    virtual void OnEditSelectAll();
    virtual void OnBeginPrinting(CDC* dc, CPrintInfo* info);
    virtual void OnPrintPage(CDC* dc, CPrintInfo* info);
    virtual void OnEndPrinting(CDC* dc, CPrintInfo* info);
    virtual void SetItemTextByUser(int nRow, int nCol, LPCWSTR text);
    virtual void PrintColumnCells(int firstCol, int endCol, int nRow, CRect& rect, CDC* dc);
    virtual void PrintColumnHeadings(CDC* dc, CPrintInfo* info);
    virtual void PrintHeader(CDC* dc, CPrintInfo* info);
    virtual void PrintFooter(CDC* dc, CPrintInfo* info);
    virtual void PrintRowHeadings(CDC* dc, CPrintInfo* info);
    // The printer font in bold, for the page header and footer.
    bool CreateBoldPrinterFont(CFont& bold) const;
    virtual CImageList* CreateDragImage(CPoint* hotSpot);
    virtual void OnFixedColumnClick(CCellID& cell);
    virtual void OnFixedRowClick(CCellID& cell);
    virtual void OnEditCell(int nRow, int nCol, CPoint point, UINT ch);
    virtual void OnEndEditCell(int nRow, int nCol, CString text);
    virtual BOOL ValidateCellEdit(int nRow, int nCol, LPCWSTR text);
    virtual void EndFocusCellEdit();
    // Closes a running editor without taking its text into the cell.
    void DiscardCellEdit();
    virtual void OnDraw(CDC* dc);
    virtual CGridCellBase* CreateCell(int nRow, int nCol);
    virtual void DestroyCell(int nRow, int nCol);
    virtual void OnEndInPlaceEdit(NMHDR* header, LRESULT* result);
    virtual void ShiftRowOrder(int position, int delta);

protected:
    void PreSubclassWindow() override;

    // Message handlers.
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    void OnSize(UINT type, int cx, int cy);
    void OnSysColorChange();
    void OnDestroy();
    void OnCaptureChanged(CWnd* wnd);
    void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    // WM_PRINTCLIENT: draws into the given context (PrintWindow, pictures).
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    void OnInPlaceCommand();
    void OnEndInPlaceEditNotify(NMHDR* header, LRESULT* result);
    void OnEditCutCmd() { OnEditCut(); }
    void OnEditCopyCmd() { OnEditCopy(); }
    void OnEditPasteCmd() { OnEditPaste(); }
    void OnEditSelectAllCmd() { OnEditSelectAll(); }
    // Enables or greys the four edit commands' menu items.
    void OnUpdateEditCmd(CCmdUI* cmdUI);
    // Keyboard and timer.
    UINT OnGetDlgCode();
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    LRESULT OnImeChar(WPARAM wParam, LPARAM lParam);
    void OnTimer(UINT_PTR nIDEvent);
    // Mouse.
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    void OnRButtonUp(UINT flags, CPoint point);
    DECLARE_MESSAGE_MAP()

    // The keys of the edit commands (copy, cut, paste, select all, clear,
    // auto-size), with or without a current cell; false for any other key.
    bool HandleEditKey(UINT nChar, UINT nRepCnt, UINT nFlags);
    // The first row (column) from..stop, stepping by step, that is shown; -1 when none.
    int NextVisibleRow(int from, int step, int stop) const;
    int NextVisibleColumn(int from, int step, int stop) const;

    // Mouse helpers.
    CPoint GetPointInCell(const CCellID& cell, CPoint point);
    // Inverts the 2-pixel sizing band at x (vertical) or y over the client area.
    void InvertSizingLine(bool vertical, int pos);
    void ShowTipOver(const CCellID& cell);
    // Start sizing at a grabbed divider; false when nothing can be sized there.
    bool StartSizingColumn(CPoint point);
    bool StartSizingRow(CPoint point);

    // Printing: the rows of a page (1-based) of the running job; cells side by side from x = left.
    std::vector<int> PageRows(int page) const;
    void PrintColumnCells(int firstCol, int endCol, int nRow, CRect& rect, CDC* dc, int left);

    // Sorting: the column and order are stored and shown, the selection reset.
    void MarkSortColumn(int nCol, BOOL ascending);
    void SwapRows(int a, int b);

    // Drag and drop: sets or clears a cell's drop highlight and redraws it.
    void SetDropHilite(const CCellID& cell, bool on);

    // Scrolling: handles one scroll code; true when the position moved.
    bool Scroll(int bar, UINT code);
    // Sends the grid a scroll message; true when the position moved.
    bool SendScroll(UINT message, UINT code);
    // EnsureVisible's line steps over the rows (columns) from..to.
    void LineSteps(int bar, int from, int to, bool forward);
    static constexpr int kMaxLineMessages = 64;

    // Painting helpers.
    void DrawCellRun(CDC* dc, const CRect& clip, int row0, int row1, int y0, int col0, int col1, int x0,
                     bool lines, std::vector<CCellID>& blocksDrawn);
    void DrawOneCell(CDC* dc, int nRow, int nCol, CRect rect, bool lines, std::vector<CCellID>& blocksDrawn);

    // Selection helpers.
    CCellRange GetVisibleRowHeaderRange();

    // Shape helpers.
    void ApplyFixedRowState(int from, int to, bool fixed);
    void ApplyFixedColState(int from, int to, bool fixed);
    bool StoredCellSlot(int nRow, int nCol, CGridCellBase**& slot) const;
    // Drops selection keys outside the grid (after the grid shrank).
    void PruneSelection();

    // A block range as the merge walk may follow it: inside the grid.
    CCellRange ClipToGrid(const CCellRange& range) const;
    void ClearMergeFields(int nRow, int nCol);

    static unsigned long long CellKey(int nRow, int nCol)
    {
        return (static_cast<unsigned long long>(static_cast<unsigned>(nRow)) << 32) | static_cast<unsigned>(nCol);
    }
    static CCellID KeyCell(unsigned long long key)
    {
        return CCellID(static_cast<int>(key >> 32), static_cast<int>(key & 0xFFFFFFFFu));
    }
    // The standard hash of a 64-bit key keeps only its low 32 bits here, the
    // column: a selected column would fall into one bucket and every insert
    // or lookup walk all of it. Both halves count, rows spread by an odd
    // multiplier (one to one on 32 bits).
    struct CellKeyHash
    {
        size_t operator()(unsigned long long key) const noexcept
        {
            const auto row = static_cast<unsigned>(key >> 32);
            const auto col = static_cast<unsigned>(key);
            return static_cast<size_t>(row * 0x9E3779B1u ^ col);
        }
    };
    using CellKeySet = std::unordered_set<unsigned long long, CellKeyHash>;

    // ---- Shape and storage ----
    int m_nRows = 0;
    int m_nFixedRows = 0;
    int m_nCols = 0;
    int m_nFixedCols = 0;
    std::vector<int> m_arRowHeights;
    std::vector<int> m_arColWidths;       // per stored column
    std::vector<std::vector<CGridCellBase*>> m_RowData;  // per row, per stored column
    std::vector<int> m_arColOrder;        // display column -> stored column
    std::vector<int> m_arRowOrder;        // row -> row handed to the parent (virtual mode)
    GRIDCELLFACTORY m_pfnCellFactory = &CGridCell::CreateObject;
    CGridDefaultCell m_cellDefault;       // normal
    CGridDefaultCell m_cellFixedColDef;   // row headers
    CGridDefaultCell m_cellFixedRowDef;   // column headers
    CGridDefaultCell m_cellFixedRowColDef;  // corner
    BOOL m_bVirtualMode = FALSE;
    GRIDCALLBACK m_pfnCallback = nullptr;
    LPARAM m_lParamCallback = 0;
    bool m_bDestroying = false;
    bool m_bDiscardingEdit = false;  // an editor's end is not taken

    // ---- Settings ----
    int m_nGridLines = GRIDLINES_BOTH;
    BOOL m_bEditable = TRUE;
    BOOL m_bAllowDragAndDrop = FALSE;
    BOOL m_bListMode = FALSE;
    BOOL m_bSingleRowSelection = FALSE;
    BOOL m_bSingleColSelection = FALSE;
    BOOL m_bAllowDraw = TRUE;
    BOOL m_bEnableSelection = TRUE;
    BOOL m_bRowHeaderSelection = TRUE;
    BOOL m_bColHeaderSelection = TRUE;
    BOOL m_bSortOnClick = FALSE;
    BOOL m_bHandleTabKey = TRUE;
    BOOL m_bDoubleBuffer = TRUE;
    BOOL m_bTitleTips = TRUE;
    BOOL m_bMarkFocusHeaders = TRUE;
    BOOL m_bFrameFocus = TRUE;
    UINT m_nAutoSizeStyle = GRID_AUTOSIZE_FIXED | GRID_AUTOSIZE_DATA;
    int m_nResizeCaptureRange = 3;
    UINT m_nAutoScrollPeriod = 25;
    int m_nWheelLines = 3;
    int m_nWheelRest = 0;   // wheel turn not yet scrolled, in WHEEL_DELTA per line (page)
    int m_nSortColumn = -1;
    BOOL m_bAscending = TRUE;
    GRIDCOMPAREFUNC m_pfnCompare = nullptr;
    GRIDROWLESS m_pfnVirtualCompare = nullptr;
    CImageList* m_pImageList = nullptr;
    BOOL m_bTabToNextControl = FALSE;
    BOOL m_bFixedColumnsInSelection = FALSE;
    BOOL m_bAllowColumnDrag = FALSE;
    BOOL m_bDropMovesRows = TRUE;
    BOOL m_bAllowRowResize = TRUE;
    BOOL m_bAllowColResize = TRUE;
    BOOL m_bAllowZeroRowHeight = TRUE;
    BOOL m_bAllowZeroColWidth = TRUE;
    BOOL m_bHiddenRowUnhide = TRUE;
    BOOL m_bHiddenColUnhide = TRUE;
    BOOL m_bModified = FALSE;
    // Print layout: colour, header and footer lines, left and right margins
    // (characters), gap, top and bottom (stored, unused).
    BOOL m_bPrintColour = TRUE;
    int m_nHeaderHeight = 2, m_nFooterHeight = 2, m_nLeftMargin = 4, m_nRightMargin = 4;
    int m_nGap = 1, m_nTopMargin = 1, m_nBottomMargin = 1;
    BOOL m_bWysiwygPrinting = FALSE;
    CString m_strPrintHeader, m_strPrintFooter;
    CRect m_rectPrint;
    // The running print job: character size, printer and logical page sizes,
    // body height and width per page, the page and first column printed.
    CFont m_PrinterFont;
    CSize m_CharSize;
    CSize m_PaperSize;
    CSize m_LogicalPageSize;
    int m_nBodyHeight = 0;
    int m_nBodyWidth = 0;
    int m_nPrintPage = 1;
    int m_nPrintColumn = 0;

    // ---- Colours ----
    COLORREF m_crGridLineColour = RGB(0xC0, 0xC0, 0xC0);
    COLORREF m_crGridBkColour = 0;
    COLORREF m_crTTipBkClr = CLR_DEFAULT;
    COLORREF m_crTTipFgClr = CLR_DEFAULT;
    COLORREF m_crWindowText = 0, m_crWindowColour = 0, m_cr3DFace = 0, m_crShadow = 0;

    // ---- Selection and focus ----
    CCellID m_idCurrentCell;
    CCellID m_SelectionStartCell;
    CCellID m_LeftClickDownCell;
    CCellID m_idDragOverCell;
    CellKeySet m_SelectedCells;      // (row, column) keys
    CellKeySet m_PrevSelectedCells;
    int m_MouseMode = MOUSE_NOTHING;
    BOOL m_bLMouseButtonDown = FALSE;
    BOOL m_bRMouseButtonDown = FALSE;
    UINT_PTR m_nTimerID = 0;
    CPoint m_LeftClickDownPoint;
    CPoint m_LastMousePoint;
    int m_nDragHeaderCol = -1;
    int m_nDragRow = -1;          // where a row drag started

    bool m_bDropMovedInGrid = false;  // the last drop moved a row or column here

    CTitleTip m_TitleTip;
    CGridDropTarget m_DropTarget;

    // ---- Geometry ----
    CCellID m_idTopLeftCell;
    UINT m_nBarState = 0;   // 0x1 horizontal shown, 0x2 vertical shown
    int m_nVScrollMax = 0;
    int m_nHScrollMax = 0;
    bool m_bInResetScrollBars = false;
};
