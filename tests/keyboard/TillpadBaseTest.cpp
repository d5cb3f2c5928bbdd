// The keyboard screen base, through a screen that shows all it offers:
// zoom, join and separation, board settings, cell colours and fonts,
// printing at 100%, the keys the screen keeps from the dialog manager.
#include <gtest/gtest.h>

#include <vector>

#include "CEcrTilldeskApp.h"
#include "CKeyCell.h"
#include "CTillpad.h"
#include "KeyboardResources.h"
#include "MessageBoxRecorder.h"
#include "ModalScript.h"
#include "Pump.h"

namespace {

class CTestPad : public CTillpad
{
public:
    int loads = 0;
    int saves = 0;
    std::vector<int> assigned;

    void LoadKeyboard() override { ++loads; }
    void SaveKeyboard() override { ++saves; }
    void AssignKey(int* row) override { assigned.push_back(*row); }
};

// The application messages queued so far, taken off the queue.
std::vector<MSG> TakeQueued()
{
    std::vector<MSG> taken;
    MSG msg;
    while (::PeekMessageW(&msg, theApp.GetMessageWindow(), 0, 0, PM_REMOVE))
        taken.push_back(msg);
    return taken;
}

// What the print dialog saw of the grid it was asked to print.
struct PrintedGrid
{
    int runs = 0;
    std::vector<int> widths;
    std::vector<int> heights;
    CCellRange block;
    CString text;
    COLORREF back = 0;
    LONG fontHeight = 0;
    LONG defaultFontHeight = 0;
    CString header;
    int left = 0;
    BOOL wysiwyg = FALSE;
} g_printed;

bool RecordPrintedGrid(HWND owner, DWORD, HDC&)
{
    ++g_printed.runs;
    auto* grid = dynamic_cast<CGridCtrl*>(CWnd::FromHandlePermanent(owner));
    if (!grid)
        return false;
    for (int c = 0; c < grid->GetColumnCount(); ++c)
        g_printed.widths.push_back(grid->GetColumnWidth(c));
    for (int r = 0; r < grid->GetRowCount(); ++r)
        g_printed.heights.push_back(grid->GetRowHeight(r));
    g_printed.block = grid->GetOwnedBlock(1, 1);
    g_printed.text = grid->GetItemText(0, 0);
    g_printed.back = grid->GetItemBkColour(0, 2);
    g_printed.fontHeight = grid->GetItemFont(0, 3)->lfHeight;
    g_printed.defaultFontHeight = grid->GetItemFont(0, 0)->lfHeight;
    g_printed.header = grid->GetPrintHeaderText();
    int top, bottom, right;
    grid->GetPrintMargins(top, bottom, g_printed.left, right);
    g_printed.wysiwyg = grid->GetWysiwygPrinting();
    return false;  // cancelled: nothing is printed
}

COLORREF g_colourOffered = 0;
bool ChooseColour(HWND, CHOOSECOLORW& cc)
{
    g_colourOffered = cc.rgbResult;
    cc.rgbResult = RGB(1, 2, 3);
    return true;
}

LONG g_fontOffered = 0;
bool ChooseFont(HWND, CHOOSEFONTW& cf)
{
    g_fontOffered = cf.lpLogFont->lfHeight;
    cf.lpLogFont->lfHeight = -20;
    return true;
}

struct KeyboardBase : ::testing::Test
{
    CTestPad pad;

    void SetUp() override
    {
        ASSERT_TRUE(pad.Create(IDD_KEYBOARD_DIALOG));
        pad.ShowWindow(SW_SHOW);
        // Four rows of five keys of 45 x 40 pixels.
        pad.KeyMap.SetColumnCount(5);
        pad.KeyMap.SetRowCount(4);
        for (int c = 0; c < 5; ++c)
            pad.KeyMap.SetColumnWidth(c, 45);
        for (int r = 0; r < 4; ++r)
            pad.KeyMap.SetRowHeight(r, 40);
        PumpPending();
        TakeQueued();
    }
    void TearDown() override
    {
        pad.DestroyWindow();
        PumpPending();
        TakeQueued();
    }
    void Zoom(int entry)
    {
        pad.ZoomBox.SetCurSel(entry);
        pad.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_KB_ZOOM, CBN_SELCHANGE), reinterpret_cast<LPARAM>(pad.ZoomBox.m_hWnd));
    }
    void Command(int id)
    {
        pad.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(pad.m_hWnd, id)));
    }
    LONG FontHeight(int row, int col) { return pad.KeyMap.GetItemFont(row, col)->lfHeight; }
};

} // namespace

