#include "CEcrGrid.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "CInputValDlg.h"
#include "EcrWndNo.h"
#include "FieldCodec.h"
#include "FieldEditLimit.h"
#include "FieldRules.h"
#include "FillPlaceholders.h"

namespace {

// Captions of the common section for the grid's own texts.
constexpr int kSearchTitleCaption = 40;
constexpr int kNotFoundCaption = 41;
// Refusals of a paste or a clear: the count (its own caption for one), then
// a line per listed cell.
constexpr int kPasteRefusedCaption = 45;
constexpr int kRefusalCaption = 46;
constexpr int kClearRefusedCaption = 49;
constexpr int kPasteRefusedOneCaption = 50;
constexpr int kClearRefusedOneCaption = 51;

// Height of the turned caption font.
constexpr LONG kCaptionHeight = 12;

// The longest code a search takes: 99999999999999 in decimal.
constexpr int kSearchLength = 14;

// The program's one marked row header (one grid exists at a time).
CCellID g_markedRowHeader;

LOGFONTW MakeFont(LONG height, LONG escapement, BYTE outPrecision, BYTE clipPrecision, BYTE pitchAndFamily)
{
    LOGFONTW lf = {};
    lf.lfHeight = height;
    lf.lfEscapement = escapement;
    lf.lfOrientation = escapement;
    lf.lfWeight = FW_NORMAL;
    lf.lfOutPrecision = outPrecision;
    lf.lfClipPrecision = clipPrecision;
    lf.lfQuality = DRAFT_QUALITY;
    lf.lfPitchAndFamily = pitchAndFamily;
    wcscpy(lf.lfFaceName, L"MS UI Gothic");
    return lf;
}

UINT DataFormat(const S_ECR_FIELD& field)
{
    switch (field.Flags & FIELD_ALIGN_MASK) {
    case FIELD_ALIGN_LEFT:
        return DT_LEFT | DT_SINGLELINE | DT_VCENTER;
    case FIELD_ALIGN_CENTER:
        return DT_CENTER | DT_SINGLELINE | DT_VCENTER;
    default:
        return DT_RIGHT | DT_SINGLELINE | DT_VCENTER;
    }
}

CString IntText(int n)
{
    CString text;
    text.Format(L"%d", n);
    return text;
}

int DecimalDigits(int n)
{
    int digits = 1;
    while (n >= 10) {
        n /= 10;
        ++digits;
    }
    return digits;
}

// While it lives, a cell takes texts longer than its maximum length: the
// limit is the editor's; a stored value always shows whole.
class UncutText
{
public:
    UncutText(CGridCtrl& grid, int nRow, int nCol) : m_grid(grid), m_row(nRow), m_col(nCol)
    {
        if (CGridCellBase* cell = grid.GetCell(nRow, nCol)) {
            m_limit = cell->GetMaxLength();
            cell->SetMaxLength(0);
        }
    }
    ~UncutText()
    {
        // A handler may have replaced the cell: look it up again.
        if (CGridCellBase* cell = m_grid.GetCell(m_row, m_col))
            cell->SetMaxLength(m_limit);
    }
    UncutText(const UncutText&) = delete;
    UncutText& operator=(const UncutText&) = delete;

private:
    CGridCtrl& m_grid;
    int m_row;
    int m_col;
    UINT m_limit = 0;
};

} // namespace

