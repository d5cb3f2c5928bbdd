#include "ScreenCheck.h"

#include <algorithm>

#include "CGridCtrl.h"

namespace {

std::wstring ClassOf(HWND control)
{
    wchar_t name[64] = {};
    ::GetClassNameW(control, name, 64);
    return name;
}

bool IsClass(HWND control, const wchar_t* name)
{
    return _wcsicmp(ClassOf(control).c_str(), name) == 0;
}

std::wstring TextOf(HWND control)
{
    int length = ::GetWindowTextLengthW(control);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(control, text.data(), length + 1)));
    return text;
}

// "<id> "<text>"", how a finding names a control.
std::wstring Name(HWND control)
{
    return std::to_wstring(::GetDlgCtrlID(control)) + L" \"" + TextOf(control) + L"\"";
}

std::vector<HWND> VisibleChildren(HWND window)
{
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (::IsWindowVisible(child))
            children.push_back(child);
    return children;
}

LONG StyleOf(HWND control)
{
    return ::GetWindowLongW(control, GWL_STYLE);
}

bool IsGroupBox(HWND control)
{
    return IsClass(control, L"Button") && (StyleOf(control) & BS_TYPEMASK) == BS_GROUPBOX;
}

// Statics that draw a frame or a rectangle around others, not a text.
bool IsFrame(HWND control)
{
    if (!IsClass(control, L"Static"))
        return false;
    LONG type = StyleOf(control) & SS_TYPEMASK;
    return (type >= SS_BLACKRECT && type <= SS_WHITEFRAME) || (type >= SS_ETCHEDHORZ && type <= SS_ETCHEDFRAME);
}

// Owner-drawn statics: pictures the program paints, on which it may lay
// labels (the logo preview's text lines).
bool IsCanvas(HWND control)
{
    return IsClass(control, L"Static") && (StyleOf(control) & SS_TYPEMASK) == SS_OWNERDRAW;
}

bool IsTextStatic(HWND control)
{
    LONG type = StyleOf(control) & SS_TYPEMASK;
    return type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP;
}

bool IsTextButton(HWND control)
{
    LONG style = StyleOf(control);
    LONG type = style & BS_TYPEMASK;
    return !(style & (BS_BITMAP | BS_ICON)) && type != BS_USERBUTTON && type != BS_OWNERDRAW && type <= BS_AUTORADIOBUTTON;
}

// Buttons and labels that show a caption-like text.
bool ShowsText(HWND control)
{
    if (IsClass(control, L"Button"))
        return IsTextButton(control);
    if (IsClass(control, L"Static"))
        return IsTextStatic(control);
    return false;
}

// The size the text takes in the control's font; wrapped at `wrapWidth`
// when `wrap` is set.
SIZE TextSize(HWND control, const std::wstring& text, bool wrap, int wrapWidth, bool prefix)
{
    HDC dc = ::GetDC(control);
    HFONT font = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
    HGDIOBJ old = font ? ::SelectObject(dc, font) : nullptr;
    RECT rect = {0, 0, std::max(wrapWidth, 1), 0};
    UINT flags = DT_CALCRECT | (wrap ? DT_WORDBREAK : 0) | (prefix ? 0 : DT_NOPREFIX);
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, flags);
    if (old)
        ::SelectObject(dc, old);
    ::ReleaseDC(control, dc);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

// The room a control gives its text, as the system draws buttons and labels.
struct Room
{
    int width;
    int height;
    bool wrap;
};

Room RoomOf(HWND control)
{
    RECT client;
    ::GetClientRect(control, &client);
    const int w = client.right;
    const int h = client.bottom;
    const LONG style = StyleOf(control);
    if (IsClass(control, L"Static")) {
        LONG type = style & SS_TYPEMASK;
        return {w, h, type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT};
    }
    const bool multiline = (style & BS_MULTILINE) != 0;
    switch (style & BS_TYPEMASK) {
    case BS_GROUPBOX:
        return {w - 16, h, false};
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
        return {w - 6, h - 4, multiline};
    default:
        if (style & BS_PUSHLIKE)
            return {w - 6, h - 4, multiline};
        // The check box or radio mark and its gap come first.
        return {w - 17, h, multiline};
    }
}

