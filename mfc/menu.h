// Menus. A CMenu owns its HMENU and destroys it, with its submenus, unless
// the handle was detached first.
//
// Every menu attached to an object is listed in a map, so that a window that
// tracks a menu can hand the menu's owner-draw requests (WM_MEASUREITEM and
// WM_DRAWITEM of type ODT_MENU) to the object's MeasureItem and DrawItem.
#pragma once

#include <windows.h>

#include "object.h"
#include "strings.h"

class CWnd;

class CMenu : public CObject
{
public:
    CMenu() = default;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;
    ~CMenu() override { DestroyMenu(); }

    HMENU m_hMenu = nullptr;

    operator HMENU() const { return m_hMenu; }
    HMENU GetSafeHmenu() const { return m_hMenu; }

    // The object attached to a menu handle, or null.
    static CMenu* FromHandlePermanent(HMENU menu);
    // The object whose menu holds the owner-drawn item that WM_MEASUREITEM
    // names (the message carries the item's id and data, not its menu).
    static CMenu* FromMeasuredItem(const MEASUREITEMSTRUCT& item);

    BOOL CreatePopupMenu() { return Attach(::CreatePopupMenu()); }
    BOOL LoadMenu(UINT resourceId);
    // Fails when this object already holds a menu or another object holds
    // this one: two owners would destroy it twice.
    BOOL Attach(HMENU menu);
    HMENU Detach();
    BOOL DestroyMenu();

    int GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
    UINT GetMenuItemID(int pos) const { return ::GetMenuItemID(m_hMenu, pos); }
    // The submenu stays owned by this menu.
    HMENU GetSubMenu(int pos) const { return ::GetSubMenu(m_hMenu, pos); }
    int GetMenuString(UINT item, CString& text, UINT flags) const { return GetMenuString(m_hMenu, item, text, flags); }
    static int GetMenuString(HMENU menu, UINT item, CString& text, UINT flags);
    BOOL AppendMenu(UINT flags, UINT_PTR idOrSubMenu = 0, LPCWSTR text = nullptr)
    {
        return ::AppendMenuW(m_hMenu, flags, idOrSubMenu, text);
    }
    // The chosen command when flags hold TPM_RETURNCMD, else success.
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner) const;

    // Owner-drawn items of this menu; nothing by default.
    virtual void DrawItem(LPDRAWITEMSTRUCT) {}
    virtual void MeasureItem(LPMEASUREITEMSTRUCT) {}
};
