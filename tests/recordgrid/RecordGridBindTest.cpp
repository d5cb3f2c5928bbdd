// Binding a table: the field-to-column mapping, the cell classes and their
// colours, the captions and the sizes.
#include "RecordGridFixture.h"

#include "EcrWndNo.h"
#include "FakeCaptionManager.h"

namespace {

std::wstring Text(CEcrGrid& grid, int row, int col)
{
    return grid.GetItemText(row, col).GetString();
}

bool ReadOnly(CEcrGrid& grid, int row, int col)
{
    return (grid.GetItemState(row, col) & GRIDCELL_READONLY) != 0;
}

// Gives the grid's cells (data and headers) the grid's face at another
// height, as a system without that face gives them a wider one.
void UseFontHeight(CEcrGrid& grid, LONG height)
{
    LOGFONTW lf = *grid.GetDefaultCell(FALSE, FALSE)->GetFont();
    lf.lfHeight = height;
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    grid.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font.GetSafeHandle()), FALSE);
}

} // namespace

TEST_F(RecordGridTest, FieldsBecomeColumnsAndRecordsRows)
{
    MakeShopTable();
    EXPECT_FALSE(grid.BindTable(nullptr, 0));
    EXPECT_FALSE(grid.RefreshColumnHeaders());
    EXPECT_FALSE(grid.SetColumnWidths(0));
    ASSERT_TRUE(grid.BindTable(table.Table(), 0));
    EXPECT_EQ(grid.GetBoundTable(), table.Table());
    EXPECT_EQ(grid.GetRowCount(), 6);
    EXPECT_EQ(grid.GetColumnCount(), 6);
    EXPECT_EQ(grid.GetFixedRowCount(), 1);
    EXPECT_EQ(grid.GetFixedColumnCount(), 1);

    EXPECT_EQ(Text(grid, 0, 1), L"Code");
    EXPECT_EQ(Text(grid, 0, 5), L"Group");
    EXPECT_EQ(Text(grid, 1, 0), L"1");
    EXPECT_EQ(Text(grid, 5, 0), L"5");
    EXPECT_EQ(Text(grid, 1, 1), L"4900000000000");
    EXPECT_EQ(Text(grid, 2, 2), L"Milk");
    EXPECT_EQ(Text(grid, 3, 3), L"102.000");
    EXPECT_EQ(Text(grid, 5, 4), L"8");

    // Turned captions, bottom-aligned; right-aligned except over text fields.
    const LOGFONTW* font = grid.GetItemFont(0, 1);
    ASSERT_TRUE(font);
    EXPECT_EQ(font->lfEscapement, 900);
    EXPECT_EQ(font->lfOrientation, 900);
    EXPECT_EQ(font->lfPitchAndFamily, 0x11);
    EXPECT_EQ(font->lfClipPrecision, CLIP_LH_ANGLES);
    const LOGFONTW* data = grid.GetDefaultCell(FALSE, FALSE)->GetFont();
    ASSERT_TRUE(data);
    EXPECT_EQ(data->lfHeight, -12);
    EXPECT_EQ(data->lfEscapement, 0);
    EXPECT_EQ(data->lfPitchAndFamily, 0x32);
    EXPECT_STREQ(data->lfFaceName, L"MS UI Gothic");
    EXPECT_EQ(grid.GetItemFormat(0, 1), UINT(DT_SINGLELINE | DT_BOTTOM | DT_RIGHT));
    EXPECT_EQ(grid.GetItemFormat(0, 2), UINT(DT_SINGLELINE | DT_BOTTOM));
    EXPECT_EQ(grid.GetItemFormat(1, 0), UINT(DT_SINGLELINE | DT_VCENTER | DT_RIGHT));
    // Data cells by the field's alignment bits.
    EXPECT_EQ(grid.GetItemFormat(1, 1), UINT(DT_LEFT | DT_SINGLELINE | DT_VCENTER));
    EXPECT_EQ(grid.GetItemFormat(1, 3), UINT(DT_RIGHT | DT_SINGLELINE | DT_VCENTER));
    EXPECT_EQ(grid.GetItemFormat(1, 4), UINT(DT_CENTER | DT_SINGLELINE | DT_VCENTER));

    EXPECT_GT(grid.GetRowHeight(0), grid.GetRowHeight(1)) << "turned captions make a tall caption row";
}

