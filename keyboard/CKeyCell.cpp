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

BOOL CKeyCell::FitFont(CDC* dc, const CRect& textRect, LOGFONTW& font) const
{
    const LOGFONTW* own = GetFont();
    const wchar_t* text = GetText();
    const LONG full = own ? std::labs(own->lfHeight) : 0;
    if (full <= kSmallest || !text || !*text || textRect.Width() <= 0)
        return FALSE;
    // Heights are signed (character or cell height): sizes keep the sign.
    auto sized = [own](LONG size) {
        LOGFONTW made = *own;
        made.lfHeight = own->lfHeight < 0 ? -size : size;
        made.lfWidth = 0;
        return made;
    };
    // The widest word, and whether every line fits the room's height as
    // DrawText lays the text out there.
    const DWORD format = GetFormat() | DT_NOPREFIX;
    const bool wraps = (format & (DT_WORDBREAK | DT_SINGLELINE)) == DT_WORDBREAK;
    int widest = 0;
    auto fitsAt = [&](LONG size) {
        const LOGFONTW lf = sized(size);
        CFont made;
        if (!made.CreateFontIndirect(&lf))
            return true;  // no font to measure: draw in the cell's
        const HGDIOBJ old = dc->SelectObject(&made);
        widest = WidestWord(dc, text);
        bool fits = widest <= textRect.Width();
        if (fits && wraps) {
            CRect lines(0, 0, textRect.Width(), 0);
            dc->DrawText(text, -1, lines, format | DT_CALCRECT);
            fits = lines.Height() <= textRect.Height();
        }
        dc->SelectObject(old);
        return fits;
    };

    if (fitsAt(full))
        return FALSE;
    // Widths grow about as the height: start there when the width is what
    // does not fit, then step to the largest size that fits. At the
    // smallest size the name is drawn as it falls.
    LONG size = full - 1;
    if (widest > textRect.Width())
        size = std::clamp(full * textRect.Width() / widest, kSmallest, full - 1);
    while (size > kSmallest && !fitsAt(size))
        --size;
    while (size + 1 < full && fitsAt(size + 1))
        ++size;
    font = sized(size);
    return TRUE;
}
