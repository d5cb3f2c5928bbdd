#include "CPictureButton.h"

BOOL CPictureButton::LoadImages(LPCWSTR normalFile, LPCWSTR pressedFile)
{
    bool normal = SUCCEEDED(m_normal.Load(normalFile));
    bool pressed = SUCCEEDED(m_pressed.Load(pressedFile));
    return normal && pressed;
}

void CPictureButton::DrawItem(LPDRAWITEMSTRUCT item)
{
    const CImage& image = (item->itemState & ODS_SELECTED) ? m_pressed : m_normal;
    image.Draw(item->hDC, item->rcItem);
}

LRESULT CPictureButton::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_LBUTTONDBLCLK)
        message = WM_LBUTTONDOWN;
    return CButton::DefWindowProc(message, wParam, lParam);
}
