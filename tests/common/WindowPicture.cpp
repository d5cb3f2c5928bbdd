#include "WindowPicture.h"

#include <cstdio>
#include <vector>

namespace {

// <build folder>\pictures, beside the bin folder the tests run from.
std::wstring PictureFolder()
{
    wchar_t exe[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring dir(exe, n);
    dir = dir.substr(0, dir.find_last_of(L'\\'));
    dir = dir.substr(0, dir.find_last_of(L'\\')) + L"\\pictures";
    CreateDirectoryW(dir.c_str(), nullptr);
    return dir;
}

// A bitmap holding what the screen shows in rect.
HBITMAP GrabScreen(const RECT& rect)
{
    const int w = rect.right - rect.left;
    const int h = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

} // namespace

std::wstring SaveBitmapPicture(HBITMAP bitmap, const wchar_t* name)
{
    BITMAP bm;
    if (!GetObjectW(bitmap, sizeof bm, &bm))
        return L"";
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = bm.bmWidth;
    header.biHeight = bm.bmHeight;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    int stride = (bm.bmWidth * 3 + 3) & ~3;
    std::vector<BYTE> pixels(static_cast<size_t>(stride) * bm.bmHeight);
    HDC screen = GetDC(nullptr);
    int lines = GetDIBits(screen, bitmap, 0, static_cast<UINT>(bm.bmHeight), pixels.data(),
                          reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (lines != bm.bmHeight)
        return L"";

    std::wstring path = PictureFolder() + L"\\" + name + L".bmp";
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (!f)
        return L"";
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    bool ok = fwrite(&file, sizeof file, 1, f) == 1 && fwrite(&header, sizeof header, 1, f) == 1 &&
              fwrite(pixels.data(), 1, pixels.size(), f) == pixels.size();
    fclose(f);
    return ok ? path : L"";
}

std::wstring SaveWindowPicture(HWND hWnd, const wchar_t* name)
{
    RECT rect;
    if (!GetWindowRect(hWnd, &rect))
        return L"";
    // Wine's PrintWindow leaves out child controls: copy the screen instead,
    // with the window brought to the top and painted.
    SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    // Some controls finish painting from posted messages.
    for (DWORD start = GetTickCount(); GetTickCount() - start < 200;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
    HBITMAP bitmap = GrabScreen(rect);
    std::wstring path = SaveBitmapPicture(bitmap, name);
    DeleteObject(bitmap);
    return path;
}

bool WindowShowsInk(HWND hWnd)
{
    RECT rect;
    if (!GetWindowRect(hWnd, &rect))
        return false;
    // Borders and focus frames stay out.
    InflateRect(&rect, -4, -4);
    int w = rect.right - rect.left;
    int h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0)
        return false;
    HBITMAP bitmap = GrabScreen(rect);
    BITMAPINFOHEADER header = {sizeof header, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<DWORD> pixels(static_cast<size_t>(w) * h);
    HDC screen = GetDC(nullptr);
    int lines = GetDIBits(screen, bitmap, 0, static_cast<UINT>(h), pixels.data(),
                          reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    if (lines != h)
        return false;
    int dark = 0;
    for (DWORD pixel : pixels)
        if (GetRValue(pixel) < 96 && GetGValue(pixel) < 96 && GetBValue(pixel) < 96)
            ++dark;
    return dark >= 10;
}
