// The key-function list: filling, clicks told to the parent, no selection
// kept, scroll bars, the list file.
#include <gtest/gtest.h>

#include <vector>

#include "CBtnListCtrl.h"
#include "CaptionText.h"
#include "MessageBoxRecorder.h"
#include "Pump.h"
#include "TempFolder.h"
#include "TestFiles.h"

namespace {

// A top-level window that hosts a key list and keeps its notifications.
class CListHost : public CWnd
{
public:
    struct Note
    {
        UINT code;
        int row;
        int col;
    };
    std::vector<Note> notes;

    BOOL CreateHost()
    {
        return CreateEx(0, L"STATIC", L"key list host", WS_POPUP | WS_VISIBLE, CRect(30, 30, 330, 430), nullptr, 0);
    }

protected:
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* result) override
    {
        auto* nm = reinterpret_cast<S_GRID_NOTIFY*>(lParam);
        if (nm->hdr.code == KEYLISTN_CLICK)
            notes.push_back(Note{nm->hdr.code, nm->iRow, nm->iColumn});
        *result = 0;
        return TRUE;
    }
};

struct KeyList : ::testing::Test
{
    CListHost host;
    CBtnListCtrl list;

    void SetUp() override
    {
        ASSERT_TRUE(host.CreateHost());
        ASSERT_TRUE(list.Create(CRect(0, 0, 120, 200), &host, 3040));
        ASSERT_TRUE(list.InitList());
    }
    void TearDown() override
    {
        list.DestroyWindow();
        host.DestroyWindow();
        PumpPending();
    }
    static CStringArray Names(int count)
    {
        CStringArray names;
        for (int i = 0; i < count; ++i) {
            CString name;
            name.Format(L"PLU %d", i + 1);
            names.Add(name);
        }
        return names;
    }
    void Click(CPoint point)
    {
        list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    }
    int ClientWidth()
    {
        CRect client;
        list.GetClientRect(client);
        return client.Width();
    }
};

} // namespace

TEST_F(KeyList, NamesFillOneVisibleColumn)
{
    EXPECT_EQ(5, list.FillList(Names(5)));
    EXPECT_EQ(5, list.GetRowCount());
    EXPECT_EQ(2, list.GetColumnCount());
    EXPECT_EQ(1, list.GetFixedColumnCount());
    EXPECT_EQ(0, list.GetFixedRowCount());
    EXPECT_STREQ(L"PLU 3", list.GetItemText(2, 0));
    EXPECT_EQ(0, list.GetColumnWidth(1));
    EXPECT_EQ(ClientWidth() - 2, list.GetColumnWidth(0));
    EXPECT_EQ(RGB(255, 255, 255), list.GetItemBkColour(0, 0));
    EXPECT_FALSE(list.IsEditable());

    // An empty fill changes nothing.
    EXPECT_EQ(0, list.FillList(CStringArray()));
    EXPECT_EQ(5, list.GetRowCount());
}

TEST_F(KeyList, AClickTellsTheRowAndLeavesNothingSelected)
{
    list.FillList(Names(5));
    CRect cell;
    list.GetCellRect(2, 0, cell);
    Click(cell.CenterPoint());
    ASSERT_EQ(1u, host.notes.size());
    EXPECT_EQ(-108, static_cast<int>(host.notes[0].code));
    EXPECT_EQ(2, host.notes[0].row);
    EXPECT_EQ(0, host.notes[0].col);
    EXPECT_EQ(0u, list.GetSelectedCount());
    EXPECT_EQ(CCellID(-1, -1), list.GetFocusCell());

    // Below the last row: row -1.
    CRect last;
    list.GetCellRect(4, 0, last);
    Click(CPoint(last.CenterPoint().x, last.bottom + 10));
    ASSERT_EQ(2u, host.notes.size());
    EXPECT_EQ(-1, host.notes[1].row);
}

TEST_F(KeyList, ALongListScrollsOnlyVertically)
{
    list.FillList(Names(40));
    EXPECT_TRUE(list.IsVScrollBarShown());
    EXPECT_FALSE(list.IsHScrollBarShown());
    EXPECT_EQ(ClientWidth() - 2, list.GetColumnWidth(0));
}

TEST_F(KeyList, TheListFileHoldsTextsAndColours)
{
    list.FillList(Names(2));
    list.SetItemFgColour(1, 0, RGB(1, 2, 3));
    TempFolder folder;
    ASSERT_TRUE(list.SaveList(folder.File(L"keys.txt").c_str()));
    EXPECT_EQ(Utf16(L"\"PLU 1\",0/0/0,255/255/255\r\n\"PLU 2\",1/2/3,255/255/255\r\n"), folder.Read(L"keys.txt"));
    EXPECT_FALSE(FileExists(folder.File(L"keys.txt.new")));
    MessageBoxRecorder boxes;
    const std::wstring missing = folder.File(L"missing\\keys.txt");
    EXPECT_FALSE(list.SaveList(missing.c_str()));
    ASSERT_EQ(1u, boxes.Count()) << "a failed save is told";
    EXPECT_EQ(WriteFailureText(missing.c_str(), ERROR_PATH_NOT_FOUND).GetString(), boxes.Boxes()[0].text);
}

TEST_F(KeyList, TheColourCommandsColourTheRightClickedRow)
{
    list.FillList(Names(3));
    list.RClickRow = 1;
    list.RClickCol = 0;
    AfxColorDialogHandler saved = AfxSetColorDialogHandler([](HWND, CHOOSECOLORW& cc) {
        cc.rgbResult = RGB(10, 20, 30);
        return true;
    });
    list.SendMessage(WM_COMMAND, 1075);
    list.SendMessage(WM_COMMAND, 1074);
    AfxSetColorDialogHandler(saved);
    EXPECT_EQ(RGB(10, 20, 30), list.GetItemBkColour(1, 0));
    EXPECT_EQ(RGB(10, 20, 30), list.GetItemFgColour(1, 0));
    EXPECT_EQ(RGB(255, 255, 255), list.GetItemBkColour(0, 0));
}

TEST_F(KeyList, ABlankNameGetsAFullRow)
{
    CStringArray names;
    names.Add(L"");
    names.Add(L"PLU 1");
    list.FillList(names);
    EXPECT_EQ(list.GetRowHeight(1), list.GetRowHeight(0));
}
