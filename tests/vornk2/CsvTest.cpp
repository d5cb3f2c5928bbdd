#include <gtest/gtest.h>

#include "CsvSamples.h"
#include "FieldCodec.h"
#include "VornK2Library.h"

namespace {

constexpr int WND_DEPT = 17;
constexpr int WND_PLU = 18;
constexpr int WND_CLERK = 19;
constexpr int WND_PROG_MODE = 21;

std::string Records(S_ECR_TABLE* t)
{
    return t->RecordData ? std::string(reinterpret_cast<char*>(t->RecordData), t->RecordCount * t->RecordSize) : std::string();
}

// Bytes as a program or picture file holds them, the same in every run;
// `noNul` turns the NUL bytes into 01.
std::string RandomBytes(size_t size, bool noNul)
{
    std::string bytes(size, '\0');
    unsigned state = 12345;
    for (char& b : bytes) {
        state = state * 1103515245u + 12345u;
        b = static_cast<char>(state >> 16);
        if (noNul && b == '\0')
            b = '\1';
    }
    return bytes;
}

std::string Utf16Le(const std::wstring& text)
{
    std::string bytes;
    for (wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

class Csv : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(lib.Loaded());
        plu = lib.Group(WND_PLU);
        plu->LoadData(nullptr);
    }
    BOOL Import(const std::string& bytes, CEcrData* group = nullptr)
    {
        WriteFileBytes(lib.PathOf(L"in.csv"), bytes);
        return (group ? group : plu)->ImportCsv(0, lib.PathOf(L"in.csv").c_str());
    }

    VornK2Library lib;
    CEcrData* plu = nullptr;
};

// Export writes what import read, and import of the export restores the bytes.
TEST_F(Csv, ExportThenImportRoundTrip)
{
    std::string original = PluCsv(kPluRows);
    ASSERT_TRUE(Import(original));
    S_ECR_TABLE* table = plu->GetTable(0);
    ASSERT_EQ(table->RecordCount, 3);
    EXPECT_EQ(VornK2Library::Text(table, 0, 1), L"Green tea, 500ml");
    EXPECT_EQ(VornK2Library::Text(table, 1, 1), L"\u7DD1\u8336 \u30DA\u30C3\u30C8");
    EXPECT_EQ(VornK2Library::Text(table, 2, 1), L"Say \"hi\"");
    std::string records = Records(table);

    ASSERT_TRUE(plu->ExportCsv(0, lib.PathOf(L"out.csv").c_str()));
    EXPECT_EQ(ReadFileBytes(lib.PathOf(L"out.csv")), original);

    plu->Reset();
    plu->LoadData(nullptr);
    ASSERT_TRUE(Import(ReadFileBytes(lib.PathOf(L"out.csv"))));
    EXPECT_EQ(Records(plu->GetTable(0)), records);
    EXPECT_TRUE(lib.TakeMessages().empty());
}

TEST_F(Csv, ExportToAnUnwritablePathFailsAndSaysSo)
{
    std::wstring path = lib.Folder() + L"\\no such folder\\out.csv";
    EXPECT_FALSE(plu->ExportCsv(0, path.c_str()));
    std::vector<std::wstring> messages = lib.TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].find(path + L" could not be written ("), 0u);

    WriteFileBytes(lib.PathOf(L"out.csv"), "old");
    ASSERT_TRUE(::SetFileAttributesW(lib.PathOf(L"out.csv").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(plu->ExportCsv(0, lib.PathOf(L"out.csv").c_str()));
    EXPECT_EQ(lib.TakeMessages().size(), 1u);
    ::SetFileAttributesW(lib.PathOf(L"out.csv").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadFileBytes(lib.PathOf(L"out.csv")), "old");
    EXPECT_FALSE(plu->ExportCsv(7, lib.PathOf(L"out.csv").c_str()));
}

// Any bad row refuses the whole import with a message and leaves the table.
TEST_F(Csv, BadFilesChangeNothing)
{
    ASSERT_TRUE(Import(PluCsv(kPluRows)));
    std::string before = Records(plu->GetTable(0));
    lib.TakeMessages();

    std::string good = "4901234567894,Tea,1.5000,1,1,T,0,0,0,0,00000000000000\r\n";
    CStringA longKanji = TextToAnsi(CString(L"12,\u4E00\u4E01\u4E03\u4E07\u4E08\u4E09\u4E0A\u4E0B\u4E0D\u4E0E\u4E10\u4E11\u4E14,1,1,1,,0,0,0,0,0\r\n"));
    struct Case { const char* name; std::string bytes; const wchar_t* says; } cases[] = {
        {"too few columns", PluCsv(L"") + good + "5,Tea,1,1,1,T,0,0,0,0\r\n", L"Line 3: 10 columns, 11 expected"},
        {"too many columns", PluCsv(L"") + "5,Tea,1,1,1,T,0,0,0,0,0,9\r\n", L"Line 2: 12 columns"},
        {"letters in a number", PluCsv(L"") + "5,Tea,1,1,1,T,12x,0,0,0,0\r\n", L"Stock is not a valid number"},
        {"too big for the type", PluCsv(L"") + "5,Tea,1,70000,1,T,0,0,0,0,0\r\n", L"Dept is not a valid number"},
        {"out of range", PluCsv(L"") + "5,Tea,1,1,4,T,0,0,0,0,0\r\n", L"Tax: Range is 0 - 3"},
        {"not packed digits", PluCsv(L"") + "5,Tea,1,1,1,T,0,0,2G,0,0\r\n", L"Age limit is not a valid number"},
        {"hex letters in packed digits", PluCsv(L"") + "5,Tea,1,1,1,T,0,0,9F,0,0\r\n", L"Line 2, column 9: Age limit is not a valid number"},
        {"broken Shift-JIS", PluCsv(L"") + "5,Tea\x82,1,1,1,T,0,0,0,0,0\r\n", L"Line 2, column 2: Name holds bytes that are no characters"},
        {"trailing TAB", PluCsv(L"") + "5,Tea\t,1,1,1,T,0,0,0,0,0\r\n", L"Name ends in a TAB"},
        {"five decimals", PluCsv(L"") + "5,Tea,1.00001,1,1,T,0,0,0,0,0\r\n", L"Price is not a valid number"},
        {"empty number", PluCsv(L"") + "5,Tea,,1,1,T,0,0,0,0,0\r\n", L"Line 2: a number is needed in \"Price\""},
        {"text too long", PluCsv(L"") + "5,Tea with a name much too long,1,1,1,T,0,0,0,0,0\r\n", L"Name is longer than 24 bytes"},
        {"kanji too long", PluCsv(L"") + std::string(longKanji.GetString()), L"Name is longer than 24 bytes"},
        {"open quote", PluCsv(L"") + "5,\"Tea,1,1,1,T,0,0,0,0,0\r\n", L"Line 2: broken quotes: a quote is not closed"},
        {"quote inside", PluCsv(L"") + "5,Te\"a,1,1,1,T,0,0,0,0,0\r\n", L"Line 2: broken quotes: a quote inside"},
        {"text after quote", PluCsv(L"") + "5,\"Tea\"x,1,1,1,T,0,0,0,0,0\r\n", L"Line 2: broken quotes: text after"},
        {"duplicate key", PluCsv(L"") + good + good, L"Line 3: the unique key repeats line 2"},
        {"bad header", "Code,Name\r\n" + good, L"Unknown: \"Code\""},
        {"empty file", std::string(), L"The file is empty"},
        {"UTF-16", std::string("\xFF\xFEP\0L\0U\0", 8), L"UTF-16"},
        {"UTF-16 without a mark", Utf16Le(std::wstring(L"PLU Code,Name\r\n12,\u7DD1\u8336\u3000\u4E00\r\n")), L"UTF-16"},
        {"random bytes", RandomBytes(4096, false), L"The file is not a CSV text file"},
        {"random bytes without NUL", RandomBytes(4096, true), L"The file is not a CSV text file"},
        {"UTF-8 the register cannot store", "\xEF\xBB\xBF" + PluCsv(L"") + "5,Caf\xC3\xA9,1,1,1,T,0,0,0,0,0\r\n",
         L"Line 2, column 2: Name holds characters the register cannot store"},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(Import(c.bytes)) << c.name;
        EXPECT_EQ(Records(plu->GetTable(0)), before) << c.name;
        std::vector<std::wstring> messages = lib.TakeMessages();
        ASSERT_EQ(messages.size(), 1u) << c.name;
        EXPECT_NE(messages[0].find(c.says), std::wstring::npos) << c.name << ": " << CStringA(messages[0].c_str()).GetString();
    }
    EXPECT_FALSE(plu->ImportCsv(0, lib.PathOf(L"missing.csv").c_str()));
    EXPECT_EQ(Records(plu->GetTable(0)), before);

    lib.TakeMessages();
    lib.Settings().Language = L"JPN";
    EXPECT_FALSE(Import(RandomBytes(4096, false)));
    std::vector<std::wstring> messages = lib.TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(L"CSV のテキストファイルではありません"), std::wstring::npos);
}

