// Edits: typed values are checked, stored in the record bytes and shown as
// stored; refusals change nothing; user edits, fills and pastes skip what
// may not be written; register text is cut on whole characters.
#include "RecordGridFixture.h"

#include <cstring>

#include "FakeCaptionManager.h"
#include "ole.h"

namespace {

class RecordGridEditTest : public BoundShopGridTest
{
protected:
    std::wstring Text(int row, int col) { return grid.GetItemText(row, col).GetString(); }
    std::wstring LastBox() { return boxes.Boxes().empty() ? L"" : boxes.Boxes().back().text; }
};

} // namespace

TEST_F(RecordGridEditTest, TypedValueIsStoredAndShownAsStored)
{
    TypeInto(2, 3, L"12.5");
    EXPECT_EQ(table.Get(1, F_PRICE), L"12.500");
    EXPECT_EQ(Text(2, 3), L"12.500");
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(host.Count(GRIDN_BEGINEDIT), 1);
    EXPECT_EQ(host.Count(GRIDN_ENDEDIT), 1);
    EXPECT_TRUE(grid.GetEditAccepted());

    // A stored text longer than the field's width shows whole; the width
    // limits only what can be typed.
    table.Field(F_PRICE).Width = 4;
    ASSERT_TRUE(grid.BindTable(table.Table(), 0));
    TypeInto(2, 3, L"99.75");
    EXPECT_EQ(table.Get(1, F_PRICE), L"99.700");
    EXPECT_EQ(Text(2, 3), L"99.700");
    grid.SetItemTextByUser(3, 3, L"1234.567");
    EXPECT_EQ(Text(3, 3), L"1234.567");
}

TEST_F(RecordGridEditTest, RefusedValueChangesNeitherCellNorRecord)
{
    struct Case
    {
        const wchar_t* typed;
        const wchar_t* message;
    } cases[] = {
        {L"10000", L"Range is 0 - 9999"},
        {L"-1", L"Range is 0 - 9999"},
        {L"12a", L"Range is 0 - 9999"},  // a number in range with trailing letters
        {L"12.3456", L"At most 3 decimals"},  // more decimals than the cell shows
        {L"10000.0001", L"Range is 0 - 9999"},  // out of range as well
    };
    for (const Case& c : cases) {
        boxes.Clear();
        host.Clear();
        TypeInto(3, 3, c.typed);
        ASSERT_EQ(boxes.Boxes().size(), 1u) << c.typed;
        EXPECT_EQ(LastBox(), c.message);
        EXPECT_EQ(table.Get(2, F_PRICE), L"102.000") << c.typed;
        EXPECT_EQ(Text(3, 3), L"102.000") << c.typed;
        EXPECT_EQ(host.Count(GRIDN_ENDEDIT), 0) << "the cell did not change";
        EXPECT_FALSE(grid.GetEditAccepted());
        grid.SetEditAccepted(TRUE);
    }
    // An empty entry counts as 0, which is in range.
    grid.SetFocusCell(3, 3);
    grid.SendMessage(WM_CHAR, VK_BACK, 1);
    PumpPending();
    ASSERT_TRUE(Editor());
    ::SetWindowTextW(Editor(), L"");
    ::SendMessageW(Editor(), WM_CHAR, VK_RETURN, 1);
    PumpPending();
    EXPECT_EQ(table.Get(2, F_PRICE), L"0.000");
}

TEST_F(RecordGridEditTest, ValidatorRefusesWithItsOwnMessage)
{
    LimitValidator validator;
    table.Table()->Validator = &validator;
    table.Field(F_GROUP).CheckMode = CHECK_VALIDATOR;
    TypeInto(1, 5, L"101");
    EXPECT_EQ(LastBox(), L"At most 100, please");
    EXPECT_EQ(table.Get(0, F_GROUP), L"2");
    TypeInto(1, 5, L"7");
    EXPECT_EQ(table.Get(0, F_GROUP), L"7");
    EXPECT_EQ(validator.calls, 2);

    // Equal bounds check nothing.
    table.Field(F_PRICE).Minimum = table.Field(F_PRICE).Maximum = 5;
    TypeInto(1, 3, L"77");
    EXPECT_EQ(table.Get(0, F_PRICE), L"77.000");
}

