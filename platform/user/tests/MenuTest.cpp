// Menu objects: items and their flags, lookups by command into submenus, item info, templates.

#include <gtest/gtest.h>

#include <string>

#include "platform/user/WinUser.h"

namespace {

// One line per item, nested items indented: text, id, type, state and what GetMenuState reports.
std::string Dump(HMENU menu, int depth = 0)
{
    std::string out;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[64] {};
        MENUITEMINFO info;
        info.fMask = MIIM_TYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = sizeof text;
        EXPECT_TRUE(GetMenuItemInfo(menu, static_cast<UINT>(i), TRUE, &info));
        out += std::string(static_cast<size_t>(depth) * 2, ' ') + text + " id=" + std::to_string(info.hSubMenu ? 0 : info.wID)
            + " type=" + std::to_string(info.fType) + " state=" + std::to_string(info.fState) + "\n";
        if (info.hSubMenu)
            out += Dump(info.hSubMenu, depth + 1);
    }
    return out;
}

HMENU BuildFileViewHelp()
{
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenu(file, MF_STRING, 200, "&Open\tCtrl+O");
    AppendMenu(file, MF_SEPARATOR, 0, nullptr);
    AppendMenu(file, MF_STRING | MF_GRAYED, 201, "E&xit");
    HMENU view = CreatePopupMenu();
    AppendMenu(view, MF_STRING | MF_CHECKED, 210, "&Status bar");
    HMENU zoom = CreatePopupMenu();
    AppendMenu(zoom, MF_STRING, 211, "&In");
    AppendMenu(view, MF_POPUP, reinterpret_cast<UINT_PTR>(zoom), "&Zoom");
    AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(view), "&View");
    AppendMenu(bar, MF_STRING | MF_HELP, 220, "&Help");
    return bar;
}

} // namespace

TEST(Menu, ItemsAreFoundByPositionAndByCommandInsideSubmenus)
{
    HMENU bar = BuildFileViewHelp();
    HMENU file = GetSubMenu(bar, 0);
    ASSERT_TRUE(IsMenu(file));
    EXPECT_EQ(GetMenuItemCount(bar), 3);
    EXPECT_EQ(GetMenuItemID(bar, 0), static_cast<UINT>(-1)); // a popup has no command
    EXPECT_EQ(GetMenuItemID(bar, 2), 220U);
    EXPECT_EQ(GetMenuState(bar, 201, MF_BYCOMMAND), MF_GRAYED);
    EXPECT_EQ(GetMenuState(bar, 210, MF_BYCOMMAND), MF_CHECKED);
    EXPECT_EQ(GetMenuState(bar, 1, MF_BYPOSITION), MF_POPUP | (2U << 8));
    EXPECT_EQ(GetMenuState(file, 1, MF_BYPOSITION), MF_SEPARATOR);
    EXPECT_EQ(GetMenuState(bar, 999, MF_BYCOMMAND), static_cast<UINT>(-1));

    char text[8];
    EXPECT_EQ(GetMenuString(bar, 200, text, sizeof text, MF_BYCOMMAND), 7); // cut to the buffer
    EXPECT_STREQ(text, "&Open\tC");
    EXPECT_EQ(GetMenuString(bar, 200, nullptr, 0, MF_BYCOMMAND), 12);

    EXPECT_EQ(CheckMenuItem(bar, 210, MF_UNCHECKED), MF_CHECKED);
    EXPECT_EQ(EnableMenuItem(bar, 201, MF_ENABLED), static_cast<BOOL>(MF_GRAYED));
    EXPECT_EQ(GetMenuState(bar, 201, MF_BYCOMMAND), 0U);
    EXPECT_EQ(EnableMenuItem(bar, 999, MF_GRAYED), -1);

    // Inserting before a command goes into the submenu that holds it.
    EXPECT_TRUE(InsertMenu(bar, 201, MF_BYCOMMAND | MF_STRING, 202, "&Save"));
    EXPECT_EQ(GetMenuItemID(file, 2), 202U);
    EXPECT_TRUE(ModifyMenu(bar, 202, MF_BYCOMMAND | MF_STRING | MF_CHECKED, 203, "Save &As"));
    EXPECT_EQ(GetMenuItemID(file, 2), 203U);
    EXPECT_EQ(GetMenuState(file, 2, MF_BYPOSITION), MF_CHECKED);
    EXPECT_TRUE(DestroyMenu(bar));
    EXPECT_FALSE(IsMenu(file)); // submenus go with their menu
}