bool HasJapanese(const std::wstring& text)
{
    return std::any_of(text.begin(), text.end(), [](wchar_t c) {
        return (c >= 0x3000 && c <= 0x30FF) || (c >= 0x3400 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
               (c >= 0xFF00 && c <= 0xFFEF);
    });
}

bool HasLatinWord(const std::wstring& text)
{
    auto letter = [](wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); };
    for (size_t i = 1; i < text.size(); ++i)
        if (letter(text[i - 1]) && letter(text[i]))
            return true;
    return false;
}

// Field 15 of every caption value of a caption file, line breaks as CR LF.
std::set<std::wstring> CaptionFileTexts(const std::wstring& path)
{
    std::set<std::wstring> texts;
    std::vector<wchar_t> names(65536);
    DWORD n = ::GetPrivateProfileSectionNamesW(names.data(), static_cast<DWORD>(names.size()), path.c_str());
    std::vector<wchar_t> section(1 << 20);
    for (const wchar_t* name = names.data(); name < names.data() + n && *name; name += wcslen(name) + 1) {
        DWORD m = ::GetPrivateProfileSectionW(name, section.data(), static_cast<DWORD>(section.size()), path.c_str());
        for (const wchar_t* line = section.data(); line < section.data() + m && *line; line += wcslen(line) + 1) {
            std::wstring value(line);
            value = value.substr(value.find(L'=') + 1);
            std::vector<std::wstring> fields;
            size_t start = 0;
            for (size_t at; (at = value.find(L'\x2FFF', start)) != std::wstring::npos; start = at + 1)
                if (at > start)
                    fields.push_back(value.substr(start, at - start));
            fields.push_back(value.substr(start));
            if (fields.size() < 15 || fields[14] == L" ")
                continue;
            std::wstring text = fields[14];
            for (size_t at; (at = text.find(L"\\n")) != std::wstring::npos;)
                text.replace(at, 2, L"\r\n");
            texts.insert(text);
        }
    }
    return texts;
}

// Where a cell's Draw puts its text when the cell is drawn in rect: inside
// a header's edge (sunken in the focus cell's row and column, else raised)
// and the margins, after the image, beside the sort arrow.
CRect DrawnTextRect(CGridCtrl& grid, CGridCellBase& cell, int row, int col, CRect rect, CDC& dc)
{
    if (cell.IsFixed() && grid.GetGridLines() != GRIDLINES_NONE) {
        const CCellID focus = grid.GetFocusCell();
        if (grid.GetMarkFocusHeaders() && grid.IsValid(focus) && (focus.row == row || focus.col == col)) {
            rect.left++;
            rect.top++;
        } else {
            rect.DeflateRect(1, 1);
        }
    }
    const int margin = static_cast<int>(cell.GetMargin());
    rect.DeflateRect(margin, margin);
    rect.right++;
    rect.bottom++;
    if (row == 0 && col == grid.GetSortColumn()) {
        CFont* font = cell.GetFontObject();
        HGDIOBJ old = font && font->GetSafeHandle() ? dc.SelectObject(font) : nullptr;
        int n = dc.GetTextExtent(L"M", 1).cy - 4;
        if (old)
            dc.SelectObject(old);
        if (n >= rect.Height())
            n = rect.Height() - 4;
        if (rect.left + n < rect.right)
            rect.right -= n;
    }
    cell.GetTextRect(rect);
    rect.right++;
    rect.bottom++;
    return rect;
}

