// Printing: how rows fall on pages, what a page shows, and the print job's
// end on a context that cannot print.
#include "GridFixture.h"

#include <string>
#include <vector>

#include "commondlg.h"

using namespace gridtest;

namespace {

// The texts a page drew, read back from an enhanced metafile.
std::vector<std::wstring> g_texts;

int CALLBACK CollectText(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM)
{
    if (record->iType == EMR_EXTTEXTOUTW) {
        const auto* text = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
        const auto* chars = reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(record) + text->emrtext.offString);
        g_texts.emplace_back(chars, text->emrtext.nChars);
    }
    return 1;
}

bool Drew(const std::wstring& text)
{
    for (const std::wstring& t : g_texts)
        if (t == text)
            return true;
    return false;
}

HDC g_answer = nullptr;
DWORD g_flags = 0;
bool AnswerPrintDialog(HWND, DWORD flags, HDC& dc)
{
    g_flags = flags;
    dc = g_answer;
    return g_answer != nullptr;
}

} // namespace

TEST(GridPrintPages, RowsFallOnPagesAndNoPageIsEmpty)
{
    EXPECT_EQ((std::vector<int>{0, 9, 18}), CGridCtrl::PaginateRows(std::vector<int>(20, 10), 95));
    EXPECT_EQ((std::vector<int>{0, 1, 2}), CGridCtrl::PaginateRows({10, 200, 10}, 95)) << "a tall row has its own page";
    EXPECT_EQ((std::vector<int>{0, 1}), CGridCtrl::PaginateRows({200, 10}, 95)) << "no empty first page";
    EXPECT_EQ((std::vector<int>{0}), CGridCtrl::PaginateRows({0, 0, 95}, 95)) << "hidden rows take no room";
    EXPECT_TRUE(CGridCtrl::PaginateRows({}, 95).empty());
}

TEST_F(GridTest, APageShowsItsRowsHeadingsHeaderAndFooter)
{
    CGridCtrl grid;
    ASSERT_TRUE(CreateGrid(grid, host, 300, 200));
    Shape(grid, 120, 3, 1, 1, 20, 60);
    grid.SetItemText(0, 1, L"Price");
    for (int r = 1; r < 120; ++r)
        grid.SetItemText(r, 1, (L"row" + std::to_wstring(r)).c_str());

    const int gdiBefore = CountGdiObjects();
    HDC dc = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(dc);
    CDC cdc;
    cdc.Attach(dc);
    CPrintInfo info;
    grid.OnBeginPrinting(&cdc, &info);
    ASSERT_GT(info.GetMaxPage(), 2u);
    info.m_nCurPage = 2;
    grid.OnPrintPage(&cdc, &info);
    grid.OnEndPrinting(&cdc, &info);
    cdc.Detach();
    HENHMETAFILE emf = ::CloseEnhMetaFile(dc);
    ASSERT_TRUE(emf);
    g_texts.clear();
    ::EnumEnhMetaFile(nullptr, emf, CollectText, nullptr, nullptr);
    ::DeleteEnhMetaFile(emf);
    EXPECT_EQ(gdiBefore, CountGdiObjects()) << "the print font and drawing objects are released";

    EXPECT_TRUE(Drew(L"Grid host")) << "the header falls back on the window's title";
    EXPECT_TRUE(Drew(L"Page 2 of " + std::to_wstring(info.GetMaxPage())));
    EXPECT_TRUE(Drew(L"Price")) << "column headings on every page";
    EXPECT_FALSE(Drew(L"row1")) << "page 1's rows are not on page 2";
    bool found = false;
    for (int r = 2; r < 119 && !found; ++r)
        found = Drew(L"row" + std::to_wstring(r));
    EXPECT_TRUE(found);
}

TEST_F(GridTest, PrintEndsCleanlyOnACancelOrAContextThatCannotPrint)
{
    CGridCtrl grid;
    ASSERT_TRUE(CreateGrid(grid, host, 300, 200));
    Shape(grid, 10, 3, 1, 1);
    AfxPrintDialogHandler old = AfxSetPrintDialogHandler(AnswerPrintDialog);
    g_answer = nullptr;
    grid.Print();  // cancelled: nothing happens
    EXPECT_EQ(0x14000Cu, g_flags);

    // A memory context is no printer: the job is abandoned and the context deleted.
    g_answer = ::CreateCompatibleDC(nullptr);
    ASSERT_TRUE(g_answer);
    grid.Print();
    EXPECT_EQ(0u, ::GetObjectType(g_answer));
    AfxSetPrintDialogHandler(old);
}

TEST_F(GridTest, ThePrinterContextIsMarkedAsPrinting)
{
    // Cells that draw differently on paper ask the context.
    class ProbeGrid : public CGridCtrl
    {
    public:
        int asked = 0;
        bool printing = false;
        void OnBeginPrinting(CDC* dc, CPrintInfo* info) override
        {
            ++asked;
            printing = dc->IsPrinting();
            CGridCtrl::OnBeginPrinting(dc, info);
        }
    } grid;
    ASSERT_TRUE(CreateGrid(grid, host, 300, 200));
    Shape(grid, 10, 3, 1, 1);
    AfxPrintDialogHandler old = AfxSetPrintDialogHandler(AnswerPrintDialog);
    g_answer = ::CreateCompatibleDC(nullptr);
    ASSERT_TRUE(g_answer);
    grid.Print();
    AfxSetPrintDialogHandler(old);
    EXPECT_EQ(1, grid.asked);
    EXPECT_TRUE(grid.printing);
}
