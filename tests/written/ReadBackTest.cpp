// The committed reference, which either build may have written, read back
// with the program's and the stand-ins' own readers: what one build writes,
// the other reads.
#include <gtest/gtest.h>

#include "CCaptionMgr.h"
#include "CEcrReportSet.h"
#include "ChartFile.h"
#include "ChartParamLine.h"
#include "FieldCodec.h"
#include "FixedRecords.h"
#include "FolderTree.h"
#include "GroupRegistry.h"
#include "KeyLayout.h"
#include "LogoConversion.h"
#include "MessageBoxRecorder.h"
#include "RegisterText.h"
#include "ReportCsvReader.h"
#include "ReportOpener.h"
#include "S_ECR_SETTING.h"
#include "TempFolder.h"
#include "TestFiles.h"
#include "VornK2Model.h"
#include "WrittenSet.h"

namespace {

// A copy of the reference: readers may write (the settings at exit, the
// report conversion), and the reference stays as committed.
class Reference : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(932u, ThreadCodePage()) << "register text is Shift-JIS: run with LC_ALL=ja_JP.UTF-8";
        ASSERT_TRUE(CopyTree(WrittenSet::ReferenceFolder(), copy.Path())) << "no reference beside the test";
    }
    void TearDown() override { EXPECT_EQ(0u, boxes.Count()) << "a reader told of a failure"; }

    std::wstring Path(const std::wstring& relative) const { return copy / relative; }

    static std::wstring Text(TableGroup& group, int table, int record, int field)
    {
        S_ECR_TABLE* t = group.GetTable(table);
        CString text;
        FormatFieldExact(&t->Fields()[field], FieldPtr(t, record, field), text);
        return text.GetString();
    }
    // The records the fixed inputs give each table of a group.
    static std::vector<std::vector<BYTE>> FixedRecordsOf(TableGroup& group)
    {
        group.Reset();
        FixedRecords::Fill(group);
        std::vector<std::vector<BYTE>> records;
        for (int t = 0; t < group.GetTableCount(); ++t)
            records.push_back(group.Table(t).Records());
        group.Reset();
        return records;
    }

    MessageBoxRecorder boxes;
    TempFolder copy;
};

} // namespace

TEST_F(Reference, DataFilesAndTheExportedCsvGiveTheFixedRecords)
{
    for (const wchar_t* name : FixedRecords::TableGroupNames()) {
        TableGroup* group = FixedRecords::TableGroupNamed(name);
        ASSERT_NE(nullptr, group) << name;
        const auto fixed = FixedRecordsOf(*group);
        EXPECT_EQ(TRUE, group->LoadData(Path(L"Data").c_str())) << name << " is read whole";
        for (int t = 0; t < group->GetTableCount(); ++t)
            EXPECT_EQ(fixed[t], group->Table(t).Records()) << name << ", table " << t;
    }
    TableGroup& dept = *FixedRecords::TableGroupNamed(L"DEPT");
    EXPECT_EQ(L"果物", Text(dept, 0, 1, 1));
    EXPECT_EQ(L"-0.0125", Text(dept, 0, 1, 2));
    TableGroup& plu = *FixedRecords::TableGroupNamed(L"PLU");
    EXPECT_EQ(L"4901234567894", Text(plu, 0, 0, 0));
    EXPECT_EQ(L"りんご \"ふじ\", 2個", Text(plu, 0, 0, 1));
    EXPECT_EQ(L"12345678901234", Text(plu, 0, 0, 10));

    const auto fixed = FixedRecordsOf(plu);
    EXPECT_EQ(TRUE, plu.ImportCsv(0, Path(L"Export\\PLU.CSV").c_str()));
    EXPECT_EQ(fixed[0], plu.Table(0).Records());
}

TEST_F(Reference, SettingsReadAsWritten)
{
    CurrentDirectoryScope here(copy.Path());
    S_ECR_SETTING settings;
    EXPECT_EQ(L".\\Data", settings.DataPath);
    EXPECT_EQ(L"02 VORN-K2", settings.EcrName);
    EXPECT_EQ(static_cast<int>(0xC801A8C0u), settings.IpREG);
    EXPECT_EQ(L"C:\\Program Files\\Vorn\\Tillmark.exe", settings.Tillmark);
    EXPECT_EQ(L" findds.avi", settings.LogoAnim);
    EXPECT_EQ(38400, settings.BaudRate);
    EXPECT_EQ(L".\\送信.avi", settings.SAnime);
    EXPECT_EQ(L".\\Café.avi", settings.RAnime);
}

