#include "KeyLayout.h"

#include <algorithm>

#include "CEcrData.h"
#include "EcrKeyboard.h"
#include "GroupRegistry.h"
#include "KeyboardGroup.h"
#include "VornK2Model.h"

namespace {

bool DataFolder(std::wstring& folder, std::wstring& error)
{
    wchar_t current[MAX_PATH] = {};
    DWORD n = ::GetCurrentDirectoryW(MAX_PATH, current);
    const std::wstring ini = std::wstring(current, n) + L"\\Tilldesk.ini";
    if (::GetFileAttributesW(ini.c_str()) == INVALID_FILE_ATTRIBUTES) {
        error = L"The settings file was not found:\n" + ini;
        return false;
    }
    wchar_t path[MAX_PATH] = {};
    ::GetPrivateProfileStringW(L"DEFAULT", L"DataPath", L".\\Data", path, MAX_PATH, ini.c_str());
    folder = path;
    return true;
}

} // namespace

bool KeyLayout::Read(KeyLayout& layout, std::wstring& error)
{
    std::wstring folder;
    if (!DataFolder(folder, error))
        return false;
    CEcrData* data = GroupRegistry::Instance().FromWndNo(VornK2Model::WND_KEYBOARD);
    if (!data || !data->LoadData(folder.c_str())) {
        error = L"The keyboard data could not be read from the data folder:\n" + folder;
        return false;
    }
    KeyboardGroup group(data->GetTable(KEYBOARD_MAP), data->GetTable(KEYBOARD_LIST), data->GetTable(KEYBOARD_MERGE));
    layout.rows = group.Rows();
    layout.cols = group.Columns();
    layout.keys.clear();
    for (int r = 0; r < layout.rows; ++r)
        for (int c = 0; c < layout.cols; ++c) {
            const int k = group.KeyAt(r, c);
            layout.keys.push_back(Key{group.KeyName(k).GetString(), group.IsAssignable(k)});
        }
    layout.merged.clear();
    for (const CCellRange& block : group.MergedKeys()) {
        Block b{std::max(block.m_nMinRow, 0), std::max(block.m_nMinCol, 0), std::min(block.m_nMaxRow, layout.rows - 1),
                std::min(block.m_nMaxCol, layout.cols - 1)};
        if (b.firstRow <= b.lastRow && b.firstCol <= b.lastCol)
            layout.merged.push_back(b);
    }
    return true;
}
