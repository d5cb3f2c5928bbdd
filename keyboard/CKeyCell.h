#pragma once

#include "CGridCell.h"

// A key of the key map. Its name breaks only between words; a word wider
// than the key is drawn in a smaller font that fits it, never cut in two
// ("RECEIPT", not "RECEIP" over "T").
class CKeyCell : public CGridCell
{
public:
    BOOL Draw(CDC* dc, int row, int col, CRect rect, BOOL eraseBkgnd = TRUE) override;
    CFont* GetFontObject() const override;

    // The font the key's text is drawn in within rect: the cell's font, made
    // smaller until its widest word fits, but no smaller than kSmallest pixels.
    LOGFONTW DrawingFont(CDC* dc, const CRect& rect) const;

    static constexpr LONG kSmallest = 6;

private:
    CFont* m_fitted = nullptr;  // while a smaller font draws
};
