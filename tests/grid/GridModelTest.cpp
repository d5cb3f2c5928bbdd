// The grid's model and notifications, cell classes, construction and window.
#include <cstring>

#include "GridFixture.h"
#include "MessageBoxRecorder.h"
#include "dialog.h"
#include "resource.h"

using namespace gridtest;

// ---- Model ------------------------------------------------------------------

TEST_F(GridTest, ConstructionGivesTheSpecifiedDefaults)
{
    CGridCtrl grid;
    EXPECT_EQ(0, grid.GetRowCount());
    EXPECT_EQ(0, grid.GetColumnCount());
    EXPECT_EQ(GRIDLINES_BOTH, grid.GetGridLines());
    EXPECT_TRUE(grid.IsEditable());
    EXPECT_FALSE(grid.GetListMode());
    EXPECT_TRUE(grid.GetAllowDraw());
    EXPECT_TRUE(grid.IsSelectable());
    EXPECT_TRUE(grid.GetDoubleBuffering());
    EXPECT_TRUE(grid.GetTitleTips());
    EXPECT_TRUE(grid.GetMarkFocusHeaders());
    EXPECT_FALSE(grid.GetSortOnHeaderClick());
    EXPECT_EQ(3u, grid.GetAutoSizeStyle());
    EXPECT_EQ(3, grid.GetDividerTolerance());
    EXPECT_EQ(-1, grid.GetSortColumn());
    EXPECT_EQ(RGB(0xC0, 0xC0, 0xC0), grid.GetGridLineColor());
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), grid.GetGridBkColor());
    EXPECT_EQ(CLR_DEFAULT, grid.GetTitleTipBackClr());
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), grid.PickDefaultCell(FALSE, FALSE)->GetBackClr());
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), grid.PickDefaultCell(TRUE, FALSE)->GetBackClr());
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), grid.PickDefaultCell(FALSE, TRUE)->GetBackClr());
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), grid.PickDefaultCell(TRUE, TRUE)->GetBackClr());
    EXPECT_EQ(::GetSysColor(COLOR_WINDOWTEXT), grid.PickDefaultCell(TRUE, TRUE)->GetTextClr());
    EXPECT_NE(grid.PickDefaultCell(TRUE, FALSE), grid.PickDefaultCell(FALSE, TRUE));
}

TEST_F(GridTest, IndexesOutsideTheGridAreIgnored)
{
    CGridCtrl grid;
    Shape(grid, 3, 3, 1, 1);
    for (auto [r, c] : {std::pair{-1, 0}, {0, -1}, {3, 0}, {0, 3}, {100000, 2}}) {
        EXPECT_EQ(nullptr, grid.GetCell(r, c));
        EXPECT_FALSE(grid.SetItemText(r, c, L"x"));
        EXPECT_STREQ(L"", grid.GetItemText(r, c));
        EXPECT_EQ(0u, grid.GetItemState(r, c));
        EXPECT_FALSE(grid.SetItemState(r, c, GRIDCELL_SELECTED));
        EXPECT_FALSE(grid.RedrawCell(r, c));
        EXPECT_FALSE(grid.InvalidateCell(r, c));
    }
    EXPECT_EQ(-1, grid.GetRowHeight(3));
    EXPECT_EQ(-1, grid.GetColumnWidth(-1));
    EXPECT_FALSE(grid.SetRowHeight(3, 10));
    EXPECT_FALSE(grid.SetColumnWidth(-1, 10));
    EXPECT_FALSE(grid.SetRowCount(-5));
    EXPECT_EQ(3, grid.GetRowCount());
    EXPECT_EQ(0u, grid.GetSelectedCount());
}

TEST_F(GridTest, MissingCellReadsAsEmpty)
{
    CGridCtrl grid;
    grid.SetDefaultCellType(nullptr);  // no cells are made
    Shape(grid, 2, 2, 0, 0);
    EXPECT_EQ(nullptr, grid.GetCell(1, 1));
    EXPECT_STREQ(L"", grid.GetItemText(1, 1));
    EXPECT_EQ(0u, grid.GetItemState(1, 1));
    ASSERT_TRUE(CreateGrid(grid, host, 200, 100));
    Snapshot shot(grid);  // painting skips the missing cells
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), shot.At(10, 10));
    EXPECT_TRUE(grid.RedrawCell(1, 1));  // the lines, without a cell to draw
}

