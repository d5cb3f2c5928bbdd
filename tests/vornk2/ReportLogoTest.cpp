#include <gtest/gtest.h>

#include <cstring>

#include "CEcrGraphic.h"
#include "CEcrReportGroup.h"
#include "CEcrReportSet.h"
#include "FieldCodec.h"
#include "VornK2Library.h"

namespace {

constexpr int WND_REPORT_SET = 3;
constexpr int WND_REPORTS = 24;
constexpr int KEY_DEPT = 2;
constexpr int KEY_PLU = 3;

// A raw report as the register delivers it: header, then the records.
std::string RawReport(S_ECR_TABLE* definition, int key, const std::vector<std::vector<const wchar_t*>>& rows)
{
    std::string records(rows.size() * definition->RecordSize, '\0');
    for (size_t r = 0; r < rows.size(); ++r)
        for (int c = 0; c < definition->FieldCount; ++c)
            ParseField(&definition->Fields()[c], CString(rows[r][c]),
                       reinterpret_cast<BYTE*>(&records[r * definition->RecordSize + definition->Fields()[c].Offset]));
    UINT32 header[3] = {static_cast<UINT32>(key), static_cast<UINT32>(definition->RecordSize), static_cast<UINT32>(rows.size())};
    return std::string("VK2R") + std::string(reinterpret_cast<char*>(header), sizeof header) + records;
}

std::vector<std::wstring> ReportListLines()
{
    wchar_t exe[MAX_PATH];
    ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring path(exe);
    std::string bytes = ReadFileBytes(path.substr(0, path.rfind(L'\\') + 1) + L"report.lst");
    std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
    std::vector<std::wstring> lines;
    for (size_t start = 0, end; (end = text.find(L"\r\n", start)) != std::wstring::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

TEST(VornK2Reports, ReportFilesAreListedAndConverted)
{
    VornK2Library lib;
    CEcrData* set = lib.Group(WND_REPORT_SET);
    ASSERT_NE(set, nullptr);
    ASSERT_EQ(set->GroupType, 3);
    S_ECR_TABLE* definition = set->GetTable(KEY_DEPT);
    ASSERT_NE(definition, nullptr);
    EXPECT_STREQ(definition->Label.DefaultText, L"Dept sales");

    WriteFileBytes(lib.PathOf(L"DEPT1230.VKR"), RawReport(definition, KEY_DEPT, {{L"1", L"Food", L"12", L"345.5"}, {L"2", L"Drink", L"3", L"9"}}));
    WriteFileBytes(lib.PathOf(L"BAD0900.VKR"), "garbage");
    ASSERT_TRUE(set->LoadData(lib.Folder().c_str()));
    ASSERT_EQ(ReportFileCount(set), 2);
    const auto* node = ReportFileHead(set);
    EXPECT_EQ(node->data.Key, 0) << "a file without a report header names no report";
    EXPECT_STREQ(node->data.Name, L"BAD0900.VKR");
    EXPECT_EQ(set->GetTable(node->data.Key), nullptr);
    node = node->pNext;
    EXPECT_EQ(node->data.Key, KEY_DEPT);
    EXPECT_STREQ(node->data.Name, L"DEPT1230.VKR");

    CEcrReportSet* reportSet = AsReportSet(set);
    ASSERT_NE(reportSet, nullptr);
    EXPECT_EQ(AsReportGroup(set), nullptr);
    EXPECT_EQ(AsGraphic(set), nullptr);
    EXPECT_FALSE(reportSet->ConvertReport(0, 0));
    EXPECT_FALSE(reportSet->ConvertReport(2, 0));
    ASSERT_TRUE(reportSet->ConvertReport(1, 0));

    // The report viewer's group reads the converted file.
    lib.Settings().Level = 3;
    CEcrData* reports = lib.Group(WND_REPORTS);
    reports->Reset();
    reports->ReloadFromFolder(lib.Folder().c_str());
    S_ECR_TABLE* dept = reports->GetTable(1);
    ASSERT_EQ(dept->RecordCount, 2);
    EXPECT_EQ(VornK2Library::Text(dept, 1, 1), L"Drink");
    EXPECT_EQ(VornK2Library::Text(dept, 0, 3), L"345.500");

    // report.lst: one line per report listed at level 3 (the PLU report, level 2, is not).
    std::vector<std::wstring> lines = ReportListLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], L"") << "nothing converted yet";
    ASSERT_NE(lines[1].find(L"\\DEPT.CSV"), std::wstring::npos);
    EXPECT_EQ(lines[1].find(lib.Folder()), 0u);
    EXPECT_EQ(::GetFileAttributesW(lines[1].c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0ul);

    // Every field quoted for the chart reader, and the raw report's own time.
    std::string csv = ReadFileBytes(lines[1]);
    EXPECT_EQ(csv.substr(0, csv.find("\r\n")), "\"Dept No.\",\"Name\",\"Count\",\"Amount\"");
    EXPECT_NE(csv.find("\"0002\",\"Drink\",\"3\",\"9.0000\""), std::string::npos) << csv;
    WIN32_FILE_ATTRIBUTE_DATA raw, converted;
    ASSERT_TRUE(::GetFileAttributesExW(lib.PathOf(L"DEPT1230.VKR").c_str(), GetFileExInfoStandard, &raw));
    ASSERT_TRUE(::GetFileAttributesExW(lines[1].c_str(), GetFileExInfoStandard, &converted));
    EXPECT_EQ(::CompareFileTime(&raw.ftLastWriteTime, &converted.ftLastWriteTime), 0);

    // Files that cannot be replaced stay whole, and the library says so once.
    lib.TakeMessages();
    ASSERT_TRUE(::SetFileAttributesW(lines[1].c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(reportSet->ConvertReport(1, 0));
    ::SetFileAttributesW(lines[1].c_str(), FILE_ATTRIBUTE_NORMAL);
    std::vector<std::wstring> messages = lib.TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].find(lines[1] + L" could not be written ("), 0u);
    EXPECT_EQ(ReadFileBytes(lines[1]), csv);

    wchar_t exe[MAX_PATH];
    ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring list(exe);
    list = list.substr(0, list.rfind(L'\\') + 1) + L"report.lst";
    ASSERT_TRUE(::SetFileAttributesW(list.c_str(), FILE_ATTRIBUTE_READONLY));
    reports->Reset();
    reports->ReloadFromFolder(lib.Folder().c_str());
    ::SetFileAttributesW(list.c_str(), FILE_ATTRIBUTE_NORMAL);
    messages = lib.TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].find(list + L" could not be written ("), 0u);
    EXPECT_EQ(ReportListLines(), lines);
}

