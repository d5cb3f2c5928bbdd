// The in-place editor and the edit flow: opening by key, typing, ending
// keys, vetoes, limits and teardown with an open editor.
#include <functional>

#include "GridFixture.h"
#include "WindowPicture.h"

using namespace gridtest;

namespace {

class GridEditTest : public GridTest
{
protected:
    void SetUp() override
    {
        GridTest::SetUp();
        ASSERT_TRUE(CreateGrid(grid, host, 380, 280));
        Shape(grid, 10, 5, 1, 1, 20, 60);
        for (int r = 1; r < 10; ++r)
            for (int c = 1; c < 5; ++c)
                grid.SetItemText(r, c, L"xyz");
        grid.SetFocusCell(2, 2);
        grid.SetFocus();
        host.Clear();
    }
    // Sends a character to the grid and lets the editor take what it posted.
    HWND Type(UINT message, UINT ch)
    {
        grid.SendMessage(message, ch, 1);
        PumpPending();
        return Editor(grid);
    }

    CGridCtrl grid;
};

} // namespace

TEST_F(GridEditTest, FirstCharacterDecidesTheStartingText)
{
    struct Case
    {
        UINT message;
        UINT ch;
        const wchar_t* text;
    } cases[] = {
        {WM_CHAR, 'a', L"a"},           // a typed character replaces the text
        {WM_CHAR, VK_BACK, L"xy"},      // backspace erases the last character
        {WM_CHAR, ' ', L"xyz"},         // a space only selects
        {WM_CHAR, '#', L"#"},           // typed 33 to 40 are characters, not arrows
        {WM_CHAR, '(', L"("},
        {WM_IME_CHAR, 0x3042, L"\x3042"},  // a composed Japanese character replaces the text
    };
    for (const Case& c : cases) {
        HWND editor = Type(c.message, c.ch);
        ASSERT_TRUE(editor) << c.ch;
        EXPECT_EQ(c.text, TextOf(editor)) << c.ch;
        ::SendMessageW(editor, WM_CHAR, VK_ESCAPE, 1);
        PumpPending();
        EXPECT_FALSE(Editor(grid));
        EXPECT_EQ(L"xyz", std::wstring(grid.GetItemText(2, 2))) << "Esc keeps the old text";
    }
    EXPECT_EQ(0, host.Count(GRIDN_ENDEDIT));
}