TEST_F(Csv, ValidatorAndCapacityApplyToImports)
{
    CEcrData* dept = lib.Group(WND_DEPT);
    dept->LoadData(nullptr);
    EXPECT_FALSE(Import("Dept No.,Name,Price,Tax,Type,HALO,Group,Status\r\n1,Food,0,1,0,1234,0,0\r\n", dept));
    std::vector<std::wstring> messages = lib.TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(L"Line 2, column 6: HALO: HALO is one digit followed by zeros"), std::wstring::npos);

    CEcrData* clerk = lib.Group(WND_CLERK);
    clerk->LoadData(nullptr);
    std::string header = "Clerk No.,Name,Secret code,Training,Drawer\r\n";
    std::string rows;
    for (int i = 1; i <= 51; ++i)
        rows += std::to_string(i % 50 + 1) + ",Clerk,1234,0,1\r\n";
    EXPECT_FALSE(Import(header + rows, clerk));
    messages = lib.TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(L"Line 52: the table holds at most 50 records"), std::wstring::npos);
    EXPECT_EQ(clerk->GetTable(0)->RecordCount, 0);
}

// English words a count of one apart from several.
TEST_F(Csv, CountsOfOneAreSaidInTheSingular)
{
    EXPECT_FALSE(Import(PluCsv(L"5\r\n")));
    std::vector<std::wstring> messages = lib.TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(L"Line 2: 1 column, 11 expected"), std::wstring::npos);

    CEcrData* progMode = lib.Group(WND_PROG_MODE);
    progMode->LoadData(nullptr);
    WriteFileBytes(lib.PathOf(L"in.csv"), "Machine No.,Shop code,Receipt No.\r\n1,1,1\r\n2,2,2\r\n");
    EXPECT_FALSE(progMode->ImportCsv(2, lib.PathOf(L"in.csv").c_str()));
    messages = lib.TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(L"Line 3: the table holds at most 1 record\n"), std::wstring::npos);

    // An import that leaves one record asks first (answered Yes here).
    ASSERT_TRUE(Import(PluCsv(kPluRows)));
    lib.TakeMessages();
    ASSERT_TRUE(Import(PluCsv(L"5,Tea,1,1,1,T,0,0,0,0,0\r\n")));
    messages = lib.TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].find(L"The file holds 1 record, the table 3.\nImporting the file leaves the table with 1 "
                               L"record; the other records are dropped."),
              0u);
}

