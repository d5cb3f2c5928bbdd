// Images. Files are decoded and encoded by GDI+; the pixels are kept as a
// GDI bitmap, so drawing is plain GDI and the handle can be shared.
#pragma once

#include <windows.h>

#include "object.h"

class CImage : public CObject
{
public:
    CImage() = default;
    CImage(const CImage&) = delete;
    CImage& operator=(const CImage&) = delete;
    ~CImage() override { Destroy(); }

    // Replaces the image with the file's (JPEG, BMP or any format GDI+
    // decodes). On failure the image is empty.
    HRESULT Load(LPCWSTR path);
    // Writes the image with the encoder that the file name's extension
    // selects; E_FAIL when no encoder has that extension.
    HRESULT Save(LPCWSTR path) const;
    // The image takes the bitmap over and deletes it in Destroy.
    void Attach(HBITMAP bitmap);
    HBITMAP Detach();
    void Destroy();

    bool IsNull() const { return m_hBitmap == nullptr; }
    operator HBITMAP() const { return m_hBitmap; }
    int GetWidth() const;
    int GetHeight() const;
    // CLR_INVALID outside the image.
    COLORREF GetPixel(int x, int y) const;

    // An empty image draws nothing and answers FALSE.
    BOOL Draw(HDC dc, int x, int y) const;          // natural size
    BOOL Draw(HDC dc, const RECT& dest) const;      // stretched over dest
    // Stretched over dest; pixels of the key colour leave dest as it was.
    BOOL TransparentBlt(HDC dc, const RECT& dest, COLORREF transparent) const;

private:
    BITMAP Info() const;

    HBITMAP m_hBitmap = nullptr;
};
