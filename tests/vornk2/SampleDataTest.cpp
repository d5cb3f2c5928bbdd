#include <gtest/gtest.h>

#include "VornK2Library.h"

namespace {

// The shipped data folder loads whole and shows Japanese and English text.
TEST(VornK2SampleData, EveryGroupLoads)
{
    VornK2Library lib;
    wchar_t data[MAX_PATH];
    ASSERT_NE(::GetFullPathNameW(L"Data", MAX_PATH, data, nullptr), 0u);
    lib.UseFolder(data);
    for (int i = 0; i < lib.Count(); ++i) {
        CEcrData* group = lib.At(i);
        if (group->GroupType == 3)
            continue;  // the report set needs the folder itself
        EXPECT_TRUE(group->LoadData(nullptr)) << CStringA(group->Name).GetString();
        EXPECT_EQ(group->Loaded, 1) << CStringA(group->Name).GetString();
        EXPECT_EQ(group->UnsavedChanges, 0);
    }
    S_ECR_TABLE* plu = lib.Group(18)->GetTable(0);
    ASSERT_GE(plu->RecordCount, 300);
    EXPECT_EQ(VornK2Library::Text(plu, 0, 1), L"\u30AD\u30E3\u30D9\u30C4");
    EXPECT_EQ(VornK2Library::Text(plu, 2, 1), L"Onion");
    EXPECT_EQ(lib.Group(17)->GetTable(0)->RecordCount, 20);
    EXPECT_EQ(lib.Group(19)->GetTable(0)->RecordCount, 10);

    CEcrData* set = lib.Group(3);
    ASSERT_TRUE(set->LoadData(data));
    EXPECT_EQ(ReportFileCount(set), 4);
}

} // namespace
