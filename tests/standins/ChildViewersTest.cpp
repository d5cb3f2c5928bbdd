#include <gtest/gtest.h>

#include <algorithm>
#include <windows.h>
#include <commctrl.h>
#include <cstring>
#include <vector>

#include "ChartBuilder.h"
#include "ChildProcess.h"
#include "CsvSheet.h"
#include "EcrGlobals.h"
#include "S_CHART_DATA.h"
#include "TempFolder.h"
#include "TestFiles.h"
#include "WindowPicture.h"

// No caption manager: messages are the program's own English texts.
CCaptionManagerBase** g_ppCaptionMgr = nullptr;

namespace {

// The pixels of a saved picture, rows top first; empty when it cannot be read.
std::vector<std::vector<COLORREF>> PictureRows(const std::wstring& bmp)
{
    std::vector<std::vector<COLORREF>> rows;
    HBITMAP bitmap = static_cast<HBITMAP>(::LoadImageW(nullptr, bmp.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!bitmap)
        return rows;
    DIBSECTION dib = {};
    ::GetObjectW(bitmap, sizeof dib, &dib);
    const BYTE* bits = static_cast<const BYTE*>(dib.dsBm.bmBits);
    for (int y = 0; y < dib.dsBm.bmHeight; ++y) {
        // Bottom-up rows.
        const BYTE* row = bits + (dib.dsBm.bmHeight - 1 - y) * dib.dsBm.bmWidthBytes;
        std::vector<COLORREF>& pixels = rows.emplace_back();
        for (int x = 0; x < dib.dsBm.bmWidth; ++x)
            pixels.push_back(RGB(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]));
    }
    ::DeleteObject(bitmap);
    return rows;
}

// Pixels of one colour in a saved picture.
int CountColour(const std::wstring& bmp, COLORREF colour)
{
    int count = 0;
    for (const std::vector<COLORREF>& row : PictureRows(bmp))
        count += static_cast<int>(std::count(row.begin(), row.end(), colour));
    return count;
}

// Bars of the first value in a saved chart: each reaches the axis in the
// picture's lower half, where the row along the axis crosses every bar.
int CountBars(const std::wstring& bmp)
{
    const COLORREF colour = RGB(30, 90, 200);
    const std::vector<std::vector<COLORREF>> rows = PictureRows(bmp);
    int most = 0;
    for (size_t y = rows.size() / 2; y < rows.size(); ++y) {
        int bars = 0;
        for (size_t x = 0; x < rows[y].size(); ++x)
            bars += rows[y][x] == colour && (x == 0 || rows[y][x - 1] != colour);
        most = std::max(most, bars);
    }
    return most;
}

S_CHART_DATA Point(const wchar_t* label, double value, double value2)
{
    S_CHART_DATA record = {};
    wcscpy(record.Label, label);
    swprintf(record.ValueText, 64, L"%.0f", value);
    record.Value = value;
    record.Value2 = value2;
    return record;
}

// The chart the viewer draws for the argument line, pictured; the picture's
// path.
std::wstring ChartFilePicture(const TempFolder& folder, const std::wstring& arguments, const wchar_t* name)
{
    const std::wstring chart = folder / L"EcrChart.dat";
    ChildProcess viewer(folder.Path(), L"Plotvane.exe", arguments);
    EXPECT_TRUE(viewer.Started());
    HWND window = viewer.Window();
    EXPECT_NE(window, nullptr);
    if (!window)
        return L"";
    // It has read its file: the next chart may replace it at once.
    ::DeleteFileW(chart.c_str());
    const std::wstring picture = SaveWindowPicture(window, name);
    EXPECT_EQ(viewer.CloseAndWait(), 0u);
    return picture;
}

// The chart of the records with the legend texts, pictured; the picture's path.
std::wstring ChartPicture(const TempFolder& folder, const std::vector<S_CHART_DATA>& records, const std::wstring& legends,
                          const wchar_t* name, bool secondValue = true)
{
    const std::wstring chart = folder / L"EcrChart.dat";
    WriteBytes(chart, std::string(reinterpret_cast<const char*>(records.data()), records.size() * sizeof(S_CHART_DATA)));
    return ChartFilePicture(folder, chart + L"|PLU|PLU0815|1|0|" + legends + (secondValue ? L"|1" : L"|0"), name);
}

std::wstring g_viewerArguments;

bool KeepViewerArguments(const CString&, const CString& arguments)
{
    g_viewerArguments = arguments.GetString();
    return true;
}

// In both caption languages: the program passes the legends and the labels
// in the screen's language.
TEST(PlotvaneTest, DrawsTheChartFileItWasGivenAndLogsTheRun)
{
    TempFolder folder;
    const std::wstring english = ChartPicture(folder, {Point(L"Cake", 480, 6), Point(L"Tea", 120, 3), Point(L"Milk", 90, 1)},
                                              L"Sales           |Count           ", L"plotvane-chart-ENG");
    ASSERT_FALSE(english.empty());
    EXPECT_GT(CountColour(english, RGB(30, 90, 200)), 500) << "bars of the first value";
    EXPECT_GT(CountColour(english, RGB(210, 60, 40)), 100) << "bars of the second value";
    const std::string log = StandinLog(folder.Path(), L"Plotvane");
    EXPECT_NE(log.find("|PLU|PLU0815|1|0|Sales           |Count           |1\t00000000\r\n"), std::string::npos) << log;

    const std::wstring japanese = ChartPicture(folder, {Point(L"ケーキ", 480, 6), Point(L"緑茶", 120, 3)},
                                               L"売上金額|販売数", L"plotvane-chart-JPN");
    ASSERT_FALSE(japanese.empty());
    EXPECT_GT(CountColour(japanese, RGB(30, 90, 200)), 500) << "bars of the first value";
}

// A report's heading line is read as a chart record like any other line;
// its value texts name the columns and give no bar.
TEST(PlotvaneTest, TheReportsHeadingLineIsNoItem)
{
    TempFolder folder;
    // The sample's DEPT report as the shipped definition charts it: 20
    // departments by amount, with their counts.
    folder.Write(L"Chart.prm", "DEPT    1001Amount          003000Count           002000100\r\n");
    ChartBuilder builder(KeepViewerArguments);
    builder.BuildChart(folder.File(L"Chart.prm").c_str(), (ProgramFolder() + L"\\Data\\20261207\\DEPT.CSV").c_str(),
                       folder.File(L"EcrChart.dat").c_str(), L"Plotvane.exe");
    ASSERT_FALSE(g_viewerArguments.empty());
    const std::wstring dept = ChartFilePicture(folder, g_viewerArguments, L"plotvane-dept-sample");
    ASSERT_FALSE(dept.empty());
    EXPECT_EQ(CountBars(dept), 20);

    // A report of nothing but its heading line, here in Japanese: no bar.
    S_CHART_DATA heading = {};
    wcscpy(heading.Label, L"名称");
    wcscpy(heading.ValueText, L"金額");
    const std::wstring empty = ChartPicture(folder, {heading}, L"金額|", L"plotvane-heading-only", false);
    ASSERT_FALSE(empty.empty());
    EXPECT_EQ(CountBars(empty), 0);

    // A number in any form the report reader reads keeps its item.
    S_CHART_DATA items[] = {Point(L"Tea", 120, 0), Point(L"Cake", 480, 0)};
    wcscpy(items[0].ValueText, L" -.5");
    wcscpy(items[1].ValueText, L"1,234");
    const std::wstring kept = ChartPicture(folder, {heading, items[0], items[1]}, L"金額|", L"plotvane-items", false);
    EXPECT_EQ(CountBars(kept), 2);
}

TEST(PlotvaneTest, MissingOrDamagedChartFileFailsVisibly)
{
    TempFolder folder;
    folder.Write(L"Plotvane.ini", "[Settings]\r\nFailShowMs=0\r\n");
    ChildProcess missing(folder.Path(), L"Plotvane.exe", folder / L"none.dat" + L"|PLU|PLU0815|0|0|a|b|0");
    EXPECT_EQ(missing.Wait(), 1u);
    folder.Write(L"bad.dat", std::string(399, 'x'));
    ChildProcess damaged(folder.Path(), L"Plotvane.exe", folder / L"bad.dat" + L"|PLU|PLU0815|0|0|a|b|0");
    EXPECT_EQ(damaged.Wait(), 1u);
    ChildProcess garbled(folder.Path(), L"Plotvane.exe", L"no bars here");
    EXPECT_EQ(garbled.Wait(), 1u);
}

TEST(CellvaneTest, ShowsEveryRowOfTheFile)
{
    TempFolder folder;
    const std::wstring csv = folder / L"PLU 0815.csv";
    WriteBytes(csv, "\"Code\",\"Name\",\"Price\"\r\n\"1\",\"Tea, green\",\"120\"\r\n\"2\",\"Cake\",\"480\"\r\n");
    ChildProcess opener(folder.Path(), L"Cellvane.exe", L"\"" + csv + L"\"");
    HWND window = opener.Window();
    ASSERT_NE(window, nullptr);
    HWND list = nullptr;
    for (int i = 0; i < 200 && !list; ++i, ::Sleep(25))
        list = ::FindWindowExW(window, nullptr, WC_LISTVIEWW, nullptr);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 3);
    HWND header = reinterpret_cast<HWND>(::SendMessageW(list, LVM_GETHEADER, 0, 0));
    EXPECT_EQ(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 4) << "row numbers and three columns";
    EXPECT_FALSE(SaveWindowPicture(window, L"cellvane-report-ENG").empty());
    EXPECT_EQ(opener.CloseAndWait(), 0u);
    EXPECT_NE(StandinLog(folder.Path(), L"Cellvane").find("PLU 0815.csv\"\t00000000"), std::string::npos);

