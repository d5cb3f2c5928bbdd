// Saves what a window shows as a 24-bit BMP, so a person can look at a screen.
#pragma once

#include <string>

#include <windows.h>

// Copies the window's area of the screen into a bitmap and writes it to
// <build folder>/pictures/<name>.bmp. Returns the path, or "" on failure.
std::wstring SaveWindowPicture(HWND hWnd, const wchar_t* name);
