// Converting a raw PLU report of 20,000 records into its CSV file, against a
// plain write of the same CSV bytes in the same run.
#include <cstdio>

#include "AtomicFile.h"
#include "CEcrReportSet.h"
#include "ReportKind.h"
#include "ReportSet.h"
#include "Stopwatch.h"
#include "TableFiller.h"
#include "VornK2Model.h"

int wmain()
{
    constexpr int kRecords = 20000;
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    const CString folder = CString(temp) + L"tilldesk-conversion-bench";
    ::CreateDirectoryW(folder, nullptr);

    const std::vector<ReportKind> kinds = VornK2Model::ReportKinds();
    const ReportKind& plu = kinds[2];
    EcrTable rows(plu.layout, plu.fields);
    {
        TableFiller filler(rows);
        for (int i = 0; i < kRecords; ++i) {
            CString code, count, amount;
            code.Format(L"%d", 4900000010000 + i);
            count.Format(L"%d", 1 + i % 9);
            amount.Format(L"%d.%04d", 100 + i % 5000, i % 10000);
            filler.Add({code, L"Green tea 500ml", count, amount});
        }
    }
    const std::vector<BYTE> raw = ReportSet::EncodeRaw(plu.key, rows);
    AtomicFile::Write(folder + L"\\PLU1230.VKR", raw.data(), raw.size());

    ReportSet set(10, kinds);
    set.LoadData(folder);
    const double convert = BestOf(5, [&] { set.ConvertReport(0, 0); });

    // The CSV the conversion wrote, written again plainly.
    WIN32_FILE_ATTRIBUTE_DATA info;
    ::GetFileAttributesExW(folder + L"\\PLU1230.VKR", GetFileExInfoStandard, &info);
    const CString csv = folder + L"\\" + DateFolderName(info.ftLastWriteTime) + L"\\PLU.CSV";
    std::vector<BYTE> bytes;
    AtomicFile::Read(csv, bytes, 1u << 30);
    const double plain = BestOf(5, [&] { AtomicFile::Write(folder + L"\\plain.csv", bytes.data(), bytes.size()); });
    std::printf("%-30s %9.2f ms   %-32s %9.2f ms   ratio %6.2f   (%zu bytes)\n", "Convert 20,000 PLU records",
                convert, "plain write of the same bytes", plain, plain > 0 ? convert / plain : 0.0, bytes.size());
    return 0;
}