    // A report converted with Japanese captions: its names show as they are.
    const std::wstring japanese = folder / L"PLU 0816.csv";
    WriteBytes(japanese, Utf16(L"\"PLUコード\",\"名称\",\"金額\"\r\n\"1\",\"緑茶\",\"120\"\r\n"));
    ChildProcess second(folder.Path(), L"Cellvane.exe", L"\"" + japanese + L"\"");
    window = second.Window();
    ASSERT_NE(window, nullptr);
    list = nullptr;
    for (int i = 0; i < 200 && !list; ++i, ::Sleep(25))
        list = ::FindWindowExW(window, nullptr, WC_LISTVIEWW, nullptr);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_FALSE(SaveWindowPicture(window, L"cellvane-report-JPN").empty());
    EXPECT_TRUE(WindowShowsInk(list));
    EXPECT_EQ(second.CloseAndWait(), 0u);

    folder.Write(L"Cellvane.ini", "[Settings]\r\nFailShowMs=0\r\n");
    ChildProcess missing(folder.Path(), L"Cellvane.exe", L"\"" + (folder / L"none.csv") + L"\"");
    EXPECT_EQ(missing.Wait(), 1u);
}

// The communication program at work shows what it moves and how far it got.
TEST(TillwireWindowTest, ShowsTheItemAtWork)
{
    TempFolder folder;
    folder.Write(L"Tillwire.ini", "[Settings]\r\nDelay=20000\r\n");
    const std::wstring data = folder / L"Data";
    ::CreateDirectoryW(data.c_str(), nullptr);
    ::CreateDirectoryW((folder / L"Register").c_str(), nullptr);
    WriteBytes(data + L"\\DEPT.VK2", ReadBytes(ProgramFolder() + L"\\Data\\DEPT.VK2"));
    ChildProcess tillwire(folder.Path(), L"Tillwire.exe", L"0 19200 1 \"" + data + L"\\\" 1 ECR 1 0 0 1");
    HWND window = tillwire.Window();
    ASSERT_NE(window, nullptr);
    ::Sleep(300);
    EXPECT_FALSE(SaveWindowPicture(window, L"tillwire-at-work").empty());
    EXPECT_TRUE(WindowShowsInk(window));
    EXPECT_EQ(tillwire.CloseAndWait(), 0xE0000007u) << "closing the window cancels";
}

