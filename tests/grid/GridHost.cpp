#include "GridHost.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

const wchar_t* HostClass()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = L"GridHostWnd";
        RegisterClassW(&wc);
        registered = true;
    }
    return L"GridHostWnd";
}

} // namespace

BOOL CGridHost::CreateHost(int width, int height)
{
    RECT rect = {0, 0, width, height};
    ::AdjustWindowRectEx(&rect, WS_POPUP | WS_BORDER, FALSE, 0);
    return CreateEx(0, HostClass(), L"Grid host", WS_POPUP | WS_BORDER | WS_VISIBLE | WS_CLIPCHILDREN,
                    CRect(20, 20, 20 + rect.right - rect.left, 20 + rect.bottom - rect.top), nullptr, 0);
}

int CGridHost::Count(UINT code) const
{
    int n = 0;
    for (const Note& note : notes)
        n += note.code == code;
    return n;
}

BOOL CGridHost::OnNotify(WPARAM, LPARAM lParam, LRESULT* result)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    auto reply = replies.find(header->code);
    *result = reply == replies.end() ? 0 : reply->second;
    if (header->code == GRIDN_GETDISPINFO) {
        ++dispInfoRequests;
        auto* info = reinterpret_cast<S_GRID_DISPINFO*>(lParam);
        if (answerDispInfo)
            info->item.strText.Format(L"%d,%d", info->item.row, info->item.col);
        return TRUE;
    }
    if (header->code == GRIDN_CACHEHINT) {
        cacheHints.push_back(reinterpret_cast<S_GRID_CACHEHINT*>(lParam)->range);
        return TRUE;
    }
    auto* nm = reinterpret_cast<S_GRID_NOTIFY*>(lParam);
    notes.push_back(Note{header->code, nm->iRow, nm->iColumn, header->idFrom});
    return TRUE;
}

namespace gridtest {

void Shape(CGridCtrl& grid, int rows, int cols, int fixedRows, int fixedCols, int rowHeight, int colWidth)
{
    // New rows and columns take their sizes from the default cells.
    grid.PickDefaultCell(FALSE, FALSE)->SetHeight(rowHeight);
    grid.PickDefaultCell(FALSE, TRUE)->SetWidth(colWidth);
    grid.SetRowCount(rows);
    grid.SetColumnCount(cols);
    grid.SetFixedRowCount(fixedRows);
    grid.SetFixedColumnCount(fixedCols);
    if (rows <= 1000) {
        for (int r = 0; r < rows; ++r)
            grid.SetRowHeight(r, rowHeight);
        for (int c = 0; c < cols; ++c)
            grid.SetColumnWidth(c, colWidth);
    }
}

BOOL CreateGrid(CGridCtrl& grid, CWnd& host, int width, int height, UINT id)
{
    return grid.Create(CRect(0, 0, width, height), &host, id, WS_CHILD | WS_VISIBLE);
}

Snapshot::Snapshot(CGridCtrl& grid)
{
    CRect client;
    grid.GetClientRect(client);
    HDC screen = ::GetDC(nullptr);
    m_dc = ::CreateCompatibleDC(screen);
    m_bitmap = ::CreateCompatibleBitmap(screen, client.Width(), client.Height());
    ::ReleaseDC(nullptr, screen);
    m_old = ::SelectObject(m_dc, m_bitmap);
    CDC dc;
    dc.Attach(m_dc);
    grid.OnDraw(&dc);
    dc.Detach();
}

Snapshot::~Snapshot()
{
    ::SelectObject(m_dc, m_old);
    ::DeleteObject(m_bitmap);
    ::DeleteDC(m_dc);
}

COLORREF Snapshot::At(int x, int y) const
{
    return ::GetPixel(m_dc, x, y);
}

int CountGdiObjects()
{
    DWORD n = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    if (n > 0)
        return static_cast<int>(n);
    // Wine answers 0 (not implemented) but accepts a handle's bare table
    // index: count the live entries of the handle table.
    int count = 0;
    for (UINT_PTR index = 1; index < 0x10000; ++index)
        count += ::GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0;
    return count;
}

} // namespace gridtest

namespace gridtest {

HeldKeys::HeldKeys(std::initializer_list<int> keys)
{
    ::GetKeyboardState(m_saved);
    BYTE state[256];
    std::memcpy(state, m_saved, sizeof state);
    for (int key : keys)
        state[key] = 0x80;
    ::SetKeyboardState(state);
}

HeldKeys::~HeldKeys()
{
    ::SetKeyboardState(m_saved);
}

CPoint CellCentre(CGridCtrl& grid, int row, int col)
{
    CRect rect;
    grid.GetCellRect(row, col, rect);
    return CPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

HWND Editor(CGridCtrl& grid)
{
    return ::GetDlgItem(grid.m_hWnd, GRID_INPLACE_ID);
}

std::wstring TextOf(HWND hWnd)
{
    wchar_t text[256] = {};
    ::GetWindowTextW(hWnd, text, 256);
    return text;
}

void Mouse(CGridCtrl& grid, UINT message, CPoint point, UINT flags)
{
    grid.SendMessage(message, flags, MAKELPARAM(point.x, point.y));
}

bool PutText(HWND owner, const std::wstring& text)
{
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL data = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!data)
        return false;
    std::memcpy(::GlobalLock(data), text.c_str(), bytes);
    ::GlobalUnlock(data);
    if (!::OpenClipboard(owner))
        return false;
    ::EmptyClipboard();
    const bool ok = ::SetClipboardData(CF_UNICODETEXT, data) != nullptr;
    ::CloseClipboard();
    return ok;
}

} // namespace gridtest
