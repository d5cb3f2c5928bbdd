// The record card from the record list: on entry, on request, and the grid
// shown again after the card wrote a record.
#include "RecordListFixture.h"

#include "CCaptionEditer.h"
#include "CCardDlg.h"
#include "EcrGlobals.h"
#include "Pump.h"
#include "S_ECR_SETTING.h"

namespace {

// What the cards opened while a test pumped, and what each then does.
struct CardScript
{
    int opened = 0;
    S_ECR_TABLE* table = nullptr;
    int record = 0;
    const wchar_t* name = nullptr;  // typed into row 1 before closing, when set
} g_cards;

BOOL CALLBACK FindCard(HWND hWnd, LPARAM found)
{
    if (dynamic_cast<CCardDlg*>(CWnd::FromHandlePermanent(hWnd))) {
        *reinterpret_cast<HWND*>(found) = hWnd;
        return FALSE;
    }
    return TRUE;
}

// Runs inside the card's own loop: looks at the card, edits, closes it.
void CALLBACK HandleCard(HWND, UINT, UINT_PTR, DWORD)
{
    HWND hWnd = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindCard, reinterpret_cast<LPARAM>(&hWnd));
    auto* card = hWnd ? dynamic_cast<CCardDlg*>(CWnd::FromHandlePermanent(hWnd)) : nullptr;
    if (!card || !card->IsWindowVisible())
        return;
    ++g_cards.opened;
    g_cards.table = card->Table;
    g_cards.record = card->Record;
    if (g_cards.name) {
        HWND edit = ::GetDlgItem(hWnd, IDC_CARD_EDIT + 1);
        ::SetWindowTextW(edit, g_cards.name);
        ::SendMessageW(edit, EM_SETMODIFY, TRUE, 0);
        card->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CARD_EDIT + 1, EN_KILLFOCUS), reinterpret_cast<LPARAM>(edit));
    }
    card->PostMessage(WM_COMMAND, IDCANCEL, 0);
}

// A timer on a window of its own: the framework's loops keep thread
// messages (a timer without a window) for the application.
struct CardTimer
{
    CardTimer()
        : window(::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr))
    {
        g_cards = CardScript{};
        ::SetTimer(window, 1, 30, HandleCard);
    }
    ~CardTimer()
    {
        ::KillTimer(window, 1);
        ::DestroyWindow(window);
    }
    HWND window;
};

} // namespace

TEST_F(RecordList, AutoPopupOpensTheCardOnceOnEntry)
{
    CardTimer timer;
    g_pEcrSetting->AutoPopup = 1;
    Open(WNDNO_DEPT);
    PumpUntil([] { return g_cards.opened > 0; }, 3000);
    PumpPending();
    EXPECT_EQ(1, g_cards.opened);
    EXPECT_EQ(Group(WNDNO_DEPT)->GetTable(0), g_cards.table);
    EXPECT_EQ(1, g_cards.record);

    // Through the jump menu: no card of the first table, one of the landed one.
    g_cards = CardScript{};
    Open(WNDNO_PROG_MODE, 2);
    PumpUntil([] { return g_cards.opened > 0; }, 3000);
    PumpPending();
    EXPECT_EQ(1, g_cards.opened);
    EXPECT_EQ(Group(WNDNO_PROG_MODE)->GetTable(1), g_cards.table);
}

TEST_F(RecordList, NoCardForATableWithoutRecords)
{
    CardTimer timer;
    DeleteFileW(DataPath(L"CLERK.VK2").c_str());
    g_pEcrSetting->AutoPopup = 1;
    CFlexListDlg* screen = Open(WNDNO_CLERK);
    ASSERT_EQ(0, screen->Grid().GetBoundTable()->RecordCount);
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(0, g_cards.opened);
    // Nor for a record past the table's end.
    screen->SendMessage(WM_ECR_OPEN_CARD, reinterpret_cast<WPARAM>(screen->Grid().GetBoundTable()), 1);
    EXPECT_EQ(0, g_cards.opened);
}

TEST_F(RecordList, ACardThatWroteARecordShowsItInTheGrid)
{
    CardTimer timer;
    CFlexListDlg* screen = Open(WNDNO_DEPT);
    g_cards.name = L"From the card";
    screen->SendMessage(WM_ECR_OPEN_CARD, reinterpret_cast<WPARAM>(screen->Grid().GetBoundTable()), 3);
    EXPECT_EQ(1, g_cards.opened);
    EXPECT_EQ(3, g_cards.record);
    EXPECT_STREQ(L"From the card", screen->Grid().GetItemText(3, 2).Trim());
    EXPECT_TRUE(screen->Grid().IsWindowVisible());
}

namespace {

struct EditorSeen
{
    int opened = 0;
    int wndNo = 0;
    int captionNo = 0;
} g_editor;

BOOL CALLBACK FindEditor(HWND hWnd, LPARAM found)
{
    if (dynamic_cast<CCaptionEditer*>(CWnd::FromHandlePermanent(hWnd))) {
        *reinterpret_cast<HWND*>(found) = hWnd;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK HandleEditor(HWND, UINT, UINT_PTR, DWORD)
{
    HWND hWnd = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindEditor, reinterpret_cast<LPARAM>(&hWnd));
    auto* editor = hWnd ? dynamic_cast<CCaptionEditer*>(CWnd::FromHandlePermanent(hWnd)) : nullptr;
    if (!editor || !editor->IsWindowVisible())
        return;
    ++g_editor.opened;
    g_editor.wndNo = editor->WndNo;
    g_editor.captionNo = editor->CaptionNo;
    editor->PostMessage(WM_COMMAND, IDCANCEL, 0);
}

} // namespace

TEST_F(RecordList, ColumnHeaderCaptionsAreEditedWithCaptionEditingOn)
{
    CardTimer timer;  // keeps the loops turning
    ::SetTimer(timer.window, 2, 30, HandleEditor);
    g_editor = EditorSeen{};
    CFlexListDlg* screen = Open(WNDNO_DEPT);
    WPARAM table = reinterpret_cast<WPARAM>(screen->Grid().GetBoundTable());
    screen->SendMessage(WM_ECR_EDIT_COLUMN_CAPTION, table, 2);
    EXPECT_EQ(0, g_editor.opened);  // caption editing is off

    g_pEcrSetting->CapEdit = 1;
    screen->SendMessage(WM_ECR_EDIT_COLUMN_CAPTION, table, 2);
    EXPECT_EQ(1, g_editor.opened);
    EXPECT_EQ(static_cast<int>(WNDNO_DATA_ITEMS), g_editor.wndNo);
    EXPECT_EQ(1102, g_editor.captionNo);  // the department's name
    EXPECT_FALSE(screen->CaptionEditing);
    // Columns outside the fields ask for nothing.
    screen->SendMessage(WM_ECR_EDIT_COLUMN_CAPTION, table, 0);
    screen->SendMessage(WM_ECR_EDIT_COLUMN_CAPTION, table, 99);
    EXPECT_EQ(1, g_editor.opened);
    ::KillTimer(timer.window, 2);
}