TEST_F(RecordGridTest, ColumnsTakeEightPixelsAUnitOrWhatTheirFontNeeds)
{
    MakeShopTable();
    // A font whose digits take less: 8 pixels per unit, at least 20; the
    // number column 9 pixels a digit and one more.
    UseFontHeight(grid, -8);
    ASSERT_TRUE(grid.BindTable(table.Table(), 0));
    EXPECT_EQ(grid.GetColumnWidth(1), 112);
    EXPECT_EQ(grid.GetColumnWidth(2), 48);
    EXPECT_EQ(grid.GetColumnWidth(5), 24);
    EXPECT_EQ(grid.GetColumnWidth(0), 18);
    EXPECT_TRUE(ClippedCells(grid).empty()) << JoinFindings(ClippedCells(grid));

    // A font that needs more: the field's width in digits, and every record
    // number, show whole in it; so do the values.
    UseFontHeight(grid, -24);
    ASSERT_TRUE(grid.BindTable(table.Table(), 0));
    EXPECT_GT(grid.GetColumnWidth(1), 112);
    EXPECT_GT(grid.GetColumnWidth(5), 24);
    EXPECT_GT(grid.GetColumnWidth(0), 18);
    EXPECT_TRUE(ClippedCells(grid).empty()) << JoinFindings(ClippedCells(grid));
    ASSERT_TRUE(grid.SetColumnWidths(-1));
    EXPECT_TRUE(ClippedCells(grid).empty()) << JoinFindings(ClippedCells(grid));
    // An edit that fills the field shows whole too.
    TypeInto(1, 1, L"99999999999999");
    EXPECT_EQ(L"99999999999999", Text(grid, 1, 1));
    EXPECT_TRUE(ClippedCells(grid).empty()) << JoinFindings(ClippedCells(grid));
}

TEST_F(RecordGridTest, CellClassesAndColours)
{
    MakeShopTable();
    table.Field(F_COUNT).Flags |= FIELD_RANGE_SHADE;  // not editable and shaded
    table.Field(F_COUNT).Minimum = 0;
    table.Field(F_COUNT).Maximum = 5;
    ASSERT_TRUE(grid.BindTable(table.Table(), 0));

    // Editable: white, black text, not read-only.
    EXPECT_FALSE(ReadOnly(grid, 1, 2));
    EXPECT_EQ(grid.GetItemBkColour(1, 2), CEcrGrid::EditableBack);
    EXPECT_EQ(grid.GetItemFgColour(1, 2), RGB(0, 0, 0));
    // Not editable, in range: grey and read-only, value shown.
    EXPECT_TRUE(ReadOnly(grid, 2, 4));
    EXPECT_EQ(Text(grid, 2, 4), L"2");
    EXPECT_EQ(grid.GetItemBkColour(2, 4), CEcrGrid::ReadOnlyBack);
    // Not editable, out of range: hidden, grey on grey.
    EXPECT_TRUE(ReadOnly(grid, 5, 4));
    EXPECT_EQ(Text(grid, 5, 4), L"");
    EXPECT_EQ(grid.GetItemFgColour(5, 4), CEcrGrid::ReadOnlyBack);
    // Editable but out of range: shown, grey and read-only.
    EXPECT_TRUE(ReadOnly(grid, 4, 5));
    EXPECT_EQ(Text(grid, 4, 5), L"12");
    EXPECT_EQ(grid.GetItemBkColour(4, 5), CEcrGrid::ReadOnlyBack);
    EXPECT_FALSE(ReadOnly(grid, 3, 5));

    // And as painted: white and grey where the classes say.
    gridtest::Snapshot picture(grid);
    CRect editable, shaded;
    ASSERT_TRUE(grid.GetCellRect(1, 3, editable));
    ASSERT_TRUE(grid.GetCellRect(4, 5, shaded));
    EXPECT_EQ(picture.At(editable.left + 3, editable.top + 3), CEcrGrid::EditableBack);
    EXPECT_EQ(picture.At(shaded.left + 3, shaded.top + 3), CEcrGrid::ReadOnlyBack);
}

TEST_F(RecordGridTest, TablesWithoutReadableRecords)
{
    MakeShopTable();
    S_ECR_TABLE* t = table.Table();

    // No record bytes: empty, grey, read-only cells, and GetFirstRecordValue says 0.
    BYTE* data = t->RecordData;
    t->RecordData = nullptr;
    ASSERT_TRUE(grid.BindTable(t, 0));
    EXPECT_EQ(grid.GetRowCount(), 6);
    EXPECT_EQ(Text(grid, 1, 2), L"");
    EXPECT_TRUE(ReadOnly(grid, 1, 2));
    EXPECT_EQ(grid.GetFirstRecordValue(), L"0");
    grid.SetItemTextByUser(1, 2, L"New");
    EXPECT_EQ(Text(grid, 1, 2), L"");

    // Record size 0: the same.
    t->RecordData = data;
    t->RecordSize = 0;
    ASSERT_TRUE(grid.BindTable(t, 0));
    EXPECT_TRUE(ReadOnly(grid, 2, 1));
    EXPECT_EQ(grid.GetItemBkColour(2, 1), CEcrGrid::ReadOnlyBack);
    EXPECT_EQ(grid.GetFirstRecordValue(), L"0");

    // No fields at all still gives the corner cell.
    TestTable empty;
    empty.SetRecords(0);
    ASSERT_TRUE(grid.BindTable(empty.Table(), 0));
    EXPECT_EQ(grid.GetRowCount(), 1);
    EXPECT_EQ(grid.GetColumnCount(), 1);
}

