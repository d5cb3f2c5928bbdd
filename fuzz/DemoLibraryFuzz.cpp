// The demo model library's readers, damaged: its data files, CSV import, the
// register's raw reports and its logo files. Invariants that keep users'
// data: a damaged data file is never written over; a file it wrote reads
// back the same; a refused import leaves the table byte-identical, and an
// accepted one exports and imports again to the same bytes; a converted raw
// report reads back with every row.
#include <cstring>

#include "CEcrGraphic.h"
#include "CEcrReportSet.h"
#include "FuzzDriver.h"
#include "FuzzFiles.h"
#include "GroupRegistry.h"
#include "LibraryState.h"
#include "TableGroup.h"

namespace {

constexpr int kPlu = 18;
constexpr int kReports = 24;

std::string TableBytes(CEcrData& group)
{
    std::string bytes;
    for (int t = 0; t < group.GetTableCount(); ++t) {
        S_ECR_TABLE* table = group.GetTable(t);
        if (!table)
            continue;
        const int count = table->RecordCount;
        bytes.append(reinterpret_cast<const char*>(&count), sizeof count);
        if (table->RecordData && table->RecordSize > 0)
            bytes.append(reinterpret_cast<const char*>(table->RecordData),
                         static_cast<size_t>(table->RecordCount) * static_cast<size_t>(table->RecordSize));
    }
    return bytes;
}

// The answer to the question which reading of a CSV file is meant.
int g_readingAnswer = IDNO;

int AnswerReading(HWND, LPCWSTR, LPCWSTR, UINT type)
{
    return (type & MB_TYPEMASK) == MB_YESNOCANCEL ? g_readingAnswer : IDOK;
}

// Copies the sample data files a driver needs into its folder.
void CopySample(const std::wstring& folder, const wchar_t* name)
{
    WriteInput(folder + name, ReadSample(std::wstring(L"Data\\") + name));
}

int DataFiles(int argc, wchar_t** argv)
{
    const std::wstring folder = FuzzFolder(L"datafile");
    LibraryState::Instance().SetFolder(folder.c_str());
    const wchar_t* const files[] = {L"DEPT.VK2", L"PLU.VK2", L"CLERK.VK2", L"KEYBOARD.VK2"};
    const int windows[] = {17, 18, 19, 23};
    std::vector<std::string> seeds;
    for (int i = 0; i < 4; ++i) {
        // The first byte picks the file the rest replaces.
        std::string seed = ReadSample(std::wstring(L"Data\\") + files[i]);
        seed.insert(seed.begin(), static_cast<char>(i));
        seeds.push_back(seed);
    }
    return RunFuzzDriver(argc, argv, "data_file", seeds, [&](const std::string& input) {
        if (input.empty())
            return;
        const int which = static_cast<unsigned char>(input[0]) % 4;
        const std::wstring path = folder + files[which];
        WriteInput(path, input.substr(1));
        CEcrData* group = GroupRegistry::Instance().FromWndNo(windows[which]);
        group->Reset();
        group->LoadData(folder.c_str());
        const bool whole = group->Loaded != 0;
        const std::string before = ReadSample(path);
        const BOOL committed = group->CommitData(0);
        if (!whole) {
            FUZZ_CHECK(committed != TRUE, "a damaged data file was committed");
            FUZZ_CHECK(ReadSample(path) == before, "a damaged data file was written over");
            return;
        }
        if (committed != TRUE)
            return;
        const std::string held = TableBytes(*group);
        group->Reset();
        group->LoadData(folder.c_str());
        FUZZ_CHECK(TableBytes(*group) == held, "a data file the library wrote reads back changed");
    });
}

int CsvImport(int argc, wchar_t** argv)
{
    const std::wstring folder = FuzzFolder(L"csvimport");
    LibraryState::Instance().SetFolder(folder.c_str());
    CopySample(folder, L"PLU.VK2");
    CEcrData* plu = GroupRegistry::Instance().FromWndNo(kPlu);
    plu->Reset();
    plu->LoadData(folder.c_str());
    const std::wstring exported = folder + L"export.csv";
    plu->ExportCsv(0, exported.c_str());
    std::vector<std::string> seeds = {ReadSample(exported),
                                      "PLU Code,Name\r\n1,\"Tea, green\"\r\n2,\"two\r\nlines\"\r\n"};
    const std::string original = TableBytes(*plu);
    AfxSetMessageBoxHandler(AnswerReading);
    return RunFuzzDriver(argc, argv, "csv_import", seeds, [&](const std::string& input) {
        const std::wstring path = folder + L"import.csv";
        WriteInput(path, input);
        const std::string before = TableBytes(*plu);
        // A file that reads two ways is read either way, or not at all.
        const int answers[] = {IDYES, IDNO, IDCANCEL};
        g_readingAnswer = answers[input.size() % 3];
        if (!plu->ImportCsv(0, path.c_str())) {
            FUZZ_CHECK(TableBytes(*plu) == before, "a refused import changed the table");
            return;
        }
        const std::string imported = TableBytes(*plu);
        FUZZ_CHECK(plu->ExportCsv(0, exported.c_str()), "an imported table does not export");
        // The export holds the register's bytes, which is the code page's reading.
        g_readingAnswer = IDNO;
        FUZZ_CHECK(plu->ImportCsv(0, exported.c_str()), "the library's own export is refused");
        FUZZ_CHECK(TableBytes(*plu) == imported, "export and import change the table");
        // Back to the sample for the next input.
        plu->Reset();
        plu->LoadData(folder.c_str());
        FUZZ_CHECK(TableBytes(*plu) == original, "the sample table changed on disk");
    });
}

int RawReports(int argc, wchar_t** argv)
{
    const std::wstring folder = FuzzFolder(L"rawreport");
    LibraryState::Instance().SetFolder(folder.c_str());
    std::vector<std::string> seeds = ReadSamples(L"Data\\*.VKR");
    return RunFuzzDriver(argc, argv, "report_raw", seeds, [&](const std::string& input) {
        WriteInput(folder + L"PLU0900.VKR", input);
        CEcrReportSet* set = AsReportSet(GroupRegistry::Instance().FromWndNo(3));
        FUZZ_CHECK(set != nullptr, "no report set");
        set->LoadData(folder.c_str());
        for (int i = 0; i < ReportFileCount(set); ++i) {
            if (!set->ConvertReport(i, 0))
                continue;
            // The report viewer shows every row of a converted report: no
            // damaged name or number hides it. Its tables follow the keys.
            UINT32 key = 0, count = 0;
            std::memcpy(&key, input.data() + 4, sizeof key);
            std::memcpy(&count, input.data() + 12, sizeof count);
            CEcrData* reports = GroupRegistry::Instance().FromWndNo(kReports);
            reports->Reset();
            reports->ReloadFromFolder(folder.c_str());
            S_ECR_TABLE* table = reports->GetTable(static_cast<int>(key) - 1);
            FUZZ_CHECK(table && static_cast<UINT32>(table->RecordCount) == count,
                       "a converted report reads back without all its rows");
        }
    });
}

int LogoFiles(int argc, wchar_t** argv)
{
    const std::wstring folder = FuzzFolder(L"logofile");
    std::vector<std::string> seeds = {ReadSample(L"Data\\LOGO1.ECR"), ReadSample(L"Data\\LOGO2.ECR")};
    return RunFuzzDriver(argc, argv, "logo_file", seeds, [&](const std::string& input) {
        WriteInput(folder + L"X_LOGO.ECR", input);
        for (int i = 0; i < GroupRegistry::Instance().Count(); ++i) {
            CEcrGraphic* logo = AsGraphic(GroupRegistry::Instance().FromIndex(i));
            if (logo)
                logo->LoadLogoPreview(folder.c_str(), L"X_LOGO.ECR");
        }
    });
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    SilenceMessageBoxes();
    const std::wstring self(argv[0]);
    if (self.find(L"csv_import") != std::wstring::npos)
        return CsvImport(argc, argv);
    if (self.find(L"report_raw") != std::wstring::npos)
        return RawReports(argc, argv);
    if (self.find(L"logo_file") != std::wstring::npos)
        return LogoFiles(argc, argv);
    return DataFiles(argc, argv);
}
