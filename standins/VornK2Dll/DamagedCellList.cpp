#include "DamagedCellList.h"

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

void DamagedCellList::Add(const EcrTable& report, const CString& path, const CsvExchange::DamagedCell& cell)
{
    Cells& cells = report.Field(cell.field).Type() == FIELD_TEXT ? m_names : m_numbers;
    if (cells.count++ >= kCellsShown)
        return;
    // Report, row, line, file, field.
    cells.lines += L"\n" + FillPlaceholders(Say(L"%1, row %2 (line %3 of %4): %5", L"%1 %2 行目（%4 の %3 行目）: %5"),
                                            {LabelText(report.Table()->Label), Number(cell.record + 1),
                                             Number(cell.line), path, LabelText(report.Field(cell.field).Label)});
}

CString DamagedCellList::Paragraph(const Cells& cells, const wchar_t* heading)
{
    if (cells.count == 0)
        return CString();
    CString text = heading + cells.lines;
    if (cells.count > kCellsShown)
        text.AppendFormat(Say(L"\n... and %d more", L"\n... ほか %d 件"), cells.count - kCellsShown);
    return text;
}

CString DamagedCellList::Text() const
{
    CString text = Paragraph(
        m_names, Say(L"Some names in these reports hold bytes that form no character, as a register leaves when it "
                     L"cuts a name in the middle of a character. The rest of each name is shown, with \uFFFD in "
                     L"place of those bytes:",
                     L"次のレポートの名前に、文字にならないバイトがあります（レジが名前を文字の途中で切った場合など）。"
                     L"名前の残りを表示し、そのバイトは \uFFFD で示します:"));
    const CString numbers =
        Paragraph(m_numbers, Say(L"Some numbers in these reports hold other digits than 0 to 9, as a damaged record of "
                                 L"the register leaves them. Each is shown as the register stored it:",
                                 L"次のレポートの数値に、0 ～ 9 以外の桁があります（レジのレコードが壊れた場合など）。"
                                 L"レジが保存したとおりに表示します:"));
    if (!numbers.IsEmpty())
        text += (text.IsEmpty() ? L"" : L"\n\n") + numbers;
    return text;
}
