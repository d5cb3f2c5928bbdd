// Cellvane: opens a CSV file for viewing, one cell per column of a list.
// Exit code 1 when the file or a setting of Cellvane.ini (CloseAfterMs,
// ExitCode in hexadecimal) cannot be read.
#include <windows.h>
#include <commctrl.h>

#include "CsvSheet.h"
#include "StandinProgram.h"

namespace {

CString ColumnName(size_t index)
{
    CString name;
    for (size_t i = index + 1; i > 0; i = (i - 1) / 26)
        name.Insert(0, static_cast<wchar_t>(L'A' + (i - 1) % 26));
    return name;
}

HWND CreateSheetList(HWND parent, const CsvSheet& sheet)
{
    HWND list = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_NOSORTHEADER, 0, 0,
                                  100, 100, parent, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (!list)
        return nullptr;
    ListView_SetExtendedListViewStyle(list, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 40;
    column.pszText = const_cast<wchar_t*>(L"");
    ListView_InsertColumn(list, 0, &column);
    for (size_t c = 0; c < sheet.Columns; ++c) {
        CString name = ColumnName(c);
        column.cx = 110;
        column.pszText = const_cast<wchar_t*>(name.GetString());
        ListView_InsertColumn(list, static_cast<int>(c + 1), &column);
    }
    for (size_t r = 0; r < sheet.Rows.size(); ++r) {
        CString number;
        number.Format(L"%u", static_cast<unsigned>(r + 1));
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(r);
        item.pszText = const_cast<wchar_t*>(number.GetString());
        const int row = ListView_InsertItem(list, &item);
        for (size_t c = 0; c < sheet.Rows[r].size(); ++c)
            ListView_SetItemText(list, row, static_cast<int>(c + 1), const_cast<wchar_t*>(sheet.Rows[r][c].GetString()));
    }
    return list;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);
    StandinProgram program(L"Cellvane", 720, 480);
    const DWORD closeAfter = program.IniNumber(L"CloseAfterMs", INFINITE);
    const DWORD exitCode = program.IniCode(L"ExitCode").value_or(0);
    if (program.ShowSettingsFault())
        return program.Finish(1);
    if (program.Args().empty()) {
        program.ShowFailure(L"No file was given to open.");
        return program.Finish(1);
    }
    const CString path = program.Args()[0];
    CsvSheet sheet;
    CString error;
    if (!sheet.Load(path, error)) {
        program.ShowFailure(error);
        return program.Finish(1);
    }
    ::SetWindowTextW(program.Window(), L"Cellvane - " + path.Mid(path.ReverseFind(L'\\') + 1));
    program.SetContent(CreateSheetList(program.Window(), sheet));
    if (!program.Wait(closeAfter))
        return program.Finish(0);
    return program.Finish(static_cast<int>(exitCode));
}
