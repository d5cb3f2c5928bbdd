#include "WindowPicture.h"

#include <cstdio>
#include <vector>

std::wstring SaveWindowPicture(HWND hWnd, const wchar_t* name)
{
    RECT rect;
    if (!GetWindowRect(hWnd, &rect))
        return L"";
    int w = rect.right - rect.left;
    int h = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(memory, bitmap);
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
    BitBlt(memory, 0, 0, w, h, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);

    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = w;
    header.biHeight = h;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    int stride = (w * 3 + 3) & ~3;
    std::vector<BYTE> pixels(static_cast<size_t>(stride) * h);
    GetDIBits(memory, bitmap, 0, h, pixels.data(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    // Tests run in <build>/bin; pictures go beside it.
    CreateDirectoryW(L"..\\pictures", nullptr);
    std::wstring path = std::wstring(L"..\\pictures\\") + name + L".bmp";
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (!f)
        return L"";
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    fwrite(&file, sizeof file, 1, f);
    fwrite(&header, sizeof header, 1, f);
    fwrite(pixels.data(), 1, pixels.size(), f);
    fclose(f);
    return path;
}
