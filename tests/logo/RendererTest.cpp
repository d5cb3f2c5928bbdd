#include <gtest/gtest.h>

#include "LogoRenderer.h"

namespace {

// A 24-bit picture: the left half grey, a black dot at (1, 1), the rest white.
HBITMAP MakePicture(int width, int height)
{
    CClientDC screen(nullptr);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = dc.SelectObject(bitmap);
    CRect all(0, 0, width, height);
    dc.FillSolidRect(&all, RGB(255, 255, 255));
    CRect grey(0, 0, width / 2, height);
    dc.FillSolidRect(&grey, RGB(200, 200, 200));
    ::SetPixel(dc, 1, 1, RGB(0, 0, 0));
    dc.SelectObject(old);
    return bitmap;
}

HFONT MakeFont(int height)
{
    LOGFONTW lf = {};
    lf.lfHeight = height;
    lf.lfWeight = FW_BOLD;
    lf.lfQuality = NONANTIALIASED_QUALITY;
    lstrcpyW(lf.lfFaceName, L"Tahoma");
    return ::CreateFontIndirectW(&lf);
}

// Black pixels of a monochrome bitmap inside rect.
int BlackPixels(HBITMAP bitmap, const CRect& rect)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    HGDIOBJ old = dc.SelectObject(bitmap);
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            if (dc.GetPixel(x, y) == RGB(0, 0, 0))
                ++count;
    dc.SelectObject(old);
    return count;
}

} // namespace

TEST(LogoRenderer, NoCanvasForAnEmptyLogo)
{
    EXPECT_FALSE(LogoRenderer(0, 48).IsValid());
    EXPECT_FALSE(LogoRenderer(384, 0).IsValid());
    EXPECT_EQ(nullptr, LogoRenderer(0, 0).CreateLogoBitmap(1));
}

TEST(LogoRenderer, PictureSitsAtTheTopLeftAndIsCutAtTheEdge)
{
    LogoRenderer renderer(16, 8);
    ASSERT_TRUE(renderer.IsValid());
    HBITMAP picture = MakePicture(40, 20);  // larger than the logo
    renderer.DrawPicture(picture);
    ::DeleteObject(picture);
    EXPECT_EQ(RGB(0, 0, 0), renderer.Pixel(1, 1));
    EXPECT_EQ(RGB(200, 200, 200), renderer.Pixel(0, 0));
    EXPECT_EQ(RGB(200, 200, 200), renderer.Pixel(15, 7));  // still in the grey half
    EXPECT_EQ(CLR_INVALID, renderer.Pixel(16, 0));

    // A smaller picture leaves white to its right and below.
    LogoRenderer wide(64, 32);
    HBITMAP small = MakePicture(10, 10);
    wide.DrawPicture(small);
    ::DeleteObject(small);
    EXPECT_EQ(RGB(255, 255, 255), wide.Pixel(20, 5));
    EXPECT_EQ(RGB(255, 255, 255), wide.Pixel(2, 20));
}

TEST(LogoRenderer, OneBitKeepsOnlyPureWhiteWhite)
{
    LogoRenderer renderer(32, 8);
    HBITMAP picture = MakePicture(32, 8);
    renderer.DrawPicture(picture);
    ::DeleteObject(picture);
    CBitmap logo;
    ASSERT_TRUE(logo.Attach(renderer.CreateLogoBitmap(1)));
    BITMAP bm = {};
    logo.GetBitmap(&bm);
    EXPECT_EQ(32, bm.bmWidth);
    EXPECT_EQ(8, bm.bmHeight);
    EXPECT_EQ(1, bm.bmBitsPixel);
    EXPECT_EQ(1, bm.bmPlanes);
    // The grey half turns black, the white half stays white.
    EXPECT_EQ(16 * 8, BlackPixels(logo, CRect(0, 0, 16, 8)));
    EXPECT_EQ(0, BlackPixels(logo, CRect(16, 0, 32, 8)));
}

TEST(LogoRenderer, LabelTextLandsInItsRectangleAndIsClippedByIt)
{
    LogoRenderer renderer(200, 40);
    HFONT font = MakeFont(16);
    renderer.DrawLabel(L"WWW", font, RGB(0, 0, 0), CRect(100, 10, 200, 30));
    // A label hanging over the right edge is cut there.
    renderer.DrawLabel(L"MMMMMMMMMMMM", font, RGB(0, 0, 0), CRect(180, 0, 300, 10));
    CBitmap logo;
    ASSERT_TRUE(logo.Attach(renderer.CreateLogoBitmap(1)));
    ::DeleteObject(font);
    EXPECT_GT(BlackPixels(logo, CRect(100, 10, 200, 30)), 20);
    EXPECT_EQ(0, BlackPixels(logo, CRect(0, 10, 100, 40)));
    EXPECT_GT(BlackPixels(logo, CRect(180, 0, 200, 10)), 0);
    EXPECT_EQ(0, BlackPixels(logo, CRect(0, 0, 180, 10)));
}

TEST(LogoRenderer, AmpersandsAreDrawnAsTyped)
{
    HFONT font = MakeFont(16);
    LogoRenderer renderer(120, 20);
    renderer.DrawLabel(L"W&W", font, RGB(0, 0, 0), CRect(0, 0, 120, 20));
    CBitmap logo;
    ASSERT_TRUE(logo.Attach(renderer.CreateLogoBitmap(1)));
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    HGDIOBJ old = dc.SelectObject(font);
    int twoLetters = dc.GetTextExtent(L"WW", 2).cx;
    dc.SelectObject(old);
    ::DeleteObject(font);
    // Read as a prefix, "&" would vanish and leave "WW": ink beyond its width
    // shows the ampersand was drawn.
    EXPECT_GT(BlackPixels(logo, CRect(twoLetters + 1, 0, 120, 20)), 0);
}

TEST(LogoRenderer, OtherDepthsGetOnePlaneOfThatDepth)
{
    LogoRenderer renderer(16, 4);
    CBitmap logo;
    ASSERT_TRUE(logo.Attach(renderer.CreateLogoBitmap(32)));
    BITMAP bm = {};
    logo.GetBitmap(&bm);
    EXPECT_EQ(1, bm.bmPlanes);
    EXPECT_EQ(32, bm.bmBitsPixel);
}