// Rows of empty cells, as spreadsheets write cleared rows, are skipped as
// blank lines are; a row that leaves numbers empty is told once, naming them.
TEST_F(Csv, EmptyRowsAreSkippedAndEmptyNumbersToldOncePerRow)
{
    const std::string empty = ",,,,,,,,,,\r\n";
    ASSERT_TRUE(Import(PluCsv(kPluRows)));
    std::string records = Records(plu->GetTable(0));
    ASSERT_TRUE(Import(PluCsv(L"") + empty + CStringA(kPluRows).GetString() + empty + empty));
    EXPECT_EQ(Records(plu->GetTable(0)), records);
    EXPECT_TRUE(lib.TakeMessages().empty());

    EXPECT_FALSE(Import(PluCsv(L"") + empty));
    std::vector<std::wstring> messages = lib.TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(L"no records after its first row"), std::wstring::npos);

    EXPECT_FALSE(Import(PluCsv(kPluRows) + "5,Tea,,,1,T,,x,0,0,0\r\n"));
    EXPECT_EQ(Records(plu->GetTable(0)), records);
    messages = lib.TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(L"Line 5, column 8: Discount % is not a valid number: \"x\"\n"
                               L"Line 5: a number is needed in \"Price\", \"Dept\", \"Stock\"\n"),
              std::wstring::npos)
        << CStringA(messages[0].c_str()).GetString();
    EXPECT_EQ(messages[0].find(L"column 3"), std::wstring::npos);
}