// A converted report holding bytes of the character table reads back; one
// that cannot be read is named, not shown as an empty report without a word.
TEST(VornK2Reports, ConvertedReportsReadBackOrAreNamed)
{
    VornK2Library lib;
    lib.Captions().Map(0xA0, L'\u00D7');
    CEcrData* set = lib.Group(WND_REPORT_SET);
    WriteFileBytes(lib.PathOf(L"DEPT1230.VKR"), RawReport(set->GetTable(KEY_DEPT), KEY_DEPT, {{L"1", L"Cola \u00D7 2", L"1", L"2"}}));
    ASSERT_TRUE(set->LoadData(lib.Folder().c_str()));
    ASSERT_TRUE(AsReportSet(set)->ConvertReport(0, 0));
    CEcrData* reports = lib.Group(WND_REPORTS);
    reports->Reset();
    reports->ReloadFromFolder(lib.Folder().c_str());
    ASSERT_EQ(reports->GetTable(1)->RecordCount, 1);
    EXPECT_EQ(VornK2Library::Text(reports->GetTable(1), 0, 1), L"Cola \u00D7 2");
    EXPECT_TRUE(lib.TakeMessages().empty());

    ::CreateDirectoryW(lib.PathOf(L"20261201").c_str(), nullptr);
    WriteFileBytes(lib.PathOf(L"20261201\\FIN.CSV"), "\"Item\",\"Count\"\r\n\"Cash\",\"1\"\r\n");
    reports->Reset();
    reports->ReloadFromFolder(lib.Folder().c_str());
    std::vector<std::wstring> messages = lib.TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], L"This report could not be read and shows no records:\n\n" + lib.PathOf(L"20261201\\FIN.CSV"));
    EXPECT_EQ(reports->GetTable(1)->RecordCount, 1) << "the readable report still shows";

    WriteFileBytes(lib.PathOf(L"20261201\\CLERK.CSV"), "\"Item\",\"Count\"\r\n\"Cash\",\"1\"\r\n");
    reports->Reset();
    reports->ReloadFromFolder(lib.Folder().c_str());
    messages = lib.TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].find(L"These reports could not be read and show no records:\n"), 0u);
}

