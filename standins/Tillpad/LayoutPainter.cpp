#include "LayoutPainter.h"

namespace {

const int kKeyWidth = 64;
const int kKeyHeight = 44;
const int kMargin = 12;

// The block a position belongs to, or null.
const KeyLayout::Block* BlockAt(const KeyLayout& layout, int row, int col)
{
    for (const KeyLayout::Block& b : layout.merged)
        if (row >= b.firstRow && row <= b.lastRow && col >= b.firstCol && col <= b.lastCol)
            return &b;
    return nullptr;
}

} // namespace

void PaintLayout(HDC dc, const KeyLayout& layout)
{
    HGDIOBJ oldFont = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(dc, TRANSPARENT);
    HBRUSH assignable = ::CreateSolidBrush(RGB(255, 255, 224));
    HBRUSH fixed = ::CreateSolidBrush(RGB(220, 220, 220));
    for (int r = 0; r < layout.rows; ++r)
        for (int c = 0; c < layout.cols; ++c) {
            const KeyLayout::Block* block = BlockAt(layout, r, c);
            if (block && (block->firstRow != r || block->firstCol != c))
                continue;  // covered: drawn with its block
            const int lastRow = block ? block->lastRow : r;
            const int lastCol = block ? block->lastCol : c;
            RECT key = {kMargin + c * kKeyWidth, kMargin + r * kKeyHeight, kMargin + (lastCol + 1) * kKeyWidth - 2,
                        kMargin + (lastRow + 1) * kKeyHeight - 2};
            const KeyLayout::Key& k = layout.At(r, c);
            ::FillRect(dc, &key, k.assignable ? assignable : fixed);
            ::FrameRect(dc, &key, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
            RECT text = key;
            ::InflateRect(&text, -3, -3);
            ::DrawTextW(dc, k.name.c_str(), -1, &text, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
        }
    ::DeleteObject(assignable);
    ::DeleteObject(fixed);
    ::SelectObject(dc, oldFont);
}
