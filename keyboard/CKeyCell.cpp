#include "CKeyCell.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Lines may break at blanks and line breaks, and between two Japanese
// characters: each of those is a word of its own.
bool BreaksAnywhere(wchar_t c)
{
    return (c >= 0x3000 && c <= 0x30FF) || (c >= 0x3400 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFF00 && c <= 0xFFEF);
}

// The width of the widest word of text in dc's selected font.
int WidestWord(CDC* dc, const wchar_t* text)
{
    int widest = 0;
    for (const wchar_t* word = text; *word;) {
        const wchar_t* end = word;
        if (BreaksAnywhere(*end))
            ++end;
        else
            while (*end && *end != L' ' && *end != L'\r' && *end != L'\n' && !BreaksAnywhere(*end))
                ++end;
        if (end > word)
            widest = std::max(widest, static_cast<int>(dc->GetTextExtent(word, static_cast<int>(end - word)).cx));
        else
            ++end;  // a blank or a line break
        word = end;
    }
    return widest;
}

} // namespace

LOGFONTW CKeyCell::DrawingFont(CDC* dc, const CRect& rect) const
{
    const LOGFONTW* own = GetFont();
    if (!own)
        return LOGFONTW{};
    // Heights are signed (character or cell height): sizes keep the sign.
    auto sized = [own](LONG size) {
        LOGFONTW font = *own;
        font.lfHeight = own->lfHeight < 0 ? -size : size;
        font.lfWidth = 0;
        return font;
    };
    const wchar_t* text = GetText();
    auto widestAt = [&](LONG size) {
        const LOGFONTW font = sized(size);
        CFont made;
        if (!made.CreateFontIndirect(&font))
            return 0;  // no font to measure: draw in the cell's
        const HGDIOBJ old = dc->SelectObject(&made);
        const int widest = WidestWord(dc, text);
        dc->SelectObject(old);
        return widest;
    };

    // The room the drawing gives the text: the rectangle inside the margins.
    const int room = rect.Width() - 2 * static_cast<int>(GetMargin()) + 1;
    const LONG full = std::labs(own->lfHeight);
    if (!text || !*text || room <= 0 || full <= kSmallest)
        return *own;
    const int widest = widestAt(full);
    if (widest <= room)
        return *own;
    // Widths grow about as the height: start there, then step to the
    // largest size that fits.
    LONG size = std::clamp(full * room / widest, kSmallest, full - 1);
    while (size > kSmallest && widestAt(size) > room)
        --size;
    while (size + 1 < full && widestAt(size + 1) <= room)
        ++size;
    return sized(size);
}

BOOL CKeyCell::Draw(CDC* dc, int row, int col, CRect rect, BOOL eraseBkgnd)
{
    // Printing selects its own font, scaled to the page.
    if (dc->IsPrinting() || !GetFont())
        return CGridCell::Draw(dc, row, col, rect, eraseBkgnd);
    CFont fitted;
    const LOGFONTW font = DrawingFont(dc, rect);
    if (font.lfHeight != GetFont()->lfHeight && fitted.CreateFontIndirect(&font))
        m_fitted = &fitted;
    const BOOL drawn = CGridCell::Draw(dc, row, col, rect, eraseBkgnd);
    m_fitted = nullptr;
    return drawn;
}

CFont* CKeyCell::GetFontObject() const
{
    return m_fitted ? m_fitted : CGridCell::GetFontObject();
}
