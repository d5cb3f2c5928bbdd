// Saves pictures of windows as 24-bit BMP files, so a person can look at a
// screen. Pictures go to <build folder>/pictures/<name>.bmp.
#pragma once

#include <string>

#include <windows.h>

// Writes a bitmap; returns the path, or "" on failure.
std::wstring SaveBitmapPicture(HBITMAP bitmap, const wchar_t* name);

// Copies the window's area of the screen (the window brought to the top and
// painted first) and writes it. Returns the path, or "" on failure.
std::wstring SaveWindowPicture(HWND hWnd, const wchar_t* name);

// True when the window's area on the screen holds dark pixels away from its
// edges: it drew its text (or a dark picture). Bring the window to the top
// first, as SaveWindowPicture does.
bool WindowShowsInk(HWND hWnd);