// An amount keeps four decimals but shows three: ending an edit without a
// change must not store the shown value back.
TEST_F(RecordGridEditTest, UnchangedTextIsNotStoredAgain)
{
    table.Put(0, F_PRICE, L"0.0429");
    ASSERT_TRUE(grid.BindTable(table.Table(), 0));
    BYTE before[6];
    std::memcpy(before, table.Bytes(0, F_PRICE), 6);
    grid.SetFocusCell(1, 3);
    grid.SetFocus();
    grid.SendMessage(WM_CHAR, VK_BACK, 1);  // opens the editor on the text
    PumpPending();
    ASSERT_TRUE(Editor());
    ::SetWindowTextW(Editor(), L"0.043");
    ::SendMessageW(Editor(), WM_CHAR, VK_RETURN, 1);
    PumpPending();
    EXPECT_EQ(0, std::memcmp(before, table.Bytes(0, F_PRICE), 6));
    grid.SetItemTextByUser(1, 3, L"0.043");
    EXPECT_EQ(0, std::memcmp(before, table.Bytes(0, F_PRICE), 6));
}

TEST_F(RecordGridEditTest, ShiftJisCutKeepsWholeCharacters)
{
    // Width 6: "ABCDEあ" ends with a character that would cross the width.
    TypeInto(1, 2, L"ABCDEあ", WM_IME_CHAR);
    EXPECT_EQ(0, std::memcmp(table.Bytes(0, F_NAME), "ABCDE ", 6));
    EXPECT_EQ(Text(1, 2), L"ABCDE");
    // "ム" (83 80) and "ぁ" (82 9F) end on a byte that is itself in the lead
    // range; at the end of the field they are whole and stay.
    TypeInto(2, 2, L"ABCDム", WM_IME_CHAR);
    EXPECT_EQ(0, std::memcmp(table.Bytes(1, F_NAME), "ABCD\x83\x80", 6));
    EXPECT_EQ(Text(2, 2), L"ABCDム");
    // Text set without typing (paste) keeps what fits and says so.
    EXPECT_TRUE(boxes.Boxes().empty());
    grid.SetItemTextByUser(3, 2, L"ぁぁぁぁ");
    EXPECT_EQ(0, std::memcmp(table.Bytes(2, F_NAME), "\x82\x9F\x82\x9F\x82\x9F", 6));
    grid.SetItemTextByUser(4, 2, L"Aぁぁぁ");
    EXPECT_EQ(0, std::memcmp(table.Bytes(3, F_NAME), "A\x82\x9F\x82\x9F ", 6));
    EXPECT_EQ(Text(4, 2), L"Aぁぁ");
    EXPECT_EQ(boxes.Count(), 2u);
    EXPECT_EQ(LastBox(), L"Name: at most 6 bytes fit (a double-byte character takes two). Kept:\n\"Aぁぁ\"");
}