TEST(KeyboardZoom, SizesGoThroughTheirValueAt100)
{
    EXPECT_EQ(56, CTillpad::ZoomSize(45, 100, 125));
    EXPECT_EQ(45, CTillpad::ZoomSize(56, 125, 100));
    EXPECT_EQ(60, CTillpad::ZoomSize(40, 100, 150));
    EXPECT_EQ(-17, CTillpad::ZoomSize(-11, 100, 150));
    EXPECT_EQ(0, CTillpad::ZoomSize(0, 100, 300));
}

TEST_F(KeyboardBase, StartsAt100WithTheSevenSteps)
{
    EXPECT_EQ(100, pad.Zoom);
    ASSERT_EQ(7, pad.ZoomBox.GetCount());
    EXPECT_EQ(0, pad.ZoomBox.GetCurSel());
    CString last;
    pad.ZoomBox.GetLBText(6, last);
    EXPECT_STREQ(L"300%", last);
    EXPECT_EQ(-11, FontHeight(0, 0));
    EXPECT_EQ(RGB(255, 255, 224), pad.KeyMap.GetItemBkColour(0, 0));
    EXPECT_FALSE(pad.KeyMap.IsEditable());
}

TEST_F(KeyboardBase, ZoomRoundTripRestoresEverySize)
{
    LOGFONTW own = *pad.KeyMap.GetItemFont(1, 1);
    own.lfHeight = -20;
    pad.KeyMap.SetItemFont(1, 1, &own);

    Zoom(1);  // 125%
    EXPECT_EQ(125, pad.Zoom);
    EXPECT_EQ(56, pad.KeyMap.GetColumnWidth(4));
    EXPECT_EQ(50, pad.KeyMap.GetRowHeight(3));
    EXPECT_EQ(-14, FontHeight(0, 0));
    EXPECT_EQ(-25, FontHeight(1, 1));

    Zoom(0);
    EXPECT_EQ(100, pad.Zoom);
    EXPECT_EQ(45, pad.KeyMap.GetColumnWidth(4));
    EXPECT_EQ(40, pad.KeyMap.GetRowHeight(3));
    EXPECT_EQ(-11, FontHeight(0, 0));
    EXPECT_EQ(-20, FontHeight(1, 1));
}

TEST_F(KeyboardBase, JoinMergesTheSelectionAndSeparationSplitsIt)
{
    pad.KeyMap.SetSelectedRange(1, 1, 1, 1);
    Command(IDC_KB_JOIN);
    EXPECT_EQ(CCellID(1, 1), pad.KeyMap.GetMergeOwnerCell(1, 1));
    EXPECT_FALSE(pad.KeyMap.GetOwnedBlock(1, 1).IsValid());

    pad.KeyMap.SetSelectedRange(1, 1, 2, 3);
    Command(IDC_KB_JOIN);
    EXPECT_EQ(CCellRange(1, 1, 2, 3), pad.KeyMap.GetOwnedBlock(1, 1));
    EXPECT_EQ(CCellID(1, 1), pad.KeyMap.GetMergeOwnerCell(2, 3));

    // Touching one covered cell is enough to split the whole block.
    pad.KeyMap.SetSelectedRange(2, 2, 2, 2);
    Command(IDC_KB_SEPARATION);
    EXPECT_FALSE(pad.KeyMap.GetOwnedBlock(1, 1).IsValid());
    EXPECT_EQ(CCellID(2, 3), pad.KeyMap.GetMergeOwnerCell(2, 3));
}

