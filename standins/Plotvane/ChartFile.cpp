#include "ChartFile.h"

#include <cstring>

#include "AtomicFile.h"
#include "ReportNumber.h"

namespace {

constexpr size_t kMaxChartFile = kMaxChartRecords * sizeof(S_CHART_DATA);

// A record's texts may come from any file: make sure each is terminated.
void Terminate(S_CHART_DATA& record)
{
    record.Label[63] = record.ValueText[63] = record.Value2Text[63] = L'\0';
}

bool IsNumber(const wchar_t* text)
{
    double ignored = 0.0;
    return ReadReportNumber(text, ignored);
}

// A report's heading line is read like any other line: its value texts are
// the columns' names, and it is no item of the chart. A record without value
// texts is an item whose values were not found.
bool IsHeading(const S_CHART_DATA& record, bool secondValue)
{
    const bool named = record.ValueText[0] || (secondValue && record.Value2Text[0]);
    return named && !IsNumber(record.ValueText) && !(secondValue && IsNumber(record.Value2Text));
}

} // namespace

bool ChartFile::Load(const CString& arguments, CString& error)
{
    std::vector<CString> parts;
    int start = 0;
    for (int bar = arguments.Find(L'|'); bar >= 0; bar = arguments.Find(L'|', start)) {
        parts.push_back(arguments.Mid(start, bar - start));
        start = bar + 1;
    }
    parts.push_back(arguments.Mid(start));
    // The labels are free text: anything between the fifth and the last bar.
    if (parts.size() < 8 || parts[3].GetLength() != 1 || parts.back().GetLength() != 1) {
        error = L"The chart arguments are not understood:\n" + arguments;
        return false;
    }
    Path = parts[0];
    Key = parts[1];
    Report = parts[2];
    Mode = parts[3][0];
    SecondValue = parts.back()[0] == L'1';
    Label1 = parts[5];
    Label2 = parts[6];
    for (size_t i = 7; i + 1 < parts.size(); ++i)
        Label2 += L"|" + parts[i];

    std::vector<BYTE> bytes;
    const AtomicFile::ReadResult read = AtomicFile::Read(Path, bytes, kMaxChartFile);
    if (read != AtomicFile::ReadResult::Ok) {
        error = (read == AtomicFile::ReadResult::Missing ? L"The chart file is missing:\n" : L"The chart file cannot be read:\n") + Path;
        return false;
    }
    if (bytes.empty() || bytes.size() % sizeof(S_CHART_DATA) != 0) {
        error = L"The chart file is damaged:\n" + Path;
        return false;
    }
    Records.resize(bytes.size() / sizeof(S_CHART_DATA));
    std::memcpy(Records.data(), bytes.data(), bytes.size());
    for (S_CHART_DATA& record : Records)
        Terminate(record);
    std::erase_if(Records, [this](const S_CHART_DATA& record) { return IsHeading(record, SecondValue); });
    return true;
}
