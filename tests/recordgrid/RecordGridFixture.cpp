#include "RecordGridFixture.h"

#include <cstring>

#include "FieldCodec.h"
#include "S_ECR_SETTING.h"
#include "TablesResources.h"
#include "WindowPicture.h"

// The program's globals, which the application object otherwise provides.
S_ECR_SETTING* g_pEcrSetting = nullptr;

// ---- TestTable -----------------------------------------------------------------

int TestTable::AddField(const wchar_t* name, DWORD flags, int width, int byteLength)
{
    S_ECR_FIELD field = {};
    field.Label.CaptionNo = 9000 + static_cast<int>(m_fields.size());
    wcsncpy(field.Label.DefaultText, name, 63);
    field.Flags = flags;
    field.Width = width;
    field.Offset = m_recordSize;
    m_recordSize += byteLength;
    m_fields.push_back(field);
    return static_cast<int>(m_fields.size()) - 1;
}

void TestTable::SetRecords(int count)
{
    m_recordCount = count;
    m_records.assign(static_cast<size_t>(count) * m_recordSize, 0);
}

S_ECR_TABLE* TestTable::Table()
{
    const size_t size = sizeof(S_ECR_TABLE) + m_fields.size() * sizeof(S_ECR_FIELD);
    if (m_memory.size() != size) {
        m_memory.assign(size, 0);
        auto* t = reinterpret_cast<S_ECR_TABLE*>(m_memory.data());
        wcscpy(t->Label.DefaultText, L"Test table");
        t->FieldCount = static_cast<int>(m_fields.size());
        t->SortKey = 0;
        t->RecordSize = m_recordSize;
        if (!m_fields.empty())
            std::memcpy(t->Fields(), m_fields.data(), m_fields.size() * sizeof(S_ECR_FIELD));
    }
    auto* t = reinterpret_cast<S_ECR_TABLE*>(m_memory.data());
    t->RecordCount = m_recordCount;
    t->RecordData = m_records.empty() ? nullptr : m_records.data();
    return t;
}

void TestTable::Put(int record, int field, const wchar_t* text)
{
    ParseField(&Field(field), text, Bytes(record, field));
}

std::wstring TestTable::Get(int record, int field)
{
    CString text;
    FormatField(&Field(field), Bytes(record, field), text);
    return text.GetString();
}

// ---- RecordGridHost ------------------------------------------------------------

LRESULT RecordGridHost::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ECR_OPEN_CARD || message == WM_ECR_EDIT_COLUMN_CAPTION)
        posted.push_back(Posted{message, wParam, lParam});
    return CGridHost::WindowProc(message, wParam, lParam);
}

// ---- InputScript ---------------------------------------------------------------

namespace {

InputScript* g_script = nullptr;

BOOL CALLBACK FindInputDialog(HWND hWnd, LPARAM found)
{
    if (::GetDlgItem(hWnd, IDC_INPUT_VALUE) && ::IsWindowVisible(hWnd)) {
        *reinterpret_cast<HWND*>(found) = hWnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

InputScript::InputScript(const wchar_t* value, bool pressOk) : text(value), ok(pressOk)
{
    g_script = this;
    m_timer = ::SetTimer(nullptr, 0, 20, &InputScript::Tick);
}

InputScript::~InputScript()
{
    ::KillTimer(nullptr, m_timer);
    g_script = nullptr;
}

void CALLBACK InputScript::Tick(HWND, UINT, UINT_PTR, DWORD)
{
    InputScript* script = g_script;
    HWND dialog = nullptr;
    if (!script || script->ran)
        return;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindInputDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog)
        return;
    script->ran = true;
    wchar_t title[128] = {};
    ::GetWindowTextW(dialog, title, 128);
    script->title = title;
    HWND edit = ::GetDlgItem(dialog, IDC_INPUT_VALUE);
    script->limit = static_cast<int>(::SendMessageW(edit, EM_GETLIMITTEXT, 0, 0));
    // Typed, so that the box's limit applies.
    wchar_t cancel[64] = {};
    ::GetDlgItemTextW(dialog, IDCANCEL, cancel, 64);
    script->cancelText = cancel;
    for (wchar_t ch : script->text)
        ::SendMessageW(edit, WM_CHAR, ch, 1);
    if (!script->picture.empty())
        script->picturePath = SaveWindowPicture(dialog, script->picture.c_str());
    ::PostMessageW(dialog, WM_COMMAND, script->ok ? IDOK : IDCANCEL, 0);
}

// ---- RecordGridTest ------------------------------------------------------------

void RecordGridTest::SetUp()
{
    // The pointer away from the grid: resting on a divider, it would turn
    // typed characters into nothing.
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    ASSERT_TRUE(host.CreateHost(960, 420));
    ASSERT_TRUE(gridtest::CreateGrid(grid, host, 960, 420));
    PumpPending();
}

void RecordGridTest::TearDown()
{
    host.DestroyWindow();
    PumpPending();
}

void RecordGridTest::MakeShopTable()
{
    table.AddField(L"Code", FIELD_S64 | FIELD_ALIGN_LEFT | FIELD_EDITABLE, 14, 8);
    table.AddField(L"Name", FIELD_TEXT | FIELD_ALIGN_LEFT | FIELD_EDITABLE, 6, 6);
    table.AddField(L"Price", FIELD_AMOUNT | FIELD_EDITABLE, 10, 6);
    table.AddField(L"Count", FIELD_U16 | FIELD_ALIGN_CENTER, 5, 2);
    table.AddField(L"Group", FIELD_S8 | FIELD_RANGE_SHADE | FIELD_EDITABLE, 3, 1);
    table.SetRecords(5);
    table.Field(F_CODE).Minimum = 1;
    table.Field(F_CODE).Maximum = ECR_SEARCHABLE_CODE_MAX;
    table.Field(F_CODE).CheckMode = CHECK_RANGE;
    table.Field(F_PRICE).Minimum = 0;
    table.Field(F_PRICE).Maximum = 9999;
    table.Field(F_PRICE).CheckMode = CHECK_RANGE;
    table.Field(F_GROUP).Minimum = 1;
    table.Field(F_GROUP).Maximum = 9;
    table.Field(F_GROUP).CheckMode = CHECK_RANGE;
    const wchar_t* names[] = {L"Tea", L"Milk", L"Rice", L"Soap", L"Salt"};
    for (int r = 0; r < 5; ++r) {
        table.Put(r, F_CODE, std::to_wstring(4900000000000LL + r * 11).c_str());
        table.Put(r, F_NAME, names[r]);
        table.Put(r, F_PRICE, std::to_wstring(100 + r).c_str());
        table.Put(r, F_COUNT, std::to_wstring(r * 2).c_str());
        table.Put(r, F_GROUP, r == 3 ? L"12" : L"2");  // record 4 holds a group out of range
    }
}

void RecordGridTest::TypeInto(int row, int col, const std::wstring& text, UINT message)
{
    grid.SetFocusCell(row, col);
    grid.SetFocus();
    ASSERT_FALSE(text.empty());
    grid.SendMessage(message, text[0], 1);
    PumpPending();
    HWND editor = Editor();
    ASSERT_TRUE(editor) << "no editor on " << row << "," << col;
    for (size_t i = 1; i < text.size(); ++i) {
        ::SendMessageW(editor, message, text[i], 1);
        PumpPending();  // a composed character may come back as a posted WM_CHAR
    }
    ::SendMessageW(editor, WM_CHAR, VK_RETURN, 1);
    PumpPending();
}