// Whether the cell's text shows whole in textRect; `need` gets its size.
bool ShowsWhole(CGridCellBase& cell, const std::wstring& text, const CRect& textRect, CDC& dc, CSize& need)
{
    LOGFONTW fitted;
    CFont made;
    CFont* font = cell.GetFontObject();
    if (cell.FitFont(&dc, textRect, fitted) && made.CreateFontIndirect(&fitted))
        font = &made;
    HGDIOBJ old = font && font->GetSafeHandle() ? dc.SelectObject(font) : nullptr;
    // An ellipsis shows a shortened text: measured whole, it does not fit.
    // Where the lines go in the room does not change their size.
    const DWORD placing = DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS | DT_VCENTER | DT_BOTTOM;
    const DWORD format = (cell.GetFormat() & ~placing) | DT_NOPREFIX | DT_CALCRECT;
    const bool wraps = (format & (DT_WORDBREAK | DT_SINGLELINE)) == DT_WORDBREAK;
    CRect laid(0, 0, wraps ? textRect.Width() : 0, 0);
    ::DrawTextW(dc.GetSafeHdc(), text.c_str(), static_cast<int>(text.size()), laid, format);
    if (old)
        dc.SelectObject(old);
    need = laid.Size();
    return need.cx <= textRect.Width() && need.cy <= textRect.Height();
}

} // namespace

std::vector<std::wstring> ClippedCells(CGridCtrl& grid)
{
    // Cell rectangles from the sizes alone, as painting lays them out.
    std::vector<int> x(static_cast<size_t>(grid.GetColumnCount()) + 1, 0);
    for (int c = 0; c < grid.GetColumnCount(); ++c)
        x[c + 1] = x[c] + grid.GetColumnWidth(c);
    std::vector<int> y(static_cast<size_t>(grid.GetRowCount()) + 1, 0);
    for (int r = 0; r < grid.GetRowCount(); ++r)
        y[r + 1] = y[r] + grid.GetRowHeight(r);

    std::vector<std::wstring> findings;
    CClientDC dc(&grid);
    for (int r = 0; r < grid.GetRowCount(); ++r)
        for (int c = 0; c < grid.GetColumnCount(); ++c) {
            CGridCellBase* cell = grid.GetCell(r, c);
            if (!cell || grid.IsCellHidden(r, c) || cell->IsHiddenByMerge())
                continue;
            const LOGFONTW* lf = cell->GetFont();
            if (lf && (lf->lfEscapement == 900 || lf->lfEscapement == -900))
                continue;
            std::wstring text = cell->GetText();
            text.erase(text.find_last_not_of(L' ') + 1);  // trailing blanks show nothing
            if (text.empty())
                continue;
            CRect rect(x[c], y[r], x[c + 1] - 1, y[r + 1] - 1);
            if (cell->IsMergeOwner()) {
                // A block draws one pixel inside its last line.
                const CCellRange block = cell->GetMergeRange();
                rect = CRect(x[block.m_nMinCol], y[block.m_nMinRow], x[block.m_nMaxCol + 1] - 2,
                             y[block.m_nMaxRow + 1] - 2);
            }
            const CRect textRect = DrawnTextRect(grid, *cell, r, c, rect, dc);
            CSize need;
            if (!ShowsWhole(*cell, text, textRect, dc, need))
                findings.push_back(L"cell (" + std::to_wstring(r) + L", " + std::to_wstring(c) + L") \"" + text +
                                   L"\" needs " + std::to_wstring(need.cx) + L"x" + std::to_wstring(need.cy) +
                                   L", has " + std::to_wstring(textRect.Width()) + L"x" +
                                   std::to_wstring(textRect.Height()));
        }
    return findings;
}