// Columns are matched by the header's names: another order lands in the
// right fields, and a file without a header or without records is refused.
TEST_F(Csv, ColumnsAreMatchedByTheirNames)
{
    ASSERT_TRUE(Import(PluCsv(kPluRows)));
    std::string before = Records(plu->GetTable(0));
    lib.TakeMessages();

    ASSERT_TRUE(Import("Link PLU,Sold,discount %,Age limit,Stock,Label,Tax,Dept,Price,Name,PLU Code\r\n"
                       "0,0,20,0,0,WINE,1,1,9.0000,Red wine,8\r\n"
                       "0,0,0,20,0,BEER,1,1,2.0000,Beer,9\r\n"));
    S_ECR_TABLE* t = plu->GetTable(0);
    ASSERT_EQ(t->RecordCount, 2);
    EXPECT_EQ(VornK2Library::Text(t, 0, 0), L"8");
    EXPECT_EQ(VornK2Library::Text(t, 0, 1), L"Red wine");
    EXPECT_EQ(VornK2Library::Text(t, 0, 7), L"20") << "Discount";
    EXPECT_EQ(VornK2Library::Text(t, 0, 8), L"0") << "Age limit";
    EXPECT_EQ(VornK2Library::Text(t, 1, 7), L"0");
    EXPECT_EQ(VornK2Library::Text(t, 1, 8), L"20");
    ASSERT_TRUE(Import(PluCsv(kPluRows)));
    lib.TakeMessages();

    std::string good = "4901234567894,Tea,1.5000,1,1,T,0,0,0,0,00000000000000\r\n";
    struct Case { const char* name; std::string bytes; const wchar_t* says; } cases[] = {
        {"no header", good, L"Unknown: \"4901234567894\", \"Tea\""},
        {"header only", PluCsv(L""), L"no records after its first row"},
        {"repeated name", "PLU Code,Name,Name,Price,Dept,Tax,Label,Stock,Discount %,Age limit,Sold\r\n" + good,
         L"Repeated: \"Name\"\n  Missing: \"Link PLU\""},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(Import(c.bytes)) << c.name;
        EXPECT_EQ(Records(plu->GetTable(0)), before) << c.name;
        std::vector<std::wstring> messages = lib.TakeMessages();
        ASSERT_EQ(messages.size(), 1u) << c.name;
        EXPECT_NE(messages[0].find(c.says), std::wstring::npos) << c.name << ": " << CStringA(messages[0].c_str()).GetString();
    }
}

