// CGridCtrl: the seams part two fills. Each operation here is declared in
// its slot and either does its small share now (ending an edit, the user-edit
// path of a text) or nothing, with the Part that specifies it.
#include "CGridCtrl.h"

// ---- Clipboard and drag and drop: part two ----
void CGridCtrl::ClearSelectedCells() {}
COleDataSource* CGridCtrl::CopySelectionText() { return nullptr; }
BOOL CGridCtrl::PasteText(int, int, COleDataObject*, BOOL) { return FALSE; }
void CGridCtrl::BeginDrag() {}
DROPEFFECT CGridCtrl::OnDragEnter(COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
DROPEFFECT CGridCtrl::OnDragOver(COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
void CGridCtrl::OnDragLeave() {}
BOOL CGridCtrl::OnDrop(COleDataObject*, DROPEFFECT, CPoint) { return FALSE; }
void CGridCtrl::OnEditCut() {}
void CGridCtrl::OnEditCopy() {}
void CGridCtrl::OnEditPaste() {}
CImageList* CGridCtrl::CreateDragImage(CPoint*) { return nullptr; }

// ---- Printing: part two ----
void CGridCtrl::OnBeginPrinting(CDC*, CPrintInfo*) {}
void CGridCtrl::OnPrintPage(CDC*, CPrintInfo*) {}
void CGridCtrl::OnEndPrinting(CDC*, CPrintInfo*) {}
void CGridCtrl::PrintColumnCells(int, int, int, CRect&, CDC*) {}
void CGridCtrl::PrintColumnHeadings(CDC*, CPrintInfo*) {}
void CGridCtrl::PrintHeader(CDC*, CPrintInfo*) {}
void CGridCtrl::PrintFooter(CDC*, CPrintInfo*) {}
void CGridCtrl::PrintRowHeadings(CDC*, CPrintInfo*) {}

// ---- Sorting: part two sorts the rows; this only marks the column ----
void CGridCtrl::SortByColumn(int nCol, BOOL ascending)
{
    SetSortColumn(nCol);
    m_bAscending = ascending;
}

void CGridCtrl::SetItemTextByUser(int nRow, int nCol, LPCWSTR text)
{
    if (!m_bEditable || !GetCell(nRow, nCol) || (GetItemState(nRow, nCol) & GRIDCELL_READONLY))
        return;
    if (static_cast<int>(NotifyParent(nRow, nCol, GRIDN_BEGINEDIT)) < 0)
        return;
    CString old = GetItemText(nRow, nCol);
    if (old == (text ? text : L""))
        return;
    SetItemText(nRow, nCol, text);
    if (ValidateCellEdit(nRow, nCol, text) && static_cast<int>(NotifyParent(nRow, nCol, GRIDN_ENDEDIT)) >= 0) {
        MarkModified(nRow, nCol);
        RedrawCell(nRow, nCol);
    } else {
        SetItemText(nRow, nCol, old);
    }
}
