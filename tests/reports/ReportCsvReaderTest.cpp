#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ChartTestFiles.h"
#include "ReportCsvReader.h"
#include "TempFolder.h"

namespace {

class ReportCsvReaderTest : public ::testing::Test
{
protected:
    // Reads text as the file `name` under the definition; returns the count.
    int Read(const std::string& bytes, const ChartDefinition& definition, int count = 0)
    {
        folder.Write(L"report.csv", bytes);
        records.assign(kMaxChartRecords, S_CHART_DATA{});
        ReadReportCsv(folder.File(L"report.csv").c_str(), ChartParamLine(definition.Line()), records.data(), count,
                      time);
        return count;
    }

    TempFolder folder;
    std::vector<S_CHART_DATA> records;
    SYSTEMTIME time = {2026, 12, 2, 8, 9, 5, 0, 0};
};

TEST_F(ReportCsvReaderTest, OnlyQuotedFieldsCountAndTheirTextStaysWhole)
{
    ChartDefinition perLine;
    perLine.mode = '1';
    perLine.labelField = 0;
    perLine.valueField = 1;
    // a, unquoted 1, b: b is field 1. "1,234" keeps its comma and reads as 1.
    // A quote followed by a letter stays part of the field.
    const std::wstring text = L"\"a\",1,\"b\"\n\"x\",\"1,234\"\n\"say \"hi\" now\",\"-2.5e1kg\"\n";
    for (const std::string& bytes : {AnsiCsv(text), Utf16Csv(text)}) {
        ASSERT_EQ(Read(bytes, perLine), 3);
        EXPECT_STREQ(records[0].Label, L"a");
        EXPECT_STREQ(records[0].ValueText, L"b");
        EXPECT_STREQ(records[1].ValueText, L"1,234");
        EXPECT_EQ(records[1].Value, 1.0);
        EXPECT_STREQ(records[2].Label, L"say \"hi\" now");
        EXPECT_EQ(records[2].Value, -25.0);
    }
}

TEST_F(ReportCsvReaderTest, UnicodeFilesWithAnyLineEndReadLikeTheirAnsiTwin)
{
    ChartDefinition perLine;
    perLine.mode = '1';
    perLine.valueField = 1;
    perLine.second = '1';
    perLine.value2Field = 2;
    const std::wstring text = L"\"Tea\",\"120\",\"3\"\n\"Coffee\",\"250.5\",\"7\"\n\"Cake\",\"80\",\"2\"";
    std::vector<std::string> variants = {AnsiCsv(text), Utf16Csv(text)};
    std::string crlfUnits, lfUnits;
    for (wchar_t c : text) {
        if (c == L'\n') {
            crlfUnits += std::string("\r\0", 2);
            lfUnits += std::string("\n\0", 2);
            crlfUnits += std::string("\n\0", 2);
            continue;
        }
        for (std::string* s : {&crlfUnits, &lfUnits}) {
            *s += static_cast<char>(c & 0xFF);
            *s += static_cast<char>(c >> 8);
        }
    }
    variants.push_back(crlfUnits);
    variants.push_back(lfUnits);
    std::string lfAnsi = AnsiCsv(text);
    lfAnsi.erase(std::remove(lfAnsi.begin(), lfAnsi.end(), '\r'), lfAnsi.end());
    variants.push_back(lfAnsi);
    for (size_t v = 0; v < variants.size(); ++v) {
        SCOPED_TRACE(v);
        ASSERT_EQ(Read(variants[v], perLine), 3);
        EXPECT_STREQ(records[0].Label, L"Tea");
        EXPECT_STREQ(records[1].ValueText, L"250.5");
        EXPECT_EQ(records[1].Value, 250.5);
        EXPECT_EQ(records[1].Value2, 7.0);
        EXPECT_STREQ(records[2].Value2Text, L"2");
    }
}

// A name the register cut in the middle of a character ends in a lone
// Shift-JIS lead byte before its closing quote: the label shows what can be
// read and the replacement mark, and the fields after it keep their places.
TEST_F(ReportCsvReaderTest, ANameCutInTheMiddleOfACharacterKeepsItsLine)
{
    ASSERT_EQ(932u, GetACP()) << "report CSVs hold Shift-JIS: run with LC_ALL=ja_JP.UTF-8";
    ChartDefinition perLine;
    perLine.mode = '1';
    perLine.valueField = 1;
    ASSERT_EQ(Read("\"Name\",\"Count\"\r\n\"\x83g\x83}\x83g S\xED\",\"6\"\r\n\"Onion\",\"7\"\r\n", perLine), 3);
    EXPECT_STREQ(records[1].Label, L"\u30C8\u30DE\u30C8 S\uFFFD");
    EXPECT_EQ(records[1].Value, 6.0);
    EXPECT_STREQ(records[2].Label, L"Onion");
}

TEST_F(ReportCsvReaderTest, FilePerPointTakesOneCellAndTheFileTime)
{
    ChartDefinition perFile;
    perFile.valueField = 1;
    perFile.valueLine = 1;
    const std::string bytes = AnsiCsv(L"\"Total\",\"Amount\"\n\"Sales\",\"1520\"\n");
    ASSERT_EQ(Read(bytes, perFile, 4), 5);
    EXPECT_STREQ(records[4].Label, L"2026/12/08 09:05");
    EXPECT_EQ(records[4].Value, 1520.0);

    perFile.valueLine = 2;  // the file has two lines: nothing found
    perFile.valueField = 3;
    EXPECT_EQ(Read(bytes, perFile, 4), 4);
    EXPECT_EQ(Read("", perFile, 0), 0);
    // A full chart opens no more files.
    perFile.valueLine = 1;
    perFile.valueField = 1;
    EXPECT_EQ(Read(bytes, perFile, kMaxChartRecords), kMaxChartRecords);
}

TEST_F(ReportCsvReaderTest, LinePerPointKeepsTheFirstLinesAndCutsLongTexts)
{
    ChartDefinition perLine;
    perLine.mode = '1';
    std::wstring text = L"\"Heading\"\n";
    for (int i = 1; i < 400; ++i)
        text += L"\"" + std::to_wstring(i) + L"\"\n";
    ASSERT_EQ(Read(AnsiCsv(text), perLine), kMaxChartRecords);
    EXPECT_STREQ(records[0].Label, L"Heading");
    EXPECT_STREQ(records[364].Label, L"364");
    EXPECT_EQ(Read("", perLine, 17), 0);

    const std::wstring longField(300, L'W');
    ASSERT_EQ(Read(AnsiCsv(L"\"" + longField + L"\"\n"), perLine), 1);
    EXPECT_EQ(std::wstring(records[0].Label), longField.substr(0, 63));
    ASSERT_EQ(Read(Utf16Csv(L"\"" + longField + L"\"\n"), perLine), 1);
    EXPECT_EQ(std::wstring(records[0].Label), longField.substr(0, 63));

    perLine.mode = '2';  // no such mode: nothing stored or counted
    EXPECT_EQ(Read(AnsiCsv(text), perLine, 3), 3);
    EXPECT_EQ(records[0].Label[0], L'\0');
}

TEST(ChartParamLineTest, ColumnsNumbersAndTheSingleValueFlag)
{
    ChartDefinition definition;
    definition.key = "plu";
    definition.second = '1';
    definition.single = '1';
    definition.valueField = 12;
    ChartParamLine param(definition.Line());
    EXPECT_EQ(std::wstring(param.Key()), L"PLU");
    EXPECT_EQ(param.ValueField(), 12);
    EXPECT_FALSE(param.CollectsSecondValue()) << "a single-value chart collects no second value";
    EXPECT_EQ(param.SecondValueFlag(), '0');
    EXPECT_EQ(std::wstring(param.Label1()), L"Sales           ");

    // A short line is padded with blanks: no stray bytes of another line.
    ChartParamLine shortLine("DEPT    1 1");
    EXPECT_EQ(std::wstring(shortLine.Key()), L"DEPT");
    EXPECT_EQ(shortLine.LabelField(), 1);
    EXPECT_EQ(shortLine.ValueField(), 0);
    EXPECT_EQ(shortLine.SingleValueFlag(), ' ');
    EXPECT_TRUE(ChartParamLine("        0").Key().IsEmpty());
}

} // namespace
