#include "LogoRenderer.h"

#include <algorithm>
#include <vector>

namespace {

constexpr DWORD kWhite = 0x00FFFFFF;

// A memory context with a bitmap selected for the object's lifetime.
class Selected
{
public:
    explicit Selected(HBITMAP bitmap)
    {
        if (m_dc.CreateCompatibleDC(nullptr))
            m_old = m_dc.SelectObject(bitmap);
    }
    ~Selected()
    {
        if (m_old)
            m_dc.SelectObject(m_old);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

    CDC* Dc() { return m_old ? &m_dc : nullptr; }

private:
    CDC m_dc;
    HGDIOBJ m_old = nullptr;
};

} // namespace

LogoRenderer::LogoRenderer(int width, int height) : m_width(width), m_height(height)
{
    if (width <= 0 || height <= 0 || !m_dc.CreateCompatibleDC(nullptr))
        return;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    if (!m_canvas.Attach(::CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0)) || !bits)
        return;
    m_oldBitmap = m_dc.SelectObject(&m_canvas);
    if (!m_oldBitmap)
        return;
    m_bits = static_cast<DWORD*>(bits);
    std::fill(m_bits, m_bits + static_cast<size_t>(width) * height, kWhite);
}

LogoRenderer::~LogoRenderer()
{
    if (m_oldBitmap)
        m_dc.SelectObject(m_oldBitmap);
}

void LogoRenderer::DrawPicture(HBITMAP picture)
{
    BITMAP bm = {};
    if (!IsValid() || !picture || !::GetObjectW(picture, sizeof bm, &bm))
        return;
    Selected source(picture);
    if (source.Dc())
        m_dc.BitBlt(0, 0, bm.bmWidth, bm.bmHeight, source.Dc(), 0, 0, SRCCOPY);
    ::GdiFlush();
}

void LogoRenderer::DrawLabel(const wchar_t* text, HFONT font, COLORREF color, const CRect& rect)
{
    if (!IsValid() || !text || !*text)
        return;
    int saved = m_dc.SaveDC();
    m_dc.SelectObject(font);
    m_dc.SetBkMode(TRANSPARENT);
    m_dc.SetTextColor(color);
    CRect box = rect;
    m_dc.DrawText(text, -1, &box, DT_LEFT | DT_EXPANDTABS | DT_WORDBREAK | DT_NOPREFIX);
    m_dc.RestoreDC(saved);
    ::GdiFlush();
}

COLORREF LogoRenderer::Pixel(int x, int y) const
{
    if (!IsValid() || x < 0 || y < 0 || x >= m_width || y >= m_height)
        return CLR_INVALID;
    DWORD rgb = m_bits[static_cast<size_t>(y) * m_width + x] & kWhite;
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

HBITMAP LogoRenderer::CreateMonochrome() const
{
    // Rows of a device-dependent bitmap are padded to 16 bits.
    size_t stride = static_cast<size_t>((m_width + 15) / 16) * 2;
    std::vector<BYTE> rows(stride * m_height, 0);
    for (int y = 0; y < m_height; ++y) {
        const DWORD* source = m_bits + static_cast<size_t>(y) * m_width;
        BYTE* row = rows.data() + stride * y;
        for (int x = 0; x < m_width; ++x)
            if ((source[x] & kWhite) == kWhite)
                row[x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
    }
    return ::CreateBitmap(m_width, m_height, 1, 1, rows.data());
}

HBITMAP LogoRenderer::CreateLogoBitmap(int bitsPerPixel) const
{
    if (!IsValid() || bitsPerPixel <= 0)
        return nullptr;
    if (bitsPerPixel == 1)
        return CreateMonochrome();
    CBitmap logo;
    if (!logo.Attach(::CreateBitmap(m_width, m_height, 1, bitsPerPixel, nullptr)))
        return nullptr;
    Selected target(logo);
    if (!target.Dc() || !target.Dc()->BitBlt(0, 0, m_width, m_height, const_cast<CDC*>(&m_dc), 0, 0, SRCCOPY))
        return nullptr;
    return static_cast<HBITMAP>(logo.Detach());
}