TEST_F(Reference, CaptionsReadAsWritten)
{
    CCaptionMgr captions;
    ASSERT_TRUE(captions.SetCaptionFile(Path(L"Cap").c_str(), L"WRITTEN", L"ENG"));
    const S_ECR_CAP* titled = captions.GetCaption(1, 0);
    ASSERT_NE(nullptr, titled);
    EXPECT_EQ(L"データフォルダー", titled->Text);
    EXPECT_EQ(1, titled->TipOn);
    EXPECT_EQ(L"Where the register's files are kept", titled->TipText);
    LOGFONTW font = {};
    ASSERT_TRUE(titled->Font.GetLogFont(&font));
    EXPECT_EQ(-12, font.lfHeight);
    EXPECT_EQ(FW_BOLD, font.lfWeight);
    EXPECT_EQ(SHIFTJIS_CHARSET, font.lfCharSet);
    EXPECT_STREQ(L"MS UI Gothic", font.lfFaceName);
    const S_ECR_CAP* twoLines = captions.GetCaption(1, 1);
    ASSERT_NE(nullptr, twoLines);
    EXPECT_EQ(L"Send\r\nall", twoLines->Text);
    EXPECT_EQ(nullptr, twoLines->Font.GetSafeHandle());
    const S_ECR_CAP* path = captions.GetCaption(16, 3);
    ASSERT_NE(nullptr, path);
    EXPECT_EQ(L"C:\\Data\\", path->Text);
}

TEST_F(Reference, KeyLayoutReadsAsTheLayoutProgramShowsIt)
{
    CurrentDirectoryScope here(copy.Path());  // Tilldesk.ini there names .\Data
    FixedRecords::TableGroupNamed(L"KEYBOARD")->Reset();
    KeyLayout layout;
    std::wstring error;
    ASSERT_TRUE(KeyLayout::Read(layout, error)) << error;
    ASSERT_EQ(2, layout.rows);
    ASSERT_EQ(10, layout.cols);
    EXPECT_EQ(L"PLU 1", layout.At(0, 0).name);
    EXPECT_TRUE(layout.At(0, 0).assignable);
    EXPECT_EQ(L"現金", layout.At(1, 2).name);
    EXPECT_FALSE(layout.At(1, 2).assignable);
    EXPECT_EQ(L"PLU 2", layout.At(0, 3).name) << "the key assigned on the map";
    EXPECT_EQ(L"PLU 1", layout.At(1, 9).name);
    ASSERT_EQ(1u, layout.merged.size());
    EXPECT_EQ(0, layout.merged[0].firstRow);
    EXPECT_EQ(1, layout.merged[0].firstCol);
    EXPECT_EQ(1, layout.merged[0].lastRow);
    EXPECT_EQ(2, layout.merged[0].lastCol);
}

