// CGridCtrl: the clipboard (copy, cut, paste, clear), the user-edit path of
// a text, and OLE drag and drop in the same text format.
#include "CGridCtrl.h"

#include <algorithm>
#include <cstring>
#include <cwctype>
#include <memory>
#include <new>
#include <string>

#include "cmdui.h"
#include "controls.h"
#include "ole.h"

namespace {

std::wstring Trimmed(const std::wstring& s)
{
    size_t first = 0, last = s.size();
    while (first < last && std::iswspace(s[first]))
        ++first;
    while (last > first && std::iswspace(s[last - 1]))
        --last;
    return s.substr(first, last - first);
}

// The text of a global block, read no further than the block reaches:
// other programs' data need not end in a zero.
bool ReadGlobalText(HGLOBAL data, std::wstring& text)
{
    const SIZE_T units = ::GlobalSize(data) / sizeof(wchar_t);
    const auto* p = static_cast<const wchar_t*>(::GlobalLock(data));
    if (!p)
        return false;
    SIZE_T length = 0;
    while (length < units && p[length])
        ++length;
    bool ok = true;
    try {
        text.assign(p, length);
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    ::GlobalUnlock(data);
    return ok;
}

struct GlobalFreer
{
    void operator()(void* data) const { ::GlobalFree(data); }
};

// Marks text a grid copied (or dragged): its fields are separated by TABs
// only, so a single column ("Tea, green", "1,000") pastes back whole.
CLIPFORMAT GridTextMarker()
{
    static const auto format = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"EcrGridCtrl.Cells"));
    return format;
}

} // namespace

void CGridCtrl::SetItemTextByUser(int nRow, int nCol, LPCWSTR text)
{
    // Hidden cells are left alone, as copy and paste leave them out: a clear
    // or cut of a whole row must not wipe what the user cannot see.
    if (!m_bEditable || !GetCell(nRow, nCol) || (GetItemState(nRow, nCol) & GRIDCELL_READONLY) ||
        IsCellHidden(nRow, nCol))
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

void CGridCtrl::ClearSelectedCells()
{
    if (!m_bEditable)
        return;
    // A copy: a parent's message box may change the selection meanwhile.
    for (const CCellID& cell : GetSelectedCells())
        SetItemTextByUser(cell.row, cell.col, L"");
}

COleDataSource* CGridCtrl::CopySelectionText()
{
    const CCellRange range = GetSelectedRange();
    if (!IsValid(range))
        return nullptr;
    if (m_bVirtualMode) {
        NotifyCacheHint(range);
        NotifyCacheHint(CCellRange(-1, -1, -1, -1));
    }
    std::wstring text;
    bool firstLine = true;
    for (int r = range.GetMinRow(); r <= range.GetMaxRow(); ++r) {
        if (GetRowHeight(r) == 0)
            continue;
        if (!firstLine)
            text += L"\r\n";
        firstLine = false;
        bool firstField = true;
        for (int c = range.GetMinCol(); c <= range.GetMaxCol(); ++c) {
            if (GetColumnWidth(c) == 0)
                continue;
            if (!firstField)
                text += L'\t';
            firstField = false;
            if (IsCellSelected(r, c))
                if (CGridCellBase* cell = GetCell(r, c))
                    text += cell->GetText();
        }
    }
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    std::unique_ptr<void, GlobalFreer> data(::GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE | GMEM_ZEROINIT, bytes));
    void* p = data ? ::GlobalLock(data.get()) : nullptr;
    if (!p)
        return nullptr;
    std::memcpy(p, text.c_str(), bytes);
    ::GlobalUnlock(data.get());
    auto* source = new COleDataSource;
    source->CacheGlobalData(CF_UNICODETEXT, data.release());
    // Without the marker the text still pastes, as foreign text.
    if (GridTextMarker())
        if (HGLOBAL marker = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(wchar_t)))
            source->CacheGlobalData(GridTextMarker(), marker);
    return source;
}