TEST_F(RecordGridTest, LevelsHideColumnsButKeepTheirCells)
{
    MakeShopTable();
    table.Field(F_NAME).Level = 1;
    table.Field(F_PRICE).Level = 3;
    UseFontHeight(grid, -8);  // widths by the unit
    ASSERT_TRUE(grid.BindTable(table.Table(), 2));
    EXPECT_EQ(grid.GetColumnWidth(2), 0);
    EXPECT_EQ(grid.GetColumnWidth(3), 80);
    EXPECT_EQ(Text(grid, 1, 2), L"Tea") << "a hidden column keeps its cells";
    ASSERT_TRUE(grid.SetColumnWidths(-1));
    EXPECT_EQ(grid.GetColumnWidth(2), 48);
    EXPECT_EQ(grid.GetFirstRecordValue(), L"4900000000000");
}

TEST_F(RecordGridTest, CaptionsComeFromTheCaptionFile)
{
    MakeShopTable();
    FakeCaptionManager captions;
    captions.AddCaption(WNDNO_DATA_ITEMS, table.Field(F_NAME).Label.CaptionNo, L"Item name");
    ASSERT_TRUE(grid.BindTable(table.Table(), 0));
    EXPECT_EQ(Text(grid, 0, 2), L"Item name");
    EXPECT_EQ(Text(grid, 0, 3), L"Price");
    captions.AddCaption(WNDNO_DATA_ITEMS, table.Field(F_PRICE).Label.CaptionNo, L"Unit price");
    ASSERT_TRUE(grid.RefreshColumnHeaders());
    EXPECT_EQ(Text(grid, 0, 3), L"Unit price");
}

// Binding measures one data row and gives the rest its height: the same
// sizes the grid's own row-by-row sizing gives.
TEST_F(RecordGridTest, RowSizesMatchTheGenericSizing)
{
    MakeShopTable();
    ASSERT_TRUE(grid.BindTable(table.Table(), 0));
    std::vector<int> bound;
    for (int r = 0; r < grid.GetRowCount(); ++r)
        bound.push_back(grid.GetRowHeight(r));
    grid.AutoSizeRows();
    for (int r = 1; r < grid.GetRowCount(); ++r)
        EXPECT_EQ(bound[r], grid.GetRowHeight(r)) << "row " << r;
    // The caption row keeps room for where a turned caption starts.
    EXPECT_EQ(bound[0], grid.GetRowHeight(0) + 12);
}

TEST_F(RecordGridTest, RebindingDropsAnOpenEdit)
{
    MakeShopTable();
    ASSERT_TRUE(grid.BindTable(table.Table(), 0));
    grid.SetFocusCell(1, 2);
    grid.SetFocus();
    grid.SendMessage(WM_CHAR, 'X', 1);
    PumpPending();
    ASSERT_TRUE(Editor());

    TestTable other;
    other.AddField(L"Only", FIELD_U8 | FIELD_EDITABLE, 3, 1);
    other.SetRecords(2);
    ASSERT_TRUE(grid.BindTable(other.Table(), 0));
    PumpPending();
    EXPECT_FALSE(Editor());
    EXPECT_EQ(table.Get(0, F_NAME), L"Tea") << "the dropped edit reached no table";
    EXPECT_EQ(other.Get(0, 0), L"0");
    EXPECT_EQ(host.Count(GRIDN_ENDEDIT), 0);
}

TEST_F(RecordGridTest, ClosingDropsAnOpenEdit)
{
    MakeShopTable();
    ASSERT_TRUE(grid.BindTable(table.Table(), 0));
    grid.SetFocusCell(2, 2);
    grid.SetFocus();
    grid.SendMessage(WM_CHAR, 'Q', 1);
    PumpPending();
    ASSERT_TRUE(Editor());
    host.Clear();
    grid.DeleteAllCells();
    PumpPending();
    EXPECT_FALSE(Editor());
    EXPECT_EQ(table.Get(1, F_NAME), L"Milk");

    ASSERT_TRUE(grid.BindTable(table.Table(), 0));
    grid.SetFocusCell(3, 2);
    grid.SetFocus();
    grid.SendMessage(WM_CHAR, 'Q', 1);
    PumpPending();
    ASSERT_TRUE(Editor());
    grid.DestroyWindow();
    PumpPending();
    EXPECT_EQ(table.Get(2, F_NAME), L"Rice");
    EXPECT_EQ(host.Count(GRIDN_ENDEDIT), 0);
}