// Quoted fields may hold line breaks; later lines are still counted right,
// and every bad cell of a line is named.
TEST_F(Csv, QuotedLineBreaksAndEveryBadCell)
{
    ASSERT_TRUE(Import(PluCsv(L"1,\"Two\r\nlines\",1,1,1,T,0,0,0,0,0\r\n2,\"A\nB\",1,1,1,T,0,0,0,0,0\r\n")));
    S_ECR_TABLE* t = plu->GetTable(0);
    ASSERT_EQ(t->RecordCount, 2);
    EXPECT_EQ(VornK2Library::Text(t, 0, 1), L"Two\r\nlines");
    std::string records = Records(t);
    ASSERT_TRUE(plu->ExportCsv(0, lib.PathOf(L"out.csv").c_str()));
    ASSERT_TRUE(Import(ReadFileBytes(lib.PathOf(L"out.csv"))));
    EXPECT_EQ(Records(plu->GetTable(0)), records);

    // Lines may end in CR alone, as older spreadsheets write them.
    ASSERT_TRUE(Import(PluCsv(L"1,\"Two\rlines\",1,1,1,T,0,0,0,0,0\r2,Tea,1,1,1,T,0,0,0,0,0\r")));
    EXPECT_EQ(plu->GetTable(0)->RecordCount, 2);
    EXPECT_EQ(VornK2Library::Text(plu->GetTable(0), 0, 1), L"Two\rlines");

    EXPECT_FALSE(Import(PluCsv(L"1,\"Two\r\nlines\",1,1,1,T,0,0,0,0,0\r\n2,Tea,x,1,9,T,0,0,0,0,0\r\n")));
    std::vector<std::wstring> messages = lib.TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(L"Line 4, column 3: Price is not a valid number: \"x\"\nLine 4, column 5: Tax: Range is 0 - 3\n"),
              std::wstring::npos)
        << CStringA(messages[0].c_str()).GetString();
}

// Register text travels as its bytes: those of the character table (A0 for
// the multiplication sign, FD, FE), FF, and a character that code page 932
// gives two codes (NEC's EE 4C, which a trip through UTF-16 makes FB 68).
TEST_F(Csv, RegisterBytesGoOutAndComeBackUnchanged)
{
    lib.Captions().Map(0xA0, L'\u00D7');
    lib.Captions().Map(0xFD, L'\u2116');
    lib.Captions().Map(0xFE, L'\u00F7');
    std::string file = PluCsv(L"") + "1,Cola \xA0 2,1.5000,1,1,T,0,0,0,0,00000000000000\r\n"
                                     "2,P\xEE\x4CU \xFD\xFE\xFF,1.5000,1,1,T,0,0,0,0,00000000000000\r\n";
    ASSERT_TRUE(Import(file)) << CStringA(lib.TakeMessages().front().c_str()).GetString();
    S_ECR_TABLE* t = plu->GetTable(0);
    EXPECT_EQ(VornK2Library::Text(t, 0, 1), L"Cola \u00D7 2");
    EXPECT_EQ(std::string(reinterpret_cast<char*>(FieldPtr(t, 1, 1)), 10), "P\xEE\x4CU \xFD\xFE\xFF  ");
    ASSERT_TRUE(plu->ExportCsv(0, lib.PathOf(L"out.csv").c_str()));
    EXPECT_EQ(ReadFileBytes(lib.PathOf(L"out.csv")), file);
}

// A file that reads both as UTF-8 and as code page 932, with different
// texts, is read as the user says; the question shows the first such cell
// both ways. UTF-8 letters are half-width katakana pairs in code page 932.
TEST_F(Csv, FileThatReadsTwoWaysIsReadAsTheUserSays)
{
    ASSERT_TRUE(Import(PluCsv(kPluRows)));
    std::string before = Records(plu->GetTable(0));
    std::string cafe = PluCsv(L"") + "1,Tea,1,1,1,T,0,0,0,0,0\r\n2,Caf\xC3\xA9 Latte,1,1,1,T,0,0,0,0,0\r\n"
                                     "3,Cr\xC3\xA8me br\xC3\xBBl\xC3\xA9\x65,1,1,1,T,0,0,0,0,0\r\n";

    VornK2Library::AnswerQuestions(IDCANCEL);
    EXPECT_FALSE(Import(cafe));
    std::vector<std::wstring> messages = lib.TakeMessages();
    ASSERT_EQ(messages.size(), 1u) << "the question alone";
    EXPECT_NE(messages[0].find(L"line 3, column 2:"), std::wstring::npos);
    EXPECT_NE(messages[0].find(L"\"Caf\u00E9 Latte\""), std::wstring::npos);
    EXPECT_NE(messages[0].find(L"\"Caf\uFF83\uFF69 Latte\""), std::wstring::npos);
    EXPECT_EQ(Records(plu->GetTable(0)), before);

    VornK2Library::AnswerQuestions(IDYES);
    EXPECT_FALSE(Import(cafe));
    messages = lib.TakeMessages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_NE(messages[1].find(L"Line 3, column 2: Name holds characters the register cannot store\n"
                               L"Line 4, column 2: Name holds characters"),
              std::wstring::npos);
    EXPECT_EQ(Records(plu->GetTable(0)), before);

    VornK2Library::AnswerQuestions(IDNO);
    EXPECT_TRUE(Import(cafe));
    EXPECT_EQ(VornK2Library::Text(plu->GetTable(0), 1, 1), L"Caf\uFF83\uFF69 Latte");
    EXPECT_EQ(lib.TakeMessages().size(), 1u);

    VornK2Library::AnswerQuestions(IDYES);
    EXPECT_TRUE(Import(PluCsv(L"") + "5,\xE7\xB7\x91\xE8\x8C\xB6,1,1,1,T,0,0,0,0,0\r\n"));
    EXPECT_EQ(VornK2Library::Text(plu->GetTable(0), 0, 1), L"\u7DD1\u8336");
    EXPECT_EQ(lib.TakeMessages().size(), 2u) << "the reading, then the records the file drops";
}