void CGridCtrl::OnEditCopy()
{
    if (COleDataSource* source = CopySelectionText()) {
        source->SetClipboard();
        source->Release();
    }
}

void CGridCtrl::OnEditCut()
{
    if (!m_bEditable)
        return;
    COleDataSource* source = CopySelectionText();
    if (!source)
        return;
    // Only text that reached the clipboard may leave the cells.
    const bool placed = source->SetClipboard();
    source->Release();
    if (placed)
        ClearSelectedCells();
}

void CGridCtrl::OnEditPaste()
{
    if (!m_bEditable)
        return;
    const CCellRange range = GetSelectedRange();
    CCellID target = IsValid(range) ? range.GetTopLeft() : m_idCurrentCell;
    if (!IsValid(target))
        target = GetTopLeftNonFixedCell();
    if (!IsValid(target))
        return;
    if (CGridCellBase* cell = GetCell(target.row, target.col); cell && cell->IsEditing())
        if (CWnd* editor = cell->GetEditWnd(); editor && dynamic_cast<CEdit*>(editor)) {
            editor->SendMessage(WM_PASTE);
            return;
        }
    COleDataObject data;
    if (data.AttachClipboard())
        PasteText(target.row, target.col, &data, TRUE);
}

BOOL CGridCtrl::PasteText(int nRow, int nCol, COleDataObject* data, BOOL selectPasted)
{
    if (!IsValid(nRow, nCol) || !m_bEditable || (GetItemState(nRow, nCol) & GRIDCELL_READONLY) || !data ||
        !data->IsDataAvailable(CF_UNICODETEXT))
        return FALSE;
    std::unique_ptr<void, GlobalFreer> block(data->GetGlobalData(CF_UNICODETEXT));
    std::wstring text;
    if (!block || !ReadGlobalText(block.get(), text))
        return FALSE;
    block.reset();
    const bool fromGrid = GridTextMarker() && data->IsDataAvailable(GridTextMarker());

    int maxRow = -1, maxCol = -1;
    int rowOffset = 0;
    size_t lineStart = 0;
    for (;;) {
        const size_t lineEnd = text.find(L'\n', lineStart);
        const std::wstring line = text.substr(lineStart, lineEnd == std::wstring::npos ? std::wstring::npos : lineEnd - lineStart);
        int row = nRow + rowOffset;
        while (row < m_nRows && GetRowHeight(row) == 0) {
            ++row;
            ++rowOffset;
        }
        // A grid's own text, and any line with a TAB (as spreadsheets copy),
        // is TAB-separated: its commas belong to the fields. Other lines are
        // comma-separated values.
        const wchar_t* separators = fromGrid || line.find(L'\t') != std::wstring::npos ? L"\t" : L"\t,";
        int colOffset = 0;
        size_t pos = 0;
        while (pos < line.size()) {
            const size_t sep = line.find_first_of(separators, pos);
            const std::wstring piece = Trimmed(line.substr(pos, sep == std::wstring::npos ? std::wstring::npos : sep - pos));
            pos = sep == std::wstring::npos ? line.size() : sep + 1;
            int col = nCol + colOffset;
            while (col < m_nCols && GetColumnWidth(col) == 0) {
                ++col;
                ++colOffset;
            }
            if (row < m_nRows && col < m_nCols) {
                SetItemTextByUser(row, col, piece.c_str());
                SetItemState(row, col, GetItemState(row, col) & ~GRIDCELL_SELECTED);
                maxRow = std::max(maxRow, row);
                maxCol = std::max(maxCol, col);
            }
            ++colOffset;
        }
        ++rowOffset;
        if (lineEnd == std::wstring::npos)
            break;
        lineStart = lineEnd + 1;
    }

    if (selectPasted && maxRow >= 0) {
        SetSelectedRange(nRow, nCol, maxRow, maxCol, TRUE, TRUE);
    } else {
        ResetSelectedRange();
        Invalidate(TRUE);
    }
    return TRUE;
}

