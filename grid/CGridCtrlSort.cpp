// CGridCtrl: sorting the non-fixed rows by one column's cells.
#include "CGridCtrl.h"

#include <algorithm>
#include <utility>

int CALLBACK CGridCtrl::CompareCellText(CGridCellBase* a, CGridCellBase* b, LPARAM)
{
    if (!a || !b)
        return 0;
    // Unit by unit as unsigned numbers: no locale, case folding or numbers.
    const auto* p = reinterpret_cast<const unsigned short*>(a->GetText());
    const auto* q = reinterpret_cast<const unsigned short*>(b->GetText());
    for (; *p && *p == *q; ++p, ++q) {
    }
    return *p == *q ? 0 : (*p < *q ? -1 : 1);
}

void CGridCtrl::MarkSortColumn(int nCol, BOOL ascending)
{
    SetSortColumn(nCol);
    m_bAscending = ascending;
    ResetSelectedRange();
    SetFocusCell(-1, -1);
}

void CGridCtrl::SortByColumn(int nCol, BOOL ascending)
{
    SortByColumnWith(m_pfnCompare ? m_pfnCompare : &CGridCtrl::CompareCellText, nCol, ascending);
}

BOOL CGridCtrl::SortByColumnWith(GRIDCOMPAREFUNC compare, int nCol, BOOL ascending)
{
    MarkSortColumn(nCol, ascending);
    return SortRows(compare, nCol, ascending, 0, m_nFixedRows, -1);
}

void CGridCtrl::SwapRows(int a, int b)
{
    std::swap(m_RowData[a], m_RowData[b]);
    std::swap(m_arRowHeights[a], m_arRowHeights[b]);
    for (int row : {a, b})
        for (int c = 0; c < m_nCols; ++c)
            if (CGridCellBase* cell = GetCell(row, c))
                cell->SetCoords(row, c);
}

BOOL CGridCtrl::SortRows(GRIDCOMPAREFUNC compare, int nCol, BOOL ascending, LPARAM value, int low, int high)
{
    if (nCol < 0 || nCol >= m_nCols || !compare)
        return FALSE;
    if (high == -1)
        high = m_nRows - 1;
    if (low < 0 || high >= m_nRows || low >= high)
        return FALSE;

    if (m_bVirtualMode) {
        if (!m_pfnVirtualCompare || m_nFixedRows >= static_cast<int>(m_arRowOrder.size()))
            return FALSE;
        const int stored = GetColumnOrder(nCol);
        auto less = m_pfnVirtualCompare;
        // Descending swaps the arguments: still a strict order, unlike a negation.
        std::sort(m_arRowOrder.begin() + m_nFixedRows, m_arRowOrder.end(), [&](int x, int y) {
            return ascending ? less(x, y, stored) != FALSE : less(y, x, stored) != FALSE;
        });
        return TRUE;
    }

    if (static_cast<int>(m_RowData.size()) < m_nRows || static_cast<int>(m_arRowHeights.size()) < m_nRows)
        return FALSE;
    // Quicksort over whole rows; the smaller side recurses, so the depth
    // stays logarithmic on any order of texts.
    while (low < high) {
        CGridCellBase* pivot = GetCell((low + high) / 2, nCol);
        int i = low, j = high;
        while (i <= j) {
            if (ascending) {
                while (i < high && compare(GetCell(i, nCol), pivot, value) < 0)
                    ++i;
                while (j > low && compare(GetCell(j, nCol), pivot, value) > 0)
                    --j;
            } else {
                while (i < high && compare(GetCell(i, nCol), pivot, value) > 0)
                    ++i;
                while (j > low && compare(GetCell(j, nCol), pivot, value) < 0)
                    --j;
            }
            if (i <= j) {
                if (compare(GetCell(i, nCol), GetCell(j, nCol), value) != 0)
                    SwapRows(i, j);
                ++i;
                --j;
            }
        }
        if (j - low < high - i) {
            if (low < j)
                SortRows(compare, nCol, ascending, value, low, j);
            low = i;
        } else {
            if (i < high)
                SortRows(compare, nCol, ascending, value, i, high);
            high = j;
        }
    }
    return TRUE;
}
