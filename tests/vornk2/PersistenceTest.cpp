#include <gtest/gtest.h>

#include <algorithm>

#include "CsvSamples.h"
#include "FieldCodec.h"
#include "VornK2Library.h"

namespace {

constexpr int WND_DEPT = 17;
constexpr int WND_PLU = 18;

std::vector<std::wstring> OtherFilesIn(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

// A library whose PLU table holds the three sample rows, committed.
class Persistence : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(lib.Loaded());
        plu = lib.Group(WND_PLU);
        plu->LoadData(nullptr);
        WriteFileBytes(lib.PathOf(L"in.csv"), PluCsv(kPluRows));
        ASSERT_TRUE(plu->ImportCsv(0, lib.PathOf(L"in.csv").c_str()));
        ASSERT_TRUE(plu->CommitData(0));
        saved = ReadFileBytes(lib.PathOf(L"PLU.VK2"));
        ASSERT_FALSE(saved.empty());
    }

    S_ECR_TABLE* Table() { return lib.Group(WND_PLU)->GetTable(0); }
    void Reload()
    {
        plu->Reset();
        plu->ReloadFromFolder(lib.Folder().c_str());
    }
    void Edit(int r, int c, const wchar_t* text)
    {
        S_ECR_TABLE* t = Table();
        ASSERT_TRUE(ParseField(&t->Fields()[c], CString(text), FieldPtr(t, r, c)));
    }

    VornK2Library lib;
    CEcrData* plu = nullptr;
    std::string saved;
};

TEST_F(Persistence, MissingFileGivesAnEmptyTableAndAFailure)
{
    CEcrData* dept = lib.Group(WND_DEPT);
    EXPECT_FALSE(dept->LoadData(nullptr));
    EXPECT_EQ(dept->Loaded, 1) << "nothing to lose: the first commit creates the file";
    EXPECT_EQ(dept->GetTable(0)->RecordCount, 0);
    EXPECT_EQ(dept->GetTable(0)->RecordData, nullptr);
}

TEST_F(Persistence, CommitThenReloadGivesTheSameRecords)
{
    Edit(1, 1, L"\u6771\u4EAC\u30D0\u30CA\u30CA");
    Edit(2, 2, L"-12.3456");
    EXPECT_EQ(lib.Group(WND_PLU)->UnsavedChanges, 2);
    ASSERT_TRUE(plu->CommitData(0));
    EXPECT_EQ(lib.Group(WND_PLU)->UnsavedChanges, 0);
    std::string before(reinterpret_cast<char*>(Table()->RecordData), Table()->RecordCount * Table()->RecordSize);

    Reload();
    EXPECT_EQ(plu->Loaded, 1);
    ASSERT_EQ(Table()->RecordCount, 3);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(Table()->RecordData), 3 * Table()->RecordSize), before);
    EXPECT_EQ(VornK2Library::Text(Table(), 1, 1), L"\u6771\u4EAC\u30D0\u30CA\u30CA");
    EXPECT_EQ(VornK2Library::Text(Table(), 2, 2), L"-12.346");
    EXPECT_FALSE(ReadFileBytes(lib.PathOf(L"PLU.VK2")).empty());
    EXPECT_EQ(OtherFilesIn(lib.Folder()), std::vector<std::wstring>({L"PLU.VK2", L"in.csv"})) << "no temporary file left";
}

TEST_F(Persistence, UnsavedCountFollowsTheRecordBytes)
{
    EXPECT_EQ(lib.Group(WND_PLU)->UnsavedChanges, 0);
    Edit(0, 6, L"121");
    Edit(0, 7, L"-4");
    EXPECT_EQ(lib.Group(WND_PLU)->UnsavedChanges, 1) << "one record changed";
    Edit(0, 6, L"120");
    Edit(0, 7, L"-5");
    EXPECT_EQ(lib.At(lib.IndexOf(plu))->UnsavedChanges, 0) << "edited back to the saved bytes";
    plu->SortTable(0);
    EXPECT_EQ(lib.Group(WND_PLU)->UnsavedChanges, 2) << "the first and last records swapped";
    plu->Reset();
    EXPECT_EQ(lib.Group(WND_PLU)->UnsavedChanges, 0);
}

