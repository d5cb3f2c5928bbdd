#include "CExtraMenu.h"

namespace {

constexpr int kSubMenuPoints = 160;    // submenus of the converted menu
constexpr int kNestedMenuPoints = 80;  // anything deeper
const COLORREF kSelectedColor = RGB(0, 150, 255);

const CString& ItemText(ULONG_PTR itemData)
{
    static const CString empty;
    return itemData ? *reinterpret_cast<const CString*>(itemData) : empty;
}

} // namespace

CExtraMenu::CExtraMenu(CWnd* owner, int pointTenths) : m_pOwner(owner)
{
    if (!m_font.CreatePointFont(pointTenths, L"MS UI Gothic"))
        AfxThrowResourceException();
}

CExtraMenu::~CExtraMenu()
{
    ReleaseSubMenus();
}

void CExtraMenu::ReleaseSubMenus()
{
    for (auto& sub : m_subMenus)
        sub->Detach();
    m_subMenus.clear();
}

void CExtraMenu::MakeOwnerDraw(CMenu* source, CWnd* owner)
{
    // Wrappers of an earlier conversion would hold the submenus this one wraps.
    ReleaseSubMenus();
    ConvertItems(source->m_hMenu, owner, 0);
}

void CExtraMenu::ConvertItems(HMENU menu, CWnd* owner, int depth)
{
    int count = ::GetMenuItemCount(menu);
    for (int pos = 0; pos < count; ++pos) {
        // The item keeps its string beside the owner-draw data, so a second
        // conversion reads the same text again.
        CString& text = m_texts.emplace_back();
        GetMenuString(menu, static_cast<UINT>(pos), text, MF_BYPOSITION);

        // SetMenuItemInfo, unlike ModifyMenu, leaves the id and any submenu alone.
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        if (!::GetMenuItemInfoW(menu, static_cast<UINT>(pos), TRUE, &info))
            continue;
        info.fMask = MIIM_FTYPE | MIIM_DATA;
        info.fType |= MFT_OWNERDRAW;
        info.dwItemData = reinterpret_cast<ULONG_PTR>(&text);
        if (!::SetMenuItemInfoW(menu, static_cast<UINT>(pos), TRUE, &info))
            continue;

        if (HMENU subMenu = ::GetSubMenu(menu, pos)) {
            auto wrapper = std::make_unique<CExtraMenu>(owner, depth == 0 ? kSubMenuPoints : kNestedMenuPoints);
            if (wrapper->Attach(subMenu))
                m_subMenus.push_back(std::move(wrapper));
            ConvertItems(subMenu, owner, depth + 1);
        }
    }
}

void CExtraMenu::MeasureItem(LPMEASUREITEMSTRUCT item)
{
    const CString& text = ItemText(item->itemData);
    CClientDC dc(m_pOwner);
    HGDIOBJ oldFont = dc.SelectObject(&m_font);
    CSize size = text.IsEmpty() ? CSize() : dc.GetTextExtent(text, text.GetLength());
    dc.SelectObject(oldFont);
    item->itemWidth = static_cast<UINT>(size.cx);
    item->itemHeight = static_cast<UINT>(size.cy);
}

void CExtraMenu::DrawItem(LPDRAWITEMSTRUCT item)
{
    CDC dc;
    dc.Attach(item->hDC);
    dc.FillSolidRect(&item->rcItem, RGB(255, 255, 255));
    if ((item->itemState & ODS_SELECTED) && (item->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)))
        dc.FillSolidRect(&item->rcItem, kSelectedColor);
    // Text colour and background mode stay as the system set them.
    const CString& text = ItemText(item->itemData);
    HGDIOBJ oldFont = dc.SelectObject(&m_font);
    dc.TextOut(item->rcItem.left, item->rcItem.top, text, text.GetLength());
    dc.SelectObject(oldFont);
    dc.Detach();
}