TEST_F(GridTest, CellsThatCouldNotBeMadeStayEmpty)
{
    static int calls = 0;
    calls = 0;
    CGridCtrl grid;
    grid.SetDefaultCellType([]() -> CGridCellBase* { return ++calls % 2 ? new CGridCell : nullptr; });
    ASSERT_TRUE(CreateGrid(grid, host, 200, 100));
    Shape(grid, 4, 4, 1, 1);
    int missing = 0;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (!grid.GetCell(r, c)) {
                ++missing;
                EXPECT_FALSE(grid.SetItemText(r, c, L"x"));
                EXPECT_STREQ(L"", grid.GetItemText(r, c));
            }
    EXPECT_EQ(8, missing);
    grid.SetSelectedRange(1, 1, 3, 3);
    grid.MergeCells(1, 1, 2, 2);
    Snapshot shot(grid);
    EXPECT_LE(grid.GetSelectedCount(), 9u);
}

TEST_F(GridTest, NotificationsCarryTheCommonControlCodesToTheParent)
{
    CGridCtrl grid;
    ASSERT_TRUE(CreateGrid(grid, host, 200, 100, 77));
    EXPECT_EQ(0, static_cast<int>(CGridCtrl().NotifyParent(1, 2, GRIDN_CLICK)));  // no window: 0
    host.replies[GRIDN_BEGINEDIT] = -1;
    EXPECT_EQ(-1, static_cast<int>(grid.NotifyParent(4, 5, GRIDN_BEGINEDIT)));
    ASSERT_EQ(1u, host.notes.size());
    EXPECT_EQ(-175, static_cast<int>(host.notes[0].code));
    EXPECT_EQ(4, host.notes[0].row);
    EXPECT_EQ(5, host.notes[0].col);
    EXPECT_EQ(77u, host.notes[0].id);
}

TEST_F(GridTest, EnableSelectionHonoursItsFlag)
{
    CGridCtrl grid;
    Shape(grid, 5, 5, 1, 1);
    grid.SetSelectedRange(1, 1, 2, 2);
    EXPECT_EQ(4u, grid.GetSelectedCount());
    grid.EnableSelection(FALSE);
    EXPECT_FALSE(grid.IsSelectable());
    EXPECT_EQ(0u, grid.GetSelectedCount());
    grid.SetSelectedRange(1, 1, 2, 2);
    EXPECT_EQ(0u, grid.GetSelectedCount());
    EXPECT_FALSE(grid.GetSelectedRange().IsValid());
    grid.EnableSelection(TRUE);
    grid.SetSelectedRange(1, 1, 1, 1);
    EXPECT_EQ(1u, grid.GetSelectedCount());
}

TEST_F(GridTest, VirtualModeAsksTheParentForEachCell)
{
    CGridCtrl grid;
    grid.SetVirtualMode(TRUE);
    Shape(grid, 5, 4, 1, 1);
    EXPECT_EQ(nullptr, grid.GetCell(5, 0));
    // Without a window: the shared cell, from the default cell, empty.
    CGridCellBase* cell = grid.GetCell(2, 2);
    ASSERT_NE(nullptr, cell);
    EXPECT_STREQ(L"", cell->GetText());
    EXPECT_EQ(grid.PickDefaultCell(FALSE, FALSE)->GetFormat(), cell->GetFormat());

    ASSERT_TRUE(CreateGrid(grid, host, 300, 200));
    cell = grid.GetCell(3, 1);
    EXPECT_STREQ(L"3,1", cell->GetText());
    EXPECT_EQ(1, host.dispInfoRequests);
    cell = grid.GetCell(0, 2);
    EXPECT_TRUE(cell->GetState() & GRIDCELL_FIXEDROW);
    EXPECT_FALSE(grid.SetItemText(1, 1, L"no"));  // nothing is stored in virtual mode

    // A paint asks for the visible block at once, before and after.
    host.Clear();
    Snapshot shot(grid);
    ASSERT_EQ(2u, host.cacheHints.size());
    EXPECT_TRUE(host.cacheHints[0].IsValid());
    EXPECT_EQ(CCellRange(), host.cacheHints[1]);
    EXPECT_GT(host.dispInfoRequests, 0);
}

