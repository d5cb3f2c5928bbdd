#include "Canvas.h"

#include <cstdlib>
#include <vector>

namespace {

HBITMAP TopDownDib(int width, int height, DWORD** bits)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    *bits = static_cast<DWORD*>(pixels);
    return bitmap;
}

} // namespace

Canvas::Canvas(int width, int height)
{
    DWORD* bits = nullptr;
    m_bitmap = TopDownDib(width, height, &bits);
    m_dc = ::CreateCompatibleDC(nullptr);
    m_old = ::SelectObject(m_dc, m_bitmap);
}

Canvas::~Canvas()
{
    ::SelectObject(m_dc, m_old);
    ::DeleteDC(m_dc);
    ::DeleteObject(m_bitmap);
}

void Canvas::Fill(COLORREF color)
{
    BITMAP bm;
    ::GetObjectW(m_bitmap, sizeof bm, &bm);
    RECT all = {0, 0, bm.bmWidth, bm.bmHeight};
    HBRUSH brush = ::CreateSolidBrush(color);
    ::FillRect(m_dc, &all, brush);
    ::DeleteObject(brush);
}

HBITMAP SolidBitmap(int width, int height, COLORREF color)
{
    DWORD* bits = nullptr;
    HBITMAP bitmap = TopDownDib(width, height, &bits);
    DWORD pixel = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
    for (int i = 0; i < width * height; ++i)
        bits[i] = pixel;
    return bitmap;
}

std::wstring WritePicture(const TempFolder& folder, const wchar_t* name, COLORREF color, int width, int height)
{
    CImage image;
    image.Attach(SolidBitmap(width, height, color));
    std::wstring path = folder.File(name);
    image.Save(path.c_str());
    return path;
}

bool Near(COLORREF a, COLORREF b, int tolerance)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

DWORD GdiObjects()
{
    if (DWORD counted = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS))
        return counted;
    const DWORD kWineTableSize = 0x10000;
    std::vector<HRGN> probes;
    while (probes.size() < kWineTableSize) {
        HRGN probe = ::CreateRectRgn(0, 0, 1, 1);
        if (!probe)
            break;
        probes.push_back(probe);
    }
    for (HRGN probe : probes)
        ::DeleteObject(probe);
    return kWineTableSize - static_cast<DWORD>(probes.size());
}
