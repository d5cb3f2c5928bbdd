#pragma once

#include <windows.h>

// Stands in for the grid's window class so the resize rule can be seen.
inline void RegisterGridStandIn()
{
    WNDCLASSW wc = {};
    if (GetClassInfoW(GetModuleHandleW(nullptr), L"EcrGridCtrl", &wc))
        return;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"EcrGridCtrl";
    RegisterClassW(&wc);
}

