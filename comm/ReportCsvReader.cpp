#include "ReportCsvReader.h"

#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "AtomicFile.h"
#include "ReportNumber.h"
#include "TextDecoding.h"

namespace {

// The largest report file read; bigger files are passed over.
constexpr size_t kMaxReportFile = 256u * 1024 * 1024;

// Copies text into a record's text, cut to what the record holds.
void StoreText(wchar_t (&target)[64], const std::wstring& text)
{
    const size_t n = text.size() < 63 ? text.size() : 63;
    wmemcpy(target, text.data(), n);
    target[n] = L'\0';
}

// The text read as a number; 0 without one.
double NumberOf(const std::wstring& text)
{
    double value = 0.0;
    ReadReportNumber(text, value);
    return value;
}

// What the reader wants from one line: the caller's choice of fields.
class RecordSink
{
public:
    RecordSink(const ChartParamLine& param, S_CHART_DATA* records, int count)
        : m_param(param), m_records(records), m_count(count), m_mode(param.Mode())
    {
    }

    // True when field f of line l is stored somewhere: only those are converted.
    bool Wants(int line, int field) const
    {
        if (m_mode == '0')
            return (field == m_param.ValueField() && line == m_param.ValueLine())
                   || (m_param.CollectsSecondValue() && field == m_param.Value2Field() && line == m_param.Value2Line());
        if (m_mode == '1')
            return line < kMaxChartRecords
                   && (field == m_param.LabelField() || field == m_param.ValueField()
                       || (m_param.CollectsSecondValue() && field == m_param.Value2Field()));
        return false;
    }

    void Store(int line, int field, const std::wstring& text)
    {
        if (m_mode == '0') {
            S_CHART_DATA& record = m_records[m_count];
            if (field == m_param.ValueField() && line == m_param.ValueLine()) {
                StoreText(record.ValueText, text);
                record.Value = NumberOf(text);
                m_found = true;
            }
            if (m_param.CollectsSecondValue() && field == m_param.Value2Field() && line == m_param.Value2Line()) {
                StoreText(record.Value2Text, text);
                record.Value2 = NumberOf(text);
                m_found = true;
            }
            return;
        }
        S_CHART_DATA& record = m_records[line];
        if (field == m_param.LabelField())
            StoreText(record.Label, text);
        if (field == m_param.ValueField()) {
            StoreText(record.ValueText, text);
            record.Value = NumberOf(text);
        }
        if (m_param.CollectsSecondValue() && field == m_param.Value2Field()) {
            StoreText(record.Value2Text, text);
            record.Value2 = NumberOf(text);
        }
    }

    bool Found() const { return m_found; }

private:
    const ChartParamLine& m_param;
    S_CHART_DATA* m_records;
    int m_count;
    char m_mode;
    bool m_found = false;
};

bool IsLineEnd(wchar_t c) { return c == L'\r' || c == L'\n'; }

// Scans the fields of one line of units (its line end removed) of type Unit;
// convert turns a field's units into text.
template <typename Unit, typename Convert>
void ScanLine(const Unit* begin, const Unit* end, int line, RecordSink& sink, Convert convert)
{
    int field = 0;
    const Unit* open = nullptr;
    for (const Unit* p = begin; p < end; ++p) {
        if (*p != '"')
            continue;
        if (!open) {
            open = p + 1;
            continue;
        }
        const bool closes = p + 1 == end || p[1] == ',' || IsLineEnd(static_cast<wchar_t>(p[1]));
        if (!closes)
            continue;
        if (sink.Wants(line, field))
            sink.Store(line, field, convert(open, p));
        ++field;
        open = nullptr;
    }
}

// ANSI text: lines end at LF (a CR before it is dropped).
int ReadAnsi(const std::vector<BYTE>& bytes, RecordSink& sink)
{
    const char* data = reinterpret_cast<const char*>(bytes.data());
    const char* end = data + bytes.size();
    // A name the register cut in the middle of a character shows its mark.
    auto convert = [](const char* from, const char* to) { return DecodeAnsi(CP_ACP, from, static_cast<size_t>(to - from)); };
    int line = 0;
    for (const char* start = data; start < end; ++line) {
        const char* lf = static_cast<const char*>(std::memchr(start, '\n', static_cast<size_t>(end - start)));
        const char* stop = lf ? lf : end;
        const char* content = stop;
        if (content > start && content[-1] == '\r')
            --content;
        ScanLine(start, content, line, sink, convert);
        start = lf ? lf + 1 : end;
    }
    return line;
}

// UTF-16LE text: a line ends with the bytes 0D 0A 00 (a CR byte before a line
// feed unit), the units CR LF, or a lone LF unit, all on a unit boundary of
// the line.
int ReadUtf16(const std::vector<BYTE>& bytes, RecordSink& sink)
{
    auto convert = [](const wchar_t* from, const wchar_t* to) { return std::wstring(from, to); };
    std::vector<wchar_t> units;
    int line = 0;
    size_t pos = 0;
    const size_t size = bytes.size();
    while (pos < size) {
        units.clear();
        size_t next = size;
        for (size_t k = pos; k < size; k += 2) {
            if (k + 2 < size && bytes[k] == 0x0D && bytes[k + 1] == 0x0A && bytes[k + 2] == 0x00) {
                next = k + 3;
                break;
            }
            if (k + 1 < size && bytes[k] == 0x0A && bytes[k + 1] == 0x00) {
                next = k + 2;
                break;
            }
            if (k + 1 >= size)
                break;  // an odd last byte is no unit
            units.push_back(static_cast<wchar_t>(bytes[k] | (bytes[k + 1] << 8)));
        }
        // A CR unit before the line feed belongs to the line end.
        if (!units.empty() && units.back() == L'\r')
            units.pop_back();
        ScanLine(units.data(), units.data() + units.size(), line, sink, convert);
        ++line;
        pos = next;
    }
    return line;
}

} // namespace

void ReadReportCsv(const wchar_t* path, const ChartParamLine& param, S_CHART_DATA* records, int& count,
                   const SYSTEMTIME& time)
{
    if (count >= kMaxChartRecords || count < 0)
        return;
    std::vector<BYTE> bytes;
    if (AtomicFile::Read(path, bytes, kMaxReportFile) != AtomicFile::ReadResult::Ok)
        return;
    RecordSink sink(param, records, count);
    const bool utf16 = bytes.size() >= 2 && bytes[0] == 0x22 && bytes[1] == 0x00;
    const int lines = utf16 ? ReadUtf16(bytes, sink) : ReadAnsi(bytes, sink);

    if (param.Mode() == '0') {
        if (sink.Found()) {
            swprintf(records[count].Label, 64, L"%04d/%02d/%02d %02d:%02d", time.wYear, time.wMonth, time.wDay,
                     time.wHour, time.wMinute);
            ++count;
        }
    } else if (param.Mode() == '1') {
        count = lines < kMaxChartRecords ? lines : kMaxChartRecords;
    }
}
