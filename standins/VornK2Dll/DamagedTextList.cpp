#include "DamagedTextList.h"

#include "EcrTable.h"
#include "FieldRules.h"
#include "FillPlaceholders.h"
#include "LibraryState.h"

namespace {

constexpr int kCellsShown = 20;

const wchar_t* Say(const wchar_t* english, const wchar_t* japanese)
{
    return LibraryState::Instance().Say(english, japanese);
}

CString Number(int n)
{
    CString text;
    text.Format(L"%d", n);
    return text;
}

} // namespace

void DamagedTextList::Add(const EcrTable& report, const CString& path, const CsvExchange::DamagedText& cell)
{
    if (m_count++ >= kCellsShown)
        return;
    // Report, row, line, file, field.
    m_lines += L"\n" + FillPlaceholders(Say(L"%1, row %2 (line %3 of %4): %5", L"%1 %2 行目（%4 の %3 行目）: %5"),
                                        {LabelText(report.Table()->Label), Number(cell.record + 1), Number(cell.line),
                                         path, LabelText(report.Field(cell.field).Label)});
}

CString DamagedTextList::Text() const
{
    if (m_count == 0)
        return CString();
    CString text = Say(L"Some names in these reports hold bytes that form no character, as a register leaves when it "
                       L"cuts a name in the middle of a character. The rest of each name is shown, with \uFFFD in "
                       L"place of those bytes:",
                       L"次のレポートの名前に、文字にならないバイトがあります（レジが名前を文字の途中で切った場合など）。"
                       L"名前の残りを表示し、そのバイトは \uFFFD で示します:")
                   + m_lines;
    if (m_count > kCellsShown)
        text.AppendFormat(Say(L"\n... and %d more", L"\n... ほか %d 件"), m_count - kCellsShown);
    return text;
}
