#include "KeyboardGroup.h"

#include <cwchar>

#include "EcrKeyboard.h"
#include "FieldCodec.h"
#include "S_ECR_TABLE.h"

namespace {

bool ReadText(const S_ECR_TABLE* table, int record, int field, CString& text)
{
    const BYTE* bytes = FieldPtr(table, record, field);
    return bytes && FormatField(&table->Fields()[field], bytes, text);
}

bool ReadNumber(const S_ECR_TABLE* table, int record, int field, int& value)
{
    CString text;
    if (!ReadText(table, record, field, text))
        return false;
    text.Trim();
    wchar_t* end = nullptr;
    const long number = std::wcstol(text, &end, 10);
    if (text.IsEmpty() || *end)
        return false;
    value = static_cast<int>(number);
    return true;
}

} // namespace

int KeyboardGroup::Rows() const
{
    return m_map && m_map->RecordCount > 0 ? m_map->RecordCount : 0;
}

int KeyboardGroup::Columns() const
{
    return m_map && m_map->FieldCount > 0 ? m_map->FieldCount : 0;
}

int KeyboardGroup::KeyCount() const
{
    return m_list && m_list->RecordCount > 0 ? m_list->RecordCount : 0;
}

int KeyboardGroup::KeyAt(int row, int col) const
{
    int key = -1;
    return ReadNumber(m_map, row, col, key) ? key : -1;
}

bool KeyboardGroup::SetKeyAt(int row, int col, int key)
{
    BYTE* bytes = FieldPtr(m_map, row, col);
    CString text;
    text.Format(L"%d", key);
    return bytes && ParseField(&m_map->Fields()[col], text, bytes);
}

bool KeyboardGroup::IsAssignable(int key) const
{
    int flag = 0;
    return ReadNumber(m_list, key, KEYLIST_ASSIGNABLE, flag) && flag == 1;
}

CString KeyboardGroup::KeyName(int key) const
{
    CString name;
    if (!ReadText(m_list, key, KEYLIST_NAME, name))
        name.Empty();
    return name;
}

std::vector<CCellRange> KeyboardGroup::MergedKeys() const
{
    std::vector<CCellRange> keys;
    const int count = m_merges && m_merges->RecordCount > 0 ? m_merges->RecordCount : 0;
    for (int m = 0; m < count; ++m) {
        int firstCol, firstRow, lastCol, lastRow;
        if (ReadNumber(m_merges, m, MERGE_FIRST_COLUMN, firstCol) && ReadNumber(m_merges, m, MERGE_FIRST_ROW, firstRow) &&
            ReadNumber(m_merges, m, MERGE_LAST_COLUMN, lastCol) && ReadNumber(m_merges, m, MERGE_LAST_ROW, lastRow))
            keys.emplace_back(firstRow, firstCol, lastRow, lastCol);
    }
    return keys;
}