TEST_F(RecordGridEditTest, TheEditorAndTheFillDialogTakeNoMoreThanTheFieldsBytes)
{
    grid.SetFocusCell(1, 2);
    grid.SetFocus();
    grid.SendMessage(WM_CHAR, L'A', 1);
    PumpPending();
    ASSERT_TRUE(Editor());
    // Width 6: after "Aあい" (five bytes) no kana fits, a letter does.
    for (wchar_t ch : std::wstring(L"あいう")) {
        ::SendMessageW(Editor(), WM_IME_CHAR, ch, 1);
        PumpPending();
    }
    EXPECT_EQ(gridtest::TextOf(Editor()), L"Aあい");
    ::SendMessageW(Editor(), WM_CHAR, L'B', 1);
    ::SendMessageW(Editor(), WM_CHAR, L'C', 1);
    EXPECT_EQ(gridtest::TextOf(Editor()), L"AあいB");
    EXPECT_TRUE(boxes.Boxes().empty()) << "typing just stops";

    // A paste keeps the whole characters that fit, and says what was kept.
    ASSERT_TRUE(gridtest::PutText(host.m_hWnd, L"かきくけこ"));
    ::SendMessageW(Editor(), EM_SETSEL, 1, -1);
    grid.OnEditPaste();
    EXPECT_EQ(gridtest::TextOf(Editor()), L"Aかき");
    EXPECT_EQ(LastBox(), L"Name: at most 6 bytes fit (a double-byte character takes two). Kept:\n\"Aかき\"");
    ::SendMessageW(Editor(), WM_CHAR, VK_RETURN, 1);
    PumpPending();
    EXPECT_EQ(table.Get(0, F_NAME), L"Aかき");

    // Counted in the register's bytes: the table's "×" takes one, not the code page's two.
    {
        FakeCaptionManager captions;
        captions.Map(0xA0, L'×');
        TypeInto(3, 2, L"ABCD×E");
        EXPECT_EQ(table.Get(2, F_NAME), L"ABCD×E");
    }

    // The fill dialog stops typing at the same limit: nothing to tell.
    grid.SetSelectedRange(1, 2, 2, 2);
    {
        InputScript script(L"さしすせ");
        gridtest::Mouse(grid, WM_RBUTTONDOWN, Centre(2, 2), MK_RBUTTON);
        gridtest::Mouse(grid, WM_RBUTTONUP, Centre(2, 2));
        ASSERT_TRUE(script.ran);
    }
    EXPECT_EQ(table.Get(1, F_NAME), L"さしす");
    EXPECT_EQ(boxes.Count(), 1u);
}

TEST_F(RecordGridEditTest, F5TypesTheRegistersSpecialCharacter)
{
    grid.SetFocusCell(1, 2);
    grid.SetFocus();
    MSG msg = {grid.m_hWnd, WM_KEYDOWN, VK_F5, 1, 0, {}};
    EXPECT_TRUE(grid.PreTranslateMessage(&msg));
    PumpPending();
    ASSERT_TRUE(Editor());
    EXPECT_EQ(gridtest::TextOf(Editor()), std::wstring(1, CEcrGrid::F5Char));
    // Again inside the open editor, then Enter through the same filter.
    msg.hwnd = Editor();
    EXPECT_TRUE(grid.PreTranslateMessage(&msg));
    msg.wParam = VK_RETURN;
    EXPECT_TRUE(grid.PreTranslateMessage(&msg));
    PumpPending();
    EXPECT_FALSE(Editor());
    EXPECT_EQ(0, std::memcmp(table.Bytes(0, F_NAME), "\xFF\xFF    ", 6));
}

TEST_F(RecordGridEditTest, EscapeEndsTheEditWithoutStoring)
{
    grid.SetFocusCell(2, 2);
    grid.SetFocus();
    grid.SendMessage(WM_CHAR, 'Z', 1);
    PumpPending();
    ASSERT_TRUE(Editor());
    MSG msg = {Editor(), WM_KEYDOWN, VK_ESCAPE, 1, 0, {}};
    EXPECT_TRUE(grid.PreTranslateMessage(&msg)) << "Esc is the grid's, not the dialog's";
    PumpPending();
    EXPECT_FALSE(Editor());
    EXPECT_EQ(table.Get(1, F_NAME), L"Milk");
    EXPECT_EQ(host.Count(GRIDN_ENDEDIT), 0);
    MSG other = {grid.m_hWnd, WM_KEYDOWN, 'A', 1, 0, {}};
    EXPECT_FALSE(grid.PreTranslateMessage(&other));
}

