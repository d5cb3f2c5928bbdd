// Reports and charts: the report CSV reader over a 20,000-line report in
// ANSI and UTF-16, and a chart of one point per file over 366 dated folders,
// each beside a plain read of the same files in the same run.
#include <cstdio>
#include <string>
#include <vector>

#include "AtomicFile.h"
#include "ChartBuilder.h"
#include "EcrGlobals.h"
#include "ReportCsvReader.h"
#include "Stopwatch.h"

// No caption manager: messages are the program's own English texts.
CCaptionManagerBase** g_ppCaptionMgr = nullptr;

namespace {

constexpr int kLines = 20000;
constexpr int kRuns = 5;
volatile long long g_sink;

void Report(const char* name, double ms, const char* reference, double refMs)
{
    std::printf("%-30s %9.2f ms   %-32s %9.2f ms   ratio %6.2f\n", name, ms, reference, refMs, refMs > 0 ? ms / refMs : 0.0);
}

std::string Line(int i)
{
    char line[96];
    std::snprintf(line, sizeof line, "\"%d\",\"Green tea %d\",\"%d\",\"%d.%04d\"\r\n", 100000 + i, i, i % 97, i * 3, i % 10000);
    return line;
}

// The same text as UTF-16LE with the line end 0D 0A 00.
std::string Utf16(const std::string& ansi)
{
    std::string out;
    for (char c : ansi) {
        if (c == '\r')
            continue;
        if (c == '\n')
            out += '\r';
        out += c;
        out += '\0';
    }
    return out;
}

// Reads the file and counts its lines: the reference for one reader pass.
long long PlainRead(const CString& path)
{
    std::vector<BYTE> bytes;
    AtomicFile::Read(path, bytes, 1u << 30);
    long long lines = 0;
    for (BYTE b : bytes)
        lines += b == '\n';
    return lines;
}

std::string Definition(char mode, int valueLine)
{
    char line[64];
    std::snprintf(line, sizeof line, "%-8.8s%c%03d%-16.16s%03d%03d%-16.16s%03d%03d%c%c%c", "PLU", mode, 1, "Amount", 3,
                  valueLine, "Count", 2, valueLine, '1', '1', '0');
    return line;
}

bool StartNothing(const CString&, const CString&) { return true; }

} // namespace

int wmain()
{
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    const CString folder = CString(temp) + L"tilldesk-report-bench\\";
    ::CreateDirectoryW(folder, nullptr);

    std::string ansi = "\"Code\",\"Name\",\"Count\",\"Amount\"\r\n";
    for (int i = 0; i < kLines; ++i)
        ansi += Line(i);
    const CString ansiPath = folder + L"PLU.CSV", utf16Path = folder + L"PLU16.CSV";
    AtomicFile::Write(ansiPath, ansi.data(), ansi.size());
    const std::string wide = Utf16(ansi);
    AtomicFile::Write(utf16Path, wide.data(), wide.size());

    const ChartParamLine perLine(Definition('1', 0));
    std::vector<S_CHART_DATA> records(kMaxChartRecords);
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    for (const CString& path : {ansiPath, utf16Path}) {
        const double reader = BestOf(kRuns, [&] {
            int count = 0;
            ReadReportCsv(path, perLine, records.data(), count, now);
            g_sink = count;
        });
        const double plain = BestOf(kRuns, [&] { g_sink = PlainRead(path); });
        Report(path == ansiPath ? "ReadReportCsv 20,000 ANSI" : "ReadReportCsv 20,000 UTF-16", reader,
               "plain read and line count", plain);
    }

    // 366 days of one report, each in its dated folder, the last one opened.
    const CString days = folder + L"days\\";
    ::CreateDirectoryW(days, nullptr);
    std::vector<CString> files;
    SYSTEMTIME day = {2025, 12, 0, 1, 22, 0, 0, 0};
    FILETIME ft;
    ::SystemTimeToFileTime(&day, &ft);
    for (int d = 0; d < 366; ++d) {
        ULARGE_INTEGER t = {{ft.dwLowDateTime, ft.dwHighDateTime}};
        t.QuadPart += static_cast<ULONGLONG>(d) * 24 * 3600 * 10000000ULL;
        FILETIME dayTime = {t.LowPart, t.HighPart};
        SYSTEMTIME st;
        ::FileTimeToSystemTime(&dayTime, &st);
        CString name;
        name.Format(L"%04u%02u%02u", st.wYear, st.wMonth, st.wDay);
        ::CreateDirectoryW(days + name, nullptr);
        files.push_back(days + name + L"\\PLU.CSV");
        const std::string small = ansi.substr(0, 4096);
        AtomicFile::Write(files.back(), small.data(), small.size());
    }
    const CString prm = folder + L"bench.prm";
    const std::string definition = Definition('0', 5) + "\r\n";
    AtomicFile::Write(prm, definition.data(), definition.size());
    const CString chart = folder + L"EcrChart.dat";
    const double build = BestOf(kRuns, [&] {
        ChartBuilder builder(StartNothing);
        builder.BuildChart(prm, files.back(), chart, L"none.exe");
    });
    const double plain = BestOf(kRuns, [&] {
        long long total = 0;
        WIN32_FIND_DATAW found;
        HANDLE search = ::FindFirstFileW(days + L"20*", &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                // Each day's files are found by their report's name.
                const CString day = days + found.cFileName + L"\\";
                WIN32_FIND_DATAW file;
                HANDLE files = ::FindFirstFileW(day + L"PLU*.csv", &file);
                if (files == INVALID_HANDLE_VALUE)
                    continue;
                do {
                    total += PlainRead(day + file.cFileName);
                } while (::FindNextFileW(files, &file));
                ::FindClose(files);
            } while (::FindNextFileW(search, &found));
            ::FindClose(search);
        }
        g_sink = total;
    });
    Report("Chart, 366 dated folders", build, "find and plainly read the files", plain);
    return 0;
}