TEST(CsvSheetTest, QuotedCellsEncodingsAndDamagedQuotes)
{
    CsvSheet sheet;
    sheet.Parse(L"\"a\",\"b, c\",\"say \"\"hi\"\"\"\r\n\"two\nlines\",x\r\n\r\n,\r\n\"open");
    ASSERT_EQ(sheet.Rows.size(), 4u);
    EXPECT_EQ(sheet.Columns, 3u);
    EXPECT_EQ(std::wstring(sheet.Rows[0][1]), L"b, c");
    EXPECT_EQ(std::wstring(sheet.Rows[0][2]), L"say \"hi\"");
    EXPECT_EQ(std::wstring(sheet.Rows[1][0]), L"two\nlines");
    EXPECT_EQ(sheet.Rows[2].size(), 2u) << "a row of empty cells stays";
    EXPECT_EQ(std::wstring(sheet.Rows[3][0]), L"open");

    TempFolder folder;
    // A report file in UTF-16 with the library's line end 0D 0A 00.
    std::string utf16;
    for (wchar_t c : std::wstring(L"\"Name\",\"Tee\"\n\"Zahl\",\"5\"\n")) {
        if (c == L'\n')
            utf16 += '\r';
        utf16 += static_cast<char>(c & 0xFF);
        utf16 += static_cast<char>(c >> 8);
    }
    folder.Write(L"r.csv", utf16);
    CString error;
    ASSERT_TRUE(sheet.Load((folder / L"r.csv").c_str(), error));
    ASSERT_EQ(sheet.Rows.size(), 2u);
    EXPECT_EQ(std::wstring(sheet.Rows[1][1]), L"5");
    EXPECT_FALSE(sheet.Load((folder / L"none.csv").c_str(), error));
    EXPECT_NE(std::wstring(error).find(L"none.csv"), std::wstring::npos);
}