TEST_F(GridEditTest, DownEndsTheEditMovesAndReopens)
{
    HWND editor = Type(WM_CHAR, 'a');
    ASSERT_TRUE(editor);
    ::SendMessageW(editor, WM_CHAR, 'b', 1);
    ::SendMessageW(editor, WM_KEYDOWN, VK_LEFT, 1);  // moves the caret only
    EXPECT_EQ(editor, Editor(grid));
    ::SendMessageW(editor, WM_KEYDOWN, VK_DOWN, 1);
    PumpPending();
    EXPECT_EQ(L"ab", std::wstring(grid.GetItemText(2, 2)));
    EXPECT_TRUE(grid.GetItemState(2, 2) & GRIDCELL_MODIFIED);
    EXPECT_EQ(CCellID(3, 2), grid.GetFocusCell());
    HWND again = Editor(grid);
    ASSERT_TRUE(again);
    EXPECT_EQ(L"xyz", TextOf(again));
    DWORD start = 0, end = 0;
    ::SendMessageW(again, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(0u, start);
    EXPECT_EQ(3u, end);
    EXPECT_EQ(1, host.Count(GRIDN_ENDEDIT));

    // Enter ends where it is; the next click elsewhere would end with no key.
    ::SendMessageW(again, WM_CHAR, VK_RETURN, 1);
    PumpPending();
    EXPECT_FALSE(Editor(grid));
    EXPECT_EQ(CCellID(3, 2), grid.GetFocusCell());
}

TEST_F(GridEditTest, VetoesKeepTextAndStopEditors)
{
    host.replies[GRIDN_BEGINEDIT] = -1;
    grid.SendMessage(WM_KEYDOWN, VK_F2);
    EXPECT_FALSE(Type(WM_CHAR, 'a'));
    grid.SendMessage(WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(CCellID(3, 2), grid.GetFocusCell()) << "the focus still moves";
    EXPECT_FALSE(Editor(grid));

    host.replies[GRIDN_BEGINEDIT] = 0;
    host.replies[GRIDN_ENDEDIT] = -1;
    HWND editor = Type(WM_CHAR, 'q');
    ASSERT_TRUE(editor);
    ::SendMessageW(editor, WM_CHAR, VK_RETURN, 1);
    PumpPending();
    EXPECT_EQ(L"xyz", std::wstring(grid.GetItemText(3, 2)));

    grid.SetItemState(3, 2, grid.GetItemState(3, 2) | GRIDCELL_READONLY);
    EXPECT_FALSE(Type(WM_CHAR, 'q'));
    grid.SetEditable(FALSE);
    grid.SetFocusCell(4, 2);
    EXPECT_FALSE(Type(WM_CHAR, 'q'));
}

TEST_F(GridEditTest, MaximumLengthAndGrowingStopAtTheGridEdge)
{
    grid.SetItemMaxLength(2, 2, 3);
    HWND editor = Type(WM_CHAR, 'a');
    ASSERT_TRUE(editor);
    for (wchar_t ch : std::wstring(L"bcd"))
        ::SendMessageW(editor, WM_CHAR, ch, 1);
    EXPECT_EQ(L"abc", TextOf(editor));
    ::SendMessageW(editor, WM_CHAR, VK_ESCAPE, 1);
    PumpPending();

    grid.SetFocusCell(2, 4);
    editor = Type(WM_CHAR, 'w');
    ASSERT_TRUE(editor);
    CRect before;
    ::GetWindowRect(editor, before);
    for (int i = 0; i < 60; ++i)
        ::SendMessageW(editor, WM_CHAR, 'W', 1);
    CRect after, gridRect;
    ::GetWindowRect(editor, after);
    ::GetClientRect(grid.m_hWnd, gridRect);
    grid.ClientToScreen(gridRect);
    EXPECT_GT(after.Width(), before.Width());
    EXPECT_LE(after.right, gridRect.right);
    EXPECT_EQ(before.left, after.left);
}

TEST_F(GridEditTest, AltEnterTypesALineBreakOnlyInMultiLineEditors)
{
    HWND editor = Type(WM_CHAR, 'a');
    ASSERT_TRUE(editor);
    MSG msg = {editor, WM_SYSCHAR, VK_RETURN, 0x20000001, 0, {0, 0}};
    auto* wnd = CWnd::FromHandlePermanent(editor);
    ASSERT_TRUE(wnd);
    EXPECT_TRUE(wnd->PreTranslateMessage(&msg)) << "Alt shortcuts never reach the dialog";
    EXPECT_EQ(L"a", TextOf(editor));
    ::SendMessageW(editor, WM_CHAR, VK_ESCAPE, 1);
    PumpPending();

    grid.SetItemFormat(2, 2, DT_WORDBREAK);
    editor = Type(WM_CHAR, 'a');
    ASSERT_TRUE(editor);
    wnd = CWnd::FromHandlePermanent(editor);
    EXPECT_TRUE(::GetWindowLongW(editor, GWL_STYLE) & ES_MULTILINE);
    EXPECT_TRUE(wnd->PreTranslateMessage(&msg));
    EXPECT_EQ(L"a\r\n", TextOf(editor));
}

TEST_F(GridEditTest, ReshapingDropsAnOpenEdit)
{
    // Every change of shape with an editor open: the typed text belongs to
    // the cells as they were and never lands in the new ones.
    const std::function<void()> reshapes[] = {
        [&] { grid.DeleteAllCells(); Shape(grid, 10, 5, 1, 1, 20, 60); },
        [&] { grid.SetRowCount(12); },
        [&] { grid.SetColumnCount(6); },
        [&] { grid.SetFixedRowCount(0); },
        [&] { grid.SetFixedColumnCount(0); },
    };
    int i = 0;
    for (const auto& reshape : reshapes) {
        grid.SetFocusCell(2, 2);
        grid.SetItemText(2, 2, L"new");
        HWND editor = Type(WM_CHAR, 'q');
        ASSERT_TRUE(editor) << i;
        host.Clear();
        reshape();
        PumpPending();
        EXPECT_FALSE(::IsWindow(editor)) << i;
        EXPECT_EQ(0, host.Count(GRIDN_ENDEDIT)) << i;
        EXPECT_NE(L"q", std::wstring(grid.GetItemText(2, 2))) << i;
        Shape(grid, 10, 5, 1, 1, 20, 60);
        ++i;
    }
}

TEST_F(GridEditTest, OpenEditorPicture)
{
    grid.SetItemText(2, 2, L"Green tea");
    HWND editor = Type(WM_CHAR, 'M');
    ASSERT_TRUE(editor);
    for (wchar_t ch : std::wstring(L"atcha latte, large"))
        ::SendMessageW(editor, WM_CHAR, ch, 1);
    EXPECT_EQ(L"Matcha latte, large", TextOf(editor));
    EXPECT_FALSE(SaveWindowPicture(host.m_hWnd, L"grid-inplace-editor").empty());
}

TEST_F(GridTest, DestroyingAGridWithAnOpenEditorKeepsTheEdit)
{
    auto* grid = new CGridCtrl;
    ASSERT_TRUE(CreateGrid(*grid, host, 300, 200));
    Shape(*grid, 5, 3, 1, 1);
    grid->SetFocusCell(1, 1);
    grid->SetFocus();
    grid->SendMessage(WM_CHAR, 'n', 1);
    PumpPending();
    HWND editor = Editor(*grid);
    ASSERT_TRUE(editor);
    delete grid;
    PumpPending();
    EXPECT_FALSE(::IsWindow(editor));
    EXPECT_EQ(1, host.Count(GRIDN_ENDEDIT)) << "the typed text was stored before the cells went";
}
