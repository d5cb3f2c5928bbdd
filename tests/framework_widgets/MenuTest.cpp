#include <gtest/gtest.h>

#include <vector>

#include "CExtraMenu.h"
#include "Canvas.h"
#include "WidgetDlg.h"
#include "resource.h"

namespace {

// A plain top-level window that tracks the menus.
class COwnerWnd : public CWnd
{
public:
    COwnerWnd()
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"WidgetTestOwner";
        ::RegisterClassW(&wc);
        CreateEx(0, wc.lpszClassName, L"owner", WS_POPUP, CRect(0, 0, 200, 100), nullptr, 0);
    }
    int otherMeasures = 0;

protected:
    void OnMeasureItem(int, LPMEASUREITEMSTRUCT) { ++otherMeasures; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COwnerWnd, CWnd)
    ON_WM_MEASUREITEM()
END_MESSAGE_MAP()

struct Item
{
    std::wstring text;
    UINT id;
    HMENU subMenu;
    UINT type;
};

std::vector<Item> Items(HMENU menu)
{
    std::vector<Item> items;
    for (int pos = 0; pos < ::GetMenuItemCount(menu); ++pos) {
        CString text;
        CMenu::GetMenuString(menu, static_cast<UINT>(pos), text, MF_BYPOSITION);
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        ::GetMenuItemInfoW(menu, static_cast<UINT>(pos), TRUE, &info);
        items.push_back({text.GetString(), ::GetMenuItemID(menu, pos), ::GetSubMenu(menu, pos), info.fType});
    }
    return items;
}

// What WM_MEASUREITEM would carry for the item at pos.
MEASUREITEMSTRUCT MeasureRequest(HMENU menu, int pos)
{
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_DATA;
    ::GetMenuItemInfoW(menu, static_cast<UINT>(pos), TRUE, &info);
    MEASUREITEMSTRUCT request = {};
    request.CtlType = ODT_MENU;
    request.itemID = info.wID;
    request.itemData = info.dwItemData;
    return request;
}

SIZE Measure(CWnd& owner, HMENU menu, int pos)
{
    MEASUREITEMSTRUCT request = MeasureRequest(menu, pos);
    request.itemWidth = request.itemHeight = 12345;
    owner.SendMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&request));
    return SIZE{static_cast<LONG>(request.itemWidth), static_cast<LONG>(request.itemHeight)};
}

// Draws the item at pos into a canvas and answers the colour of a pixel
// far from the text.
COLORREF DrawnBackground(CWnd& owner, HMENU menu, int pos, UINT state, UINT action)
{
    Canvas canvas(120, 30);
    canvas.Fill(RGB(0, 0, 0));
    DRAWITEMSTRUCT request = {};
    request.CtlType = ODT_MENU;
    request.itemID = ::GetMenuItemID(menu, pos);
    request.itemAction = action;
    request.itemState = state;
    request.hwndItem = reinterpret_cast<HWND>(menu);
    request.hDC = canvas.Dc();
    request.rcItem = {0, 0, 120, 30};
    request.itemData = MeasureRequest(menu, pos).itemData;
    owner.SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&request));
    return canvas.Pixel(118, 28);
}

// root: "DEPT", "PLU" > ("Item", "Deep" > "Bottom"), separator.
void BuildJumpMenu(CMenu& root, HMENU* plu, HMENU* deep)
{
    ASSERT_TRUE(root.CreatePopupMenu());
    *plu = ::CreatePopupMenu();
    *deep = ::CreatePopupMenu();
    ::AppendMenuW(*deep, MF_STRING, ID_DEEP_ITEM, L"Bottom");
    ::AppendMenuW(*plu, MF_STRING, ID_PLU_ITEM, L"Item");
    ::AppendMenuW(*plu, MF_POPUP, reinterpret_cast<UINT_PTR>(*deep), L"Deep");
    root.AppendMenu(MF_STRING, ID_DEPT, L"DEPT");
    root.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(*plu), L"PLU");
    root.AppendMenu(MF_SEPARATOR);
}

} // namespace

TEST(Menu, OwnsItsHandleOnce)
{
    HMENU handle = nullptr;
    {
        CMenu menu;
        ASSERT_TRUE(menu.LoadMenu(IDM_JUMP));
        handle = menu;
        EXPECT_EQ(&menu, CMenu::FromHandlePermanent(handle));
        EXPECT_EQ(1, menu.GetMenuItemCount());
        HMENU jump = menu.GetSubMenu(0);
        ASSERT_NE(nullptr, jump);
        CString text;
        EXPECT_EQ(4, CMenu::GetMenuString(jump, 0, text, MF_BYPOSITION));
        EXPECT_STREQ(L"DEPT", text);

        CMenu second;
        EXPECT_FALSE(second.Attach(handle));  // one owner per handle
        HMENU extra = ::CreatePopupMenu();
        EXPECT_FALSE(menu.Attach(extra));  // holds one already
        ::DestroyMenu(extra);
    }
    EXPECT_FALSE(::IsMenu(handle));
    EXPECT_EQ(nullptr, CMenu::FromHandlePermanent(handle));

    CMenu detached;
    ASSERT_TRUE(detached.CreatePopupMenu());
    HMENU kept = detached.Detach();
    EXPECT_EQ(nullptr, CMenu::FromHandlePermanent(kept));
    EXPECT_FALSE(detached.DestroyMenu());
    EXPECT_TRUE(::IsMenu(kept));
    ::DestroyMenu(kept);
}