std::vector<std::wstring> ClippedTexts(HWND window)
{
    std::vector<std::wstring> findings;
    for (HWND control : VisibleChildren(window)) {
        if (IsClass(control, GRIDCTRL_CLASSNAME)) {
            if (auto* grid = dynamic_cast<CGridCtrl*>(CWnd::FromHandlePermanent(control)))
                for (const std::wstring& finding : ClippedCells(*grid))
                    findings.push_back(std::to_wstring(::GetDlgCtrlID(control)) + L" " + finding);
            continue;
        }
        if (!ShowsText(control))
            continue;
        std::wstring text = TextOf(control);
        if (text.empty())
            continue;
        Room room = RoomOf(control);
        bool prefix = !(IsClass(control, L"Static") && (StyleOf(control) & SS_NOPREFIX));
        SIZE need = TextSize(control, text, room.wrap, room.width, prefix);
        if (need.cx > room.width || need.cy > room.height)
            findings.push_back(Name(control) + L" needs " + std::to_wstring(need.cx) + L"x" + std::to_wstring(need.cy) +
                               L", has " + std::to_wstring(room.width) + L"x" + std::to_wstring(room.height));
    }
    return findings;
}

std::vector<std::wstring> OverlappingControls(HWND window)
{
    std::vector<std::pair<HWND, RECT>> placed;
    for (HWND control : VisibleChildren(window)) {
        if (IsGroupBox(control) || IsFrame(control) || IsCanvas(control) || IsClass(control, L"SysTabControl32"))
            continue;
        RECT rect;
        ::GetWindowRect(control, &rect);
        if (rect.right > rect.left && rect.bottom > rect.top)
            placed.push_back({control, rect});
    }
    std::vector<std::wstring> findings;
    for (size_t i = 0; i < placed.size(); ++i)
        for (size_t j = i + 1; j < placed.size(); ++j) {
            RECT common;
            if (::IntersectRect(&common, &placed[i].second, &placed[j].second))
                findings.push_back(Name(placed[i].first) + L" overlaps " + Name(placed[j].first));
        }
    return findings;
}

CaptionLanguages::CaptionLanguages(const std::wstring& capFolder)
    : m_english(CaptionFileTexts(capFolder + L"\\VORNK2DLL_ENG.CAP")),
      m_japanese(CaptionFileTexts(capFolder + L"\\VORNK2DLL_JPN.CAP"))
{
}

std::vector<std::wstring> CaptionLanguages::OtherLanguageTexts(HWND window, bool japanese,
                                                               const std::set<int>& dataIds) const
{
    std::vector<std::pair<std::wstring, std::wstring>> shown;  // (where, text)
    if (!dataIds.count(0))
        shown.push_back({L"title", TextOf(window)});
    for (HWND control : VisibleChildren(window))
        if (ShowsText(control) && !dataIds.count(::GetDlgCtrlID(control)))
            shown.push_back({std::to_wstring(::GetDlgCtrlID(control)), TextOf(control)});
    std::vector<std::wstring> findings;
    for (const auto& [where, text] : shown) {
        if (InOtherLanguage(text, japanese))
            findings.push_back(where + L" \"" + text + L"\" is not " + (japanese ? L"Japanese" : L"English"));
    }
    return findings;
}

bool CaptionLanguages::InOtherLanguage(const std::wstring& text, bool japanese) const
{
    return japanese ? !HasJapanese(text) && HasLatinWord(text) && !m_japanese.count(text)
                    : HasJapanese(text) && !m_english.count(text);
}

std::vector<std::wstring> ScreenFindings(HWND window, const CaptionLanguages& captions, bool japanese,
                                         const std::set<int>& dataIds, bool inProcess)
{
    std::vector<std::wstring> findings = captions.OtherLanguageTexts(window, japanese, dataIds);
    for (const std::wstring& finding : OverlappingControls(window))
        findings.push_back(finding);
    if (inProcess)
        for (const std::wstring& finding : ClippedTexts(window))
            findings.push_back(finding + L" (clipped)");
    return findings;
}

std::wstring JoinFindings(const std::vector<std::wstring>& findings)
{
    std::wstring lines;
    for (const std::wstring& finding : findings)
        lines += finding + L"\n";
    return lines;
}
