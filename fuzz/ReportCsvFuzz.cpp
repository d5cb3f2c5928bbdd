// Report CSVs read for charts, with definitions of both modes: records stay
// inside the chart buffer and every stored text stays terminated.
#include <cstring>

#include "FuzzDriver.h"
#include "ReportCsvReader.h"

namespace {

const char* const kDefinitions[] = {
    "PLU     0000Sales           002001Count           001001100",
    "PLU     1001Sales           003000Count           002000100",
    "PLU     1999Sales           999999Count           999999110",
    "PLU     2000                000000                000000000",
};

bool Terminated(const wchar_t (&text)[64])
{
    return wmemchr(text, L'\0', 64) != nullptr;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    std::vector<std::string> seeds = ReadSamples(L"Data\\20261201\\*.CSV");
    seeds.push_back("\"a\",1,\"b\"\r\n\"x\",\"1,234\"\r\n\"say \"hi\" now\",\"-2.5e1kg\"\r\n");
    seeds.push_back(std::string("\"\0N\0\"\0,\0\"\0\x35\0\"\0\r\n\0\"\0Z\0\"\0", 22));
    wchar_t path[MAX_PATH];
    ::GetTempPathW(MAX_PATH, path);
    const std::wstring file = std::wstring(path) + L"tilldesk-fuzz-report.csv";
    return RunFuzzDriver(argc, argv, "report_csv", seeds, [&](const std::string& input) {
        HANDLE h = ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD done = 0;
        ::WriteFile(h, input.data(), static_cast<DWORD>(input.size()), &done, nullptr);
        ::CloseHandle(h);
        const unsigned char pick = input.empty() ? 0 : static_cast<unsigned char>(input[input.size() / 2]);
        const ChartParamLine param(kDefinitions[pick % 4]);
        // One guard record past the chart's end must stay untouched.
        std::vector<S_CHART_DATA> records(kMaxChartRecords + 1);
        std::memset(records.data(), 0, records.size() * sizeof(S_CHART_DATA));
        const int start = pick % 3 == 0 ? kMaxChartRecords - 1 : 0;
        int count = start;
        SYSTEMTIME time = {2026, 12, 2, 8, 9, 5, 0, 0};
        ReadReportCsv(file.c_str(), param, records.data(), count, time);
        FUZZ_CHECK(count >= 0 && count <= kMaxChartRecords, "record count outside the chart");
        FUZZ_CHECK(param.Mode() != '0' || count - start <= 1, "one file gave more than one point");
        const S_CHART_DATA zero = {};
        FUZZ_CHECK(std::memcmp(&records[kMaxChartRecords], &zero, sizeof zero) == 0, "write past the chart buffer");
        for (const S_CHART_DATA& r : records)
            FUZZ_CHECK(Terminated(r.Label) && Terminated(r.ValueText) && Terminated(r.Value2Text), "unterminated text");
    });
}