TEST(ExtraMenu, ConversionKeepsTextsIdsAndSubmenus)
{
    COwnerWnd owner;
    HMENU plu = nullptr;
    HMENU deep = nullptr;
    CExtraMenu root(&owner);
    BuildJumpMenu(root, &plu, &deep);
    std::vector<Item> before = Items(root);
    root.MakeOwnerDraw(&root, &owner);

    std::vector<Item> after = Items(root);
    ASSERT_EQ(before.size(), after.size());
    for (size_t i = 0; i < after.size(); ++i) {
        EXPECT_EQ(before[i].text, after[i].text) << i;
        EXPECT_EQ(before[i].id, after[i].id) << i;
        EXPECT_EQ(before[i].subMenu, after[i].subMenu) << i;
        EXPECT_TRUE(after[i].type & MFT_OWNERDRAW) << i;
        EXPECT_EQ(before[i].type, after[i].type & ~MFT_OWNERDRAW) << i;
    }
    EXPECT_EQ(L"PLU", after[1].text);
    EXPECT_EQ(plu, after[1].subMenu);
    std::vector<Item> pluItems = Items(plu);
    ASSERT_EQ(2u, pluItems.size());
    EXPECT_EQ(L"Deep", pluItems[1].text);
    EXPECT_EQ(deep, pluItems[1].subMenu);
    EXPECT_TRUE(pluItems[1].type & MFT_OWNERDRAW);
    std::vector<Item> deepItems = Items(deep);
    ASSERT_EQ(1u, deepItems.size());
    EXPECT_EQ(L"Bottom", deepItems[0].text);
    EXPECT_EQ(static_cast<UINT>(ID_DEEP_ITEM), deepItems[0].id);
    EXPECT_TRUE(deepItems[0].type & MFT_OWNERDRAW);

    // Each submenu has its own wrapper, which draws it.
    EXPECT_NE(nullptr, dynamic_cast<CExtraMenu*>(CMenu::FromHandlePermanent(plu)));
    EXPECT_NE(nullptr, dynamic_cast<CExtraMenu*>(CMenu::FromHandlePermanent(deep)));
}

TEST(ExtraMenu, MeasuresAndDrawsThroughTheOwnerWindow)
{
    COwnerWnd owner;
    HMENU plu = nullptr;
    HMENU deep = nullptr;
    CExtraMenu root(&owner);
    BuildJumpMenu(root, &plu, &deep);
    root.MakeOwnerDraw(&root, &owner);

    SIZE dept = Measure(owner, root, 0);
    EXPECT_GT(dept.cx, 0);
    EXPECT_GT(dept.cy, 0);
    EXPECT_EQ(0, Measure(owner, root, 2).cx);  // the separator has no text
    // First-level submenus keep the large font; deeper ones get the small one.
    EXPECT_EQ(dept.cy, Measure(owner, plu, 0).cy);
    SIZE bottom = Measure(owner, deep, 0);
    EXPECT_GT(bottom.cy, 0);
    EXPECT_LT(bottom.cy, dept.cy);
    EXPECT_EQ(0, owner.otherMeasures);

    const COLORREF white = RGB(255, 255, 255);
    const COLORREF blue = RGB(0, 150, 255);
    EXPECT_EQ(white, DrawnBackground(owner, root, 0, 0, ODA_DRAWENTIRE));
    EXPECT_EQ(blue, DrawnBackground(owner, root, 0, ODS_SELECTED, ODA_DRAWENTIRE));
    EXPECT_EQ(blue, DrawnBackground(owner, deep, 0, ODS_SELECTED, ODA_SELECT));
    EXPECT_EQ(white, DrawnBackground(owner, plu, 1, ODS_SELECTED, ODA_FOCUS));

    // Owner-drawn items of menus nobody wrapped stay the window's.
    HMENU foreign = ::CreatePopupMenu();
    ::AppendMenuW(foreign, MF_OWNERDRAW, 77, reinterpret_cast<LPCWSTR>(0x1234));
    Measure(owner, foreign, 0);
    EXPECT_EQ(1, owner.otherMeasures);
    ::DestroyMenu(foreign);
}

// A menu the owner really tracks: the system's own measuring requests
// reach the menu object.
namespace {

class CCountingMenu : public CExtraMenu
{
public:
    using CExtraMenu::CExtraMenu;
    int measured = 0;
    void MeasureItem(LPMEASUREITEMSTRUCT item) override
    {
        ++measured;
        CExtraMenu::MeasureItem(item);
    }
};

void CALLBACK CloseMenu(HWND, UINT, UINT_PTR, DWORD)
{
    ::EndMenu();
}

} // namespace

