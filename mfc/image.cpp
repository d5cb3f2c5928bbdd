#include "image.h"

#include <string>
#include <vector>

#include <gdiplus.h>

#include "gdi.h"

namespace {

// GDI+ starts at the first image operation and runs until the process
// ends. Shutting it down from static destruction would run inside DllMain
// where this layer is linked into a model library, which GDI+ forbids.
bool StartGdiplus()
{
    static const bool started = [] {
        Gdiplus::GdiplusStartupInput input;
        ULONG_PTR token = 0;
        return Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
    }();
    return started;
}

// ".bmp" from "C:\dir.x\name.bmp"; empty when the name has no extension.
std::wstring ExtensionOf(LPCWSTR path)
{
    std::wstring p(path);
    size_t dot = p.find_last_of(L'.');
    size_t slash = p.find_last_of(L"\\/");
    if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash))
        return {};
    return p.substr(dot);
}

// Encoders list their extensions as "*.BMP;*.DIB;*.RLE".
bool ListsExtension(const WCHAR* patterns, const std::wstring& extension)
{
    for (const WCHAR* p = patterns; p && *p;) {
        const WCHAR* end = wcschr(p, L';');
        size_t length = end ? static_cast<size_t>(end - p) : wcslen(p);
        if (length > 0 && *p == L'*') {
            ++p;
            --length;
        }
        if (length == extension.size() && _wcsnicmp(p, extension.c_str(), length) == 0)
            return true;
        p = end ? end + 1 : nullptr;
    }
    return false;
}

bool FindEncoder(const std::wstring& extension, CLSID& encoder)
{
    UINT count = 0;
    UINT bytes = 0;
    if (extension.empty() || Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0)
        return false;
    std::vector<BYTE> buffer(bytes);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, bytes, codecs) != Gdiplus::Ok)
        return false;
    for (UINT i = 0; i < count; ++i) {
        if (ListsExtension(codecs[i].FilenameExtension, extension)) {
            encoder = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

// A memory DC with a bitmap selected for the object's lifetime.
class SelectedBitmap
{
public:
    explicit SelectedBitmap(HBITMAP bitmap)
    {
        if (m_dc.CreateCompatibleDC(nullptr))
            m_old = m_dc.SelectObject(bitmap);
    }
    ~SelectedBitmap()
    {
        if (m_old)
            m_dc.SelectObject(m_old);
    }
    SelectedBitmap(const SelectedBitmap&) = delete;
    SelectedBitmap& operator=(const SelectedBitmap&) = delete;

    // Null when the bitmap could not be selected.
    HDC Dc() const { return m_old ? m_dc.m_hDC : nullptr; }

private:
    CDC m_dc;
    HGDIOBJ m_old = nullptr;
};

} // namespace

HRESULT CImage::Load(LPCWSTR path)
{
    Destroy();
    if (!path || !StartGdiplus())
        return E_FAIL;
    Gdiplus::Bitmap decoded(path);
    // A file that does not decode still gives an object, with an error status.
    HBITMAP bitmap = nullptr;
    if (decoded.GetLastStatus() != Gdiplus::Ok ||
        decoded.GetHBITMAP(Gdiplus::Color(255, 255, 255), &bitmap) != Gdiplus::Ok || !bitmap)
        return E_FAIL;
    m_hBitmap = bitmap;
    return S_OK;
}

HRESULT CImage::Save(LPCWSTR path) const
{
    CLSID encoder;
    if (IsNull() || !path || !StartGdiplus() || !FindEncoder(ExtensionOf(path), encoder))
        return E_FAIL;
    Gdiplus::Bitmap source(m_hBitmap, nullptr);
    if (source.GetLastStatus() != Gdiplus::Ok)
        return E_FAIL;
    return source.Save(path, &encoder, nullptr) == Gdiplus::Ok ? S_OK : E_FAIL;
}

void CImage::Attach(HBITMAP bitmap)
{
    Destroy();
    m_hBitmap = bitmap;
}

HBITMAP CImage::Detach()
{
    HBITMAP bitmap = m_hBitmap;
    m_hBitmap = nullptr;
    return bitmap;
}

void CImage::Destroy()
{
    if (m_hBitmap)
        ::DeleteObject(m_hBitmap);
    m_hBitmap = nullptr;
}

BITMAP CImage::Info() const
{
    BITMAP bm = {};
    if (m_hBitmap)
        ::GetObjectW(m_hBitmap, sizeof bm, &bm);
    return bm;
}

int CImage::GetWidth() const
{
    return Info().bmWidth;
}

int CImage::GetHeight() const
{
    return Info().bmHeight;
}

COLORREF CImage::GetPixel(int x, int y) const
{
    SelectedBitmap source(m_hBitmap);
    return source.Dc() ? ::GetPixel(source.Dc(), x, y) : CLR_INVALID;
}

BOOL CImage::Draw(HDC dc, int x, int y) const
{
    SelectedBitmap source(m_hBitmap);
    if (!source.Dc())
        return FALSE;
    BITMAP bm = Info();
    return ::BitBlt(dc, x, y, bm.bmWidth, bm.bmHeight, source.Dc(), 0, 0, SRCCOPY);
}

BOOL CImage::Draw(HDC dc, const RECT& dest) const
{
    SelectedBitmap source(m_hBitmap);
    if (!source.Dc())
        return FALSE;
    BITMAP bm = Info();
    int oldMode = ::SetStretchBltMode(dc, COLORONCOLOR);
    BOOL ok = ::StretchBlt(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top,
                           source.Dc(), 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
    if (oldMode)
        ::SetStretchBltMode(dc, oldMode);
    return ok;
}

BOOL CImage::TransparentBlt(HDC dc, const RECT& dest, COLORREF transparent) const
{
    SelectedBitmap source(m_hBitmap);
    if (!source.Dc())
        return FALSE;
    BITMAP bm = Info();
    return ::TransparentBlt(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top,
                            source.Dc(), 0, 0, bm.bmWidth, bm.bmHeight, transparent);
}