// ---- Cells ----------------------------------------------------------

TEST_F(GridTest, CellsFallBackOnTheirDefaultCell)
{
    CGridCtrl grid;
    Shape(grid, 3, 3, 1, 1);
    CGridCellBase* cell = grid.GetCell(1, 1);
    CGridCellBase* def = grid.PickDefaultCell(FALSE, FALSE);
    EXPECT_EQ(def->GetFormat(), cell->GetFormat());
    EXPECT_EQ(def->GetBackClr(), cell->GetBackClr());
    EXPECT_EQ(def->GetMargin(), cell->GetMargin());
    EXPECT_EQ(def->GetFont(), cell->GetFont());
    cell->SetBackClr(RGB(1, 2, 3));
    EXPECT_EQ(RGB(1, 2, 3), cell->GetBackClr());
    cell->SetBackClr(CLR_DEFAULT);
    EXPECT_EQ(def->GetBackClr(), cell->GetBackClr());
    cell->SetFormat(DT_LEFT);
    EXPECT_EQ(static_cast<DWORD>(DT_LEFT), cell->GetFormat());
    cell->SetFormat(static_cast<DWORD>(-1));
    EXPECT_EQ(def->GetFormat(), cell->GetFormat());

    grid.PickDefaultCell(TRUE, TRUE)->SetBackClr(RGB(9, 9, 9));
    EXPECT_EQ(RGB(9, 9, 9), grid.GetCell(0, 0)->GetBackClr());
    EXPECT_EQ(0x40u, static_cast<UINT>(grid.GetCell(1, 0)->IsFixedCol()));
    EXPECT_EQ(0x70u, grid.GetCell(0, 0)->GetState() & 0x70u);

    CGridCell orphan;  // no grid: no default cell
    EXPECT_EQ(0u, orphan.GetFormat());
    EXPECT_EQ(0u, orphan.GetMargin());
    EXPECT_EQ(CLR_DEFAULT, orphan.GetTextClr());
    EXPECT_EQ(nullptr, orphan.GetFont());
}

TEST_F(GridTest, DefaultCellsNeverFallBackOnThemselves)
{
    CGridCtrl grid;
    CGridDefaultCell* def = grid.PickDefaultCell(FALSE, FALSE);
    EXPECT_TRUE(def->GetState() & GRIDCELL_READONLY);
    def->SetState(GRIDCELL_SELECTED);
    def->SetData(42);
    EXPECT_EQ(static_cast<DWORD>(GRIDCELL_READONLY), def->GetState());
    EXPECT_EQ(0, def->GetData());
    // Unset values resolve to the system's, not to the cell itself again.
    def->SetTextClr(CLR_DEFAULT);
    def->SetBackClr(CLR_DEFAULT);
    def->SetFormat(static_cast<DWORD>(-1));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOWTEXT), def->GetTextClr());
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), def->GetBackClr());
    EXPECT_EQ(GRID_DEFAULT_FORMAT, def->GetFormat());
    // The font measures the default sizes: width of " XXXXXXXXXXXX ", 3/2 of its height.
    HDC screen = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(screen, def->GetFontObject()->GetSafeHandle());
    SIZE s;
    ::GetTextExtentPoint32W(screen, L" XXXXXXXXXXXX ", 14, &s);
    ::SelectObject(screen, old);
    ::ReleaseDC(nullptr, screen);
    EXPECT_EQ(s.cx, def->GetWidth());
    EXPECT_EQ(s.cy * 3 / 2, def->GetHeight());
}