TEST_F(KeyboardBase, BoardSettingsApplyAtTheCurrentZoom)
{
    Zoom(2);  // 150%
    MessageBoxRecorder boxes;
    int shownColumns = 0;
    int shownWidth = 0;
    WhenDialogShows(L"BoardSetting", [&](HWND dialog) {
        shownColumns = static_cast<int>(::GetDlgItemInt(dialog, IDC_BS_COLUMNS, nullptr, TRUE));
        shownWidth = static_cast<int>(::GetDlgItemInt(dialog, IDC_BS_CELL_WIDTH, nullptr, TRUE));
        SetText(dialog, IDC_BS_COLUMNS, L"10");
        SetText(dialog, IDC_BS_CELL_WIDTH, L"40");
        SetText(dialog, IDC_BS_HEADER, L"Counter 1");
        SetText(dialog, IDC_BS_LEFT, L"6");
        PressButton(dialog, IDOK);
    });
    Command(IDC_KB_SETTING);
    EXPECT_EQ(5, shownColumns);
    EXPECT_EQ(45, shownWidth);  // the width at 100%
    EXPECT_TRUE(boxes.Boxes().empty());
    ASSERT_EQ(10, pad.KeyMap.GetColumnCount());
    for (int c = 0; c < 10; ++c)
        EXPECT_EQ(60, pad.KeyMap.GetColumnWidth(c)) << c;
    EXPECT_EQ(60, pad.KeyMap.GetRowHeight(0));
    EXPECT_STREQ(L"Counter 1", pad.KeyMap.GetPrintHeaderText());
    int top, bottom, left, right;
    pad.KeyMap.GetPrintMargins(top, bottom, left, right);
    EXPECT_EQ(6, left);
}

TEST_F(KeyboardBase, RefusedBoardSettingsKeepTheDialogAndCancelKeepsTheBoard)
{
    MessageBoxRecorder boxes;
    WhenDialogShows(L"BoardSetting", [](HWND dialog) {
        SetText(dialog, IDC_BS_COLUMNS, L"101");
        PressButton(dialog, IDOK);
        WhenDialogShows(L"BoardSetting", [](HWND again) { PressButton(again, IDCANCEL); });
    });
    Command(IDC_KB_SETTING);
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ(L"Enter an integer between 1 and 100.", boxes.Boxes()[0].text);
    EXPECT_EQ(5, pad.KeyMap.GetColumnCount());
    EXPECT_EQ(45, pad.KeyMap.GetColumnWidth(0));
}

TEST_F(KeyboardBase, PrintingUsesTheSizesAt100)
{
    pad.KeyMap.SetItemText(0, 0, L"CASH");
    pad.KeyMap.SetItemBkColour(0, 2, RGB(9, 9, 9));
    LOGFONTW own = *pad.KeyMap.GetItemFont(0, 3);
    own.lfHeight = -20;
    pad.KeyMap.SetItemFont(0, 3, &own);
    pad.KeyMap.MergeCells(1, 1, 2, 2);
    pad.KeyMap.SetPrintHeaderText(L"Counter 1");
    Zoom(6);  // 300%
    g_printed = PrintedGrid{};
    AfxPrintDialogHandler saved = AfxSetPrintDialogHandler(RecordPrintedGrid);
    pad.PrintKeyboard();
    AfxSetPrintDialogHandler(saved);

    ASSERT_EQ(1, g_printed.runs);
    EXPECT_EQ(std::vector<int>(5, 45), g_printed.widths);
    EXPECT_EQ(std::vector<int>(4, 40), g_printed.heights);
    EXPECT_EQ(CCellRange(1, 1, 2, 2), g_printed.block);
    EXPECT_STREQ(L"CASH", g_printed.text);
    EXPECT_EQ(RGB(9, 9, 9), g_printed.back);
    EXPECT_EQ(-20, g_printed.fontHeight);
    EXPECT_EQ(-11, g_printed.defaultFontHeight);
    EXPECT_STREQ(L"Counter 1", g_printed.header);
    EXPECT_EQ(4, g_printed.left);
    EXPECT_TRUE(g_printed.wysiwyg);
    // The printing grid is gone again.
    EXPECT_EQ(nullptr, ::GetDlgItem(pad.m_hWnd, GRID_DEFAULT_ID));
}

