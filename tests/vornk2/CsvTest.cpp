#include <gtest/gtest.h>

#include "CsvSamples.h"
#include "VornK2Library.h"

namespace {

constexpr int WND_PLU = 18;
constexpr int WND_CLERK = 19;

std::string Records(S_ECR_TABLE* t)
{
    return t->RecordData ? std::string(reinterpret_cast<char*>(t->RecordData), t->RecordCount * t->RecordSize) : std::string();
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

TEST_F(Csv, ExportToAnUnwritablePathFails)
{
    EXPECT_FALSE(plu->ExportCsv(0, (lib.Folder() + L"\\no such folder\\out.csv").c_str()));
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
        {"five decimals", PluCsv(L"") + "5,Tea,1.00001,1,1,T,0,0,0,0,0\r\n", L"Price is not a valid number"},
        {"empty number", PluCsv(L"") + "5,Tea,,1,1,T,0,0,0,0,0\r\n", L"Price is not a valid number"},
        {"text too long", PluCsv(L"") + "5,Tea with a name much too long,1,1,1,T,0,0,0,0,0\r\n", L"Name is longer than 24 bytes"},
        {"kanji too long", PluCsv(L"") + std::string(longKanji.GetString()), L"Name is longer than 24 bytes"},
        {"open quote", PluCsv(L"") + "5,\"Tea,1,1,1,T,0,0,0,0,0\r\n", L"Line 2: broken quotes"},
        {"quote inside", PluCsv(L"") + "5,Te\"a,1,1,1,T,0,0,0,0,0\r\n", L"Line 2: broken quotes"},
        {"text after quote", PluCsv(L"") + "5,\"Tea\"x,1,1,1,T,0,0,0,0,0\r\n", L"Line 2: broken quotes"},
        {"duplicate key", PluCsv(L"") + good + good, L"Line 3: the unique key repeats line 2"},
        {"bad header", "Code,Name\r\n" + good, L"Line 1: the header row must name 11 columns"},
        {"empty file", std::string(), L"header row"},
        {"UTF-8 with mark", "\xEF\xBB\xBF" + PluCsv(L"") + good, L"UTF-8"},
        {"UTF-8", PluCsv(L"") + "5,\xE7\xB7\x91\xE8\x8C\xB6,1,1,1,T,0,0,0,0,0\r\n", L"UTF-8"},
        {"UTF-16", std::string("\xFF\xFEP\0L\0U\0", 8), L"UTF-16"},
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
}

TEST_F(Csv, ValidatorAndCapacityApplyToImports)
{
    CEcrData* clerk = lib.Group(WND_CLERK);
    clerk->LoadData(nullptr);
    std::string header = "Clerk No.,Name,Secret code,Training,Drawer\r\n";
    EXPECT_FALSE(Import(header + "1,Anna,12A4,0,1\r\n", clerk));
    std::vector<std::wstring> messages = lib.TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(L"Secret code: The secret code is 1 to 4 digits 0-9"), std::wstring::npos);

    std::string rows;
    for (int i = 1; i <= 51; ++i)
        rows += std::to_string(i % 50 + 1) + ",Clerk,1234,0,1\r\n";
    EXPECT_FALSE(Import(header + rows, clerk));
    messages = lib.TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(L"Line 52: the table holds at most 50 records"), std::wstring::npos);
    EXPECT_EQ(clerk->GetTable(0)->RecordCount, 0);
}

} // namespace
