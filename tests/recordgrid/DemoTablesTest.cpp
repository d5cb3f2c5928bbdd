// The record grid over the demo library's own tables and caption files:
// what the embedded default shows, and pictures of the PLU table.
#include "RecordGridFixture.h"

#include "CCaptionMgr.h"
#include "EcrGlobals.h"
#include "VornK2Library.h"
#include "WindowPicture.h"

namespace {

class DemoTablesTest : public RecordGridTest
{
protected:
    void SetUp() override
    {
        RecordGridTest::SetUp();
        ASSERT_TRUE(lib.Loaded());
        wchar_t data[MAX_PATH];
        ASSERT_NE(::GetFullPathNameW(L"Data", MAX_PATH, data, nullptr), 0u);
        lib.UseFolder(data);
    }
    S_ECR_TABLE* Table(int wndNo)
    {
        CEcrData* group = lib.Group(wndNo);
        if (!group || (!group->Loaded && !group->LoadData(nullptr)))
            return nullptr;
        return group->GetTable(0);
    }
    // The program's caption manager on the shipped caption file of a language.
    void UseCaptions(const wchar_t* language)
    {
        ASSERT_TRUE(captions.SetCaptionFile(L".\\Cap", L"VORNK2DLL", language));
        captions.LoadCharConv(L".\\Cap", L"VORNK2DLL");
        g_ppCaptionMgr = &captionPtr;
    }
    void TearDown() override
    {
        g_ppCaptionMgr = saved;
        RecordGridTest::TearDown();
    }

    VornK2Library lib;
    CCaptionMgr captions;
    CCaptionManagerBase* captionPtr = &captions;
    CCaptionManagerBase** saved = g_ppCaptionMgr;
};

std::wstring Text(CEcrGrid& grid, int row, int col)
{
    return grid.GetItemText(row, col).GetString();
}

} // namespace

TEST_F(DemoTablesTest, ShippedDataShowsItsShadedValues)
{
    S_ECR_TABLE* dept = Table(17);
    ASSERT_TRUE(dept);
    ASSERT_TRUE(grid.BindTable(dept, 0));
    ASSERT_EQ(grid.GetRowCount(), 21);
    // Department 20 keeps group 12, outside 1 .. 9: shown, grey, read-only.
    EXPECT_EQ(Text(grid, 0, 7), L"Group");
    EXPECT_EQ(Text(grid, 20, 7), L"12");
    EXPECT_TRUE(grid.GetItemState(20, 7) & GRIDCELL_READONLY);
    EXPECT_EQ(grid.GetItemBkColour(20, 7), CEcrGrid::ReadOnlyBack);
    EXPECT_FALSE(grid.GetItemState(19, 7) & GRIDCELL_READONLY);

    // The library's validator refuses with its own words.
    grid.SetItemTextByUser(1, 6, L"1234");
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, L"HALO is one digit followed by zeros (e.g. 5000), at most 90000000");
    EXPECT_EQ(Text(grid, 1, 6), L"50000");
    grid.SetItemTextByUser(1, 6, L"7000");
    EXPECT_EQ(VornK2Library::Text(dept, 0, 5), L"7000");
}

TEST_F(DemoTablesTest, PluTablePictures)
{
    S_ECR_TABLE* plu = Table(18);
    ASSERT_TRUE(plu);
    struct Language
    {
        const wchar_t* code;
        const wchar_t* codeCaption;
        const wchar_t* picture;
        const wchar_t* searchTitle;
        const wchar_t* cancel;
    } languages[] = {
        {L"ENG", L"PLU Code", L"recordgrid-plu-eng", L"Search", L"Cancel"},
        {L"JPN", L"PLUコード", L"recordgrid-plu-jpn", L"検索", L"キャンセル"},
    };
    const CaptionLanguages captionFiles(L"Cap");
    for (const Language& language : languages) {
        UseCaptions(language.code);
        ASSERT_TRUE(grid.BindTable(plu, 0));
        EXPECT_EQ(Text(grid, 0, 1), language.codeCaption);
        EXPECT_EQ(Text(grid, 1, 2), L"キャベツ");
        EXPECT_EQ(Text(grid, 3, 2), L"Onion");
        // The third PLU's discount lies outside -50 .. 50.
        EXPECT_EQ(Text(grid, 3, 8), L"75");
        EXPECT_EQ(grid.GetItemBkColour(3, 8), CEcrGrid::ReadOnlyBack);
        PumpPending();
        EXPECT_FALSE(SaveWindowPicture(host.m_hWnd, language.picture).empty());

        // The search over the code column, in the same language.
        {
            InputScript search(L"4900000010077");
            search.picture = std::wstring(language.picture) + L"-search";
            search.captions = &captionFiles;
            search.japanese = std::wstring(language.code) == L"JPN";
            gridtest::Mouse(grid, WM_LBUTTONDBLCLK, Centre(0, 1), MK_LBUTTON);
            gridtest::Mouse(grid, WM_LBUTTONUP, Centre(0, 1));
            PumpPending();
            ASSERT_TRUE(search.ran);
            EXPECT_EQ(search.title, language.searchTitle);
            EXPECT_EQ(search.cancelText, language.cancel);
            EXPECT_FALSE(search.picturePath.empty());
            EXPECT_TRUE(search.findings.empty()) << language.code << ":\n" << JoinFindings(search.findings);
        }
        EXPECT_EQ(grid.GetFocusCell(), CCellID(2, 1));

        gridtest::Snapshot shot(grid);
        CRect shaded, plain;
        ASSERT_TRUE(grid.GetCellRect(3, 8, shaded));
        ASSERT_TRUE(grid.GetCellRect(2, 8, plain));
        EXPECT_EQ(shot.At(shaded.left + 2, shaded.top + 2), CEcrGrid::ReadOnlyBack);
        EXPECT_EQ(shot.At(plain.left + 2, plain.top + 2), CEcrGrid::EditableBack);
    }
}

TEST_F(DemoTablesTest, ClearAndCutOfAWholeRowKeepTheFieldsTheLevelHides)
{
    S_ECR_TABLE* plu = Table(18);
    ASSERT_TRUE(plu);
    // Level 3 hides Label, Stock, Discount % and Age limit (fields 5 to 8).
    ASSERT_TRUE(grid.BindTable(plu, 3));
    ASSERT_EQ(grid.GetColumnWidth(6), 0);
    for (int row : {1, 2}) {
        std::vector<std::wstring> hidden;
        for (int f = 5; f <= 8; ++f)
            hidden.push_back(VornK2Library::Text(plu, row - 1, f));
        // A row-header click selects the whole row, hidden cells included.
        gridtest::Mouse(grid, WM_LBUTTONDOWN, Centre(row, 0), MK_LBUTTON);
        gridtest::Mouse(grid, WM_LBUTTONUP, Centre(row, 0));
        ASSERT_TRUE(grid.IsCellSelected(row, 6));
        if (row == 1)
            grid.ClearSelectedCells();  // Delete
        else
            grid.OnEditCut();
        EXPECT_EQ(Text(grid, row, 2), L"") << "the shown name is cleared";
        for (int f = 5; f <= 8; ++f)
            EXPECT_EQ(VornK2Library::Text(plu, row - 1, f), hidden[f - 5]) << "row " << row << ", field " << f;
    }
}