TEST_F(Reference, RawReportsConvertToTheReferenceAndTheListNamesThem)
{
    CEcrReportSet* set = AsReportSet(GroupRegistry::Instance().FromWndNo(VornK2Model::WND_REPORT_SET));
    ASSERT_NE(nullptr, set);
    // Copied files carry the time of the copy; the register's time puts
    // the conversion where the reference has it.
    for (const wchar_t* raw : {L"Data\\DEPT1230.VKR", L"Data\\FIN1230.VKR"})
        ASSERT_TRUE(WrittenSet::StampFile(Path(raw), WrittenSet::ReportTime()));
    ASSERT_EQ(TRUE, set->LoadData(Path(L"Data").c_str()));
    ASSERT_EQ(2, ReportFileCount(set));
    const std::wstring dateFolder = L"Data\\" + std::wstring(DateFolderName(WrittenSet::ReportTime()).GetString());
    for (const wchar_t* report : {L"\\DEPT.CSV", L"\\FIN.CSV"})
        ASSERT_TRUE(::DeleteFileW(Path(dateFolder + report).c_str())) << "the copy's conversion goes first";
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(TRUE, set->ConvertReport(i, 0));
    for (const wchar_t* report : {L"\\DEPT.CSV", L"\\FIN.CSV"}) {
        const std::wstring csv = dateFolder + report;
        EXPECT_EQ(ReadBytes(WrittenSet::ReferenceFolder() + L"\\" + csv), ReadBytes(Path(csv))) << csv;
    }

    const CString list = Path(L"report.lst").c_str();
    CString line;
    ASSERT_TRUE(ReportOpener::ReadListLine(list, 0, line));
    EXPECT_EQ(WrittenSet::Path(dateFolder + L"\\FIN.CSV").c_str(), line);
    ASSERT_TRUE(ReportOpener::ReadListLine(list, 2, line));
    EXPECT_EQ(L"", line) << "PLU sales were not delivered";

    std::vector<S_CHART_DATA> records(kMaxChartRecords);
    int count = 0;
    const ChartParamLine definition(WrittenSet::kChartDefinition);
    ReadReportCsv(Path(dateFolder + L"\\DEPT.CSV").c_str(), definition, records.data(), count, SYSTEMTIME{});
    ASSERT_EQ(3, count) << "the names' line and two departments";
    EXPECT_STREQ(L"野菜", records[1].Label);
    EXPECT_EQ(5406.0, records[1].Value);
    EXPECT_EQ(17.0, records[1].Value2);
}

TEST_F(Reference, ChartFileReadsAsTheChartViewerReadsIt)
{
    ChartFile chart;
    CString error;
    const std::wstring arguments = Path(L"EcrChart.dat") + L"|DEPT|DEPT|1|0|Amount|Count|1";
    ASSERT_TRUE(chart.Load(arguments.c_str(), error)) << error.GetString();
    // Sorted by value, largest first; the names' line, last, is no item.
    ASSERT_EQ(2u, chart.Records.size());
    EXPECT_STREQ(L"野菜", chart.Records[0].Label);
    EXPECT_EQ(5406.0, chart.Records[0].Value);
    EXPECT_STREQ(L"17", chart.Records[0].Value2Text);
    EXPECT_EQ(2544.25, chart.Records[1].Value);
}

TEST_F(Reference, LogosReadAsTheLibraryAndTheConverterReadThem)
{
    CEcrGraphic* logo = FixedRecords::LogoNamed(L"LOGO1");
    CEcrGraphic* blank = FixedRecords::LogoNamed(L"LOGO2");
    ASSERT_TRUE(logo && blank);
    const S_ECR_TABLE* size = logo->GetTable(0);
    std::vector<BYTE> converted;
    ASSERT_EQ(ConversionError::None,
              ConvertBitmapFile(Path(L"Bmp\\temp.bmp"), size->FieldCount, size->RecordCount, converted));
    const std::string logoFile = ReadBytes(Path(L"Data\\LOGO1.ECR"));
    EXPECT_EQ(logoFile, std::string(converted.begin(), converted.end())) << "temp.bmp converts to the logo again";
    EXPECT_EQ(logoFile, ReadBytes(Path(L"Bmp\\PHOTO_LOGO1.ECR")));

    EXPECT_EQ(TRUE, logo->LoadLogoPreview(Path(L"Bmp").c_str(), L"PHOTO_LOGO1.ECR"));
    logo->ReloadFromFolder(Path(L"Data").c_str());
    ASSERT_EQ(1, logo->Loaded);
    S_ECR_TABLE* dots = logo->GetTable(0);
    EXPECT_EQ(1, *FieldPtr(dots, 0, 0)) << "the picture's frame";
    EXPECT_EQ(1, *FieldPtr(dots, 40, 120)) << "the grey block";
    EXPECT_EQ(0, *FieldPtr(dots, 10, 10)) << "white";
    EXPECT_EQ(0, *FieldPtr(dots, 80, 300)) << "beyond the picture";

    blank->ReloadFromFolder(Path(L"Data").c_str());
    EXPECT_EQ(1, blank->Loaded);
    const S_ECR_TABLE* blankSize = blank->GetTable(0);
    EXPECT_EQ(std::string(static_cast<size_t>(blankSize->FieldCount * blankSize->RecordCount / 8), '\0'),
              ReadBytes(Path(L"Data\\LOGO2.ECR")));
}
