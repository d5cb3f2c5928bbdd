// A popup menu, with its submenus, drawn by the program in a larger font.
#pragma once

#include <deque>
#include <memory>
#include <vector>

#include "afx.h"

class CExtraMenu : public CMenu
{
public:
    // Measuring uses the owner window's DC; the font is "MS UI Gothic" at
    // pointTenths tenths of a point.
    explicit CExtraMenu(CWnd* owner, int pointTenths = 160);
    // Frees the submenu wrappers (not their handles: destroying this menu
    // destroys them), the texts and the font, then the menu.
    ~CExtraMenu() override;

    // Makes every item of source, usually this menu, and of its submenus
    // owner-drawn, keeping texts, ids and submenus. This object keeps the
    // texts and the submenu wrappers. A submenu already held by another
    // CMenu stays that object's, to be destroyed once: detach it first to
    // hand it over. A later conversion replaces the wrappers of this one.
    void MakeOwnerDraw(CMenu* source, CWnd* owner);

    void DrawItem(LPDRAWITEMSTRUCT item) override;
    void MeasureItem(LPMEASUREITEMSTRUCT item) override;

private:
    // depth 0 is the source menu itself.
    void ConvertItems(HMENU menu, CWnd* owner, int depth);
    void ReleaseSubMenus();

    std::vector<std::unique_ptr<CExtraMenu>> m_subMenus;
    std::deque<CString> m_texts;  // item data points here: a deque keeps addresses
    CWnd* m_pOwner;
    CFont m_font;
};
