#include <gtest/gtest.h>

#include "Canvas.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kKey = RGB(254, 0, 0);

// Left half red, right half blue.
HBITMAP TwoColourBitmap(int width, int height)
{
    HBITMAP bitmap = SolidBitmap(width, height, kRed);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    RECT right = {width / 2, 0, width, height};
    HBRUSH brush = ::CreateSolidBrush(kBlue);
    ::FillRect(dc, &right, brush);
    ::DeleteObject(brush);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return bitmap;
}

} // namespace

TEST(Image, SavesThroughTheExtensionsEncoderAndLoadsBack)
{
    TempFolder folder;
    CImage source;
    source.Attach(TwoColourBitmap(16, 8));
    ASSERT_EQ(S_OK, source.Save(folder.File(L"pic.bmp").c_str()));
    ASSERT_EQ(S_OK, source.Save(folder.File(L"PIC.JPG").c_str()));
    EXPECT_EQ("BM", folder.Read(L"pic.bmp").substr(0, 2));
    EXPECT_EQ("\xFF\xD8", folder.Read(L"PIC.JPG").substr(0, 2));

    CImage bmp;
    ASSERT_EQ(S_OK, bmp.Load(folder.File(L"pic.bmp").c_str()));
    EXPECT_EQ(16, bmp.GetWidth());
    EXPECT_EQ(8, bmp.GetHeight());
    EXPECT_EQ(kRed, bmp.GetPixel(1, 1));
    EXPECT_EQ(kBlue, bmp.GetPixel(14, 6));
    EXPECT_EQ(CLR_INVALID, bmp.GetPixel(16, 0));

    CImage jpeg;
    ASSERT_EQ(S_OK, jpeg.Load(folder.File(L"PIC.JPG").c_str()));
    EXPECT_EQ(16, jpeg.GetWidth());
    EXPECT_TRUE(Near(kRed, jpeg.GetPixel(1, 4), 40));
    EXPECT_TRUE(Near(kBlue, jpeg.GetPixel(14, 4), 40));
}

TEST(Image, OneBitBitmapStaysOneBitAsBmp)
{
    TempFolder folder;
    BITMAPINFO* info = static_cast<BITMAPINFO*>(calloc(1, sizeof(BITMAPINFOHEADER) + 2 * sizeof(RGBQUAD)));
    info->bmiHeader.biSize = sizeof info->bmiHeader;
    info->bmiHeader.biWidth = 16;
    info->bmiHeader.biHeight = 4;
    info->bmiHeader.biPlanes = 1;
    info->bmiHeader.biBitCount = 1;
    info->bmiColors[1] = {255, 255, 255, 0};
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, info, DIB_RGB_COLORS, &bits, nullptr, 0);
    free(info);
    ASSERT_NE(nullptr, bitmap);
    static_cast<BYTE*>(bits)[0] = 0x80;  // bottom row, first pixel white

    CImage image;
    image.Attach(bitmap);
    ASSERT_EQ(S_OK, image.Save(folder.File(L"logo.bmp").c_str()));
    std::string file = folder.Read(L"logo.bmp");
    ASSERT_GT(file.size(), 30u);
    EXPECT_EQ(1, file[28]);  // biBitCount

    CImage back;
    ASSERT_EQ(S_OK, back.Load(folder.File(L"logo.bmp").c_str()));
    EXPECT_EQ(RGB(255, 255, 255), back.GetPixel(0, 3));
    EXPECT_EQ(RGB(0, 0, 0), back.GetPixel(1, 3));
}

TEST(Image, BadInputLeavesAnEmptyImage)
{
    TempFolder folder;
    folder.Write(L"text.bmp", "not a picture at all");
    CImage image;
    image.Attach(SolidBitmap(2, 2, kRed));
    EXPECT_EQ(E_FAIL, image.Load(folder.File(L"missing.jpg").c_str()));
    EXPECT_TRUE(image.IsNull());
    EXPECT_EQ(E_FAIL, image.Load(folder.File(L"text.bmp").c_str()));
    EXPECT_TRUE(image.IsNull());
    EXPECT_EQ(E_FAIL, image.Load(nullptr));

    // Nothing to save, no encoder for the extension, no extension at all.
    EXPECT_EQ(E_FAIL, image.Save(folder.File(L"empty.bmp").c_str()));
    image.Attach(SolidBitmap(2, 2, kRed));
    EXPECT_EQ(E_FAIL, image.Save(folder.File(L"pic.xyz").c_str()));
    EXPECT_EQ(E_FAIL, image.Save(folder.File(L"dotted.dir\\pic").c_str()));
    EXPECT_EQ("", folder.Read(L"pic.xyz"));

    CImage empty;
    Canvas canvas(4, 4);
    canvas.Fill(kGreen);
    EXPECT_FALSE(empty.Draw(canvas.Dc(), 0, 0));
    EXPECT_FALSE(empty.Draw(canvas.Dc(), RECT{0, 0, 4, 4}));
    EXPECT_FALSE(empty.TransparentBlt(canvas.Dc(), RECT{0, 0, 4, 4}, kKey));
    EXPECT_EQ(kGreen, canvas.Pixel(2, 2));
    EXPECT_EQ(CLR_INVALID, empty.GetPixel(0, 0));
    EXPECT_EQ(0, empty.GetWidth());
}

TEST(Image, DrawsAtNaturalSizeStretchedAndWithAColourKey)
{
    CImage image;
    image.Attach(TwoColourBitmap(4, 2));
    Canvas canvas(40, 20);

    canvas.Fill(kGreen);
    ASSERT_TRUE(image.Draw(canvas.Dc(), 10, 10));
    EXPECT_EQ(kRed, canvas.Pixel(10, 10));
    EXPECT_EQ(kBlue, canvas.Pixel(13, 11));
    EXPECT_EQ(kGreen, canvas.Pixel(14, 10));
    EXPECT_EQ(kGreen, canvas.Pixel(10, 12));

    canvas.Fill(kGreen);
    ASSERT_TRUE(image.Draw(canvas.Dc(), RECT{0, 0, 40, 20}));
    EXPECT_EQ(kRed, canvas.Pixel(0, 0));
    EXPECT_EQ(kRed, canvas.Pixel(19, 19));
    EXPECT_EQ(kBlue, canvas.Pixel(20, 0));
    EXPECT_EQ(kBlue, canvas.Pixel(39, 19));

    // The key colour lets the background through, the rest is stretched.
    CImage keyed;
    keyed.Attach(SolidBitmap(4, 2, kKey));
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, static_cast<HBITMAP>(keyed));
    ::SetPixel(dc, 3, 1, kBlue);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    canvas.Fill(kGreen);
    ASSERT_TRUE(keyed.TransparentBlt(canvas.Dc(), RECT{0, 0, 40, 20}, kKey));
    EXPECT_EQ(kGreen, canvas.Pixel(5, 5));
    EXPECT_EQ(kGreen, canvas.Pixel(29, 9));
    EXPECT_EQ(kBlue, canvas.Pixel(35, 15));
}
