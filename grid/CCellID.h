// A cell's coordinates: row and column, -1 meaning none.
#pragma once

class CCellID
{
public:
    int row;
    int col;

    constexpr CCellID(int nRow = -1, int nCol = -1) noexcept : row(nRow), col(nCol) {}

    // Both halves 0 or more; whether the cell lies inside a grid is the grid's question.
    constexpr bool IsValid() const noexcept { return row >= 0 && col >= 0; }
    constexpr bool operator==(const CCellID& o) const noexcept { return row == o.row && col == o.col; }
    constexpr bool operator!=(const CCellID& o) const noexcept { return !(*this == o); }
};

static_assert(sizeof(CCellID) == 8, "CCellID is two 32-bit ints");
