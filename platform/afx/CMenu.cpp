#include "platform/afx/CMenu.h"

#include "platform/afx/AfxHandleMap.h"
#include "platform/afx/AfxState.h"
#include "platform/afx/CWnd.h"
#include "platform/base/Resources.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

namespace {

afx::HandleMap<CMenu, HMENU>& Map()
{
    thread_local afx::HandleMap<CMenu, HMENU> map(
        [](HMENU handle) {
            auto menu = std::make_unique<CMenu>();
            menu->m_hMenu = handle;
            return menu;
        },
        [](CMenu& menu) { menu.m_hMenu = nullptr; });
    return map;
}

} // namespace

CMenu::~CMenu() { DestroyMenu(); }

CMenu* CMenu::FromHandle(HMENU hMenu) { return Map().FromHandle(hMenu); }

void CMenu::DeleteTempMap() { Map().DeleteTemp(); }

BOOL CMenu::Attach(HMENU hNewMenu)
{
    if (!hNewMenu || m_hMenu)
        return FALSE;
    m_hMenu = hNewMenu;
    Map().SetPermanent(hNewMenu, this);
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU menu = m_hMenu;
    if (menu)
        Map().RemoveHandle(menu, this);
    m_hMenu = nullptr;
    return menu;
}

BOOL CMenu::CreateMenu() { return Attach(::CreateMenu()); }

BOOL CMenu::CreatePopupMenu() { return Attach(::CreatePopupMenu()); }

BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName)
{
    return Attach(::LoadMenu(AfxFindResourceHandle(lpszResourceName, RT_MENU), lpszResourceName));
}

BOOL CMenu::LoadMenuIndirect(const void* lpMenuTemplate) { return Attach(::LoadMenuIndirect(lpMenuTemplate)); }

BOOL CMenu::DestroyMenu()
{
    if (!m_hMenu)
        return FALSE;
    return ::DestroyMenu(Detach());
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    return ::AppendMenu(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    return ::InsertMenu(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    return ::ModifyMenu(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable)
{
    // The previous state, as the window manager's call answers it.
    const UINT previous = ::GetMenuState(m_hMenu, nIDEnableItem, nEnable & MF_BYPOSITION);
    if (previous == static_cast<UINT>(-1))
        return previous;
    ::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable);
    return previous & (MF_GRAYED | MF_DISABLED);
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    const int length = ::GetMenuString(m_hMenu, nIDItem, nullptr, 0, nFlags);
    if (length <= 0) {
        rString.Empty();
        return 0;
    }
    ::GetMenuString(m_hMenu, nIDItem, rString.GetBufferSetLength(length), length + 1, nFlags);
    rString.ReleaseBuffer();
    return rString.GetLength();
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd ? pWnd->m_hWnd : nullptr, lpRect);
}