// A report CSV whose name the register cut in the middle of a character
// ends the cell in a lone Shift-JIS lead byte: the cell shows what can be
// read and the replacement mark, and its closing quote and every row after
// it stay as they are.
TEST(CsvSheetTest, ANameCutInTheMiddleOfACharacterKeepsItsRow)
{
    ASSERT_EQ(932u, GetACP()) << "report CSVs hold Shift-JIS: run with LC_ALL=ja_JP.UTF-8";
    TempFolder folder;
    folder.Write(L"r.csv", "\"Name\",\"Count\"\r\n\"\x83g\x83}\x83g S\xED\",\"6\"\r\n\"Onion\",\"7\"\r\n");
    CsvSheet sheet;
    CString error;
    ASSERT_TRUE(sheet.Load((folder / L"r.csv").c_str(), error));
    ASSERT_EQ(sheet.Rows.size(), 3u);
    EXPECT_EQ(sheet.Columns, 2u);
    EXPECT_EQ(std::wstring(sheet.Rows[1][0]), L"\u30C8\u30DE\u30C8 S\uFFFD");
    EXPECT_EQ(std::wstring(sheet.Rows[1][1]), L"6");
    EXPECT_EQ(std::wstring(sheet.Rows[2][0]), L"Onion");

    // UTF-8 with a mark is split the same way.
    folder.Write(L"u.csv", "\xEF\xBB\xBF\"\xE7\xB7\x91\xE8\x8C\xB6\",\"1\"\r\n");
    ASSERT_TRUE(sheet.Load((folder / L"u.csv").c_str(), error));
    ASSERT_EQ(sheet.Rows.size(), 1u);
    EXPECT_EQ(std::wstring(sheet.Rows[0][0]), L"\u7DD1\u8336");
}

} // namespace