BOOL CGridCtrl::IsEditCommandEnabled(UINT id) const
{
    switch (id) {
    case ID_EDIT_COPY:
        return GetSelectedCount() > 0;
    case ID_EDIT_CUT:
        return m_bEditable && GetSelectedCount() > 0;
    case ID_EDIT_PASTE:
        return IsValid(m_idCurrentCell) && IsCellEditable(m_idCurrentCell) &&
               ::IsClipboardFormatAvailable(CF_UNICODETEXT);
    case ID_EDIT_SELECT_ALL:
        return m_bEnableSelection;
    default:
        return FALSE;
    }
}

void CGridCtrl::OnUpdateEditCmd(CCmdUI* cmdUI)
{
    cmdUI->Enable(IsEditCommandEnabled(cmdUI->m_nID));
}

// ---- Drag and drop ---------------------------------------------------------------

void CGridCtrl::SetDropHilite(const CCellID& cell, bool on)
{
    if (!IsValid(cell))
        return;
    const UINT state = GetItemState(cell.row, cell.col);
    SetItemState(cell.row, cell.col, on ? state | GRIDCELL_DROPHILITED : state & ~GRIDCELL_DROPHILITED);
    RedrawCell(cell);
}

void CGridCtrl::BeginDrag()
{
    const bool columnDrag = m_nDragHeaderCol >= 0;
    if (!m_bAllowDragAndDrop && !columnDrag)
        return;
    COleDataSource* source = columnDrag ? new COleDataSource : CopySelectionText();
    if (!source)
        return;
    const CCellRange range = GetSelectedRange();
    const CCellID topLeft = IsValid(range) ? range.GetTopLeft() : CCellID();
    NotifyParent(topLeft.row, topLeft.col, GRIDN_BEGINDRAG);
    m_MouseMode = MOUSE_DRAGGING;
    m_bLMouseButtonDown = FALSE;
    m_bDropMovedInGrid = false;
    const DWORD effect = source->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
    // A row or column moved inside this grid took nothing away.
    if ((effect & DROPEFFECT_MOVE) && !m_bDropMovedInGrid)
        ClearSelectedCells();
    source->Release();
    m_nDragHeaderCol = -1;
    m_MouseMode = MOUSE_NOTHING;
}