TEST(Menu, DeleteDestroysTheSubmenuAndRemoveKeepsIt)
{
    HMENU bar = BuildFileViewHelp();
    HMENU file = GetSubMenu(bar, 0), view = GetSubMenu(bar, 1);
    EXPECT_TRUE(RemoveMenu(bar, 0, MF_BYPOSITION));
    EXPECT_TRUE(IsMenu(file));
    EXPECT_TRUE(DeleteMenu(bar, 0, MF_BYPOSITION));
    EXPECT_FALSE(IsMenu(view));
    EXPECT_EQ(GetMenuItemCount(bar), 1);
    EXPECT_FALSE(DeleteMenu(bar, 5, MF_BYPOSITION));
    EXPECT_EQ(GetLastError(), ERROR_MENU_ITEM_NOT_FOUND);
    DestroyMenu(bar);
    DestroyMenu(file);
}

TEST(Menu, BadHandlesAndCyclesAreRefused)
{
    HMENU menu = CreatePopupMenu();
    HMENU sub = CreatePopupMenu();
    const auto stale = CreatePopupMenu();
    DestroyMenu(stale);
    EXPECT_FALSE(AppendMenu(stale, MF_STRING, 1, "x"));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_MENU_HANDLE);
    EXPECT_EQ(GetMenuItemCount(stale), -1);
    EXPECT_FALSE(DestroyMenu(stale));
    EXPECT_FALSE(AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(stale), "gone"));
    // A menu may not open itself, directly or through a submenu.
    EXPECT_FALSE(AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), "self"));
    EXPECT_TRUE(AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "sub"));
    EXPECT_FALSE(AppendMenu(sub, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), "loop"));
    EXPECT_EQ(GetMenuItemCount(sub), 0);
    DestroyMenu(menu);
}

TEST(Menu, ItemInfoTurnsItemsOwnerDrawnAndBack)
{
    HMENU menu = CreatePopupMenu();
    AppendMenu(menu, MF_STRING, 10, "&Copy\tCtrl+C");
    AppendMenu(menu, MF_SEPARATOR, 0, nullptr);

    MENUITEMINFO info;
    info.fMask = MIIM_TYPE | MIIM_DATA;
    info.fType = MFT_OWNERDRAW;
    info.dwItemData = 0xBEEF;
    ASSERT_TRUE(SetMenuItemInfo(menu, 10, FALSE, &info));
    EXPECT_EQ(GetMenuState(menu, 0, MF_BYPOSITION), MF_OWNERDRAW);

    MENUITEMINFO read;
    read.fMask = MIIM_TYPE | MIIM_DATA | MIIM_ID;
    ASSERT_TRUE(GetMenuItemInfo(menu, 0, TRUE, &read));
    EXPECT_EQ(read.fType, MFT_OWNERDRAW);
    EXPECT_EQ(read.dwItemData, 0xBEEFU);
    EXPECT_EQ(read.wID, 10U);

    char restored[] = "&Copy\tCtrl+C";
    info.fMask = MIIM_TYPE;
    info.fType = MFT_STRING;
    info.dwTypeData = restored;
    ASSERT_TRUE(SetMenuItemInfo(menu, 0, TRUE, &info));
    char text[32];
    read.fMask = MIIM_TYPE;
    read.dwTypeData = text;
    read.cch = sizeof text;
    ASSERT_TRUE(GetMenuItemInfo(menu, 0, TRUE, &read));
    EXPECT_STREQ(text, "&Copy\tCtrl+C");
    EXPECT_EQ(read.cch, 12U);

    info.cbSize = 8; // too small to hold the fields
    EXPECT_FALSE(SetMenuItemInfo(menu, 0, TRUE, &info));
    DestroyMenu(menu);
}