TEST_F(RecordGridEditTest, UserEditsSkipWhatMayNotBeWritten)
{
    grid.SetItemTextByUser(2, 4, L"9");    // read-only field
    EXPECT_EQ(table.Get(1, F_COUNT), L"2");
    grid.SetItemTextByUser(4, 5, L"3");    // shaded out of range
    EXPECT_EQ(table.Get(3, F_GROUP), L"12");
    grid.SetItemTextByUser(1, 0, L"9");    // row header
    grid.SetItemTextByUser(9, 9, L"9");    // outside the grid
    EXPECT_TRUE(boxes.Boxes().empty());
    grid.SetItemTextByUser(1, 3, L"99999");
    EXPECT_EQ(LastBox(), L"Range is 0 - 9999");
    EXPECT_EQ(table.Get(0, F_PRICE), L"100.000");
    // A whole-number field refuses a decimal rather than store another number.
    grid.SetItemTextByUser(1, 5, L"2.7");
    EXPECT_EQ(LastBox(), L"Whole numbers only");
    EXPECT_EQ(table.Get(0, F_GROUP), L"2");
    grid.SetItemTextByUser(1, 3, L"5");
    EXPECT_EQ(table.Get(0, F_PRICE), L"5.000");
    EXPECT_EQ(Text(1, 3), L"5.000");
    EXPECT_EQ(host.Count(GRIDN_ENDEDIT), 1);

    // The parent's veto leaves the record as it was too.
    host.replies[GRIDN_ENDEDIT] = -1;
    grid.SetItemTextByUser(1, 3, L"6");
    EXPECT_EQ(Text(1, 3), L"5.000");
    EXPECT_EQ(table.Get(0, F_PRICE), L"5.000");
    TypeInto(2, 3, L"7");
    EXPECT_EQ(table.Get(1, F_PRICE), L"101.000");
}

TEST_F(RecordGridEditTest, PasteOfAColumnBlockSkipsReadOnlyCells)
{
    ASSERT_TRUE(gridtest::PutText(host.m_hWnd, L"1\r\n2\r\n3\r\n4\r\n5"));
    grid.SetFocusCell(1, 5);
    grid.SetSelectedRange(1, 5, 1, 5);
    grid.OnEditPaste();
    PumpPending();
    EXPECT_EQ(table.Get(0, F_GROUP), L"1");
    EXPECT_EQ(table.Get(1, F_GROUP), L"2");
    EXPECT_EQ(table.Get(2, F_GROUP), L"3");
    EXPECT_EQ(table.Get(3, F_GROUP), L"12") << "shaded cell skipped";
    EXPECT_EQ(table.Get(4, F_GROUP), L"5");
    EXPECT_TRUE(boxes.Boxes().empty());
}

// Junk pasted over many cells is told once: the count and the first cells.
TEST_F(RecordGridEditTest, PasteTellsItsRefusedCellsInOneMessage)
{
    ASSERT_TRUE(gridtest::PutText(host.m_hWnd, L"99999\t\t0\r\n7\t\t0\r\n-1\t\t0\r\n1\t\t1\r\n10000\t\t0"));
    grid.SetFocusCell(1, 3);
    grid.SetSelectedRange(1, 3, 1, 3);
    grid.OnEditPaste();
    PumpPending();
    EXPECT_EQ(table.Get(1, F_PRICE), L"7.000") << "good cells are applied";
    EXPECT_EQ(table.Get(0, F_PRICE), L"100.000");
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(LastBox(), L"7 pasted values were refused; their cells are unchanged:\n"
                         L"Row 1, Price: Range is 0 - 9999\nRow 1, Group: Range is 1 - 9\n"
                         L"Row 2, Group: Range is 1 - 9\nRow 3, Price: Range is 0 - 9999\n"
                         L"Row 3, Group: Range is 1 - 9\n...");
}

