#include "menu.h"

#include <mutex>
#include <unordered_map>

#include "app.h"
#include "window.h"

namespace {

std::mutex g_menuLock;
std::unordered_map<HMENU, CMenu*>& MenuMap()
{
    static auto* map = new std::unordered_map<HMENU, CMenu*>;  // outlives every static menu
    return *map;
}

bool HoldsOwnerDrawnItem(HMENU menu, const MEASUREITEMSTRUCT& item)
{
    int count = ::GetMenuItemCount(menu);
    for (int pos = 0; pos < count; ++pos) {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA;
        if (::GetMenuItemInfoW(menu, static_cast<UINT>(pos), TRUE, &info) && (info.fType & MFT_OWNERDRAW) &&
            info.wID == item.itemID && info.dwItemData == item.itemData)
            return true;
    }
    return false;
}

} // namespace

CMenu* CMenu::FromHandlePermanent(HMENU menu)
{
    std::lock_guard<std::mutex> lock(g_menuLock);
    auto it = MenuMap().find(menu);
    return it == MenuMap().end() ? nullptr : it->second;
}

CMenu* CMenu::FromMeasuredItem(const MEASUREITEMSTRUCT& item)
{
    std::lock_guard<std::mutex> lock(g_menuLock);
    for (const auto& [menu, object] : MenuMap())
        if (HoldsOwnerDrawnItem(menu, item))
            return object;
    return nullptr;
}

BOOL CMenu::LoadMenu(UINT resourceId)
{
    HMENU menu = ::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(resourceId));
    if (!menu)
        return FALSE;
    if (!Attach(menu)) {
        ::DestroyMenu(menu);
        return FALSE;
    }
    return TRUE;
}

BOOL CMenu::Attach(HMENU menu)
{
    if (!menu || m_hMenu)
        return FALSE;
    std::lock_guard<std::mutex> lock(g_menuLock);
    if (!MenuMap().emplace(menu, this).second)
        return FALSE;
    m_hMenu = menu;
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU menu = m_hMenu;
    if (menu) {
        std::lock_guard<std::mutex> lock(g_menuLock);
        MenuMap().erase(menu);
    }
    m_hMenu = nullptr;
    return menu;
}

BOOL CMenu::DestroyMenu()
{
    HMENU menu = Detach();
    return menu ? ::DestroyMenu(menu) : FALSE;
}

int CMenu::GetMenuString(HMENU menu, UINT item, CString& text, UINT flags)
{
    int n = ::GetMenuStringW(menu, item, nullptr, 0, flags);
    if (n <= 0) {
        text.Empty();
        return 0;
    }
    int got = ::GetMenuStringW(menu, item, text.GetBuffer(n), n + 1, flags);
    text.ReleaseBuffer(got < 0 ? 0 : got);
    return text.GetLength();
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner) const
{
    return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner ? owner->m_hWnd : nullptr, nullptr);
}