BEGIN_MESSAGE_MAP(CEcrGrid, CGridCtrl)
    ON_MESSAGE(WM_LBUTTONDOWN, &CEcrGrid::MarkRowHeader)
    ON_MESSAGE(WM_RBUTTONDOWN, &CEcrGrid::HandleRightClick)
    ON_MESSAGE(WM_LBUTTONDBLCLK, &CEcrGrid::HandleDoubleClick)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CEcrGrid::CEcrGrid()
{
    SetEditable(TRUE);
    ResetSelectedRange();
    SetSortColumn(-1);
    SetListMode(FALSE);
    SetSingleRowSelection(TRUE);
    SetSingleColSelection(TRUE);
    SetRowHeaderSelection(TRUE);
    SetColumnHeaderSelection(FALSE);
    EnableSelection(TRUE);
    EnableDragAndDrop(FALSE);
    SetRowResize(FALSE);
    SetColumnResize(FALSE);
    SetSortOnHeaderClick(FALSE);
    SetHandleTabKey(TRUE);
    SetDoubleBuffering(FALSE);
    EnableTitleTips(FALSE);
    SetGridLines(GRIDLINES_BOTH);
    const LOGFONTW font = MakeFont(-12, 0, OUT_STROKE_PRECIS, CLIP_STROKE_PRECIS, VARIABLE_PITCH | FF_MODERN);
    m_cellDefault.SetFont(&font);
}

// ---- Binding -------------------------------------------------------------------

BOOL CEcrGrid::DeleteAllCells()
{
    DiscardEdit();
    return CGridCtrl::DeleteAllCells();
}

void CEcrGrid::DiscardEdit()
{
    m_bDiscardingEdit = true;
    EndFocusCellEdit();
    m_bDiscardingEdit = false;
}