TEST_F(GridTest, MergeFieldsAndCopy)
{
    CGridCell a;
    a.SetMergeOwner(CCellID(2, 3));
    EXPECT_TRUE(a.HasMergeOwner());
    a.SetMergeOwner(CCellID(-1, 5));
    EXPECT_FALSE(a.HasMergeOwner());
    a.SetMergeRange(CCellRange(1, 1, 2, 3));
    a.SetMerged(true);
    a.SetText(L"abc");
    a.CopyFrom(a);
    EXPECT_STREQ(L"abc", a.GetText());
    CGridCell b;
    b.CopyFrom(a);
    EXPECT_STREQ(L"abc", b.GetText());
    EXPECT_EQ(CCellRange(1, 1, 2, 3), b.GetMergeRange());
    EXPECT_FALSE(b.IsUnmerged());
    b.ResetCell();
    EXPECT_TRUE(b.IsUnmerged());
    EXPECT_STREQ(L"", b.GetText());
}

// ---- Construction and window -------------------------------------------

TEST_F(GridTest, CreateMakesTheSpecifiedWindow)
{
    CGridCtrl first, second;  // both register nothing twice
    ASSERT_TRUE(first.Create(CRect(0, 0, 100, 80), &host));
    EXPECT_EQ(6000, first.GetDlgCtrlID());
    EXPECT_EQ(0x50810000u, first.GetStyle() & 0xFFFF0000u);
    wchar_t name[64];
    ::GetClassNameW(first.m_hWnd, name, 64);
    EXPECT_STREQ(GRIDCTRL_CLASSNAME, name);
    WNDCLASSW wc;
    ASSERT_TRUE(::GetClassInfoW(::GetModuleHandleW(nullptr), GRIDCTRL_CLASSNAME, &wc));
    EXPECT_EQ(static_cast<UINT>(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS), wc.style);
    EXPECT_TRUE(::GetClassInfoW(::GetModuleHandleW(nullptr), TITLETIP_CLASSNAME, &wc));
    EXPECT_TRUE(second.Create(CRect(0, 0, 100, 80), &host, 6001));
}

namespace {

class CGridDialog : public CDialog
{
public:
    CGridDialog() : CDialog(IDD_GRID_TEST) {}
    CGridCtrl m_grid;
    int beginEdits = 0;

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        CDialog::DoDataExchange(dx);
        DDX_Control(dx, IDC_GRID, m_grid);
    }
    void OnBeginEdit(NMHDR*, LRESULT* result)
    {
        ++beginEdits;
        *result = -1;  // a dialog vetoes the edit
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CGridDialog, CDialog)
    ON_NOTIFY(GRIDN_BEGINEDIT, IDC_GRID, &CGridDialog::OnBeginEdit)
END_MESSAGE_MAP()

} // namespace

TEST_F(GridTest, DialogTemplateControlBecomesAGrid)
{
    CGridDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_GRID_TEST, &host));
    PumpPending();
    ASSERT_TRUE(dialog.m_grid.GetSafeHwnd());
    EXPECT_TRUE(dialog.m_grid.GetExStyle() & WS_EX_CLIENTEDGE);
    Shape(dialog.m_grid, 4, 3, 1, 1);
    dialog.m_grid.SetItemText(1, 1, L"in a dialog");
    EXPECT_STREQ(L"in a dialog", dialog.m_grid.GetItemText(1, 1));
    host.Clear();
    dialog.m_grid.NotifyParent(1, 1, GRIDN_CLICK);  // goes to the dialog, not the host
    EXPECT_EQ(0u, host.notes.size());
    // The dialog's reply reaches the grid: its veto keeps the text.
    dialog.m_grid.SetItemTextByUser(1, 1, L"changed");
    EXPECT_EQ(1, dialog.beginEdits);
    EXPECT_STREQ(L"in a dialog", dialog.m_grid.GetItemText(1, 1));
    dialog.DestroyWindow();
    PumpPending();
}

