// A push button drawn wholly from two pictures, normal and pressed.
// The button must have the BS_OWNERDRAW style.
#pragma once

#include <memory>
#include <string>

#include "afx.h"

class CPictureButton : public CButton
{
public:
    // Replaces both pictures; TRUE when the normal one loaded and the
    // pressed one's file is there. The pressed picture is decoded when the
    // button is first drawn pressed: most showings never are, and decoding
    // is most of what a picture costs. A picture that did not load is not
    // drawn.
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
    std::wstring m_pressedFile;  // until m_pressed is decoded
};