BOOL CEcrGrid::BindTable(S_ECR_TABLE* table, int level)
{
    DiscardEdit();
    if (!table)
        return FALSE;
    m_pTable = table;
    // No scroll bar or paint work while the table goes in: both happen once at the end.
    const BOOL redraw = GetAllowDraw();
    SetRedraw(FALSE);
    ResetSelectedRange();
    SetFocusCell(-1, -1);
    const int fields = std::max(table->FieldCount, 0);
    const int records = std::max(table->RecordCount, 0);
    SetColumnCount(fields + 1);
    SetRowCount(records + 1);
    SetFixedRowCount(1);
    SetFixedColumnCount(1);

    // Column captions, turned to read upwards.
    const LOGFONTW turned = MakeFont(kCaptionHeight, 900, OUT_DEFAULT_PRECIS, CLIP_LH_ANGLES, FIXED_PITCH | FF_ROMAN);
    int longest = 0;
    for (int c = 1; c <= fields; ++c) {
        const S_ECR_FIELD& field = table->Fields()[c - 1];
        const CString caption = LabelText(field.Label);
        longest = std::max(longest, caption.GetLength());
        if (CGridCellBase* cell = GetCell(0, c)) {
            cell->SetFont(&turned);
            cell->SetText(caption);
            cell->SetFormat(field.Type() == FIELD_TEXT ? DT_SINGLELINE | DT_BOTTOM
                                                       : DT_SINGLELINE | DT_BOTTOM | DT_RIGHT);
        }
    }
    if (GetRowCount() > 0)
        m_arRowHeights[0] = 14 * longest + 10;

    CString number;
    for (int r = 1; r <= records; ++r) {
        if (CGridCellBase* header = GetCell(r, 0)) {
            number.Format(L"%d", r);
            header->SetText(number);
            header->SetFormat(DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
        }
        for (int c = 1; c <= fields; ++c)
            if (CGridCellBase* cell = GetCell(r, c))
                BindDataCell(r - 1, c - 1, cell);
    }

    ApplyColumnWidths(level);
    if (GetColumnCount() > 0) {
        // The last record number is the longest; it shows whole in the
        // row headers' font, however wide that font's digits are.
        CClientDC dc(::IsWindow(m_hWnd) ? this : nullptr);
        CGridCellBase* last = GetCell(GetRowCount() - 1, 0);
        const int measured = last && dc.m_hDC && GetRowCount() > 1 ? last->GetCellExtent(&dc).cx : 0;
        m_arColWidths[m_arColOrder[0]] = std::max(9 * (DecimalDigits(GetRowCount()) + 1), measured);
    }
    SizeRows();
    // A current cell from the start, so that arrow keys and typing work
    // before any click.
    SetFocusCell(FirstEditableCell());
    if (redraw)
        SetRedraw(TRUE, TRUE);
    return TRUE;
}

CCellID CEcrGrid::FirstEditableCell() const
{
    for (int r = 1; r < GetRowCount(); ++r)
        for (int c = 1; c < GetColumnCount(); ++c)
            if (!IsCellHidden(r, c) && !(GetItemState(r, c) & GRIDCELL_READONLY))
                return CCellID(r, c);
    return CCellID(-1, -1);
}

void CEcrGrid::BindDataCell(int record, int field, CGridCellBase* cell)
{
    const S_ECR_FIELD& f = m_pTable->Fields()[field];
    cell->SetFormat(DataFormat(f));
    cell->SetMaxLength(static_cast<UINT>(std::max(f.Width, 0)));
    cell->SetTextClr(RGB(0, 0, 0));
    const BYTE* bytes = FieldPtr(m_pTable, record, field);
    CString text;
    // Without readable bytes the cell is empty, grey and read-only: nothing
    // can be shown, and nothing may be written.
    if (!bytes || !FormatField(&f, bytes, text)) {
        cell->SetText(L"");
        cell->SetState(GRIDCELL_READONLY);
        cell->SetBackClr(ReadOnlyBack);
        cell->SetTextClr(ReadOnlyBack);
        return;
    }
    const bool editable = (f.Flags & FIELD_EDITABLE) != 0;
    const bool outOfRange = IsShadedOutOfRange(f, text);
    if (outOfRange && !editable) {
        // Out of range and not editable: hidden.
        cell->SetText(L"");
        cell->SetState(GRIDCELL_READONLY);
        cell->SetBackClr(ReadOnlyBack);
        cell->SetTextClr(ReadOnlyBack);
        return;
    }
    const bool readOnly = !editable || outOfRange;
    cell->SetText(text);
    cell->SetState(readOnly ? GRIDCELL_READONLY : 0);
    cell->SetBackClr(readOnly ? ReadOnlyBack : EditableBack);
}

void CEcrGrid::SizeRows()
{
    if (GetRowCount() > 0 && GetRowHeight(0) > 0) {
        // DrawText lays a turned caption out as if it ran across: it starts
        // one line height above the bottom, which its measured length lacks.
        AutoSizeRow(0, FALSE);
        m_arRowHeights[0] += kCaptionHeight;
    }
    if (GetRowCount() > 1) {
        // Measure the first shown data row; the others take its height.
        int measured = -1;
        for (int r = 1; r < GetRowCount(); ++r) {
            if (m_arRowHeights[r] <= 0)
                continue;
            if (measured < 0) {
                AutoSizeRow(r, FALSE);
                measured = m_arRowHeights[r];
            } else {
                m_arRowHeights[r] = measured;
            }
        }
    }
    ResetScrollBars();
}

BOOL CEcrGrid::SetColumnWidths(int level)
{
    if (!m_pTable)
        return FALSE;
    ApplyColumnWidths(level);
    ResetScrollBars();
    Invalidate();
    return TRUE;
}

void CEcrGrid::ApplyColumnWidths(int level)
{
    // 8 pixels a character, at least 20; wider where the field's width in
    // digits needs more in the font the cells draw in (where the face the
    // grid asks for is missing, the system gives a wider one).
    CClientDC dc(::IsWindow(m_hWnd) ? this : nullptr);
    // Straight into the widths: the scroll bars are reset once by the caller.
    for (int c = 1; c < GetColumnCount() && c <= m_pTable->FieldCount; ++c) {
        const S_ECR_FIELD& field = m_pTable->Fields()[c - 1];
        int width = 0;
        if (IsFieldVisible(field, level)) {
            width = std::max(20, 8 * field.Width);
            CGridCellBase* cell = GetRowCount() > 1 ? GetCell(1, c) : nullptr;
            if (cell && dc.m_hDC && field.Width > 0)
                width = std::max(width, static_cast<int>(cell->GetExtentFor(CString(L'0', field.Width), &dc).cx));
        }
        m_arColWidths[m_arColOrder[c]] = width;
    }
}

BOOL CEcrGrid::RefreshColumnHeaders()
{
    if (!m_pTable)
        return FALSE;
    for (int c = 1; c < GetColumnCount() && c <= m_pTable->FieldCount; ++c)
        if (CGridCellBase* cell = GetCell(0, c))
            cell->SetText(LabelText(m_pTable->Fields()[c - 1].Label));
    Invalidate();
    return TRUE;
}

CString CEcrGrid::GetFirstRecordValue()
{
    CString text(L"0");
    if (const BYTE* bytes = FieldPtr(m_pTable, 0, 0))
        FormatField(&m_pTable->Fields()[0], bytes, text);
    return text;
}

// ---- Checking and storing ------------------------------------------------------

BOOL CEcrGrid::ValidateValue(int field, int record, const CString& text)
{
    CString message;
    if (CheckFieldValue(m_pTable, field, record, text, message))
        return TRUE;
    if (m_pRefusals)
        m_pRefusals->push_back({record, field, message});
    else
        AfxMessageBox(message, MB_OK);
    return FALSE;
}

BOOL CEcrGrid::PasteText(int nRow, int nCol, COleDataObject* data, BOOL selectPasted)
{
    BOOL pasted = FALSE;
    TellRefusalsOnce([&] { pasted = CGridCtrl::PasteText(nRow, nCol, data, selectPasted); }, [](int count) {
        return CountCaptionText(WNDNO_COMMON, count, kPasteRefusedCaption,
                                L"%1 pasted values were refused; their cells are unchanged:", kPasteRefusedOneCaption,
                                L"%1 pasted value was refused; its cell is unchanged:");
    });
    return pasted;
}

void CEcrGrid::ClearSelectedCells()
{
    TellRefusalsOnce([this] { CGridCtrl::ClearSelectedCells(); }, [](int count) {
        return CountCaptionText(WNDNO_COMMON, count, kClearRefusedCaption,
                                L"%1 cells could not be emptied; they are unchanged:", kClearRefusedOneCaption,
                                L"%1 cell could not be emptied; it is unchanged:");
    });
}

void CEcrGrid::TellRefusalsOnce(const std::function<void()>& edit, CString (*head)(int count))
{
    // Many cells can refuse: one box tells them all, after the edit.
    std::vector<Refusal> refusals;
    m_pRefusals = &refusals;
    try {
        edit();
    } catch (...) {
        m_pRefusals = nullptr;
        throw;
    }
    m_pRefusals = nullptr;
    if (refusals.empty())
        return;
    // A clear walks the selection in no particular order: list by position.
    std::stable_sort(refusals.begin(), refusals.end(), [](const Refusal& a, const Refusal& b) {
        return a.record != b.record ? a.record < b.record : a.field < b.field;
    });
    ShowRefusals(refusals, head);
}

void CEcrGrid::ShowRefusals(const std::vector<Refusal>& refusals, CString (*head)(int count)) const
{
    constexpr size_t kListed = 5;
    const int count = static_cast<int>(refusals.size());
    CString text = FillPlaceholders(head(count), {IntText(count)});
    const CString line = CaptionText(WNDNO_COMMON, kRefusalCaption, L"Row %1, %2: %3");
    for (size_t i = 0; i < refusals.size() && i < kListed; ++i) {
        const Refusal& r = refusals[i];
        CString why = r.why;
        why.Replace(L"\n", L" ");
        text += L"\n" + FillPlaceholders(line, {IntText(r.record + 1), LabelText(m_pTable->Fields()[r.field].Label), why});
    }
    if (refusals.size() > kListed)
        text += L"\n...";
    AfxMessageBox(text, MB_OK);
}

bool CEcrGrid::StoreValue(int nRow, int nCol, const CString& text, CString& shown, std::vector<BYTE>& before)
{
    BYTE* bytes = FieldPtr(m_pTable, nRow - 1, nCol - 1);
    if (!bytes)
        return false;
    const S_ECR_FIELD& field = m_pTable->Fields()[nCol - 1];
    before.assign(bytes, bytes + FieldByteLength(field));
    if (!FieldTextFits(field, text))
        AfxMessageBox(CutTextMessage(field, FitFieldText(field, text)), MB_OK);
    if (!ParseField(&field, text, bytes))
        return false;
    FormatField(&field, bytes, shown);
    return true;
}

void CEcrGrid::RestoreValue(int nRow, int nCol, const std::vector<BYTE>& before)
{
    if (BYTE* bytes = FieldPtr(m_pTable, nRow - 1, nCol - 1))
        std::memcpy(bytes, before.data(), before.size());
}

void CEcrGrid::OnEditCell(int nRow, int nCol, CPoint point, UINT ch)
{
    CGridCtrl::OnEditCell(nRow, nCol, point, ch);
    // The editor holds what the field holds: register bytes for text.
    CGridCellBase* cell = GetCell(nRow, nCol);
    CWnd* editor = cell ? cell->GetEditWnd() : nullptr;
    if (editor && m_pTable && nCol >= 1 && nCol <= m_pTable->FieldCount)
        LimitEditToField(editor->m_hWnd, m_pTable->Fields()[nCol - 1]);
}

void CEcrGrid::OnEndInPlaceEdit(NMHDR* header, LRESULT* result)
{
    if (!header) {
        CGridCtrl::OnEndInPlaceEdit(header, result);
        return;
    }
    auto* info = reinterpret_cast<S_GRID_DISPINFO*>(header);
    const int nRow = info->item.row;
    const int nCol = info->item.col;
    const CString current = GetItemText(nRow, nCol);
    if (m_bDiscardingEdit) {
        // Nothing is stored and the focus stays.
        info->item.strText = current;
        info->item.lParam = 0;
        CGridCtrl::OnEndInPlaceEdit(header, result);
        return;
    }
    // An unchanged text is not stored again: lossy formats must not drift.
    CString shown = current;
    std::vector<BYTE> before;
    bool stored = false;
    if (info->item.strText != current) {
        if (!ValidateValue(nCol - 1, nRow - 1, info->item.strText)) {
            m_bEditAccepted = FALSE;
            info->item.lParam = 0;  // the focus stays on the refused cell
            PostMessage(WM_LBUTTONUP, 0, 0);
        } else {
            stored = StoreValue(nRow, nCol, info->item.strText, shown, before);
        }
    }
    info->item.strText = shown;
    {
        UncutText uncut(*this, nRow, nCol);
        CGridCtrl::OnEndInPlaceEdit(header, result);
    }
    // The parent vetoed the change: the record keeps its old value too.
    if (stored && GetItemText(nRow, nCol) != shown)
        RestoreValue(nRow, nCol, before);
}

void CEcrGrid::SetItemTextByUser(int nRow, int nCol, LPCWSTR text)
{
    if (!m_pTable || nRow < 1 || nCol < 1 || !IsValid(nRow, nCol) || !IsEditable())
        return;
    if ((GetItemState(nRow, nCol) & GRIDCELL_READONLY) || IsCellHidden(nRow, nCol) ||
        !FieldPtr(m_pTable, nRow - 1, nCol - 1))
        return;
    const CString entered(text ? text : L"");
    if (entered == GetItemText(nRow, nCol))
        return;
    if (!ValidateValue(nCol - 1, nRow - 1, entered))
        return;
    CString shown;
    std::vector<BYTE> before;
    if (!StoreValue(nRow, nCol, entered, shown, before))
        return;
    {
        UncutText uncut(*this, nRow, nCol);
        CGridCtrl::SetItemTextByUser(nRow, nCol, shown);
    }
    if (GetItemText(nRow, nCol) != shown)
        RestoreValue(nRow, nCol, before);
}

// ---- Keys ----------------------------------------------------------------------

BOOL CEcrGrid::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN) {
        if (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE) {
            // To the grid or its editor, not to the dialog's OK and Cancel.
            ::TranslateMessage(msg);
            ::DispatchMessageW(msg);
            return TRUE;
        }
        if (msg->wParam == VK_F5) {
            if (msg->hwnd == m_hWnd) {
                const CCellID focus = GetFocusCell();
                OnEditCell(focus.row, focus.col, CPoint(-1, -1), F5Char | GRID_TYPED_CHAR);
            } else {
                ::SendMessageW(msg->hwnd, WM_CHAR, F5Char, 0);
            }
            return TRUE;
        }
    }
    return CGridCtrl::PreTranslateMessage(msg);
}

