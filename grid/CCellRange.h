// A block of cells: minimum row, minimum column, maximum row, maximum column,
// inclusive; -1 means unset.
#pragma once

#include "CCellID.h"

class CCellRange
{
public:
    constexpr CCellRange(int minRow = -1, int minCol = -1, int maxRow = -1, int maxCol = -1) noexcept
        : m_nMinRow(minRow), m_nMinCol(minCol), m_nMaxRow(maxRow), m_nMaxCol(maxCol) {}

    void Set(int minRow = -1, int minCol = -1, int maxRow = -1, int maxCol = -1) noexcept
    {
        m_nMinRow = minRow; m_nMinCol = minCol; m_nMaxRow = maxRow; m_nMaxCol = maxCol;
    }

    // All four at least 0 and the maxima not below the minima.
    constexpr bool IsValid() const noexcept
    {
        return m_nMinRow >= 0 && m_nMinCol >= 0 && m_nMaxRow >= 0 && m_nMaxCol >= 0 &&
               m_nMinRow <= m_nMaxRow && m_nMinCol <= m_nMaxCol;
    }
    constexpr bool InRange(int row, int col) const noexcept
    {
        return row >= m_nMinRow && row <= m_nMaxRow && col >= m_nMinCol && col <= m_nMaxCol;
    }
    constexpr bool InRange(const CCellID& cell) const noexcept { return InRange(cell.row, cell.col); }
    constexpr bool Contains(const CCellRange& o) const noexcept
    {
        return o.m_nMinRow >= m_nMinRow && o.m_nMaxRow <= m_nMaxRow && o.m_nMinCol >= m_nMinCol && o.m_nMaxCol <= m_nMaxCol;
    }

    constexpr CCellID GetTopLeft() const noexcept { return CCellID(m_nMinRow, m_nMinCol); }
    constexpr CCellID GetBottomRight() const noexcept { return CCellID(m_nMaxRow, m_nMaxCol); }
    constexpr int GetRowSpan() const noexcept { return m_nMaxRow - m_nMinRow + 1; }
    constexpr int GetColSpan() const noexcept { return m_nMaxCol - m_nMinCol + 1; }
    // Cells covered: the unset range counts as one cell (1 x 1).
    constexpr long long Count() const noexcept { return static_cast<long long>(GetRowSpan()) * GetColSpan(); }

    // The common part of two ranges (not valid when they do not meet).
    constexpr CCellRange Intersect(const CCellRange& o) const noexcept
    {
        return CCellRange(m_nMinRow > o.m_nMinRow ? m_nMinRow : o.m_nMinRow,
                          m_nMinCol > o.m_nMinCol ? m_nMinCol : o.m_nMinCol,
                          m_nMaxRow < o.m_nMaxRow ? m_nMaxRow : o.m_nMaxRow,
                          m_nMaxCol < o.m_nMaxCol ? m_nMaxCol : o.m_nMaxCol);
    }
    // The smallest range covering both.
    constexpr CCellRange Union(const CCellRange& o) const noexcept
    {
        return CCellRange(m_nMinRow < o.m_nMinRow ? m_nMinRow : o.m_nMinRow,
                          m_nMinCol < o.m_nMinCol ? m_nMinCol : o.m_nMinCol,
                          m_nMaxRow > o.m_nMaxRow ? m_nMaxRow : o.m_nMaxRow,
                          m_nMaxCol > o.m_nMaxCol ? m_nMaxCol : o.m_nMaxCol);
    }

    constexpr bool operator==(const CCellRange& o) const noexcept
    {
        return m_nMinRow == o.m_nMinRow && m_nMinCol == o.m_nMinCol && m_nMaxRow == o.m_nMaxRow && m_nMaxCol == o.m_nMaxCol;
    }
    constexpr bool operator!=(const CCellRange& o) const noexcept { return !(*this == o); }

    int GetMinRow() const noexcept { return m_nMinRow; }
    int GetMinCol() const noexcept { return m_nMinCol; }
    int GetMaxRow() const noexcept { return m_nMaxRow; }
    int GetMaxCol() const noexcept { return m_nMaxCol; }

    int m_nMinRow;
    int m_nMinCol;
    int m_nMaxRow;
    int m_nMaxCol;
};

static_assert(sizeof(CCellRange) == 16, "CCellRange is four 32-bit ints");