TEST_F(GridTest, SystemColourChangeMovesOnlyDefaultColours)
{
    CGridCtrl grid;
    ASSERT_TRUE(CreateGrid(grid, host, 100, 100));
    grid.PickDefaultCell(TRUE, FALSE)->SetBackClr(RGB(1, 2, 3));   // chosen by the program
    const COLORREF oldWindow = ::GetSysColor(COLOR_WINDOW);
    const COLORREF oldFace = ::GetSysColor(COLOR_BTNFACE);
    int elements[] = {COLOR_WINDOW, COLOR_BTNFACE};
    COLORREF changed[] = {RGB(250, 240, 230), RGB(10, 200, 30)};
    COLORREF original[] = {oldWindow, oldFace};
    ASSERT_TRUE(::SetSysColors(2, elements, changed));
    grid.SendMessage(WM_SYSCOLORCHANGE);
    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    ::SetSysColors(2, elements, original);
    EXPECT_EQ(window, grid.PickDefaultCell(FALSE, FALSE)->GetBackClr());
    EXPECT_EQ(face, grid.PickDefaultCell(TRUE, TRUE)->GetBackClr());
    EXPECT_EQ(face, grid.PickDefaultCell(FALSE, TRUE)->GetBackClr());
    EXPECT_EQ(RGB(1, 2, 3), grid.PickDefaultCell(TRUE, FALSE)->GetBackClr());
}

TEST_F(GridTest, FontMessagesReachTheDefaultCells)
{
    CGridCtrl grid;
    ASSERT_TRUE(CreateGrid(grid, host, 100, 100));
    LOGFONTW lf = {};
    lf.lfHeight = -20;
    lstrcpyW(lf.lfFaceName, L"Tahoma");
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    grid.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font.GetSafeHandle()), TRUE);
    for (BOOL fr : {FALSE, TRUE})
        for (BOOL fc : {FALSE, TRUE})
            EXPECT_EQ(-20, grid.PickDefaultCell(fr, fc)->GetFont()->lfHeight);
    HFONT got = reinterpret_cast<HFONT>(grid.SendMessage(WM_GETFONT));
    EXPECT_EQ(grid.PickDefaultCell(FALSE, FALSE)->GetFontObject()->GetSafeHandle(), got);
}

TEST_F(GridTest, CaptureLossEndsTheButtonState)
{
    CGridCtrl grid;
    ASSERT_TRUE(CreateGrid(grid, host, 100, 100));
    grid.SetMouseMode(CGridCtrl::MOUSE_SELECT_CELLS);
    grid.SetCapture();
    host.SetCapture();  // another window takes the capture
    PumpPending();
    EXPECT_EQ(CGridCtrl::MOUSE_NOTHING, grid.GetMouseMode());
    ::ReleaseCapture();
}

TEST_F(GridTest, DestroyingTheWindowDropsAnOpenEditSilently)
{
    // The grid's own window, then the window holding it: neither hears of
    // the edit on its way out, and the typed text does not land.
    for (bool wholeParent : {false, true}) {
        CGridHost parent;
        ASSERT_TRUE(parent.CreateHost(300, 200));
        CGridCtrl grid;
        ASSERT_TRUE(CreateGrid(grid, parent, 300, 200));
        Shape(grid, 5, 3, 1, 1);
        grid.SetItemText(1, 1, L"old");
        grid.SetFocusCell(1, 1);
        grid.SetFocus();
        grid.SendMessage(WM_CHAR, 'n', 1);
        PumpPending();
        HWND editor = Editor(grid);
        ASSERT_TRUE(editor);
        parent.Clear();
        if (wholeParent)
            parent.DestroyWindow();
        else
            grid.DestroyWindow();
        PumpPending();
        EXPECT_FALSE(::IsWindow(editor)) << wholeParent;
        EXPECT_EQ(0, parent.Count(GRIDN_ENDEDIT)) << wholeParent;
        EXPECT_EQ(L"old", std::wstring(grid.GetItemText(1, 1))) << wholeParent;
        EXPECT_EQ(nullptr, grid.GetCell(1, 1)->GetEditWnd()) << wholeParent;
    }
}
