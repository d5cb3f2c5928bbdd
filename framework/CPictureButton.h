// A push button drawn wholly from two pictures, normal and pressed.
// The button must have the BS_OWNERDRAW style.
#pragma once

#include <memory>

#include "afx.h"

class CPictureButton : public CButton
{
public:
    // Replaces both pictures; TRUE when both files loaded. A picture that
    // did not load is not drawn.
    BOOL LoadImages(LPCWSTR normalFile, LPCWSTR pressedFile);

    void DrawItem(LPDRAWITEMSTRUCT item) override;

protected:
    // A fast second click presses the button again rather than being a
    // double click.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Shared with every button showing the same file.
    std::shared_ptr<const CImage> m_normal;
    std::shared_ptr<const CImage> m_pressed;
};
