// The record grid over the demo library's own tables and caption files:
// what the embedded default shows, and pictures of the PLU table.
#include "RecordGridFixture.h"

#include <initializer_list>
#include <string>

#include "CCaptionMgr.h"
#include "ClipboardText.h"
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
    // A click on a row header; with Shift it takes the rows from the last one.
    void ClickRowHeader(int row, UINT flags = 0)
    {
        gridtest::Mouse(grid, WM_LBUTTONDOWN, Centre(row, 0), MK_LBUTTON | flags);
        gridtest::Mouse(grid, WM_LBUTTONUP, Centre(row, 0), flags);
    }
    void Press(UINT key, std::initializer_list<int> held)
    {
        gridtest::HeldKeys keys(held);
        grid.SendMessage(WM_KEYDOWN, key, 1);
    }
    // A row's texts as the clipboard holds them.
    std::wstring RowText(int row)
    {
        std::wstring text;
        for (int c = 1; c < grid.GetColumnCount(); ++c)
            text += (c > 1 ? L"\t" : L"") + std::wstring(grid.GetItemText(row, c));
        return text;
    }
    std::wstring LastBox() { return boxes.Boxes().empty() ? L"" : boxes.Boxes().back().text; }

    VornK2Library lib;
    CCaptionMgr captions;
    CCaptionManagerBase* captionPtr = &captions;
    CCaptionManagerBase** saved = g_ppCaptionMgr;
};

std::wstring Text(CEcrGrid& grid, int row, int col)
{
    return grid.GetItemText(row, col).GetString();
}

std::string RecordBytes(const S_ECR_TABLE* table, int first, int count)
{
    return std::string(reinterpret_cast<const char*>(table->RecordData) + first * table->RecordSize,
                       count * table->RecordSize);
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

// A click on a row header leaves no current cell; the edit keys act on the
// rows all the same, as the edit commands do.
TEST_F(DemoTablesTest, EditKeysActOnRowsSelectedFromTheirHeaders)
{
    S_ECR_TABLE* plu = Table(18);
    ASSERT_TRUE(plu);
    UseCaptions(L"ENG");
    ASSERT_TRUE(grid.BindTable(plu, 0));
    ASSERT_TRUE(gridtest::PutText(host.m_hWnd, L"earlier"));
    ClickRowHeader(1);
    ASSERT_EQ(grid.GetFocusCell(), CCellID());
    Press('C', {VK_CONTROL});
    EXPECT_EQ(ClipboardText(), RowText(1));
    ClickRowHeader(3, MK_SHIFT);
    Press(VK_INSERT, {VK_CONTROL});
    EXPECT_EQ(ClipboardText(), RowText(1) + L"\r\n" + RowText(2) + L"\r\n" + RowText(3));

    // Cut rows go back where they were, by Ctrl+V or Shift+Insert.
    const std::string records = RecordBytes(plu, 0, 3);
    ClickRowHeader(2);
    ClickRowHeader(3, MK_SHIFT);
    Press('X', {VK_CONTROL});
    EXPECT_EQ(Text(grid, 2, 2), L"");
    EXPECT_EQ(Text(grid, 3, 2), L"");
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(LastBox(), L"4 cells could not be emptied; they are unchanged:\n"
                         L"Row 2, PLU Code: Range is 1 - 99999999999999\nRow 2, Dept: Range is 1 - 99\n"
                         L"Row 3, PLU Code: Range is 1 - 99999999999999\nRow 3, Dept: Range is 1 - 99");
    ClickRowHeader(2);
    Press('V', {VK_CONTROL});
    EXPECT_EQ(Text(grid, 3, 2), L"Onion");
    EXPECT_TRUE(RecordBytes(plu, 0, 3) == records);
    ClickRowHeader(1);
    Press('X', {VK_CONTROL});
    EXPECT_EQ(Text(grid, 1, 2), L"");
    ClickRowHeader(1);
    Press(VK_INSERT, {VK_SHIFT});
    EXPECT_EQ(Text(grid, 1, 2), L"キャベツ");
    EXPECT_TRUE(RecordBytes(plu, 0, 3) == records);
    EXPECT_EQ(boxes.Count(), 2u) << "the cuts' refusals only";

    ClickRowHeader(2);
    Press('A', {VK_CONTROL});
    EXPECT_EQ(grid.GetSelectedCount(), (grid.GetRowCount() - 1) * (grid.GetColumnCount() - 1));
}

// A pasted row whose value a field's range refuses keeps that field and is
// told in one message; English words one refused cell apart from several.
TEST_F(DemoTablesTest, RefusedCellsAreToldOnceWithTheirCount)
{
    S_ECR_TABLE* dept = Table(17);
    ASSERT_TRUE(dept);
    UseCaptions(L"ENG");
    ASSERT_TRUE(grid.BindTable(dept, 0));
    grid.EnsureVisible(20, 1);
    // Department 20 keeps group 12, outside -1 .. 9.
    const std::wstring group19 = VornK2Library::Text(dept, 18, 6);
    ClickRowHeader(20);
    Press('C', {VK_CONTROL});
    ClickRowHeader(19);
    Press('V', {VK_CONTROL});
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(LastBox(), L"1 pasted value was refused; its cell is unchanged:\nRow 19, Group: Range is -1 - 9");
    EXPECT_EQ(VornK2Library::Text(dept, 18, 6), group19);
    EXPECT_EQ(VornK2Library::Text(dept, 18, 1), VornK2Library::Text(dept, 19, 1)) << "the name is pasted";

    boxes.Clear();
    Press(VK_DELETE, {});
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(LastBox(), L"2 cells could not be emptied; they are unchanged:\nRow 19, Dept No.: Range is 1 - 99\n"
                         L"Row 19, HALO: HALO is one digit followed by zeros (e.g. 5000), at most 90000000");
    gridtest::Mouse(grid, WM_LBUTTONDOWN, Centre(18, 1), MK_LBUTTON);
    gridtest::Mouse(grid, WM_LBUTTONUP, Centre(18, 1));
    Press(VK_DELETE, {});
    EXPECT_EQ(LastBox(), L"1 cell could not be emptied; it is unchanged:\nRow 18, Dept No.: Range is 1 - 99");
}
