// The PLU table of 20,000 records: loading its file, formatting and parsing
// every field, CSV export and import. Each figure comes with a reference
// doing the plain part of the same work in the same run.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "AtomicFile.h"
#include "BenchPlus.h"
#include "CsvExchange.h"
#include "FieldCodec.h"
#include "GroupRegistry.h"
#include "ReportKind.h"
#include "Stopwatch.h"
#include "TableGroup.h"

namespace {

constexpr int kRecords = 20000;
constexpr int kRuns = 5;
volatile long long g_sink;

void Report(const char* name, double ms, const char* reference, double refMs)
{
    std::printf("%-28s %9.2f ms   %-34s %9.2f ms   ratio %6.2f\n", name, ms, reference, refMs, refMs > 0 ? ms / refMs : 0.0);
}

// The field's bytes as one integer, for the references.
long long RawValue(const BYTE* p, int length)
{
    long long v = 0;
    std::memcpy(&v, p, length > 8 ? 8 : length);
    return v;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const CString folder = WriteBenchPlus(argc, argv, kRecords);
    if (folder.IsEmpty())
        return 1;
    auto* plu = static_cast<TableGroup*>(GroupRegistry::Instance().FromWndNo(18));
    CString file = JoinPath(folder, plu->FileName);
    EcrTable& table = plu->Table(0);
    std::printf("PLU table: %d records of %d bytes, %d fields\n\n", kRecords, table.RecordSize(), table.FieldCount());

    // Loading the file.
    double load = BestOf(kRuns, [&] {
        plu->Reset();
        plu->ReloadFromFolder(folder);
    });
    double read = BestOf(kRuns, [&] {
        std::vector<BYTE> bytes;
        AtomicFile::Read(file, bytes, 1u << 30);
        g_sink = static_cast<long long>(bytes.size());
    });
    if (table.Count() != kRecords) {
        std::fprintf(stderr, "bench: loaded %d records\n", table.Count());
        return 1;
    }
    Report("load PLU.VK2", load, "plain read of the file", read);

    // Formatting and parsing every field.
    S_ECR_TABLE* t = table.Table();
    std::vector<CString> texts(static_cast<size_t>(kRecords) * t->FieldCount);
    double format = BestOf(kRuns, [&] {
        for (int r = 0; r < kRecords; ++r)
            for (int c = 0; c < t->FieldCount; ++c)
                FormatField(&t->Fields()[c], FieldPtr(t, r, c), texts[static_cast<size_t>(r) * t->FieldCount + c]);
    });
    double sprintfRef = BestOf(kRuns, [&] {
        wchar_t buffer[64];
        for (int r = 0; r < kRecords; ++r)
            for (int c = 0; c < t->FieldCount; ++c) {
                _snwprintf(buffer, 64, L"%I64d", RawValue(FieldPtr(t, r, c), FieldByteLength(t->Fields()[c])));
                g_sink = g_sink + buffer[0];
            }
    });
    Report("FormatField, every field", format, "swprintf %I64d of the same values", sprintfRef);

    std::vector<BYTE> scratch(t->RecordSize);
    double parse = BestOf(kRuns, [&] {
        for (int r = 0; r < kRecords; ++r)
            for (int c = 0; c < t->FieldCount; ++c)
                ParseField(&t->Fields()[c], texts[static_cast<size_t>(r) * t->FieldCount + c], scratch.data() + t->Fields()[c].Offset);
    });
    std::vector<std::string> ansi;
    for (const CString& text : texts)
        ansi.emplace_back(CStringA(text).GetString());
    double strtolRef = BestOf(kRuns, [&] {
        for (const std::string& s : ansi)
            g_sink = g_sink + strtol(s.c_str(), nullptr, 10);
    });
    Report("ParseField, every field", parse, "strtol of the same texts", strtolRef);

    // CSV export and import. The sample holds one discount out of range on
    // purpose, which an import refuses: bring it into range first.
    for (int c = 0; c < t->FieldCount; ++c)
        if (CString(t->Fields()[c].Label.DefaultText) == L"Discount %")
            ParseField(&t->Fields()[c], L"0", FieldPtr(t, 2, c));
    CString csv = JoinPath(folder, L"PLU.CSV");
    double exportMs = BestOf(kRuns, [&] { CsvExchange::Export(table, csv); });
    double exportRef = BestOf(kRuns, [&] {
        std::string out;
        char buffer[32];
        for (int r = 0; r < kRecords; ++r) {
            for (int c = 0; c < t->FieldCount; ++c) {
                std::snprintf(buffer, sizeof buffer, "%lld,", RawValue(FieldPtr(t, r, c), FieldByteLength(t->Fields()[c])));
                out += buffer;
            }
            out += "\r\n";
        }
        AtomicFile::Write(JoinPath(folder, L"REF.CSV"), out.data(), out.size());
    });
    Report("CSV export", exportMs, "sprintf of the values + file write", exportRef);

    CString errors;
    double importMs = BestOf(kRuns, [&] {
        if (!CsvExchange::Import(table, csv, errors, CsvExchange::Origin::Library))
            std::fprintf(stderr, "bench: import refused: %s\n", CStringA(errors).GetString());
    });
    double importRef = BestOf(kRuns, [&] {
        std::vector<BYTE> bytes;
        AtomicFile::Read(csv, bytes, 1u << 30);
        const char* p = reinterpret_cast<const char*>(bytes.data());
        const char* end = p + bytes.size();
        while (p < end) {
            char* next;
            g_sink = g_sink + strtol(p, &next, 10);
            p = next > p ? next : p + 1;
        }
    });
    Report("CSV import", importMs, "file read + strtol over it", importRef);
    return table.Count() == kRecords ? 0 : 1;
}
