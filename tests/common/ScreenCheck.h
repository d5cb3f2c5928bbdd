// What a person checks on a picture of a screen, as tests: every text fits
// its control, no two controls overlap, and no text of the other caption
// language shows. Each check returns one line per finding, none when the
// screen looks right.
#pragma once

#include <set>
#include <string>
#include <vector>

#include <windows.h>

class CGridCtrl;

// Buttons and labels among the window's visible controls whose text does not
// fit, measured with the control's own font, and the grids' cells that do
// not show their whole text (see ClippedCells). Needs the window's process.
std::vector<std::wstring> ClippedTexts(HWND window);

// Cells of a grid whose text does not show whole: measured as the cell draws
// it, in the font it draws in there (a key fits its font to the key) and
// laid out in its format (a text that wraps needs every line). Every cell of
// a shown row and column counts, scrolled into view or not; turned texts
// (column captions) have rules of their own and are left out.
std::vector<std::wstring> ClippedCells(CGridCtrl& grid);

// Pairs of visible controls of the window whose rectangles intersect; group
// boxes, frames, owner-drawn pictures and tab controls hold others and stay out.
std::vector<std::wstring> OverlappingControls(HWND window);

// The texts of the English and the Japanese caption file of a folder.
class CaptionLanguages
{
public:
    // Reads <folder>\VORNK2DLL_ENG.CAP and _JPN.CAP.
    explicit CaptionLanguages(const std::wstring& capFolder);

    // Texts of the window (its title, its visible buttons and labels) in the
    // other language: in Japanese, a text with Latin words and no Japanese
    // character that the Japanese file does not hold; in English, a text with
    // a Japanese character that the English file does not hold. Controls
    // whose ids are in `dataIds` show data, not captions (id 0: the title).
    std::vector<std::wstring> OtherLanguageTexts(HWND window, bool japanese, const std::set<int>& dataIds = {}) const;
    // Whether one text (a message box's, a name a library gives) is in the
    // other language, by the same rules.
    bool InOtherLanguage(const std::wstring& text, bool japanese) const;

    size_t EnglishCount() const { return m_english.size(); }
    size_t JapaneseCount() const { return m_japanese.size(); }

private:
    std::set<std::wstring> m_english;
    std::set<std::wstring> m_japanese;
};

// Every finding of the three checks (clipping only when `inProcess`).
std::vector<std::wstring> ScreenFindings(HWND window, const CaptionLanguages& captions, bool japanese,
                                         const std::set<int>& dataIds = {}, bool inProcess = true);

// The findings as lines, for a test's failure message.
std::wstring JoinFindings(const std::vector<std::wstring>& findings);
