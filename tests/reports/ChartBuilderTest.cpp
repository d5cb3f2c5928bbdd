#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CaptionText.h"
#include "ChartBuilder.h"
#include "ChartTestFiles.h"
#include "MessageBoxRecorder.h"
#include "TempFolder.h"
#include "TestFiles.h"

namespace {

struct ViewerStart
{
    std::wstring viewer;
    std::wstring arguments;
    std::string chart;  // the chart file as the viewer found it
};

std::vector<ViewerStart> g_starts;
std::wstring g_chartFile;

bool RecordStart(const CString& viewer, const CString& arguments)
{
    g_starts.push_back({viewer.GetString(), arguments.GetString(), ReadBytes(g_chartFile)});
    return true;
}

std::vector<S_CHART_DATA> Records(const std::string& bytes)
{
    std::vector<S_CHART_DATA> records(bytes.size() / sizeof(S_CHART_DATA));
    memcpy(records.data(), bytes.data(), records.size() * sizeof(S_CHART_DATA));
    return records;
}

class ChartBuilderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_starts.clear();
        g_chartFile = root / L"EcrChart.dat";
        ::CreateDirectoryW((root / L"Data").c_str(), nullptr);
    }

    void Prm(const std::vector<ChartDefinition>& lines)
    {
        std::string text;
        for (const ChartDefinition& line : lines)
            text += line.Line() + "\r\n";
        root.Write(L"model Chart.prm", text);
    }

    // One report CSV in a folder below root, with its last-write time.
    void Report(const std::wstring& folder, const std::wstring& name, const std::wstring& amount, WORD day)
    {
        ::CreateDirectoryW((root / folder).c_str(), nullptr);
        const std::wstring path = root / (folder + L"\\" + name);
        WriteBytes(path, AnsiCsv(L"\"Total\",\"Amount\"\n\"Sales\",\"" + amount + L"\"\n"));
        SYSTEMTIME local = {2026, 11, 0, day, 10, 30, 0, 0};
        FILETIME localTime, utc;
        ::SystemTimeToFileTime(&local, &localTime);
        ::LocalFileTimeToFileTime(&localTime, &utc);
        HANDLE file = ::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ::SetFileTime(file, nullptr, nullptr, &utc);
        ::CloseHandle(file);
    }

    void Build(const std::wstring& report)
    {
        ChartBuilder builder(RecordStart);
        builder.BuildChart((root / L"model Chart.prm").c_str(), (root / report).c_str(), g_chartFile.c_str(),
                           L"C:\\Tilldesk\\Plotvane.exe");
    }

    TempFolder root;
};

TEST_F(ChartBuilderTest, FilePerPointChartsTheReportsFolderAndItsDatedSiblings)
{
    ChartDefinition perFile;
    perFile.valueField = 1;
    perFile.valueLine = 1;
    Prm({perFile});
    Report(L"20261103", L"PLU1230.csv", L"300", 3);
    Report(L"20261101", L"plu0930.CSV", L"100", 1);
    Report(L"20261102", L"PLU1000.csv", L"200", 2);
    Report(L"20261102", L"DEPT1000.csv", L"999", 2);  // another report
    Report(L"2026110", L"PLU1.csv", L"7", 4);           // 7 digits: no history folder
    Report(L"2026110x", L"PLU2.csv", L"8", 5);          // a letter: no history folder

    Build(L"20261103\\PLU1230.csv");
    ASSERT_EQ(g_starts.size(), 1u);
    std::vector<S_CHART_DATA> records = Records(g_starts[0].chart);
    ASSERT_EQ(records.size(), 3u);
    // Sorted by label, i.e. by time.
    EXPECT_STREQ(records[0].Label, L"2026/11/01 10:30");
    EXPECT_EQ(records[0].Value, 100.0);
    EXPECT_STREQ(records[2].Label, L"2026/11/03 10:30");
    EXPECT_EQ(records[2].Value, 300.0);
    EXPECT_EQ(g_starts[0].viewer, L"C:\\Tilldesk\\Plotvane.exe");
    EXPECT_EQ(g_starts[0].arguments, g_chartFile + L"|PLU|PLU1230|0|0|Sales           |Count           |0");
    EXPECT_EQ(ReadBytes(g_chartFile), g_starts[0].chart);
}

