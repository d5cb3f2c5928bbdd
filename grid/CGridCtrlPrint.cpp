// CGridCtrl: printing the whole grid, scaled to the page width, with a
// header band, column and row headings, the rows that fit, and a footer.
#include "CGridCtrl.h"

#include <ctime>
#include <memory>

#include "app.h"
#include "commondlg.h"

namespace {

struct DcDeleter
{
    void operator()(HDC dc) const { ::DeleteDC(dc); }
};

// The text of the nearest window from wnd up whose text is not empty.
CString AncestorText(HWND wnd)
{
    for (HWND w = wnd; w; w = ::GetParent(w)) {
        wchar_t text[256] = {};
        if (::GetWindowTextW(w, text, 256) > 0)
            return text;
    }
    return CString();
}

CString AppTitle()
{
    CWinApp* app = AfxGetApp();
    return app && app->m_pszAppName ? CString(app->m_pszAppName) : CString();
}

// Selects a GDI object for the life of the value.
class Selected
{
public:
    Selected(CDC* dc, HGDIOBJ object) : m_dc(dc), m_old(object ? dc->SelectObject(object) : nullptr) {}
    ~Selected()
    {
        if (m_old)
            m_dc->SelectObject(m_old);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    CDC* m_dc;
    HGDIOBJ m_old;
};

} // namespace

std::vector<int> CGridCtrl::PaginateRows(const std::vector<int>& heights, int bodyHeight)
{
    // A row that no longer fits starts the next page, but every page holds
    // at least its first row: a row taller than the body gets a page of its
    // own and no page is left empty.
    std::vector<int> firstRows;
    int sum = 0;
    for (int i = 0; i < static_cast<int>(heights.size()); ++i) {
        if (firstRows.empty() || (sum > 0 && sum + heights[i] > bodyHeight)) {
            firstRows.push_back(i);
            sum = 0;
        }
        sum += heights[i];
    }
    return firstRows;
}

std::vector<int> CGridCtrl::PageRows(int page) const
{
    std::vector<int> heights;
    for (int r = m_nFixedRows; r < m_nRows; ++r)
        heights.push_back(GetRowHeight(r));
    const std::vector<int> firstRows = PaginateRows(heights, m_nBodyHeight);
    std::vector<int> rows;
    if (page < 1 || page > static_cast<int>(firstRows.size()))
        return rows;
    const int end = page < static_cast<int>(firstRows.size()) ? firstRows[page] : static_cast<int>(heights.size());
    for (int i = firstRows[page - 1]; i < end; ++i)
        rows.push_back(m_nFixedRows + i);
    return rows;
}

void CGridCtrl::GetPrintMargins(int& top, int& bottom, int& left, int& right) const
{
    top = m_nTopMargin;
    bottom = m_nBottomMargin;
    left = m_nLeftMargin;
    right = m_nRightMargin;
}

void CGridCtrl::SetPrintMargins(int top, int bottom, int left, int right)
{
    m_nTopMargin = top;
    m_nBottomMargin = bottom;
    m_nLeftMargin = left;
    m_nRightMargin = right;
}

void CGridCtrl::Print()
{
    HDC printer = nullptr;
    const DWORD flags = PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE | PD_HIDEPRINTTOFILE;
    static_assert((PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE | PD_HIDEPRINTTOFILE) == 0x14000C,
                  "print dialog flags");
    if (!AfxPrintDialog(m_hWnd, flags, printer) || !printer)
        return;
    std::unique_ptr<HDC__, DcDeleter> owned(printer);
    CDC dc;
    dc.Attach(printer);
    // Cells that draw differently on paper ask the context.
    dc.SetPrinting(TRUE);

    CString name = AppTitle();
    if (name.IsEmpty())
        name = AncestorText(m_hWnd);
    DOCINFOW doc = {};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = name.GetString();
    bool ok = ::StartDocW(printer, &doc) > 0;

    CPrintInfo info;
    info.m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
    OnBeginPrinting(&dc, &info);
    for (UINT page = info.GetMinPage(); ok && page <= info.GetMaxPage(); ++page) {
        if (::StartPage(printer) <= 0) {
            ok = false;
            break;
        }
        info.m_nCurPage = page;
        OnPrintPage(&dc, &info);
        ok = ::EndPage(printer) > 0;
    }
    OnEndPrinting(&dc, &info);
    if (ok)
        ::EndDoc(printer);
    else
        ::AbortDoc(printer);
    dc.Detach();
}

void CGridCtrl::OnBeginPrinting(CDC* dc, CPrintInfo* info)
{
    if (!dc || !info)
        return;
    info->SetMaxPage(0);  // nothing to print unless the set-up below succeeds
    HDC screen = ::GetDC(m_hWnd);
    if (!screen)
        return;
    ::ReleaseDC(m_hWnd, screen);

    m_PrinterFont.DeleteObject();
    if (!m_PrinterFont.Attach(::CreateFontW(-10, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                            OUT_CHARACTER_PRECIS, CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY,
                                            DEFAULT_PITCH | FF_DONTCARE, L"Arial")))
        return;
    Selected font(dc, m_PrinterFont.GetSafeHandle());
    static const wchar_t letters[] = L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ";
    SIZE size = {0, 0};
    if (!::GetTextExtentPoint32W(dc->GetSafeHdc(), letters, 52, &size))
        return;
    m_CharSize = CSize(size.cx / 52, size.cy);
    m_PaperSize = CSize(dc->GetDeviceCaps(HORZRES), dc->GetDeviceCaps(VERTRES));
    const int margins = (m_nLeftMargin + m_nRightMargin) * m_CharSize.cx;
    const int pageWidth = GetTotalWidth() + margins;
    if (pageWidth <= 0 || m_PaperSize.cx <= 0 || m_PaperSize.cy <= 0)
        return;
    m_LogicalPageSize = CSize(pageWidth, ::MulDiv(pageWidth, m_PaperSize.cy, m_PaperSize.cx));
    if (m_LogicalPageSize.cy <= 0)
        return;
    m_nBodyHeight = m_LogicalPageSize.cy - (m_nHeaderHeight + m_nFooterHeight + 2 * m_nGap) * m_CharSize.cy -
                    GetFixedRowsHeight();
    m_nBodyWidth = m_LogicalPageSize.cx - GetFixedColumnsWidth() - margins;

    std::vector<int> heights;
    for (int r = m_nFixedRows; r < m_nRows; ++r)
        heights.push_back(GetRowHeight(r));
    const size_t pages = PaginateRows(heights, m_nBodyHeight).size();
    info->SetMaxPage(static_cast<UINT>(pages > 0 ? pages : 1));
    info->m_nCurPage = 1;
}

void CGridCtrl::OnPrintPage(CDC* dc, CPrintInfo* info)
{
    if (!dc || !info || !m_PrinterFont.GetSafeHandle() || m_LogicalPageSize.cx <= 0)
        return;
    Selected font(dc, m_PrinterFont.GetSafeHandle());
    const int cw = m_CharSize.cx, ch = m_CharSize.cy;
    const int fixedW = GetFixedColumnsWidth(), fixedH = GetFixedRowsHeight();
    dc->SetMapMode(MM_ANISOTROPIC);
    dc->SetWindowExt(m_LogicalPageSize.cx, m_LogicalPageSize.cy);
    dc->SetViewportExt(m_PaperSize.cx, m_PaperSize.cy);
    dc->SetWindowOrg(-cw * m_nLeftMargin, 0);

    info->m_rectDraw.SetRect(0, 0, m_LogicalPageSize.cx - (m_nLeftMargin + m_nRightMargin) * cw, m_nHeaderHeight * ch);
    PrintHeader(dc, info);

    // Logical y = 0 becomes the top of the page's first body row.
    dc->OffsetWindowOrg(0, -(m_nHeaderHeight * ch));
    dc->OffsetWindowOrg(0, -(m_nGap * ch));
    dc->OffsetWindowOrg(0, -fixedH);
    m_nPrintPage = static_cast<int>(info->m_nCurPage);
    m_nPrintColumn = m_nFixedCols;
    PrintRowHeadings(dc, info);

    dc->OffsetWindowOrg(0, fixedH);
    m_nBodyWidth += fixedW;
    PrintColumnHeadings(dc, info);
    m_nBodyWidth -= fixedW;
    dc->OffsetWindowOrg(-fixedW, -fixedH);

    CRect rect(0, 0, 0, -1);
    for (int row : PageRows(m_nPrintPage)) {
        const int height = GetRowHeight(row);
        if (height <= 0)
            continue;
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + height - 1;
        PrintColumnCells(m_nPrintColumn, m_nCols, row, rect, dc);
    }

    info->m_rectDraw.bottom = m_nFooterHeight * ch;
    dc->SetWindowOrg(-cw * m_nLeftMargin, m_nFooterHeight * ch - m_LogicalPageSize.cy);
    PrintFooter(dc, info);
    dc->SetWindowOrg(0, 0);
}

void CGridCtrl::OnEndPrinting(CDC*, CPrintInfo*)
{
    m_PrinterFont.DeleteObject();
}

void CGridCtrl::PrintColumnCells(int firstCol, int endCol, int nRow, CRect& rect, CDC* dc)
{
    PrintColumnCells(firstCol, endCol, nRow, rect, dc, 0);
}

void CGridCtrl::PrintColumnCells(int firstCol, int endCol, int nRow, CRect& rect, CDC* dc, int left)
{
    rect.right = left - 1;
    for (int col = firstCol; col < endCol; ++col) {
        const int width = GetColumnWidth(col);
        if (width <= 0)
            continue;
        rect.left = rect.right + 1;
        rect.right = rect.left + width - 1;
        if (rect.right > m_nBodyWidth)
            break;
        CGridCellBase* cell = GetCell(nRow, col);
        if (!cell || cell->IsHiddenByMerge())
            continue;
        CRect cellRect = rect;
        if (cell->IsMergeOwner()) {
            cellRect.right = cellRect.left + GetMergedWidth(nRow, col) - 1;
            cellRect.bottom = cellRect.top + GetMergedHeight(nRow, col) - 1;
        }
        cell->PrintCell(dc, nRow, col, cellRect);
    }
}

void CGridCtrl::PrintColumnHeadings(CDC* dc, CPrintInfo*)
{
    CRect rect(0, 0, 0, -1);
    for (int row = 0; row < m_nFixedRows; ++row) {
        const int height = GetRowHeight(row);
        if (height <= 0)
            continue;
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + height - 1;
        // The fixed columns, then the page's columns beside them.
        PrintColumnCells(0, m_nFixedCols, row, rect, dc);
        const int fixedRight = rect.right;
        PrintColumnCells(m_nPrintColumn, m_nCols, row, rect, dc, fixedRight + 1);
    }
}

bool CGridCtrl::CreateBoldPrinterFont(CFont& bold) const
{
    LOGFONTW lf;
    if (!m_PrinterFont.GetLogFont(&lf))
        return false;
    lf.lfWeight = FW_BOLD;
    return bold.CreateFontIndirect(&lf) != FALSE;
}

void CGridCtrl::PrintHeader(CDC* dc, CPrintInfo* info)
{
    CString text1 = m_strPrintHeader.IsEmpty() ? AncestorText(m_hWnd) : m_strPrintHeader;
    const CString text2 = AppTitle();
    CFont bold;
    if (!CreateBoldPrinterFont(bold))
        return;
    Selected font(dc, bold.GetSafeHandle());
    dc->SetBkMode(TRANSPARENT);
    CRect rect = info->m_rectDraw;
    dc->DrawText(text1, -1, rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    dc->DrawText(text2, -1, rect, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    Selected pen(dc, ::GetStockObject(BLACK_PEN));
    dc->MoveTo(rect.left, rect.bottom);
    dc->LineTo(rect.right, rect.bottom);
}

void CGridCtrl::PrintFooter(CDC* dc, CPrintInfo* info)
{
    CString text1 = m_strPrintFooter;
    if (text1.IsEmpty())
        text1.Format(L"Page %d of %d", static_cast<int>(info->m_nCurPage), static_cast<int>(info->GetMaxPage()));
    CString text2 = L"Invalid DateTime";
    const std::time_t now = std::time(nullptr);
    if (const std::tm* local = std::localtime(&now)) {
        wchar_t buffer[128];
        if (std::wcsftime(buffer, 128, L"%c", local) > 0)
            text2 = buffer;
    }
    CRect rect = info->m_rectDraw;
    {
        Selected pen(dc, ::GetStockObject(BLACK_PEN));
        dc->MoveTo(rect.left, rect.top);
        dc->LineTo(rect.right, rect.top);
    }
    CFont bold;
    if (!CreateBoldPrinterFont(bold))
        return;
    Selected font(dc, bold.GetSafeHandle());
    dc->SetBkMode(TRANSPARENT);
    dc->DrawText(text1, -1, rect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    dc->DrawText(text2, -1, rect, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void CGridCtrl::PrintRowHeadings(CDC* dc, CPrintInfo*)
{
    const std::vector<int> rows = PageRows(m_nPrintPage);
    const bool horz = m_nGridLines == GRIDLINES_HORZ || m_nGridLines == GRIDLINES_BOTH;
    const bool vert = m_nGridLines == GRIDLINES_VERT || m_nGridLines == GRIDLINES_BOTH;
    CRect rect(0, 0, -1, 0);
    for (int col = 0; col < m_nFixedCols; ++col) {
        const int width = GetColumnWidth(col);
        if (width <= 0)
            continue;
        rect.left = rect.right + 1;
        rect.right = rect.left + width - 1;
        rect.bottom = -1;
        for (int row : rows) {
            const int height = GetRowHeight(row);
            if (height <= 0)
                continue;
            rect.top = rect.bottom + 1;
            rect.bottom = rect.top + height - 1;
            if (CGridCellBase* cell = GetCell(row, col))
                cell->PrintCell(dc, row, col, rect);
            if (horz) {
                dc->MoveTo(rect.left, rect.bottom);
                dc->LineTo(rect.right, rect.bottom);
                if (row == rows.front()) {
                    dc->MoveTo(rect.left, rect.top);
                    dc->LineTo(rect.right, rect.top);
                }
            }
            if (vert) {
                dc->MoveTo(rect.right, rect.top);
                dc->LineTo(rect.right, rect.bottom);
                if (col == 0) {
                    dc->MoveTo(rect.left, rect.top);
                    dc->LineTo(rect.left, rect.bottom);
                }
            }
        }
    }
}
