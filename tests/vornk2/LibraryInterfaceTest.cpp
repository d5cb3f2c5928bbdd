#include <gtest/gtest.h>

#include <set>

#include "CEcrValidator.h"
#include "ScreenCheck.h"
#include "TestFiles.h"
#include "VornK2Library.h"

namespace {

enum { WND_CHOICES = 4, WND_DEPT = 17, WND_PLU = 18, WND_CLERK = 19, WND_S_MODE = 20, WND_PROG_MODE = 21,
       WND_KEYBOARD = 23, WND_RESERVED = 25 };

TEST(VornK2Interface, GroupsByWindowAndPosition)
{
    VornK2Library lib;
    ASSERT_TRUE(lib.Loaded());
    for (int wnd : {WND_DEPT, WND_PLU}) {
        ASSERT_NE(lib.Group(wnd), nullptr) << wnd;
        EXPECT_EQ(lib.Group(wnd)->GroupType, 0);
    }
    for (int wnd : {WND_CLERK, WND_S_MODE, WND_PROG_MODE}) {
        ASSERT_NE(lib.Group(wnd), nullptr) << wnd;
        EXPECT_EQ(lib.Group(wnd)->GroupType, 1);
    }
    ASSERT_NE(lib.Group(WND_KEYBOARD), nullptr);
    EXPECT_EQ(lib.Group(WND_KEYBOARD)->GetTableCount(), 3);
    ASSERT_NE(lib.Group(WND_RESERVED), nullptr);
    EXPECT_EQ(lib.Group(WND_RESERVED)->GroupType, 2);
    EXPECT_EQ(lib.Group(WND_RESERVED)->Enabled, 0);
    EXPECT_EQ(lib.Group(16), nullptr);
    EXPECT_EQ(lib.Group(-1), nullptr);

    std::set<int> ids;
    for (int i = 0; i < lib.Count(); ++i) {
        CEcrData* group = lib.At(i);
        ASSERT_NE(group, nullptr) << i;
        EXPECT_EQ(lib.IndexOf(group), i);
        EXPECT_NE(group->Name, nullptr);
        if (group->GroupType != 2) {
            EXPECT_TRUE(ids.insert(group->GroupId).second) << "group ids are unique";
        }
    }
    EXPECT_EQ(lib.At(lib.Count()), nullptr);
    EXPECT_EQ(lib.IndexOf(nullptr), -1);
}

// A model library built elsewhere reaches the operations by slot number only.
TEST(VornK2Interface, OperationsSitInTheirSlots)
{
    VornK2Library lib;
    CEcrData* dept = lib.Group(WND_DEPT);
    ASSERT_NE(dept, nullptr);
    void** slots = *reinterpret_cast<void***>(dept);
    using GetTableCountFn = int(__attribute__((thiscall)) *)(CEcrData*);
    using GetTableFn = S_ECR_TABLE*(__attribute__((thiscall)) *)(CEcrData*, int);
    using LoadDataFn = BOOL(__attribute__((thiscall)) *)(CEcrData*, const wchar_t*);
    EXPECT_EQ(reinterpret_cast<GetTableCountFn>(slots[7])(dept), 1);
    S_ECR_TABLE* table = reinterpret_cast<GetTableFn>(slots[8])(dept, 0);
    ASSERT_NE(table, nullptr);
    EXPECT_STREQ(table->Label.DefaultText, L"Department");
    EXPECT_FALSE(reinterpret_cast<LoadDataFn>(slots[5])(dept, nullptr)) << "no data file yet";
    EXPECT_EQ(dept->Loaded, 1);

    S_ECR_TABLE* clerks = lib.Group(WND_CLERK)->GetTable(0);
    ASSERT_NE(clerks->Validator, nullptr);
    void** validatorSlots = *reinterpret_cast<void***>(clerks->Validator);
    using ValidateFn = int(__attribute__((thiscall)) *)(CEcrValidator*, S_ECR_CHECK*);
    CString message;
    S_ECR_CHECK check = {clerks, 2, 0, L"12A4", 12, &message};
    EXPECT_EQ(reinterpret_cast<ValidateFn>(validatorSlots[10])(clerks->Validator, &check), 0);
    EXPECT_EQ(message, L"The secret code is 1 to 4 digits 0-9");
}

TEST(VornK2Interface, ValidatorRulesAndMessages)
{
    VornK2Library lib;
    S_ECR_TABLE* dept = lib.Group(WND_DEPT)->GetTable(0);
    struct Case { int field; const wchar_t* text; bool accepted; } cases[] = {
        {5, L"5000", true}, {5, L"0", true}, {5, L"5500", false}, {5, L"", false}, {5, L"900000000", false},
        {1, L"anything", true},  // no rule for the name
    };
    for (const Case& c : cases) {
        CString message;
        S_ECR_CHECK check = {dept, c.field, 0, c.text, 0, &message};
        EXPECT_EQ(dept->Validator->Validate(&check) != 0, c.accepted) << c.field << " " << CStringA(c.text).GetString();
        EXPECT_EQ(message.IsEmpty(), c.accepted);
    }
}

// The record tables use every codec type and flag, and every card row kind.
TEST(VornK2Interface, TablesCoverTheCodec)
{
    VornK2Library lib;
    std::set<DWORD> types;
    DWORD flags = 0;
    std::set<int> kinds, checks;
    for (int wnd : {WND_DEPT, WND_PLU, WND_CLERK, WND_S_MODE, WND_PROG_MODE}) {
        CEcrData* group = lib.Group(wnd);
        for (int t = 0; t < group->GetTableCount(); ++t) {
            S_ECR_TABLE* table = group->GetTable(t);
            int end = 0;
            for (int f = 0; f < table->FieldCount; ++f) {
                const S_ECR_FIELD& field = table->Fields()[f];
                types.insert(field.Type());
                flags |= field.Flags & ~FIELD_TYPE_MASK;
                kinds.insert(field.CardKind);
                checks.insert(field.CheckMode);
                end = std::max(end, field.Offset + FieldByteLength(field));
            }
            EXPECT_EQ(end, table->RecordSize) << "fields fill the record";
        }
    }
    EXPECT_EQ(types, (std::set<DWORD>{0, 1, 2, 4, 6, 8, 17, 18, 20}));
    EXPECT_EQ(flags, 0x7F00ul);
    EXPECT_EQ(kinds, (std::set<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(checks, (std::set<int>{0, 1, 2}));
}

TEST(VornK2Interface, ChoicesFollowTheCaptionLanguage)
{
    VornK2Library lib;
    CEcrData* choices = lib.Group(WND_CHOICES);
    ASSERT_NE(choices, nullptr);
    EXPECT_EQ(choices->Loaded, 0);
    EXPECT_TRUE(choices->LoadData(nullptr));
    S_ECR_TABLE* tax = choices->GetTable(0);
    ASSERT_EQ(tax->RecordCount, 4);
    EXPECT_EQ(VornK2Library::Text(tax, 1, 0), L"Tax 1");

    lib.Settings().Language = L"JPN";
    choices->Reset();
    choices->ReloadFromFolder(lib.Folder().c_str());
    EXPECT_EQ(VornK2Library::Text(choices->GetTable(0), 0, 0), L"\u975E\u8AB2\u7A0E");
}

// What the library says, returns or names is in the program's caption
// language, also after the language changed while the library was loaded.
TEST(VornK2Interface, MessagesAndNamesFollowTheCaptionLanguage)
{
    const CaptionLanguages captions(ProgramFolder() + L"\\Cap");
    VornK2Library lib;
    CEcrData* clerk = lib.Group(WND_CLERK);
    ASSERT_NE(clerk, nullptr);
    clerk->LoadData(nullptr);
    S_ECR_TABLE* clerks = clerk->GetTable(0);
    for (bool japanese : {true, false}) {
        lib.Settings().Language = japanese ? L"JPN" : L"ENG";
        CString refusal;
        S_ECR_CHECK check = {clerks, 2, 0, L"12A4", 12, &refusal};
        EXPECT_FALSE(clerks->Validator->Validate(&check));
        WriteFileBytes(lib.PathOf(L"in.csv"), "Clerk No.\r\n1\r\n");
        EXPECT_FALSE(clerk->ImportCsv(0, lib.PathOf(L"in.csv").c_str()));
        EXPECT_FALSE(clerk->ExportCsv(0, lib.PathOf(L"missing\\out.csv").c_str()));
        std::vector<std::wstring> told = lib.TakeMessages();
        ASSERT_EQ(told.size(), 2u);
        // The write failure's reason, in brackets, is the system's text in the system's language.
        std::vector<std::wstring> said = {told[0], told[1].substr(0, told[1].find_first_of(L"(（")),
                                          refusal.GetString()};
        for (int i = 0; i < lib.Count(); ++i) {
            CEcrData* group = lib.At(i);
            if (group->GroupType < 2 || group->GroupType > 4)  // the groups that send/receive rows name
                said.push_back(group->Name);
        }
        for (const std::wstring& text : said)
            EXPECT_FALSE(captions.InOtherLanguage(text, japanese)) << CStringA(text.c_str()).GetString();
    }
}

} // namespace