// Delete and Cut over many cells tell the refused ones in one message, as a
// paste does, also for rows selected by their headers (no current cell).
TEST_F(RecordGridEditTest, ClearAndCutTellTheirRefusedCellsInOneMessage)
{
    const std::wstring refused1 = L"2 cells could not be emptied; they are unchanged:\n"
                                  L"Row 1, Code: Range is 1 - 99999999999999\nRow 1, Group: Range is 1 - 9";
    gridtest::Mouse(grid, WM_LBUTTONDOWN, Centre(1, 0), MK_LBUTTON);
    gridtest::Mouse(grid, WM_LBUTTONUP, Centre(1, 0));
    ASSERT_EQ(grid.GetFocusCell(), CCellID());
    host.Clear();
    grid.SendMessage(WM_KEYDOWN, VK_DELETE, 1);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(LastBox(), refused1);
    EXPECT_EQ(table.Get(0, F_NAME), L"");
    EXPECT_EQ(table.Get(0, F_PRICE), L"0.000");
    EXPECT_EQ(table.Get(0, F_GROUP), L"2");
    EXPECT_EQ(Text(1, 5), L"2");
    EXPECT_EQ(host.Count(GRIDN_ENDEDIT), 2) << "name and price";

    boxes.Clear();
    gridtest::Mouse(grid, WM_LBUTTONDOWN, Centre(2, 0), MK_LBUTTON);
    gridtest::Mouse(grid, WM_LBUTTONUP, Centre(2, 0));
    {
        gridtest::HeldKeys ctrl({VK_CONTROL});
        grid.SendMessage(WM_KEYDOWN, 'X', 1);
    }
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(LastBox(), L"2 cells could not be emptied; they are unchanged:\n"
                         L"Row 2, Code: Range is 1 - 99999999999999\nRow 2, Group: Range is 1 - 9");
    EXPECT_EQ(table.Get(1, F_NAME), L"");

    // With a current cell too, and from the menu's Cut.
    boxes.Clear();
    grid.SetFocusCell(3, 3);
    grid.SetSelectedRange(3, 3, 5, 5);
    grid.SendMessage(WM_KEYDOWN, VK_DELETE, 1);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(LastBox(), L"2 cells could not be emptied; they are unchanged:\n"
                         L"Row 3, Group: Range is 1 - 9\nRow 5, Group: Range is 1 - 9");
    EXPECT_EQ(table.Get(3, F_PRICE), L"0.000");
    boxes.Clear();
    grid.SetSelectedRange(1, 1, 1, 1);
    grid.SendMessage(WM_COMMAND, ID_EDIT_CUT);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(LastBox(), L"1 cell could not be emptied; it is unchanged:\n"
                         L"Row 1, Code: Range is 1 - 99999999999999");
}

TEST_F(RecordGridEditTest, FillWritesEverySelectedWritableCellOrNone)
{
    // Column 5: rows 1 to 5 selected, row 4 is out of range (read-only).
    grid.SetSelectedRange(1, 5, 5, 5);
    {
        InputScript script(L"7");
        gridtest::Mouse(grid, WM_RBUTTONDOWN, Centre(2, 5), MK_RBUTTON);
        gridtest::Mouse(grid, WM_RBUTTONUP, Centre(2, 5));
        ASSERT_TRUE(script.ran);
        EXPECT_EQ(script.title, L"Group");
        EXPECT_EQ(script.limit, 3);
    }
    EXPECT_EQ(table.Get(0, F_GROUP), L"7");
    EXPECT_EQ(table.Get(3, F_GROUP), L"12");
    EXPECT_EQ(table.Get(4, F_GROUP), L"7");
    EXPECT_EQ(Text(5, 5), L"7");
    EXPECT_EQ(host.Count(GRIDN_BEGINEDIT), 0);

    // A refused value writes nothing at all.
    {
        InputScript script(L"99");
        gridtest::Mouse(grid, WM_RBUTTONDOWN, Centre(2, 5), MK_RBUTTON);
        ASSERT_TRUE(script.ran);
    }
    EXPECT_EQ(boxes.Boxes().size(), 1u) << "one message, at the first refusal";
    EXPECT_EQ(LastBox(), L"Range is 1 - 9");
    EXPECT_EQ(table.Get(0, F_GROUP), L"7");
    {
        InputScript script(L"3.5");
        gridtest::Mouse(grid, WM_RBUTTONDOWN, Centre(2, 5), MK_RBUTTON);
        ASSERT_TRUE(script.ran);
    }
    EXPECT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(table.Get(0, F_GROUP), L"7");

    // Cancel, a single cell and two columns offer or write nothing.
    {
        InputScript script(L"3", false);
        gridtest::Mouse(grid, WM_RBUTTONDOWN, Centre(2, 5), MK_RBUTTON);
        EXPECT_TRUE(script.ran);
    }
    grid.SetSelectedRange(1, 5, 1, 5);
    {
        InputScript script(L"3");
        gridtest::Mouse(grid, WM_RBUTTONDOWN, Centre(1, 5), MK_RBUTTON);
        EXPECT_FALSE(script.ran);
    }
    grid.SetSelectedRange(1, 3, 2, 5);
    {
        InputScript script(L"3");
        gridtest::Mouse(grid, WM_RBUTTONDOWN, Centre(1, 5), MK_RBUTTON);
        EXPECT_FALSE(script.ran);
    }
    EXPECT_EQ(table.Get(0, F_GROUP), L"7");
}