// ---- Mouse ---------------------------------------------------------------------

LRESULT CEcrGrid::MarkRowHeader(WPARAM wParam, LPARAM lParam)
{
    const CPoint point(lParam);
    const CCellID cell = CellFromPoint(point, TRUE);
    if (g_markedRowHeader.row >= 0 && g_markedRowHeader.row < GetRowCount())
        SetItemBkColour(g_markedRowHeader.row, g_markedRowHeader.col, GetItemBkColour(0, 0));
    if (cell.col == 0 && cell.row >= 1) {
        SetItemBkColour(cell.row, 0, MarkedHeaderBack);
        g_markedRowHeader = cell;
    }
    Invalidate();
    CGridCtrl::OnLButtonDown(static_cast<UINT>(wParam), point);
    return 0;
}

void CEcrGrid::PostToParent(UINT message, int index)
{
    if (CWnd* parent = GetParent())
        parent->PostMessage(message, reinterpret_cast<WPARAM>(m_pTable), index);
}

void CEcrGrid::ClickAt(CPoint point)
{
    MarkRowHeader(MK_LBUTTON, MAKELPARAM(point.x, point.y));
    CGridCtrl::OnLButtonUp(0, point);
}

LRESULT CEcrGrid::HandleRightClick(WPARAM wParam, LPARAM lParam)
{
    const CPoint point(lParam);
    const CCellID cell = CellFromPoint(point, TRUE);
    if (cell.col == 0 && cell.row >= 1) {
        ClickAt(point);
    } else if (cell.row == 0 && cell.col >= 1) {
        PostToParent(WM_ECR_EDIT_COLUMN_CAPTION, cell.col);
    } else if (cell.row >= 1 && cell.col >= 1 && IsEditable() && !(GetItemState(cell.row, cell.col) & GRIDCELL_READONLY)) {
        FillSelection(cell.col);
    }
    m_bRMouseButtonDown = TRUE;
    return DefWindowProc(WM_RBUTTONDOWN, wParam, lParam);
}