// Damaged files give what could be read, a failure, and are never written over.
TEST_F(Persistence, DamagedFilesAreReadPartlyAndKept)
{
    struct Case { const char* name; std::string bytes; int records; } cases[] = {
        {"truncated in the last record", saved.substr(0, saved.size() - 10), 2},
        {"truncated in the header", saved.substr(0, 7), 0},
        {"empty", std::string(), 0},
        {"foreign", std::string("Not a register file at all, just some text."), 0},
        {"another group's file", std::string(), 0},
        {"reserved word set", saved, 0},
        {"truncated, with a repeated key", saved.substr(0, saved.size() - 10), 2},
    };
    cases[5].bytes[12] = 1;
    lib.Group(WND_DEPT)->LoadData(nullptr);
    ASSERT_TRUE(lib.Group(WND_DEPT)->CommitData(0));
    cases[4].bytes = ReadFileBytes(lib.PathOf(L"DEPT.VK2"));
    for (const auto& c : cases) {
        WriteFileBytes(lib.PathOf(L"PLU.VK2"), c.bytes);
        Reload();
        if (&c == &cases[6])
            Edit(1, 0, L"4901234567894");
        EXPECT_EQ(Table()->RecordCount, c.records) << c.name;
        EXPECT_EQ(plu->Loaded, 0) << c.name;
        EXPECT_FALSE(plu->LoadData(nullptr)) << c.name;
        lib.TakeMessages();
        EXPECT_EQ(ECR_COMMIT_NOT_WRITTEN, plu->CommitData(0)) << c.name;
        EXPECT_EQ(lib.TakeMessages().size(), 1u) << c.name;
        EXPECT_EQ(ReadFileBytes(lib.PathOf(L"PLU.VK2")), c.bytes) << c.name;
    }
    // A record size that is not the table's is foreign too.
    std::string wrongSize = saved;
    wrongSize[16] ^= 1;
    WriteFileBytes(lib.PathOf(L"PLU.VK2"), wrongSize);
    Reload();
    EXPECT_EQ(Table()->RecordCount, 0);
}

TEST_F(Persistence, FailedCommitLeavesTheOldFileWhole)
{
    Edit(0, 1, L"Changed");
    // A read-only file cannot be replaced.
    const std::wstring file = lib.PathOf(L"PLU.VK2");
    ASSERT_TRUE(::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
    lib.TakeMessages();
    // Not FALSE, which callers report as a repeated key.
    EXPECT_EQ(ECR_COMMIT_NOT_WRITTEN, plu->CommitData(0));
    std::vector<std::wstring> messages = lib.TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(file + L" could not be written ("), std::wstring::npos);
    EXPECT_EQ(ReadFileBytes(lib.PathOf(L"PLU.VK2")), saved);
    EXPECT_EQ(VornK2Library::Text(Table(), 0, 1), L"Changed") << "the edit stays for another try";
    EXPECT_GT(lib.Group(WND_PLU)->UnsavedChanges, 0);
    ASSERT_TRUE(::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_TRUE(plu->CommitData(0));
    EXPECT_EQ(OtherFilesIn(lib.Folder()), std::vector<std::wstring>({L"PLU.VK2", L"in.csv"})) << "no temporary file is left";
}

TEST_F(Persistence, DuplicateUniqueKeyIsRefused)
{
    Edit(1, 0, L"4901234567894");
    lib.TakeMessages();
    EXPECT_FALSE(plu->CommitData(0));
    EXPECT_TRUE(lib.TakeMessages().empty()) << "the program reports the overlap";
    EXPECT_EQ(ReadFileBytes(lib.PathOf(L"PLU.VK2")), saved);
}

TEST_F(Persistence, SortOrdersByTheCode)
{
    plu->SortTable(0);
    ASSERT_EQ(Table()->RecordCount, 3);
    EXPECT_EQ(VornK2Library::Text(Table(), 0, 0), L"7");
    EXPECT_EQ(VornK2Library::Text(Table(), 1, 0), L"12");
    EXPECT_EQ(VornK2Library::Text(Table(), 2, 0), L"4901234567894");
    EXPECT_EQ(VornK2Library::Text(Table(), 0, 1), L"Say \"hi\"") << "records move whole";
}

} // namespace