TEST_F(KeyboardBase, CellColoursAndFontsGoToTheSelectedCells)
{
    Zoom(2);  // 150%
    pad.KeyMap.SetSelectedRange(0, 0, 1, 1);
    AfxColorDialogHandler savedColour = AfxSetColorDialogHandler(ChooseColour);
    AfxFontDialogHandler savedFont = AfxSetFontDialogHandler(ChooseFont);
    Command(ID_KB_BACKCOLOR);
    Command(ID_KB_FONT);
    AfxSetColorDialogHandler(savedColour);
    AfxSetFontDialogHandler(savedFont);

    EXPECT_EQ(RGB(255, 255, 224), g_colourOffered);
    EXPECT_EQ(-11, g_fontOffered);  // offered at 100%
    EXPECT_EQ(RGB(1, 2, 3), pad.KeyMap.GetItemBkColour(1, 1));
    EXPECT_EQ(-30, FontHeight(1, 1));  // chosen at 100%, held at 150%
    EXPECT_EQ(RGB(255, 255, 224), pad.KeyMap.GetItemBkColour(2, 2));
    EXPECT_EQ(-17, FontHeight(2, 2));
}

TEST_F(KeyboardBase, EnterAndEscNeverEndTheScreen)
{
    // Typed on the key map and on a push button, through the program's loop
    // and so the dialog manager (Close is the default button). Only the
    // control's messages are handled: what the screen asks of the
    // application stays queued.
    for (CWnd* focus : {static_cast<CWnd*>(&pad.KeyMap), static_cast<CWnd*>(&pad.SaveButton)}) {
        for (WPARAM key : {VK_ESCAPE, VK_RETURN}) {
            focus->SetFocus();
            ASSERT_EQ(focus->m_hWnd, ::GetFocus());
            focus->PostMessage(WM_KEYDOWN, key, 1);
            MSG msg;
            while (::PeekMessageW(&msg, focus->m_hWnd, 0, 0, PM_REMOVE))
                if (!AfxPreTranslateMessage(&msg)) {
                    ::TranslateMessage(&msg);
                    ::DispatchMessageW(&msg);
                }
            EXPECT_TRUE(pad.IsWindowVisible());
            EXPECT_TRUE(TakeQueued().empty()) << key;
        }
    }
    EXPECT_EQ(0, pad.saves);
}

TEST_F(KeyboardBase, ANameLargerThanItsKeyIsDrawnSmallerNotBrokenNorCut)
{
    CClientDC dc(&pad.KeyMap);
    CRect key;
    ASSERT_TRUE(pad.KeyMap.GetCellRect(1, 1, key));
    auto* cell = dynamic_cast<CKeyCell*>(pad.KeyMap.GetCell(1, 1));
    ASSERT_NE(nullptr, cell);
    // Where the key's text is drawn: inside its margins.
    CRect textRect = key;
    textRect.DeflateRect(cell->GetMargin(), cell->GetMargin());
    textRect.right += 2;
    textRect.bottom += 2;
    const int room = textRect.Width();
    auto width = [&](LOGFONTW lf, const wchar_t* word) {
        CFont font;
        font.CreateFontIndirect(&lf);
        HGDIOBJ old = dc.SelectObject(&font);
        const int cx = dc.GetTextExtent(word, lstrlenW(word)).cx;
        dc.SelectObject(old);
        return cx;
    };
    // The height of the lines a name takes in the key, as drawn.
    auto linesHeight = [&](LOGFONTW lf, const wchar_t* name) {
        CFont font;
        font.CreateFontIndirect(&lf);
        HGDIOBJ old = dc.SelectObject(&font);
        CRect lines(0, 0, room, 0);
        dc.DrawText(name, -1, lines, cell->GetFormat() | DT_NOPREFIX | DT_CALCRECT);
        dc.SelectObject(old);
        return lines.Height();
    };
    auto drawn = [&](const wchar_t* name) {
        pad.KeyMap.SetItemText(1, 1, name);
        LOGFONTW font = *cell->GetFont();
        cell->FitFont(&dc, textRect, font);
        return font;
    };

    // Names whose words and lines fit keep the map's font; Japanese breaks
    // between any two characters.
    EXPECT_EQ(-11, drawn(L"GIFT CARD").lfHeight);
    EXPECT_EQ(-11, drawn(L"いらっしゃい").lfHeight);
    // More lines than the key holds: drawn just small enough that every
    // line shows (the last line would be left out, not cut).
    const wchar_t* welcome = L"いらっしゃいませ";
    const LOGFONTW fewerLines = drawn(welcome);
    ASSERT_GT(linesHeight(*cell->GetFont(), welcome), textRect.Height());
    EXPECT_GT(fewerLines.lfHeight, -11);
    EXPECT_LE(linesHeight(fewerLines, welcome), textRect.Height());
    LOGFONTW oneLarger = fewerLines;
    --oneLarger.lfHeight;
    EXPECT_GT(linesHeight(oneLarger, welcome), textRect.Height());
    // A longer word is drawn just small enough to fit whole.
    const LOGFONTW map = drawn(L"X");
    ASSERT_GT(width(map, L"DISCOUNT"), room);
    const LOGFONTW smaller = drawn(L"ITEM DISCOUNT");
    EXPECT_GT(smaller.lfHeight, -11);
    EXPECT_LE(width(smaller, L"DISCOUNT"), room);
    LOGFONTW larger = smaller;
    --larger.lfHeight;
    EXPECT_GT(width(larger, L"DISCOUNT"), room);
    // Never below the smallest readable size.
    EXPECT_EQ(-CKeyCell::kSmallest, drawn(L"SUBTOTALSUBTOTALSUBTOTAL").lfHeight);
}

