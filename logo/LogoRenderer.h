// Draws a logo in memory, at the logo's size, the way the logo screen's
// preview shows it: the picture, then the text lines over it. Nothing is
// read from the screen, so a window lying over the preview never gets in.
#pragma once

#include "afx.h"

class LogoRenderer
{
public:
    // A white canvas; IsValid is false when it could not be made (a size of 0).
    LogoRenderer(int width, int height);
    ~LogoRenderer();
    LogoRenderer(const LogoRenderer&) = delete;
    LogoRenderer& operator=(const LogoRenderer&) = delete;

    bool IsValid() const { return m_bits != nullptr; }

    // The picture at its natural size with its top-left corner at the
    // canvas's; whatever lies outside the canvas is cut off.
    void DrawPicture(HBITMAP picture);
    // A text as a static label shows it in rect (canvas coordinates):
    // transparent, wrapped at words, "&" drawn as typed, clipped by rect.
    void DrawLabel(const wchar_t* text, HFONT font, COLORREF color, const CRect& rect);

    // The canvas's colour at a point (0x00BBGGRR), CLR_INVALID outside.
    COLORREF Pixel(int x, int y) const;
    // A new bitmap of the logo's depth with one plane; the caller owns it.
    // At one bit, pure white becomes 1 (white) and every other colour 0.
    // Null when the depth cannot be made.
    HBITMAP CreateLogoBitmap(int bitsPerPixel) const;

private:
    HBITMAP CreateMonochrome() const;

    int m_width;
    int m_height;
    CDC m_dc;
    CBitmap m_canvas;
    HGDIOBJ m_oldBitmap = nullptr;
    DWORD* m_bits = nullptr;  // top-down rows of 0x00RRGGBB
};
