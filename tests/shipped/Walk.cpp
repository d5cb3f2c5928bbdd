#include "Walk.h"

#include <vector>

#include "WindowPicture.h"
#include "resource.h"

HWND Walk::OpenScreen(int buttonId)
{
    ProgramDriver::Click(menu, buttonId);
    HWND screen = program.WaitForScreen(menu);
    Require(!::IsWindow(menu), L"the function menu stayed after switching screens");
    menu = nullptr;
    return screen;
}

void Walk::BackToMenu(HWND screen, int buttonId)
{
    ProgramDriver::Click(screen, buttonId);
    menu = program.WaitForScreen(screen);
    Require(ProgramDriver::IsShown(menu, IDC_SEL_BACK), L"the way back did not lead to the function menu");
    Require(!::IsWindow(screen), L"the screen stayed after going back");
}

HWND Walk::OpenDialog(int buttonId)
{
    ProgramDriver::Click(menu, buttonId);
    HWND dialog = program.WaitForDialogOver(menu);
    Require(!::IsWindowEnabled(menu), L"the function menu stays usable under a modal dialog");
    return dialog;
}

void Walk::CloseDialog(HWND dialog, int buttonId)
{
    ProgramDriver::Click(dialog, buttonId);
    program.WaitGone(dialog);
    Require(::IsWindowEnabled(menu) != FALSE, L"the function menu stayed disabled after the dialog");
}

void Walk::Picture(HWND window, const std::wstring& name, HWND textControl)
{
    std::wstring file = L"shipped-" + name + (Japanese() ? L"-jpn" : L"-eng");
    Require(!SaveWindowPicture(window, file.c_str()).empty(), L"no picture of " + name);
    Require(ShowsText(textControl), L"\"" + ProgramDriver::Text(textControl) + L"\" shows no text in " + name);
}

bool ShowsText(HWND window)
{
    RECT rect;
    if (!::GetWindowRect(window, &rect))
        return false;
    // Borders and focus frames stay out.
    ::InflateRect(&rect, -4, -4);
    int w = rect.right - rect.left;
    int h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0)
        return false;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, w, h, screen, rect.left, rect.top, SRCCOPY);
    ::SelectObject(memory, old);
    BITMAPINFOHEADER header = {sizeof header, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<DWORD> pixels(static_cast<size_t>(w) * h);
    int lines = ::GetDIBits(memory, bitmap, 0, static_cast<UINT>(h), pixels.data(),
                            reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    if (lines != h)
        return false;
    int dark = 0;
    for (DWORD pixel : pixels)
        if (GetRValue(pixel) < 96 && GetGValue(pixel) < 96 && GetBValue(pixel) < 96)
            ++dark;
    return dark >= 10;
}
