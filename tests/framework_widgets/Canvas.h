// Pictures for the widget tests: a memory DC to draw into and sample, and
// image files made on the spot.
#pragma once

#include <string>

#include "afx.h"
#include "TempFolder.h"

// A 32-bit DIB section selected into a memory DC.
class Canvas
{
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return m_dc; }
    void Fill(COLORREF color);
    COLORREF Pixel(int x, int y) const { return ::GetPixel(m_dc, x, y); }

private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
};

// A top-down 32-bit DIB section of one colour (the caller owns it).
HBITMAP SolidBitmap(int width, int height, COLORREF color);

// Writes a one-colour picture through CImage (the extension picks the
// format) and answers its path.
std::wstring WritePicture(const TempFolder& folder, const wchar_t* name, COLORREF color, int width = 4, int height = 4);

// Colours within a small distance per channel (JPEG is lossy).
bool Near(COLORREF a, COLORREF b, int tolerance = 12);

// GDI objects the process holds now. Wine's GetGuiResources answers 0;
// there the count comes from filling its handle table with probe objects.
DWORD GdiObjects();