TEST(ExtraMenu, TrackedMenuMeasuresItsOwnItems)
{
    CWidgetDlg owner;  // screens show their menus from dialogs
    ASSERT_TRUE(owner.Create(IDD_WIDGETS));
    owner.ShowWindow(SW_SHOWNOACTIVATE);
    HMENU plu = nullptr;
    HMENU deep = nullptr;
    CCountingMenu root(&owner);
    BuildJumpMenu(root, &plu, &deep);
    root.MakeOwnerDraw(&root, &owner);
    UINT_PTR timer = ::SetTimer(nullptr, 0, 200, CloseMenu);
    root.TrackPopupMenu(TPM_LEFTALIGN, 10, 10, &owner);
    ::KillTimer(nullptr, timer);
    EXPECT_GE(root.measured, 3);  // each of its three items, at least once
}

TEST(ExtraMenu, SecondConversionThroughTheRootKeepsTextsAndFreesOnce)
{
    COwnerWnd owner;
    HMENU rootHandle = nullptr;
    HMENU subHandle = nullptr;
    {
        // The record list's order: each submenu converted on its own,
        // appended, handed over to the root, then the root converted.
        CExtraMenu root(&owner);
        ASSERT_TRUE(root.CreatePopupMenu());
        rootHandle = root;
        auto sub = std::make_unique<CExtraMenu>(&owner);
        ASSERT_TRUE(sub->CreatePopupMenu());
        subHandle = *sub;
        sub->AppendMenu(MF_STRING, 0x8104, L"Table one");
        sub->AppendMenu(MF_STRING, 0x8105, L"");
        sub->MakeOwnerDraw(sub.get(), &owner);
        root.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(subHandle), L"DEPT");
        sub->Detach();
        root.MakeOwnerDraw(&root, &owner);
        sub.reset();  // its texts go; the items now point at the root's

        std::vector<Item> items = Items(subHandle);
        ASSERT_EQ(2u, items.size());
        EXPECT_EQ(L"Table one", items[0].text);
        EXPECT_EQ(0x8104u, items[0].id);
        EXPECT_EQ(L"", items[1].text);
        EXPECT_EQ(L"DEPT", Items(root)[0].text);
        EXPECT_GT(Measure(owner, subHandle, 0).cx, 0);
        EXPECT_EQ(0, Measure(owner, subHandle, 1).cx);
    }
    EXPECT_FALSE(::IsMenu(rootHandle));
    EXPECT_FALSE(::IsMenu(subHandle));
    EXPECT_EQ(nullptr, CMenu::FromHandlePermanent(subHandle));
}

TEST(ExtraMenu, SubmenuStillHeldElsewhereIsNotTakenOver)
{
    COwnerWnd owner;
    CMenu holder;
    ASSERT_TRUE(holder.CreatePopupMenu());
    holder.AppendMenu(MF_STRING, 5, L"Five");
    HMENU held = holder;
    {
        CExtraMenu root(&owner);
        ASSERT_TRUE(root.CreatePopupMenu());
        root.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(held), L"Held");
        root.MakeOwnerDraw(&root, &owner);
        EXPECT_EQ(&holder, CMenu::FromHandlePermanent(held));
        EXPECT_TRUE(Items(held)[0].type & MFT_OWNERDRAW);
        // The root may destroy it only once the holder lets go.
        ::RemoveMenu(root, 0, MF_BYPOSITION);
    }
    EXPECT_TRUE(::IsMenu(held));
}

TEST(ExtraMenu, CreateDestroyCyclesLeakNothing)
{
    COwnerWnd owner;
    HMENU plu = nullptr;
    HMENU deep = nullptr;
    CMenu tree;
    BuildJumpMenu(tree, &plu, &deep);
    HMENU handle = tree.Detach();
    DWORD before = GdiObjects();
    for (int cycle = 0; cycle < 5; ++cycle) {
        CExtraMenu root(&owner);  // three fonts with the two wrappers
        ASSERT_TRUE(root.Attach(handle));
        root.MakeOwnerDraw(&root, &owner);
        Measure(owner, deep, 0);
        DrawnBackground(owner, deep, 0, ODS_SELECTED, ODA_DRAWENTIRE);
        root.Detach();
    }
    EXPECT_EQ(before, GdiObjects());
    EXPECT_TRUE(::IsMenu(deep));  // wrappers let their handles be
    EXPECT_EQ(nullptr, CMenu::FromHandlePermanent(plu));

    // The whole tree goes with its owner.
    CExtraMenu root(&owner);
    ASSERT_TRUE(root.Attach(handle));
    root.MakeOwnerDraw(&root, &owner);
    root.DestroyMenu();
    EXPECT_FALSE(::IsMenu(handle));
    EXPECT_FALSE(::IsMenu(plu));
    EXPECT_FALSE(::IsMenu(deep));
}