DROPEFFECT CGridCtrl::OnDragEnter(COleDataObject* data, DWORD keyState, CPoint point)
{
    const bool columnDrag = m_nDragHeaderCol >= 0;
    m_idDragOverCell = CellFromPoint(point, columnDrag);
    const DROPEFFECT effect = (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    if (!columnDrag) {
        if (!m_bAllowDragAndDrop || !data || !data->IsDataAvailable(CF_UNICODETEXT) || !IsValid(m_idDragOverCell) ||
            !IsCellEditable(m_idDragOverCell))
            return DROPEFFECT_NONE;
        SetDropHilite(m_idDragOverCell, true);
        return effect;
    }
    if (IsValid(m_idDragOverCell) && m_idDragOverCell.row < m_nFixedRows && m_idDragOverCell.col >= m_nFixedCols)
        SetDropHilite(m_idDragOverCell, true);
    return effect;
}

DROPEFFECT CGridCtrl::OnDragOver(COleDataObject* data, DWORD keyState, CPoint point)
{
    const bool columnDrag = m_nDragHeaderCol >= 0;
    const CCellID cell = CellFromPoint(point, columnDrag);
    bool accepted = false;
    if (columnDrag) {
        accepted = IsValid(cell) && cell.col >= m_nFixedCols && cell.row < m_nFixedRows;
    } else if (m_bAllowDragAndDrop) {
        // Rows move only by a drag that started in this grid; foreign text
        // is pasted, so it needs an editable cell.
        if (m_bDropMovesRows)
            accepted = m_MouseMode == MOUSE_DRAGGING && IsValid(cell) && !IsCellFixed(cell.row, cell.col);
        else
            accepted = m_bEditable && data && data->IsDataAvailable(CF_UNICODETEXT) && IsValid(cell) &&
                       IsCellEditable(cell);
    }
    if (!accepted) {
        OnDragLeave();
        m_idDragOverCell = CCellID();
        return DROPEFFECT_NONE;
    }
    if (cell != m_idDragOverCell) {
        SetDropHilite(m_idDragOverCell, false);
        m_idDragOverCell = cell;
        SetDropHilite(m_idDragOverCell, true);
    }
    return (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

void CGridCtrl::OnDragLeave()
{
    SetDropHilite(m_idDragOverCell, false);
}

BOOL CGridCtrl::OnDrop(COleDataObject* data, DROPEFFECT, CPoint)
{
    m_MouseMode = MOUSE_NOTHING;
    const bool columnDrag = m_nDragHeaderCol >= 0;
    const CCellID over = m_idDragOverCell;
    // The highlight goes on every way out.
    OnDragLeave();
    if (!columnDrag) {
        if (!m_bAllowDragAndDrop || !IsValid(over))
            return FALSE;
        if (m_bEditable ? (GetItemState(over.row, over.col) & GRIDCELL_READONLY) != 0 : !m_bDropMovesRows)
            return FALSE;
        if (!m_bDropMovesRows)
            return PasteText(over.row, over.col, data, FALSE);
        if (m_nDragRow < 0 || m_nDragRow >= static_cast<int>(m_arRowOrder.size()) ||
            over.row >= static_cast<int>(m_arRowOrder.size()))
            return FALSE;
        const int entry = m_arRowOrder[m_nDragRow];
        m_arRowOrder.erase(m_arRowOrder.begin() + m_nDragRow);
        const int at = m_nDragRow < over.row ? over.row : over.row + 1;
        m_arRowOrder.insert(m_arRowOrder.begin() + std::min<int>(at, static_cast<int>(m_arRowOrder.size())), entry);
        m_bDropMovedInGrid = true;
        Invalidate(TRUE);
        return TRUE;
    }
    if (!IsValid(over) || over.col == m_nDragHeaderCol || over.row >= m_nFixedRows ||
        m_nDragHeaderCol >= static_cast<int>(m_arColOrder.size()))
        return FALSE;
    const int entry = m_arColOrder[m_nDragHeaderCol];
    m_arColOrder.erase(m_arColOrder.begin() + m_nDragHeaderCol);
    m_arColOrder.insert(m_arColOrder.begin() + std::min<int>(over.col, static_cast<int>(m_arColOrder.size())), entry);
    m_nDragHeaderCol = -1;
    m_bDropMovedInGrid = true;
    Invalidate(TRUE);
    return TRUE;
}

CImageList* CGridCtrl::CreateDragImage(CPoint* hotSpot)
{
    CClientDC screen(this);
    CRect rect;
    CGridCellBase* cell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col);
    if (!screen.GetSafeHdc() || !cell || !GetCellRect(m_idCurrentCell, rect))
        return nullptr;
    const int width = rect.Width() + 1, height = rect.Height() + 1;
    if (hotSpot)
        *hotSpot = CPoint(width, height);
    auto list = std::make_unique<CImageList>();
    if (!list->Create(width, height, ILC_MASK, 1, 1))
        return nullptr;
    CDC memory;
    CBitmap bitmap;
    if (!memory.CreateCompatibleDC(&screen) || !bitmap.CreateCompatibleBitmap(screen.GetSafeHdc(), width, height))
        return nullptr;
    HGDIOBJ old = memory.SelectObject(&bitmap);
    cell->Draw(&memory, m_idCurrentCell.row, m_idCurrentCell.col, CRect(0, 0, width, height), TRUE);
    memory.SelectObject(old);
    if (list->Add(&bitmap, m_cellDefault.GetBackClr()) < 0)
        return nullptr;
    return list.release();
}
