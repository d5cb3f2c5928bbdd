#include "ReportOpener.h"

#include <shellapi.h>

#include "AtomicFile.h"

namespace {

constexpr size_t kMaxReportList = 16u * 1024 * 1024;

} // namespace

bool ReportOpener::ReadListLine(const CString& path, int index, CString& line)
{
    std::vector<BYTE> bytes;
    if (index < 0 || AtomicFile::Read(path, bytes, kMaxReportList) != AtomicFile::ReadResult::Ok)
        return false;
    const size_t units = bytes.size() / 2;
    auto unit = [&bytes](size_t i) { return static_cast<wchar_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8)); };
    size_t start = units > 0 && unit(0) == 0xFEFF ? 1 : 0;
    for (int n = 0; start < units; ++n) {
        size_t end = start;
        while (end < units && unit(end) != L'\n')
            ++end;
        if (n == index) {
            size_t stop = end;
            if (stop > start && unit(stop - 1) == L'\r')
                --stop;
            line.Empty();
            for (size_t i = start; i < stop; ++i)
                line += unit(i);
            return true;
        }
        start = end + 1;
    }
    return false;
}

bool ReportOpener::StartOpener(const CString& opener, const CString& parameter)
{
    return reinterpret_cast<INT_PTR>(::ShellExecuteW(nullptr, nullptr, opener, parameter, nullptr, SW_MINIMIZE)) > 32;
}

ReportOpener::Result ReportOpener::Open(int selection, const CString& programFolder, const CString& ecrName)
{
    CString report;
    if (!ReadListLine(programFolder + L"report.lst", selection, report))
        return Result::NotListed;
    // An empty line stands for a report not converted yet: nothing to open.
    if (report.IsEmpty())
        return Result::NotConverted;
    m_opener(programFolder + L"Cellvane.exe", L"\"" + report + L"\"");
    ChartBuilder charts(m_viewer);
    charts.BuildChart(programFolder + ecrName + L"Chart.prm", report, programFolder + L"EcrChart.dat",
                      programFolder + L"Plotvane.exe");
    return Result::Opened;
}
