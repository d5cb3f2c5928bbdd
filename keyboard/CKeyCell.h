#pragma once

#include "CGridCell.h"

// A key of the key map. Its name breaks only between words; a name that
// does not fit its key is drawn in a smaller font that fits it: no word cut
// in two ("RECEIPT", not "RECEIP" over "T") and no line lost below the key.
class CKeyCell : public CGridCell
{
public:
    // The cell's font, made smaller until its widest word fits the width of
    // textRect and all its lines its height, but no smaller than kSmallest
    // pixels; FALSE when the cell's own font fits.
    BOOL FitFont(CDC* dc, const CRect& textRect, LOGFONTW& font) const override;

    static constexpr LONG kSmallest = 6;
};
