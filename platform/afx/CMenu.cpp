#include "platform/afx/CMenu.h"

#include "platform/afx/AfxHandleMap.h"

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

CMenu::~CMenu() { Detach(); }

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
