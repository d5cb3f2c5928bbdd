// The board settings dialog and the framework's value checks behind it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CBoardSetDlg.h"
#include "KeyboardResources.h"
#include "MessageBoxRecorder.h"
#include "Pump.h"
#include "ScreenCheck.h"
#include "WindowPicture.h"

namespace {

struct BoardSettings : ::testing::Test
{
    CBoardSetDlg dialog;
    MessageBoxRecorder boxes;

    void SetUp() override
    {
        dialog.ColumnCount = 10;
        dialog.RowCount = 8;
        dialog.CellWidth = 45;
        dialog.CellHeight = 40;
        dialog.TopMargin = 1;
        dialog.BottomMargin = 1;
        dialog.LeftMargin = 4;
        dialog.RightMargin = 4;
        dialog.Header = L"Head";
        dialog.Footer = L"Foot";
        ASSERT_TRUE(dialog.Create(IDD_BOARDSET_DIALOG));
        dialog.ShowWindow(SW_SHOW);
        PumpPending();
    }
    void TearDown() override
    {
        dialog.DestroyWindow();
        PumpPending();
    }
    // Types a value and presses OK; the text of the message it gave, if any.
    std::wstring OkWith(int id, const wchar_t* text)
    {
        boxes.Clear();
        dialog.SetDlgItemText(id, text);
        dialog.SendMessage(WM_COMMAND, IDOK);
        return boxes.Boxes().empty() ? L"" : boxes.Boxes().back().text;
    }
};

} // namespace

TEST_F(BoardSettings, ShowsTheCallersValues)
{
    EXPECT_STREQ(L"10", dialog.GetDlgItem(IDC_BS_COLUMNS)->GetWindowText());
    EXPECT_STREQ(L"40", dialog.GetDlgItem(IDC_BS_CELL_HEIGHT)->GetWindowText());
    EXPECT_STREQ(L"Head", dialog.GetDlgItem(IDC_BS_HEADER)->GetWindowText());
    EXPECT_STREQ(L"Foot", dialog.GetDlgItem(IDC_BS_FOOTER)->GetWindowText());
    EXPECT_EQ(32, static_cast<int>(dialog.GetDlgItem(IDC_BS_HEADER)->SendMessage(EM_GETLIMITTEXT)));
    // The dialog has no captions: its template's texts in every language.
    EXPECT_FALSE(SaveWindowPicture(dialog.m_hWnd, L"board-settings").empty());
    std::vector<std::wstring> findings = ClippedTexts(dialog.m_hWnd);
    for (const std::wstring& finding : OverlappingControls(dialog.m_hWnd))
        findings.push_back(finding);
    EXPECT_TRUE(findings.empty()) << JoinFindings(findings);
    EXPECT_STREQ(L"BoardSetting", dialog.GetWindowText());
    EXPECT_STREQ(L"Column Count", dialog.GetDlgItem(IDC_BS_COLUMNS_LABEL)->GetWindowText());
}

TEST_F(BoardSettings, ValuesOutsideTheirRangesAreRefusedOnTheirControl)
{
    EXPECT_EQ(L"Enter an integer between 1 and 100.", OkWith(IDC_BS_COLUMNS, L"0"));
    EXPECT_EQ(::GetDlgItem(dialog.m_hWnd, IDC_BS_COLUMNS), ::GetFocus());
    EXPECT_EQ(L"Enter an integer between 1 and 100.", OkWith(IDC_BS_COLUMNS, L"101"));
    dialog.SetDlgItemText(IDC_BS_COLUMNS, L"100");
    EXPECT_EQ(L"Enter an integer between 1 and 100.", OkWith(IDC_BS_ROWS, L"0"));
    dialog.SetDlgItemText(IDC_BS_ROWS, L"1");
    EXPECT_EQ(L"Enter an integer between 1 and 200.", OkWith(IDC_BS_CELL_WIDTH, L"201"));
    EXPECT_EQ(::GetDlgItem(dialog.m_hWnd, IDC_BS_CELL_WIDTH), ::GetFocus());
    dialog.SetDlgItemText(IDC_BS_CELL_WIDTH, L"200");
    EXPECT_EQ(L"Enter an integer.", OkWith(IDC_BS_CELL_HEIGHT, L""));
    dialog.SetDlgItemText(IDC_BS_CELL_HEIGHT, L"1");
    EXPECT_EQ(L"Enter an integer between 0 and 128.", OkWith(IDC_BS_BOTTOM, L"129"));
    dialog.SetDlgItemText(IDC_BS_BOTTOM, L"128");
    EXPECT_EQ(L"Enter an integer between 0 and 64.", OkWith(IDC_BS_RIGHT, L"65"));
    dialog.SetDlgItemText(IDC_BS_RIGHT, L"64");
    // The edit limits typing; a text put in otherwise is still checked.
    EXPECT_EQ(L"Enter no more than 32 characters.", OkWith(IDC_BS_HEADER, std::wstring(33, L'H').c_str()));
    EXPECT_EQ(::GetDlgItem(dialog.m_hWnd, IDC_BS_HEADER), ::GetFocus());
    EXPECT_TRUE(dialog.IsWindowVisible());

    EXPECT_EQ(L"", OkWith(IDC_BS_HEADER, std::wstring(32, L'H').c_str()));
    EXPECT_EQ(100, dialog.ColumnCount);
    EXPECT_EQ(1, dialog.RowCount);
    EXPECT_EQ(200, dialog.CellWidth);
    EXPECT_EQ(1, dialog.CellHeight);
    EXPECT_EQ(128, dialog.BottomMargin);
    EXPECT_EQ(64, dialog.RightMargin);
    EXPECT_EQ(32, dialog.Header.GetLength());
}

TEST_F(BoardSettings, NumbersMustBeWholeIntegers)
{
    EXPECT_EQ(L"Enter an integer.", OkWith(IDC_BS_TOP, L"12x"));
    EXPECT_EQ(L"Enter an integer.", OkWith(IDC_BS_TOP, L"99999999999"));
    EXPECT_EQ(L"", OkWith(IDC_BS_TOP, L" 12 "));
    EXPECT_EQ(12, dialog.TopMargin);
}
