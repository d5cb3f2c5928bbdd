#include "FileListBox.h"

#include <algorithm>

int AddFolderFiles(CListBox& list, const CString& pattern, const std::function<bool(const wchar_t*)>& keep)
{
    WIN32_FIND_DATAW found = {};
    HANDLE search = ::FindFirstFileW(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    CClientDC dc(&list);
    HGDIOBJ oldFont = dc.SelectObject(list.GetFontHandle());
    int added = 0;
    int widest = 0;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !keep(found.cFileName))
            continue;
        list.AddString(found.cFileName);
        widest = std::max(widest, static_cast<int>(dc.GetTextExtent(found.cFileName, lstrlenW(found.cFileName)).cx));
        ++added;
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    dc.SelectObject(oldFont);
    if (added > 0)
        list.SendMessage(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 4));
    return added;
}