TEST(Menu, RadioChecksAndDefaultItems)
{
    HMENU menu = CreatePopupMenu();
    for (UINT id = 1; id <= 4; ++id)
        AppendMenu(menu, MF_STRING | MF_CHECKED, id, "item");
    HMENU sub = CreatePopupMenu();
    AppendMenu(sub, MF_STRING, 50, "inner");
    AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "sub");

    EXPECT_TRUE(CheckMenuRadioItem(menu, 1, 3, 2, MF_BYCOMMAND));
    EXPECT_EQ(GetMenuState(menu, 0, MF_BYPOSITION) & MF_CHECKED, 0U);
    EXPECT_EQ(GetMenuState(menu, 1, MF_BYPOSITION) & MF_CHECKED, MF_CHECKED);
    EXPECT_EQ(GetMenuState(menu, 3, MF_BYPOSITION) & MF_CHECKED, MF_CHECKED); // outside the range

    EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, 0), static_cast<UINT>(-1));
    EXPECT_TRUE(SetMenuDefaultItem(menu, 4, TRUE));
    EXPECT_TRUE(SetMenuDefaultItem(sub, 50, FALSE));
    EXPECT_EQ(GetMenuDefaultItem(menu, TRUE, 0), 4U);
    EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, GMDI_GOINTOPOPUPS), 50U);
    EXPECT_TRUE(SetMenuDefaultItem(menu, static_cast<UINT>(-1), TRUE));
    EXPECT_EQ(GetMenuDefaultItem(menu, TRUE, 0), static_cast<UINT>(-1));
    DestroyMenu(menu);
}

TEST(Menu, CompiledMenusEqualMenusBuiltByCalls)
{
    HMENU loaded = LoadMenu(nullptr, MAKEINTRESOURCE(100));
    ASSERT_NE(loaded, nullptr);
    HMENU built = BuildFileViewHelp();
    EXPECT_EQ(Dump(loaded), Dump(built));
    DestroyMenu(loaded);
    DestroyMenu(built);

    HMENU extended = LoadMenu(nullptr, MAKEINTRESOURCE(101));
    ASSERT_NE(extended, nullptr);
    HMENU edit = CreatePopupMenu();
    AppendMenu(edit, MF_STRING, 301, "&Copy");
    AppendMenu(edit, MF_SEPARATOR, 0, nullptr);
    MENUITEMINFO paste;
    paste.fMask = MIIM_TYPE | MIIM_STATE | MIIM_ID;
    paste.fType = MFT_RADIOCHECK;
    paste.fState = MFS_CHECKED;
    paste.wID = 302;
    char pasteText[] = "&Paste";
    paste.dwTypeData = pasteText;
    InsertMenuItem(edit, 2, TRUE, &paste);
    SetMenuDefaultItem(edit, 301, FALSE);
    HMENU expected = CreateMenu();
    MENUITEMINFO popup;
    popup.fMask = MIIM_TYPE | MIIM_ID | MIIM_SUBMENU;
    char editText[] = "&Edit";
    popup.dwTypeData = editText;
    popup.wID = 300;
    popup.hSubMenu = edit;
    InsertMenuItem(expected, 0, TRUE, &popup);
    EXPECT_EQ(Dump(extended), Dump(expected));
    DestroyMenu(extended);
    DestroyMenu(expected);

    EXPECT_EQ(LoadMenu(nullptr, MAKEINTRESOURCE(999)), nullptr);
}

TEST(Menu, DamagedTemplatesLoadNothing)
{
    // Resource 103 is a popup whose text and items run past the end of the data.
    EXPECT_EQ(LoadMenu(nullptr, MAKEINTRESOURCE(103)), nullptr);
    const WORD unknownVersion[] = { 7, 0, MF_END, 1, 'x', 0 };
    EXPECT_EQ(LoadMenuIndirect(unknownVersion), nullptr);
}