LRESULT CEcrGrid::HandleDoubleClick(WPARAM wParam, LPARAM lParam)
{
    const CPoint point(lParam);
    const CCellID cell = CellFromPoint(point, TRUE);
    if (cell.col == 0 && cell.row >= 1) {
        ClickAt(point);
        PostToParent(WM_ECR_OPEN_CARD, cell.row);
    } else if (cell.row == 0 && cell.col >= 1 && m_pTable && cell.col <= m_pTable->FieldCount &&
               m_pTable->SortKey == 0 && m_pTable->Fields()[cell.col - 1].Maximum == ECR_SEARCHABLE_CODE_MAX) {
        SearchColumn(cell.col);
    }
    CGridCtrl::OnLButtonDblClk(static_cast<UINT>(wParam), point);
    return 0;
}

void CEcrGrid::OnDestroy()
{
    DiscardEdit();
    CGridCtrl::OnDestroy();
}

// ---- Fill and search -----------------------------------------------------------

void CEcrGrid::FillSelection(int nCol)
{
    const CCellRange range = GetSelectedRange();
    if (!IsValid(range) || range.GetMinCol() != range.GetMaxCol() || range.GetMinCol() != nCol ||
        range.GetMinRow() == range.GetMaxRow())
        return;
    CGridCellBase* first = GetCell(range.GetMinRow(), nCol);
    CInputValDlg dialog(0, this);
    dialog.Setup(first ? static_cast<int>(first->GetMaxLength()) : 1, GetItemText(0, nCol));
    if (m_pTable && nCol <= m_pTable->FieldCount)
        dialog.LimitToField(m_pTable->Fields()[nCol - 1]);
    if (dialog.DoModal() == IDOK)
        FillSelectedCells(nCol, dialog.GetValue());
}

