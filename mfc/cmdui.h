// Command enabling. Before a popup menu shows, its owner window asks itself
// about each command item through a CCmdUI: the owner's update handler for
// that command (ON_UPDATE_COMMAND_UI) enables or greys the item. An item
// whose command has no update handler stays as it is.
#pragma once

#include <windows.h>

#include "msgmap.h"

// The code update handlers are filed under in message maps: outside the
// 16-bit range of control notifications, so no WM_COMMAND ever matches it.
constexpr UINT CN_UPDATE_COMMAND_UI = 0xFFFFFFFFu;

class CCmdUI
{
public:
    UINT m_nID = 0;           // the command asked about
    HMENU m_hMenu = nullptr;  // the menu holding its item; none when asked directly
    UINT m_nIndex = 0;        // the item's position in that menu

    virtual ~CCmdUI() = default;
    // The handler's answer: enables or greys the menu item.
    virtual void Enable(BOOL on = TRUE);

    // Runs the target's update handler for m_nID; false when it has none.
    BOOL DoUpdate(CCmdTarget* target);
    // Asks the target about every command item of a popup menu (submenus
    // are asked when they open).
    static void UpdateMenu(HMENU menu, CCmdTarget* target);
};

#define ON_UPDATE_COMMAND_UI(id, fn) \
    AFX_MSG_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, id, (p->*fn)(reinterpret_cast<CCmdUI*>(m.lParam)))
