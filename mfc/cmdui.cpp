#include "cmdui.h"

#include "window.h"

void CCmdUI::Enable(BOOL on)
{
    if (m_hMenu)
        ::EnableMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (on ? MF_ENABLED : MF_GRAYED));
}

BOOL CCmdUI::DoUpdate(CCmdTarget* target)
{
    if (!target)
        return FALSE;
    AFX_MSGCALL call{WM_COMMAND, m_nID, reinterpret_cast<LPARAM>(this), 0};
    return target->DispatchMessageMap(WM_COMMAND, CN_UPDATE_COMMAND_UI, m_nID, call);
}

void CCmdUI::UpdateMenu(HMENU menu, CCmdTarget* target)
{
    const int count = ::GetMenuItemCount(menu);
    for (int pos = 0; pos < count; ++pos) {
        const UINT id = ::GetMenuItemID(menu, pos);
        if (id == 0 || id == static_cast<UINT>(-1))
            continue;  // a separator or a submenu
        CCmdUI ui;
        ui.m_nID = id;
        ui.m_hMenu = menu;
        ui.m_nIndex = static_cast<UINT>(pos);
        ui.DoUpdate(target);
    }
}