BOOL CEcrGrid::FillSelectedCells(int nCol, const CString& value)
{
    const CCellRange range = GetSelectedRange();
    if (!m_pTable || !IsValid(range) || nCol < 1 || nCol < range.GetMinCol() || nCol > range.GetMaxCol())
        return FALSE;
    // The rows to write: selected, writable and showing another text.
    std::vector<int> rows;
    for (int r = std::max(range.GetMinRow(), 1); r <= range.GetMaxRow(); ++r) {
        CGridCellBase* cell = GetCell(r, nCol);
        if (!cell || !cell->IsSelected() || cell->IsReadOnly() || !FieldPtr(m_pTable, r - 1, nCol - 1))
            continue;
        if (value != cell->GetText())
            rows.push_back(r);
    }
    // Every row must accept before any is written.
    for (int r : rows)
        if (!ValidateValue(nCol - 1, r - 1, value))
            return FALSE;
    // One value gives the same bytes in every record: parse and read back once.
    const S_ECR_FIELD& field = m_pTable->Fields()[nCol - 1];
    std::vector<BYTE> bytes(FieldByteLength(field));
    CString shown;
    if (bytes.empty() || !ParseField(&field, value, bytes.data()) || !FormatField(&field, bytes.data(), shown))
        return FALSE;
    if (!rows.empty() && !FieldTextFits(field, value))
        AfxMessageBox(CutTextMessage(field, shown), MB_OK);
    for (int r : rows) {
        std::memcpy(FieldPtr(m_pTable, r - 1, nCol - 1), bytes.data(), bytes.size());
        CGridCellBase* cell = GetCell(r, nCol);
        cell->SetText(shown);
        cell->SetState(cell->GetState() | GRIDCELL_MODIFIED);
    }
    if (!rows.empty())
        SetModified(TRUE);
    Invalidate();
    return TRUE;
}

