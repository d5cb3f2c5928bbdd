#include "LogoConversion.h"

namespace {

// The picture's pixels as top-down rows of 0x00RRGGBB.
bool ReadPixels(const std::wstring& path, int& width, int& height, std::vector<DWORD>& pixels)
{
    HBITMAP bitmap = static_cast<HBITMAP>(
        ::LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!bitmap)
        return false;
    BITMAP bm = {};
    bool ok = ::GetObjectW(bitmap, sizeof bm, &bm) && bm.bmWidth > 0 && bm.bmHeight > 0;
    if (ok) {
        width = bm.bmWidth;
        height = bm.bmHeight;
        pixels.assign(static_cast<size_t>(width) * height, 0);
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        HDC dc = ::CreateCompatibleDC(nullptr);
        ok = dc && ::GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS) == height;
        if (dc)
            ::DeleteDC(dc);
    }
    ::DeleteObject(bitmap);
    return ok;
}

} // namespace

ConversionError ConvertBitmapFile(const std::wstring& bmpPath, int width, int height, std::vector<BYTE>& logo)
{
    if (width <= 0 || height <= 0 || width % 8 != 0)
        return ConversionError::BadSize;
    int pictureWidth = 0;
    int pictureHeight = 0;
    std::vector<DWORD> pixels;
    if (!ReadPixels(bmpPath, pictureWidth, pictureHeight, pixels))
        return ConversionError::InputUnreadable;
    logo.assign(static_cast<size_t>(width) * height / 8, 0);
    for (int y = 0; y < height && y < pictureHeight; ++y)
        for (int x = 0; x < width && x < pictureWidth; ++x)
            if ((pixels[static_cast<size_t>(y) * pictureWidth + x] & 0x00FFFFFF) != 0x00FFFFFF) {
                size_t dot = static_cast<size_t>(y) * width + x;
                logo[dot / 8] |= static_cast<BYTE>(0x80 >> (dot % 8));
            }
    return ConversionError::None;
}
