#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ChartTestFiles.h"
#include "ReportOpener.h"
#include "TempFolder.h"
#include "TestFiles.h"

namespace {

std::vector<std::pair<std::wstring, std::wstring>> g_opened, g_viewed;

bool RecordOpener(const CString& opener, const CString& parameter)
{
    g_opened.emplace_back(opener.GetString(), parameter.GetString());
    return true;
}

bool RecordViewer(const CString& viewer, const CString& arguments)
{
    g_viewed.emplace_back(viewer.GetString(), arguments.GetString());
    return true;
}

struct ReportOpenerTest : ::testing::Test
{
    TempFolder program;
    std::wstring folder;

    void SetUp() override
    {
        g_opened.clear();
        g_viewed.clear();
        folder = program.Path() + L"\\";
    }
    void List(const std::wstring& text) { program.Write(L"report.lst", Utf16(text, false)); }
    ReportOpener::Result Open(int selection)
    {
        ReportOpener opener(RecordOpener, RecordViewer);
        return opener.Open(selection, folder.c_str(), L"02 VORN-K2");
    }
};

TEST_F(ReportOpenerTest, OpensTheListedCsvAndBuildsItsChart)
{
    ChartDefinition perLine;
    perLine.key = "DEPT";
    perLine.mode = '1';
    program.Write(L"02 VORN-K2Chart.prm", perLine.Line() + "\r\n");
    const std::wstring csv = program / L"Data\\DEPT.CSV";
    ::CreateDirectoryW((program / L"Data").c_str(), nullptr);
    WriteBytes(csv, AnsiCsv(L"\"Food\"\n\"Drink\"\n"));
    List(L"\r\n" + csv + L"\r\n" + program / L"Data\\PLU.CSV");

    Open(1);
    ASSERT_EQ(g_opened.size(), 1u);
    EXPECT_EQ(g_opened[0].first, folder + L"Cellvane.exe");
    EXPECT_EQ(g_opened[0].second, L"\"" + csv + L"\"");
    ASSERT_EQ(g_viewed.size(), 1u);
    EXPECT_EQ(g_viewed[0].first, folder + L"Plotvane.exe");
    EXPECT_EQ(g_viewed[0].second.find(folder + L"EcrChart.dat|DEPT|DEPT|1|"), 0u) << g_viewed[0].second;

    // The last line has no line end and is used whole.
    g_opened.clear();
    Open(2);
    ASSERT_EQ(g_opened.size(), 1u);
    EXPECT_EQ(g_opened[0].second, L"\"" + program / L"Data\\PLU.CSV" + L"\"");
}

// A spreadsheet holds the files it shows open for writing; they still read.
TEST_F(ReportOpenerTest, FilesHeldOpenForWritingStillRead)
{
    ChartDefinition perLine;
    perLine.key = "DEPT";
    perLine.mode = '1';
    program.Write(L"02 VORN-K2Chart.prm", perLine.Line() + "\r\n");
    ::CreateDirectoryW((program / L"Data").c_str(), nullptr);
    const std::wstring csv = program / L"Data\\DEPT.CSV";
    WriteBytes(csv, AnsiCsv(L"\"Food\"\n"));
    List(csv);
    std::vector<HANDLE> held;
    for (const std::wstring& path : {csv, program / L"report.lst", program / L"02 VORN-K2Chart.prm"}) {
        held.push_back(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_NE(INVALID_HANDLE_VALUE, held.back());
    }
    Open(0);
    for (HANDLE file : held)
        ::CloseHandle(file);
    EXPECT_EQ(g_opened.size(), 1u);
    EXPECT_EQ(g_viewed.size(), 1u);
}

TEST_F(ReportOpenerTest, MissingListLineOrUnconvertedReportOpensNothing)
{
    EXPECT_EQ(ReportOpener::Result::NotListed, Open(0));  // no report.lst
    List(L"\r\nC:\\Data\\FIN.CSV\r\n");
    EXPECT_EQ(ReportOpener::Result::NotConverted, Open(0));
    EXPECT_EQ(ReportOpener::Result::NotListed, Open(2));  // past the last line
    EXPECT_EQ(ReportOpener::Result::NotListed, Open(-1));
    EXPECT_TRUE(g_opened.empty());
    EXPECT_TRUE(g_viewed.empty());
}

TEST_F(ReportOpenerTest, LinesOfAnyLengthStayAligned)
{
    const std::wstring longPath = L"C:\\" + std::wstring(300, L'x') + L"\\FIN.CSV";
    List(longPath + L"\r\nC:\\Data\\PLU.CSV\r\n");
    CString line;
    ASSERT_TRUE(ReportOpener::ReadListLine((program / L"report.lst").c_str(), 0, line));
    EXPECT_EQ(std::wstring(line), longPath);
    ASSERT_TRUE(ReportOpener::ReadListLine((program / L"report.lst").c_str(), 1, line));
    EXPECT_EQ(std::wstring(line), L"C:\\Data\\PLU.CSV");
    EXPECT_FALSE(ReportOpener::ReadListLine((program / L"report.lst").c_str(), 2, line));
}

} // namespace
