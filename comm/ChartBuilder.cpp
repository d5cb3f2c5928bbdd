#include "ChartBuilder.h"

#include <algorithm>
#include <cstring>
#include <shellapi.h>
#include <string>

#include "AtomicFile.h"
#include "CaptionText.h"
#include "FullPathName.h"
#include "ReportCsvReader.h"
#include "UpperAscii.h"

namespace {

// The largest parameter file read.
constexpr size_t kMaxParamFile = 4u * 1024 * 1024;
// A definition line with its line end holds at most this many bytes; the
// rest of a longer line is no definition of its own.
constexpr size_t kMaxParamLine = 61;

// The lines of the parameter file, line ends removed, each cut to its
// definition's length.
std::vector<std::string> ParamLines(const std::vector<BYTE>& bytes)
{
    std::vector<std::string> lines;
    const char* data = reinterpret_cast<const char*>(bytes.data());
    const char* end = data + bytes.size();
    for (const char* start = data; start < end;) {
        const char* lf = static_cast<const char*>(std::memchr(start, '\n', static_cast<size_t>(end - start)));
        const char* stop = lf ? lf : end;
        std::string line(start, stop);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() > kMaxParamLine)
            line.resize(kMaxParamLine);
        lines.push_back(std::move(line));
        start = lf ? lf + 1 : end;
    }
    return lines;
}

// Non-empty parts of a folder between backslashes.
int FolderDepth(const CString& folder)
{
    int depth = 0;
    bool inPart = false;
    for (int i = 0; i < folder.GetLength(); ++i) {
        const bool slash = folder[i] == L'\\' || folder[i] == L'/';
        if (!slash && !inPart)
            ++depth;
        inPart = !slash;
    }
    return depth;
}

bool IsDateFolderName(const wchar_t* name)
{
    return wcslen(name) == 8 && name[0] == L'2' && name[1] == L'0' && _wtoi(name) >= 20000000;
}

} // namespace

void ChartBuilder::BuildChart(const wchar_t* paramFile, const wchar_t* reportPath, const wchar_t* chartFile,
                              const wchar_t* viewer)
{
    std::vector<BYTE> bytes;
    if (AtomicFile::Read(paramFile, bytes, kMaxParamFile) != AtomicFile::ReadResult::Ok)
        return;

    wchar_t drive[_MAX_DRIVE] = {}, ext[_MAX_EXT] = {};
    std::vector<wchar_t> folder(wcslen(reportPath) + 1), base(wcslen(reportPath) + 1);
    if (_wsplitpath_s(reportPath, drive, _MAX_DRIVE, folder.data(), folder.size(), base.data(), base.size(), ext,
                      _MAX_EXT) != 0)
        return;
    const CString reportBase = UpperAscii(base.data());

    for (const std::string& text : ParamLines(bytes)) {
        const ChartParamLine param(text);
        const CString key = param.Key();
        if (key.IsEmpty() || reportBase.Find(key) != 0)
            continue;

        m_records.assign(kMaxChartRecords, S_CHART_DATA{});
        int count = 0;
        if (param.Mode() == '0') {
            CollectHistoryValues(CString(drive) + folder.data() + key + L"*.csv", param, count);
            for (const CString& history : HistoryFolders(drive, folder.data()))
                CollectHistoryValues(history + key + L"*.csv", param, count);
        } else {
            SYSTEMTIME now;
            ::GetLocalTime(&now);
            ReadReportCsv(reportPath, param, m_records.data(), count, now);
        }

        if (count >= 1) {
            auto last = m_records.begin() + count;
            std::stable_sort(m_records.begin(), last, param.SortsByLabel() ? CompareChartLabel : CompareChartValue);
            if (!AtomicFile::Write(chartFile, m_records.data(), static_cast<size_t>(count) * sizeof(S_CHART_DATA))) {
                // Said once: the next chart would meet the same file.
                AfxMessageBox(WriteFailureText(chartFile, ::GetLastError()), MB_OK | MB_ICONEXCLAMATION);
                m_records.clear();
                return;
            }
            CString arguments;
            arguments.Format(L"%s|%s|%s|%c|%c|%s|%s|%c", chartFile, key.GetString(), reportBase.GetString(),
                             param.Mode(), param.SingleValueFlag(), param.Label1().GetString(),
                             param.Label2().GetString(), param.SecondValueFlag());
            m_starter(viewer, arguments);
        }
        m_records.clear();
    }
}

void ChartBuilder::CollectHistoryValues(const CString& pattern, const ChartParamLine& param, int& count)
{
    const int slash = pattern.ReverseFind(L'\\');
    const CString folder = pattern.Left(slash + 1);
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (count >= kMaxChartRecords)
            break;
        FILETIME local;
        SYSTEMTIME time = {};
        if (::FileTimeToLocalFileTime(&found.ftLastWriteTime, &local))
            ::FileTimeToSystemTime(&local, &time);
        ReadReportCsv(folder + found.cFileName, param, m_records.data(), count, time);
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

std::vector<CString> ChartBuilder::HistoryFolders(const CString& drive, const CString& folder)
{
    std::vector<CString> folders;
    const int depth = FolderDepth(folder);
    // A report in a root folder, or in the root of a network share, has no
    // sibling folders to search.
    if (depth == 0 || (drive.IsEmpty() && folder.Left(2) == L"\\\\" && depth <= 2))
        return folders;

    const CString own = FullPathName(drive + folder);
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW(drive + folder + L"..\\20*.*", &found);
    if (search == INVALID_HANDLE_VALUE)
        return folders;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !IsDateFolderName(found.cFileName))
            continue;
        CString path = FullPathName(drive + folder + L"..\\" + found.cFileName) + L"\\";
        if (path.CompareNoCase(own) != 0)
            folders.push_back(path);
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    // Newest first, whatever order the file system returns: with more points
    // than a chart holds, the latest ones are charted.
    std::sort(folders.begin(), folders.end(), [](const CString& a, const CString& b) { return b.Compare(a) < 0; });
    return folders;
}

bool ChartBuilder::CompareChartLabel(const S_CHART_DATA& a, const S_CHART_DATA& b)
{
    for (int i = 0; i < 64; ++i)
        if (a.Label[i] != b.Label[i])
            return static_cast<unsigned short>(a.Label[i]) < static_cast<unsigned short>(b.Label[i]);
    return false;
}

bool ChartBuilder::CompareChartValue(const S_CHART_DATA& a, const S_CHART_DATA& b)
{
    return a.Value > b.Value;
}

bool ChartBuilder::StartViewer(const CString& viewer, const CString& arguments)
{
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpFile = viewer;
    info.lpParameters = arguments;
    info.nShow = SW_SHOWNORMAL;
    if (!::ShellExecuteExW(&info))
        return false;
    if (info.hProcess) {
        // The viewer reads the chart file before it shows its window.
        ::WaitForInputIdle(info.hProcess, 10000);
        ::CloseHandle(info.hProcess);
    }
    return true;
}
