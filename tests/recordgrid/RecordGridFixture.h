// What the record grid tests share: tables made up field by field, a host
// window that logs the grid's notifications and the messages it posts, and
// a script that answers the value-input dialog.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CEcrGrid.h"
#include "CEcrValidator.h"
#include "EcrWndNo.h"
#include "GridHost.h"
#include "MessageBoxRecorder.h"
#include "Pump.h"
#include "ScreenCheck.h"

// A table laid out as the model library lays it out: the header, the field
// descriptors right behind it, and the record bytes.
class TestTable
{
public:
    // Adds a field behind the previous one; returns its index.
    int AddField(const wchar_t* name, DWORD flags, int width, int byteLength);
    // Allocates the records (zero bytes) once every field is added.
    void SetRecords(int count);
    S_ECR_TABLE* Table();
    S_ECR_FIELD& Field(int i) { return Table()->Fields()[i]; }
    BYTE* Bytes(int record, int field) { return FieldPtr(Table(), record, field); }
    // Stores and reads a value through the codec.
    void Put(int record, int field, const wchar_t* text);
    std::wstring Get(int record, int field);

private:
    std::vector<S_ECR_FIELD> m_fields;
    std::vector<unsigned char> m_memory;
    std::vector<BYTE> m_records;
    int m_recordSize = 0;
    int m_recordCount = 0;
};

// Refuses values above 100 with its own message.
class LimitValidator final : public CEcrValidator
{
public:
    int Validate(S_ECR_CHECK* check) override
    {
        ++calls;
        if (check->Value <= 100)
            return 1;
        *check->Message = L"At most 100, please";
        return 0;
    }
    int calls = 0;
};

// A host that also keeps what the grid posts to it.
class RecordGridHost : public CGridHost
{
public:
    struct Posted
    {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<Posted> posted;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Answers the next value-input dialog from inside its modal loop: types the
// text and presses OK (or Cancel), and keeps the title and limit it saw.
class InputScript
{
public:
    explicit InputScript(const wchar_t* text, bool ok = true);
    ~InputScript();
    bool ran = false;
    std::wstring title;
    std::wstring cancelText;
    int limit = 0;
    std::wstring text;
    bool ok;
    std::wstring picture;  // when set, a picture of the dialog by that name
    std::wstring picturePath;
    // When set, the dialog is checked as its picture is (see ScreenCheck.h).
    const CaptionLanguages* captions = nullptr;
    bool japanese = false;
    std::vector<std::wstring> findings;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    UINT_PTR m_timer = 0;
};

class RecordGridTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // A table of five records: a code, a text of width 6, a ranged amount,
    // a read-only count and a range-shaded group.
    void MakeShopTable();
    // Opens the editor on a cell by typing, types the rest and presses Enter.
    void TypeInto(int row, int col, const std::wstring& text, UINT message = WM_CHAR);
    CPoint Centre(int row, int col) { return gridtest::CellCentre(grid, row, col); }
    HWND Editor() { return gridtest::Editor(grid); }

    RecordGridHost host;
    CEcrGrid grid;
    TestTable table;
    MessageBoxRecorder boxes;
};

// Field indices of MakeShopTable.
enum ShopField { F_CODE, F_NAME, F_PRICE, F_COUNT, F_GROUP };

// The shop table bound at level 0, with nothing yet asked of the host.
class BoundShopGridTest : public RecordGridTest
{
protected:
    void SetUp() override
    {
        RecordGridTest::SetUp();
        MakeShopTable();
        ASSERT_TRUE(grid.BindTable(table.Table(), 0));
        host.Clear();
    }
};
