#pragma once
// A menu tied to its handle; FromHandle wraps a menu nobody wrapped in a temporary object.

#include "platform/afx/CObject.h"
#include "platform/afx/CString.h"
#include "platform/user/WinUser.h"

class CWnd;

class CMenu : public CObject {
    DECLARE_DYNCREATE(CMenu)
public:
    CMenu() = default;
    // Destroys a menu it still has (the menu of a window or pop-up goes with it; Detach first).
    ~CMenu() override;

    // The object of a menu: its permanent one, or a temporary one; null for a null handle.
    static CMenu* FromHandle(HMENU hMenu);
    // Deletes the calling thread's temporary menu objects (the menus stay).
    static void DeleteTempMap();
    // Takes a menu; FALSE when the object already has one or hMenu is null.
    BOOL Attach(HMENU hNewMenu);
    // Lets go of the menu (which stays) and returns it.
    HMENU Detach();

    HMENU GetSafeHmenu() const { return m_hMenu; }
    operator HMENU() const { return m_hMenu; }
    bool operator==(const CMenu& menu) const { return m_hMenu == menu.m_hMenu; }
    bool operator!=(const CMenu& menu) const { return m_hMenu != menu.m_hMenu; }

    // Making and destroying; each Create and Load attaches the new menu (FALSE when it cannot be made
    // or the object already has one).
    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    BOOL LoadMenu(LPCTSTR lpszResourceName);
    BOOL LoadMenu(UINT nIDResource) { return LoadMenu(MAKEINTRESOURCE(nIDResource)); }
    BOOL LoadMenuIndirect(const void* lpMenuTemplate);
    // Destroys the menu the object has; FALSE when it has none.
    BOOL DestroyMenu();

    // The menu API on this menu.
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
    BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
    BOOL DeleteMenu(UINT nPosition, UINT nFlags) { return ::DeleteMenu(m_hMenu, nPosition, nFlags); }
    BOOL RemoveMenu(UINT nPosition, UINT nFlags) { return ::RemoveMenu(m_hMenu, nPosition, nFlags); }
    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck)
    {
        return static_cast<UINT>(::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck));
    }
    BOOL CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags)
    {
        return ::CheckMenuRadioItem(m_hMenu, nIDFirst, nIDLast, nIDItem, nFlags);
    }
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);
    UINT GetMenuItemCount() const { return static_cast<UINT>(::GetMenuItemCount(m_hMenu)); }
    UINT GetMenuItemID(int nPos) const { return ::GetMenuItemID(m_hMenu, nPos); }
    UINT GetMenuState(UINT nID, UINT nFlags) const { return ::GetMenuState(m_hMenu, nID, nFlags); }
    int GetMenuString(UINT nIDItem, LPTSTR lpString, int nMaxCount, UINT nFlags) const
    {
        return ::GetMenuString(m_hMenu, nIDItem, lpString, nMaxCount, nFlags);
    }
    int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
    BOOL GetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos = FALSE)
    {
        return ::GetMenuItemInfo(m_hMenu, uItem, fByPos, lpMenuItemInfo);
    }
    BOOL SetMenuItemInfo(UINT uItem, LPCMENUITEMINFO lpMenuItemInfo, BOOL fByPos = FALSE)
    {
        return ::SetMenuItemInfo(m_hMenu, uItem, fByPos, lpMenuItemInfo);
    }
    // The pop-up at nPos (a temporary object unless someone wraps it), or null.
    CMenu* GetSubMenu(int nPos) const { return FromHandle(::GetSubMenu(m_hMenu, nPos)); }
    BOOL SetDefaultItem(UINT uItem, BOOL fByPos = FALSE) { return ::SetMenuDefaultItem(m_hMenu, uItem, fByPos); }
    UINT GetDefaultItem(UINT gmdiFlags, BOOL fByPos = FALSE)
    {
        return ::GetMenuDefaultItem(m_hMenu, fByPos, gmdiFlags);
    }
    // Shows the pop-up at the screen point for pWnd; with TPM_RETURNCMD the command chosen, else TRUE
    // when shown.
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = nullptr);

    HMENU m_hMenu { nullptr };
};