int CEcrGrid::FindCodeRow(int nCol, long long code) const
{
    for (int r = 1; r < GetRowCount(); ++r) {
        const CGridCellBase* cell = GetCell(r, nCol);
        if (cell && _wcstoi64(cell->GetText(), nullptr, 10) == code)
            return r;
    }
    return -1;
}

void CEcrGrid::SearchColumn(int nCol)
{
    CInputValDlg dialog(0, this);
    dialog.Setup(kSearchLength, CaptionText(WNDNO_COMMON, kSearchTitleCaption, L"検索"));
    if (dialog.DoModal() != IDOK)
        return;
    const CString& text = dialog.GetValue();
    wchar_t* end = nullptr;
    const long long code = _wcstoi64(text, &end, 10);
    if (*end != L'\0') {
        AfxMessageBox(RangeMessage(m_pTable->Fields()[nCol - 1]), MB_OK);
        return;
    }
    const int match = FindCodeRow(nCol, code);
    if (match < 0) {
        AfxMessageBox(CaptionText(WNDNO_COMMON, kNotFoundCaption, L"データが見つかりません"), MB_OK);
    } else {
        // Rows may differ in height: bring the row into view, then click it.
        EnsureVisible(match, nCol);
        CRect rect;
        if (GetCellRect(match, nCol, rect)) {
            CGridCtrl::OnLButtonDown(MK_LBUTTON, rect.TopLeft() + CSize(1, 1));
            CGridCtrl::OnLButtonUp(0, rect.TopLeft() + CSize(1, 1));
        }
    }
    Invalidate();
}