// UTF-8 with a byte-order mark, or UTF-8 that is no code page 932 text,
// is UTF-8 without a question.
TEST_F(Csv, PlainUtf8IsReadWithoutAQuestion)
{
    ASSERT_TRUE(Import("\xEF\xBB\xBF" + PluCsv(L"") + "5,\xE7\xB7\x91\xE8\x8C\xB6,1,1,1,T,0,0,0,0,0\r\n"));
    EXPECT_EQ(VornK2Library::Text(plu->GetTable(0), 0, 1), L"\u7DD1\u8336");
    ASSERT_TRUE(Import(PluCsv(L"") + "5,\xE7\xB7\x91\xE8\x8C\xB6\xE3\x81\x82,1,1,1,T,0,0,0,0,0\r\n"));
    EXPECT_EQ(VornK2Library::Text(plu->GetTable(0), 0, 1), L"\u7DD1\u8336\u3042");
    EXPECT_TRUE(lib.TakeMessages().empty());
}

// Code page 932 text whose high bytes happen to form UTF-8 (half-width
// katakana pairs) imports as the ANSI text it is when the user says so.
TEST_F(Csv, HalfWidthKatakanaThatLookLikeUtf8AreAnsi)
{
    VornK2Library::AnswerQuestions(IDNO);
    ASSERT_TRUE(Import(PluCsv(L"5,\uFF85\uFF7D\uFF8F\uFF77,1,1,1,T,0,0,0,0,0\r\n")));
    EXPECT_EQ(VornK2Library::Text(plu->GetTable(0), 0, 1), L"\uFF85\uFF7D\uFF8F\uFF77");
    EXPECT_EQ(lib.TakeMessages().size(), 1u) << "asked which reading is meant";
}

// The sample PLUs go out and come back byte for byte.
TEST_F(Csv, SampleTableReadsBackThroughItsExport)
{
    wchar_t data[MAX_PATH];
    ASSERT_NE(::GetFullPathNameW(L"Data", MAX_PATH, data, nullptr), 0u);
    lib.UseFolder(data);
    plu->Reset();
    plu->LoadData(nullptr);
    S_ECR_TABLE* t = plu->GetTable(0);
    ASSERT_GT(t->RecordCount, 100);
    // The sample holds a discount out of range on purpose, in a range-shaded
    // field: it is the register's value and survives export and import.
    ASSERT_EQ(VornK2Library::Text(t, 2, 7), L"75");
    std::string records = Records(t);
    ASSERT_TRUE(plu->ExportCsv(0, lib.PathOf(L"out.csv").c_str()));
    ASSERT_TRUE(plu->ImportCsv(0, lib.PathOf(L"out.csv").c_str())) << CStringA(lib.TakeMessages().front().c_str()).GetString();
    EXPECT_EQ(Records(plu->GetTable(0)), records);
}

} // namespace
