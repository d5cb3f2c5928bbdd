// The spreadsheet opener's CSV reading: no row is wider than its columns.
#include "CsvSheet.h"
#include "FuzzDriver.h"

int wmain(int argc, wchar_t** argv)
{
    std::vector<std::string> seeds = ReadSamples(L"Data\\20261201\\*.CSV");
    seeds.push_back("\"a\",\"b, c\",\"say \"\"hi\"\"\"\r\n\"two\nlines\",x\r\n\r\n,\r\n\"open");
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring file = std::wstring(temp) + L"tilldesk-fuzz-sheet.csv";
    return RunFuzzDriver(argc, argv, "csv_sheet", seeds, [&](const std::string& input) {
        HANDLE h = ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD done = 0;
        ::WriteFile(h, input.data(), static_cast<DWORD>(input.size()), &done, nullptr);
        ::CloseHandle(h);
        CsvSheet sheet;
        CString error;
        FUZZ_CHECK(sheet.Load(file.c_str(), error), "an existing file was refused");
        for (const auto& row : sheet.Rows)
            FUZZ_CHECK(row.size() <= sheet.Columns, "a row wider than the sheet");
    });
}
