// report.lst read line by line: every line comes back without its line end.
#include "EcrGlobals.h"
#include "FuzzDriver.h"
#include "ReportOpener.h"

// No caption manager: messages are the program's own English texts.
CCaptionManagerBase** g_ppCaptionMgr = nullptr;

int wmain(int argc, wchar_t** argv)
{
    const std::wstring text = L"C:\\Data\\20261208\\FIN.CSV\r\n\r\nC:\\Data\\20261208\\DEPT.CSV\r\nlast";
    std::vector<std::string> seeds = {std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2)};
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring file = std::wstring(temp) + L"tilldesk-fuzz-report.lst";
    return RunFuzzDriver(argc, argv, "report_list", seeds, [&](const std::string& input) {
        HANDLE h = ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD done = 0;
        ::WriteFile(h, input.data(), static_cast<DWORD>(input.size()), &done, nullptr);
        ::CloseHandle(h);
        for (int index = 0; index < 6; ++index) {
            CString line;
            if (ReportOpener::ReadListLine(file.c_str(), index, line))
                FUZZ_CHECK(line.Find(L'\n') < 0, "a line kept its line feed");
        }
    });
}
