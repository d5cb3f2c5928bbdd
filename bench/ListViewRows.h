// Fills a report-mode list view the way a Win32 program would, row by row:
// the reference several benchmarks hold their screens against.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstddef>

// Adds `rows` items of `cols` texts; textAt(i) gives the i-th text, row by
// row, as a null-terminated wide string.
template <typename TextAt> void AddListViewRows(HWND list, int rows, int cols, TextAt textAt)
{
    for (int r = 0; r < rows; ++r) {
        const size_t first = static_cast<size_t>(r) * cols;
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = r;
        item.pszText = const_cast<wchar_t*>(textAt(first));
        const int index = static_cast<int>(::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        for (int c = 1; c < cols; ++c) {
            LVITEMW sub = {};
            sub.iSubItem = c;
            sub.pszText = const_cast<wchar_t*>(textAt(first + c));
            ::SendMessageW(list, LVM_SETITEMTEXTW, index, reinterpret_cast<LPARAM>(&sub));
        }
    }
}
