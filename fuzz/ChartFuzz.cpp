// Chart definitions read from a damaged parameter file: every chart file
// written holds whole records, at most a chart's worth, and every viewer
// argument line has its eight parts.
#include "ChartBuilder.h"
#include "EcrGlobals.h"
#include "FuzzDriver.h"

// No caption manager: messages are the program's own English texts.
CCaptionManagerBase** g_ppCaptionMgr = nullptr;

namespace {

std::wstring g_chart;
int g_viewers = 0;

bool CheckViewer(const CString&, const CString& arguments)
{
    ++g_viewers;
    int bars = 0;
    for (int i = 0; i < arguments.GetLength(); ++i)
        bars += arguments[i] == L'|';
    FUZZ_CHECK(bars >= 7, "viewer argument line without its eight parts");
    const std::string chart = ReadSample(g_chart);
    FUZZ_CHECK(!chart.empty() && chart.size() % sizeof(S_CHART_DATA) == 0, "chart file of broken records");
    FUZZ_CHECK(chart.size() <= kMaxChartRecords * sizeof(S_CHART_DATA), "chart file over its records");
    return true;
}

void Write(const std::wstring& path, const std::string& bytes)
{
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD done = 0;
    ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
    ::CloseHandle(h);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    std::vector<std::string> seeds = {ReadSample(L"02 VORN-K2Chart.prm")};
    seeds.push_back("FIN     0000Net sales       002003Customers       001003110\r\n"
                    "DEPT    1001Amount          003000Count           002000100\r\n");
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring root = std::wstring(temp) + L"tilldesk-fuzz-chart\\";
    ::CreateDirectoryW(root.c_str(), nullptr);
    ::CreateDirectoryW((root + L"20261201").c_str(), nullptr);
    ::CreateDirectoryW((root + L"20261202").c_str(), nullptr);
    const std::string report = ReadSample(L"Data\\20261201\\FIN.CSV");
    Write(root + L"20261201\\FIN.CSV", report);
    Write(root + L"20261202\\FIN.CSV", report);
    Write(root + L"20261202\\DEPT.CSV", ReadSample(L"Data\\20261201\\DEPT.CSV"));
    g_chart = root + L"EcrChart.dat";
    return RunFuzzDriver(argc, argv, "chart_param", seeds, [&](const std::string& input) {
        Write(root + L"model.prm", input);
        ::DeleteFileW(g_chart.c_str());
        ChartBuilder builder(CheckViewer);
        builder.BuildChart((root + L"model.prm").c_str(), (root + L"20261202\\FIN.CSV").c_str(), g_chart.c_str(), L"v.exe");
        builder.BuildChart((root + L"model.prm").c_str(), (root + L"20261202\\DEPT.CSV").c_str(), g_chart.c_str(), L"v.exe");
    });
}
