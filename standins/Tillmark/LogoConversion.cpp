#include "LogoConversion.h"

#include "AtomicFile.h"

namespace {

// Whether a BMP file holds all the pixel bytes its headers promise. The
// system's loader reads as far as the headers say, past the end of a cut
// file, so a damaged file is refused before it gets there.
bool BitmapFileIsWhole(const std::wstring& path)
{
    HANDLE file = AtomicFile::OpenForReading(path.c_str());
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size = {};
    BITMAPFILEHEADER header = {};
    BITMAPINFOHEADER info = {};
    DWORD read = 0, readInfo = 0;
    const bool readable = ::GetFileSizeEx(file, &size) && ::ReadFile(file, &header, sizeof header, &read, nullptr)
                          && read == sizeof header && ::ReadFile(file, &info, sizeof info, &readInfo, nullptr)
                          && readInfo == sizeof info;
    ::CloseHandle(file);
    if (!readable || header.bfType != 0x4D42 || info.biSize < sizeof info || info.biPlanes != 1)
        return false;
    const long long width = info.biWidth, height = info.biHeight < 0 ? -static_cast<long long>(info.biHeight) : info.biHeight;
    const WORD bits = info.biBitCount;
    if (width <= 0 || height <= 0 || width > 32768 || height > 32768
        || (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32))
        return false;
    // Compressed pixels take what biSizeImage says; plain rows are padded to four bytes.
    const long long pixelBytes = info.biCompression == BI_RGB || info.biCompression == BI_BITFIELDS
                                     ? (width * bits + 31) / 32 * 4 * height
                                     : info.biSizeImage;
    const long long colours = bits <= 8 ? (info.biClrUsed ? info.biClrUsed : 1LL << bits) : 0;
    return pixelBytes > 0 && header.bfOffBits >= sizeof header + info.biSize + colours * 4
           && header.bfOffBits + pixelBytes <= size.QuadPart;
}

// The picture's pixels as top-down rows of 0x00RRGGBB.
bool ReadPixels(const std::wstring& path, int& width, int& height, std::vector<DWORD>& pixels)
{
    if (!BitmapFileIsWhole(path))
        return false;
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