TEST_F(KeyboardBase, ButtonsAndListClicksReachTheirOperations)
{
    Command(IDC_KB_SAVE);
    Command(IDC_KB_LOAD);
    EXPECT_EQ(1, pad.saves);
    EXPECT_EQ(1, pad.loads);

    S_GRID_NOTIFY nm = {};
    nm.hdr.hwndFrom = pad.KeyList.m_hWnd;
    nm.hdr.idFrom = IDC_KB_LIST;
    nm.hdr.code = KEYLISTN_CLICK;
    nm.iRow = 3;
    pad.SendMessage(WM_NOTIFY, IDC_KB_LIST, reinterpret_cast<LPARAM>(&nm));
    nm.iRow = -1;
    pad.SendMessage(WM_NOTIFY, IDC_KB_LIST, reinterpret_cast<LPARAM>(&nm));
    EXPECT_EQ(std::vector<int>{3}, pad.assigned);

    Command(IDC_KB_CLOSE);
    std::vector<MSG> queued = TakeQueued();
    ASSERT_EQ(1u, queued.size());
    EXPECT_EQ(WM_ECR_SHOW_WINDOW, queued[0].message);
    EXPECT_EQ(16u, queued[0].wParam);
    EXPECT_EQ(0, queued[0].lParam);
}

TEST_F(KeyboardBase, ZoomControlsFollowTheRightEdge)
{
    CRect before, after;
    pad.ZoomBox.GetWindowRect(&before);
    CRect window;
    pad.GetWindowRect(&window);
    pad.MoveWindow(window.left, window.top, window.Width() + 100, window.Height() + 50);
    pad.ZoomBox.GetWindowRect(&after);
    EXPECT_EQ(before.left + 100, after.left);
    EXPECT_EQ(before.top, after.top);
    EXPECT_EQ(before.Width(), after.Width());
}

TEST_F(KeyboardBase, TheCellPopupOffersColoursAndFontOverASelection)
{
    pad.CellPopup = TRUE;
    pad.KeyMap.SetSelectedRange(0, 0, 1, 1);
    CPoint point = [&] {
        CRect cell;
        pad.KeyMap.GetCellRect(2, 3, cell);
        return cell.CenterPoint();
    }();
    std::vector<UINT> items;
    WhenMenuShows([&](HMENU menu) {
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
            items.push_back(::GetMenuItemID(menu, i));
        ::EndMenu();
    });
    MSG msg = {pad.KeyMap.m_hWnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(point.x, point.y), 0, {0, 0}};
    CPoint screen = point;
    pad.KeyMap.ClientToScreen(&screen);
    msg.pt = screen;
    pad.PreTranslateMessage(&msg);
    EXPECT_EQ(2, pad.RClickRow);
    EXPECT_EQ(3, pad.RClickCol);
    EXPECT_EQ((std::vector<UINT>{ID_KB_FORECOLOR, ID_KB_BACKCOLOR, 0, ID_KB_FONT}), items);
}
