#pragma once

#include <string>

#include <windows.h>

#include "KeyLayout.h"

// The program's one window: a status line until the layout is read, then
// the keys, read-only, merged keys drawn as one.
class LayoutWindow
{
public:
    // Creates and shows the window at once; false when it could not be made.
    bool Create(HINSTANCE instance, int show);
    void ShowLayout(const KeyLayout& layout);
    HWND Handle() const { return m_hWnd; }
    bool Closed() const { return m_closed; }

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc) const;

    HWND m_hWnd = nullptr;
    bool m_closed = false;
    bool m_hasLayout = false;
    KeyLayout m_layout;
};
