#include <gtest/gtest.h>

#include "Canvas.h"
#include "WidgetDlg.h"
#include "resource.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kGrey = RGB(128, 128, 128);

// Has the dialog draw the button into a canvas, as the system would ask.
COLORREF DrawnPixel(CWidgetDlg& dlg, UINT state, int x, int y)
{
    Canvas canvas(40, 20);
    canvas.Fill(kGrey);
    DRAWITEMSTRUCT request = {};
    request.CtlType = ODT_BUTTON;
    request.CtlID = IDC_PICTURE;
    request.itemAction = ODA_DRAWENTIRE;
    request.itemState = state;
    request.hwndItem = dlg.m_picture;
    request.hDC = canvas.Dc();
    request.rcItem = {0, 0, 40, 20};
    dlg.SendMessage(WM_DRAWITEM, IDC_PICTURE, reinterpret_cast<LPARAM>(&request));
    return canvas.Pixel(x, y);
}

void Click(CWnd& button, UINT message)
{
    button.SendMessage(message, MK_LBUTTON, MAKELPARAM(5, 5));
    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

} // namespace

TEST(PictureButton, DrawsThePictureOfItsStateStretched)
{
    TempFolder folder;
    std::wstring red = WritePicture(folder, L"normal.bmp", kRed);
    std::wstring blue = WritePicture(folder, L"pressed.jpg", kBlue, 8, 8);
    CWidgetDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_WIDGETS));

    EXPECT_EQ(kGrey, DrawnPixel(dlg, 0, 20, 10));  // nothing loaded yet
    ASSERT_TRUE(dlg.m_picture.LoadImages(red.c_str(), blue.c_str()));
    EXPECT_EQ(kRed, DrawnPixel(dlg, 0, 0, 0));
    EXPECT_EQ(kRed, DrawnPixel(dlg, 0, 39, 19));
    EXPECT_TRUE(Near(kBlue, DrawnPixel(dlg, ODS_SELECTED, 20, 10)));
    EXPECT_TRUE(Near(kBlue, DrawnPixel(dlg, ODS_SELECTED | ODS_FOCUS, 39, 19)));

    // Loading again replaces both.
    ASSERT_TRUE(dlg.m_picture.LoadImages(blue.c_str(), red.c_str()));
    EXPECT_TRUE(Near(kBlue, DrawnPixel(dlg, 0, 20, 10)));
    EXPECT_EQ(kRed, DrawnPixel(dlg, ODS_SELECTED, 20, 10));

    // A file written since it was loaded is read again.
    WritePicture(folder, L"normal.bmp", kBlue, 8, 8);
    ASSERT_TRUE(dlg.m_picture.LoadImages(red.c_str(), red.c_str()));
    EXPECT_EQ(kBlue, DrawnPixel(dlg, 0, 20, 10));
}

TEST(PictureButton, MissingPictureDrawsNothing)
{
    TempFolder folder;
    std::wstring red = WritePicture(folder, L"normal.bmp", kRed);
    folder.Write(L"broken.jpg", "\xFF\xD8 truncated");
    CWidgetDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_WIDGETS));

    EXPECT_FALSE(dlg.m_picture.LoadImages(red.c_str(), folder.File(L"missing.jpg").c_str()));
    EXPECT_EQ(kRed, DrawnPixel(dlg, 0, 20, 10));
    EXPECT_EQ(kGrey, DrawnPixel(dlg, ODS_SELECTED, 20, 10));

    EXPECT_FALSE(dlg.m_picture.LoadImages(folder.File(L"broken.jpg").c_str(), red.c_str()));
    EXPECT_EQ(kGrey, DrawnPixel(dlg, 0, 20, 10));
    EXPECT_EQ(kRed, DrawnPixel(dlg, ODS_SELECTED, 20, 10));

    // A real paint of a button without pictures is harmless too.
    dlg.ShowWindow(SW_SHOWNOACTIVATE);
    dlg.m_picture.RedrawWindow();
    EXPECT_FALSE(dlg.m_picture.LoadImages(nullptr, nullptr));
    dlg.m_picture.RedrawWindow();
}

TEST(PictureButton, QuickSecondClickIsAnotherClick)
{
    CWidgetDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_WIDGETS));
    Click(dlg.m_picture, WM_LBUTTONDOWN);
    Click(dlg.m_picture, WM_LBUTTONDBLCLK);
    EXPECT_EQ(2, dlg.clicks);
    EXPECT_EQ(0, dlg.doubleClicks);
}

TEST(PictureButton, LoadingAgainFreesThePreviousPictures)
{
    TempFolder folder;
    std::wstring red = WritePicture(folder, L"normal.bmp", kRed);
    auto cycle = [&red] {
        CWidgetDlg dlg;
        ASSERT_TRUE(dlg.Create(IDD_WIDGETS));
        for (int load = 0; load < 3; ++load)
            ASSERT_TRUE(dlg.m_picture.LoadImages(red.c_str(), red.c_str()));
        DrawnPixel(dlg, ODS_SELECTED, 0, 0);
        dlg.DestroyWindow();
    };
    cycle();  // the first dialog loads what the system keeps
    DWORD before = GdiObjects();
    for (int i = 0; i < 3; ++i)
        cycle();
    EXPECT_EQ(before, GdiObjects());
}