// A register that cuts a name at its byte limit can leave a lone Shift-JIS
// lead byte. The report keeps every row and the name's bytes, through the
// conversion and the library's own export alike; the name shows what can be
// read and the replacement mark; one message names the report, row, line and
// field, together with any report that cannot be read at all.
TEST(VornK2Reports, ANameCutInTheMiddleOfACharacterKeepsItsReport)
{
    VornK2Library lib;
    CEcrData* set = lib.Group(WND_REPORT_SET);
    S_ECR_TABLE* definition = set->GetTable(KEY_PLU);
    std::string raw = RawReport(definition, KEY_PLU,
                                {{L"1", L"Tea", L"1", L"2"}, {L"2", L"\u30C8\u30DE\u30C8", L"3", L"4"}, {L"3", L"Milk", L"5", L"6"}});
    const S_ECR_FIELD& name = definition->Fields()[1];
    raw[16 + definition->RecordSize + name.Offset + name.Width - 1] = '\x83';
    WriteFileBytes(lib.PathOf(L"PLU1230.VKR"), raw);
    ASSERT_TRUE(set->LoadData(lib.Folder().c_str()));
    ASSERT_TRUE(AsReportSet(set)->ConvertReport(0, 0));
    EXPECT_TRUE(lib.TakeMessages().empty()) << "the conversion keeps the bytes and says nothing";

    ::CreateDirectoryW(lib.PathOf(L"20261201").c_str(), nullptr);
    WriteFileBytes(lib.PathOf(L"20261201\\FIN.CSV"), "\"Item\",\"Count\"\r\n\"Cash\",\"1\"\r\n");
    CEcrData* reports = lib.Group(WND_REPORTS);
    auto readAgain = [&] {
        reports->Reset();
        reports->ReloadFromFolder(lib.Folder().c_str());
        return reports->GetTable(2);
    };
    S_ECR_TABLE* plu = readAgain();
    ASSERT_EQ(plu->RecordCount, 3);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(plu->RecordData), 3 * plu->RecordSize), raw.substr(16));
    EXPECT_EQ(VornK2Library::Text(plu, 1, 1), L"\u30C8\u30DE\u30C8" + std::wstring(17, L' ') + L"\uFFFD");
    EXPECT_EQ(VornK2Library::Text(plu, 2, 1), L"Milk");
    std::vector<std::wstring> messages = lib.TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    const std::wstring csv = ReportListLines().at(2);
    std::wstring::size_type unread = messages[0].find(L"could not be read");
    std::wstring::size_type cut = messages[0].find(L"\nPLU sales, row 2 (line 3 of " + csv + L"): Name");
    EXPECT_NE(unread, std::wstring::npos) << CStringA(messages[0].c_str()).GetString();
    EXPECT_NE(cut, std::wstring::npos) << CStringA(messages[0].c_str()).GetString();

    // The report list's own export of the report reads back byte for byte.
    ::CreateDirectoryW(lib.PathOf(L"20991231").c_str(), nullptr);
    ASSERT_TRUE(reports->ExportCsv(2, lib.PathOf(L"20991231\\PLU.CSV").c_str()));
    plu = readAgain();
    ASSERT_EQ(plu->RecordCount, 3);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(plu->RecordData), 3 * plu->RecordSize), raw.substr(16));
    messages = lib.TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(L"row 2 (line 3 of " + lib.PathOf(L"20991231\\PLU.CSV")), std::wstring::npos);
}

TEST(VornK2Reports, ReportListNamesFullPathsForARelativeDataFolder)
{
    VornK2Library lib;
    CEcrData* reports = lib.Group(WND_REPORTS);
    ::CreateDirectoryW(lib.PathOf(L"20261201").c_str(), nullptr);
    WriteFileBytes(lib.PathOf(L"20261201\\FIN.CSV"), "\"Item\",\"Count\",\"Amount\"\r\n");
    wchar_t current[MAX_PATH];
    ::GetCurrentDirectoryW(MAX_PATH, current);
    ASSERT_TRUE(::SetCurrentDirectoryW(lib.Folder().c_str()));
    reports->Reset();
    reports->ReloadFromFolder(L".");
    ::SetCurrentDirectoryW(current);
    EXPECT_TRUE(lib.TakeMessages().empty()) << "a report of no records reads as one";
    std::vector<std::wstring> lines = ReportListLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], lib.PathOf(L"20261201\\FIN.CSV"));
}

