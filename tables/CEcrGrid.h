// The record grid: one table of a data group, one row per record and one
// column per field, under a row of turned column captions and beside a
// column of record numbers. Every edit is checked by the field's rules and
// written straight into the record bytes; the cell then shows the value as
// stored.
#pragma once

#include <functional>
#include <vector>

#include "CGridCtrl.h"
#include "S_ECR_TABLE.h"

class CEcrGrid : public CGridCtrl
{
public:
    // Dynamic creation: an unbound grid.
    static CEcrGrid* CreateObject() { return new CEcrGrid; }

    CEcrGrid();

    // Shows the table with the fields of the display level; FALSE for no table.
    // An open editor is ended and its text dropped first.
    BOOL BindTable(S_ECR_TABLE* table, int level);
    // Re-reads every column caption (after a caption change).
    BOOL RefreshColumnHeaders();
    // Hides the fields below the level, sizes the others by their width.
    BOOL SetColumnWidths(int level);
    // Field 0 of record 0 as shown, or "0" when the table has no readable record.
    CString GetFirstRecordValue();
    // Checks one value of field `field` of record `record` (both from 0);
    // a refusal shows its message and answers FALSE.
    virtual BOOL ValidateValue(int field, int record, const CString& text);

    // Writes one value into the selected cells of a column that may be
    // written, after every one of them accepted it; FALSE when none was
    // written. What the fill from the value-input dialog does.
    BOOL FillSelectedCells(int nCol, const CString& value);
    // The first data row whose text in the column reads as the code; -1 when none.
    int FindCodeRow(int nCol, long long code) const;

    S_ECR_TABLE* GetBoundTable() const { return m_pTable; }
    // FALSE after an in-place edit was refused; the record list reads it on
    // the next selection change and sets it back.
    BOOL GetEditAccepted() const { return m_bEditAccepted; }
    void SetEditAccepted(BOOL accepted) { m_bEditAccepted = accepted; }

    // Empties the grid; an open editor is ended and its text dropped first.
    BOOL DeleteAllCells();

    BOOL PreTranslateMessage(MSG* msg) override;
    // A paste, and a clear (Delete, Cut), tell their refused cells in one
    // message after they end.
    BOOL PasteText(int nRow, int nCol, COleDataObject* data, BOOL selectPasted) override;
    void ClearSelectedCells() override;
    void SetItemTextByUser(int nRow, int nCol, LPCWSTR text) override;
    void OnEditCell(int nRow, int nCol, CPoint point, UINT ch) override;
    void OnEndInPlaceEdit(NMHDR* header, LRESULT* result) override;

    // Colours of the cell classes and of the marked row header.
    static constexpr COLORREF EditableBack = RGB(0xFF, 0xFF, 0xFF);
    static constexpr COLORREF ReadOnlyBack = RGB(0xDC, 0xDC, 0xDC);
    static constexpr COLORREF MarkedHeaderBack = RGB(0x00, 0x80, 0xC0);
    // The character F5 types (byte 0xFF of code page 932).
    static constexpr wchar_t F5Char = 0xF8F3;

protected:
    LRESULT MarkRowHeader(WPARAM wParam, LPARAM lParam);
    LRESULT HandleRightClick(WPARAM wParam, LPARAM lParam);
    LRESULT HandleDoubleClick(WPARAM wParam, LPARAM lParam);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // Ends an open editor without storing its text.
    void DiscardEdit();
    // Sets up the cell of field `field` in record `record` (grid row record + 1).
    void BindDataCell(int record, int field, CGridCellBase* cell);
    // The widths of the field columns at a display level, without a repaint.
    void ApplyColumnWidths(int level);
    // One data row's height for all: every data cell has the same font and
    // single-line format, so one row measures them all.
    void SizeRows();
    // The first shown data cell that may be written; (-1, -1) when none.
    CCellID FirstEditableCell() const;
    // Writes text into the field of a grid cell and reads back what was
    // stored; `before` keeps the old bytes. FALSE when the cell has no field
    // bytes. A text that does not fit is told before its start is stored.
    bool StoreValue(int nRow, int nCol, const CString& text, CString& shown, std::vector<BYTE>& before);
    void RestoreValue(int nRow, int nCol, const std::vector<BYTE>& before);
    // Posts a request with the bound table and a row or column to the parent.
    void PostToParent(UINT message, int index);
    // A left click (down and up) at a point, through the row-header marking.
    void ClickAt(CPoint point);
    void FillSelection(int nCol);
    void SearchColumn(int nCol);

    // A refused value of a paste: record and field (from 0) and why.
    struct Refusal
    {
        int record;
        int field;
        CString why;
    };
    // Runs an edit of many cells with ValidateValue keeping its refusals,
    // then tells them in one message: the head for their count ("%1" the
    // count), then the first few by record, field and reason.
    void TellRefusalsOnce(const std::function<void()>& edit, CString (*head)(int count));
    void ShowRefusals(const std::vector<Refusal>& refusals, CString (*head)(int count)) const;

    S_ECR_TABLE* m_pTable = nullptr;
    // Where ValidateValue keeps its refusals during a paste or clear; null: it shows them.
    std::vector<Refusal>* m_pRefusals = nullptr;
    BOOL m_bEditAccepted = TRUE;
    bool m_bDiscardingEdit = false;
};