TEST_F(ChartBuilderTest, LinePerPointSortsByValueAndEachMatchingLineStartsItsViewer)
{
    ChartDefinition byValue;
    byValue.mode = '1';
    byValue.labelField = 0;
    byValue.valueField = 1;
    byValue.sortByLabel = '0';
    byValue.second = '1';
    byValue.value2Field = 2;
    ChartDefinition single = byValue;
    single.single = '1';
    ChartDefinition otherKey = byValue;
    otherKey.key = "DEPT";
    ChartDefinition noMode = byValue;
    noMode.mode = '2';
    Prm({byValue, otherKey, noMode, single});
    ::CreateDirectoryW((root / L"Data").c_str(), nullptr);
    WriteBytes(root / L"Data\\PLU0815.csv", AnsiCsv(L"\"Tea\",\"120\",\"3\"\n\"Cake\",\"480\",\"6\"\n\"Milk\",\"90\",\"1\"\n"));

    Build(L"Data\\PLU0815.csv");
    ASSERT_EQ(g_starts.size(), 2u) << "the DEPT line does not match, mode 2 makes no chart";
    std::vector<S_CHART_DATA> first = Records(g_starts[0].chart);
    ASSERT_EQ(first.size(), 3u);
    EXPECT_STREQ(first[0].Label, L"Cake");
    EXPECT_STREQ(first[2].Label, L"Milk");
    EXPECT_EQ(first[0].Value2, 6.0);
    EXPECT_EQ(g_starts[0].arguments, g_chartFile + L"|PLU|PLU0815|1|0|Sales           |Count           |1");
    // The single-value line collects no second value and says so.
    std::vector<S_CHART_DATA> second = Records(g_starts[1].chart);
    EXPECT_EQ(second[0].Value2, 0.0);
    EXPECT_EQ(second[0].Value2Text[0], L'\0');
    EXPECT_EQ(g_starts[1].arguments, g_chartFile + L"|PLU|PLU0815|1|1|Sales           |Count           |0");
}

TEST_F(ChartBuilderTest, NothingCollectedOrNoParameterFileStartsNoViewer)
{
    ChartDefinition perFile;
    perFile.valueField = 5;  // no such field
    Prm({perFile});
    WriteBytes(root / L"Data\\PLU0815.csv", AnsiCsv(L"\"Tea\",\"120\"\n"));
    Build(L"Data\\PLU0815.csv");
    EXPECT_TRUE(g_starts.empty());
    EXPECT_FALSE(FileExists(g_chartFile));

    ::DeleteFileW((root / L"model Chart.prm").c_str());
    Build(L"Data\\PLU0815.csv");
    EXPECT_TRUE(g_starts.empty());
}

// A chart file that cannot be replaced stays whole, starts no viewer and is
// told once, however many lines match.
TEST_F(ChartBuilderTest, AnUnwritableChartFileIsToldOnce)
{
    ChartDefinition byValue;
    byValue.mode = '1';
    byValue.labelField = 0;
    byValue.valueField = 1;
    Prm({byValue, byValue});
    WriteBytes(root / L"Data\\PLU0815.csv", AnsiCsv(L"\"Tea\",\"120\"\n"));
    WriteBytes(g_chartFile, "old chart");
    ASSERT_TRUE(::SetFileAttributesW(g_chartFile.c_str(), FILE_ATTRIBUTE_READONLY));
    MessageBoxRecorder boxes;
    Build(L"Data\\PLU0815.csv");
    ::SetFileAttributesW(g_chartFile.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(g_starts.empty());
    EXPECT_EQ(ReadBytes(g_chartFile), "old chart");
    std::vector<MessageBoxRecorder::Box> asked = boxes.Boxes();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, WriteFailureText(g_chartFile.c_str(), ERROR_ACCESS_DENIED).GetString());
}

TEST_F(ChartBuilderTest, OverlongAndShortParameterLinesStayOneDefinitionEach)
{
    ChartDefinition perLine;
    perLine.mode = '1';
    // 59 columns, then junk that looks like another definition for PLU.
    std::string text = perLine.Line() + "PLU     1000Junk" + "\r\n" + "PLU     1" + "\r\n";
    root.Write(L"model Chart.prm", text);
    WriteBytes(root / L"Data\\PLU0815.csv", AnsiCsv(L"\"Tea\"\n"));
    Build(L"Data\\PLU0815.csv");
    // The first line and the short third line chart; the tail of the first is no line.
    EXPECT_EQ(g_starts.size(), 2u);
}

} // namespace