TEST(VornK2Reports, ReportGroupDescribesItsReports)
{
    VornK2Library lib;
    CEcrReportGroup* reports = AsReportGroup(lib.Group(WND_REPORTS));
    ASSERT_NE(reports, nullptr);
    EXPECT_EQ(AsReportSet(lib.Group(WND_REPORTS)), nullptr);
    void** slots = *reinterpret_cast<void***>(reports);
    using CountFn = int(__attribute__((thiscall)) *)(CEcrReportGroup*);
    ASSERT_EQ(reinterpret_cast<CountFn>(slots[16])(reports), 4);
    EXPECT_EQ(reports->GetReportId(1), KEY_DEPT);
    EXPECT_STREQ(reports->GetReportLabel(1)->DefaultText, L"Dept sales");
    EXPECT_EQ(reports->GetRangeFieldCount(0), 0);
    EXPECT_EQ(reports->GetRangeFieldCount(1), 2);
    EXPECT_EQ(reports->GetRangeMin(1), 1);
    EXPECT_EQ(reports->GetRangeMax(1), 99);
    EXPECT_EQ(reports->GetRangeFieldCount(3), 1);
    EXPECT_EQ(reports->GetReportLabel(4), nullptr);
}

CEcrGraphic* FirstLogo(VornK2Library& lib)
{
    for (int i = 0; i < lib.Count(); ++i)
        if (CEcrGraphic* logo = AsGraphic(lib.At(i)))
            return logo;
    return nullptr;
}

TEST(VornK2Logos, LogoFileDecodesIntoImageAndTable)
{
    VornK2Library lib;
    CEcrGraphic* logo = FirstLogo(lib);
    ASSERT_NE(logo, nullptr);
    S_ECR_TABLE* size = logo->GetTable(0);
    ASSERT_NE(size, nullptr);
    EXPECT_EQ(size->FieldCount, 384) << "width, known before loading";
    EXPECT_EQ(size->RecordCount, 96) << "height";
    EXPECT_EQ(logo->BitsPerPixel, 1);
    EXPECT_STREQ(logo->LogoName, L"LOGO1");
    EXPECT_FALSE(logo->LoadData(nullptr)) << "no logo file yet";
    EXPECT_EQ(logo->Loaded, 0);

    std::string bits(384 * 96 / 8, '\0');
    bits[0] = '\x80';  // the top-left pixel is black
    WriteFileBytes(lib.PathOf(logo->FileName), bits);
    logo->Reset();
    logo->ReloadFromFolder(lib.Folder().c_str());
    ASSERT_EQ(logo->Loaded, 1);
    ASSERT_NE(logo->Image.m_hObject, nullptr);
    EXPECT_EQ(logo->GetTable(0)->RecordData[0], 1);
    EXPECT_EQ(logo->GetTable(0)->RecordData[1], 0);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, logo->Image.m_hObject);
    EXPECT_EQ(::GetPixel(dc, 0, 0), RGB(0, 0, 0));
    EXPECT_EQ(::GetPixel(dc, 1, 0), RGB(255, 255, 255));
    ::SelectObject(dc, old);
    ::DeleteDC(dc);

    // A converted file of the wrong size does not decode: no stale picture stays.
    WriteFileBytes(lib.PathOf(L"X_LOGO1.ECR"), "short");
    EXPECT_FALSE(logo->LoadLogoPreview(lib.Folder().c_str(), L"X_LOGO1.ECR"));
    EXPECT_EQ(logo->Loaded, 0);
    EXPECT_EQ(logo->Image.m_hObject, nullptr);
    void** slots = *reinterpret_cast<void***>(logo);
    using PreviewFn = BOOL(__attribute__((thiscall)) *)(CEcrGraphic*, const wchar_t*, const wchar_t*);
    EXPECT_TRUE(reinterpret_cast<PreviewFn>(slots[16])(logo, lib.Folder().c_str(), logo->FileName));
    EXPECT_EQ(logo->Loaded, 1);
}

} // namespace
