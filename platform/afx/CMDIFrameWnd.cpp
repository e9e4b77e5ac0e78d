#include "platform/afx/CMDIFrameWnd.h"

#include "platform/afx/AfxState.h"
#include "platform/afx/CMDIChildWnd.h"
#include "platform/afx/CMenu.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
ON_COMMAND_RANGE(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT, OnWindowCommand)
END_MESSAGE_MAP()

BOOL CMDIFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    // The client draws the sunken edge.
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    return TRUE;
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*)
{
    HMENU windowMenu = GetWindowMenuPopup(m_hMenuDefault);
    return CreateClient(lpcs, windowMenu ? CMenu::FromHandle(windowMenu) : nullptr);
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT, CMenu* pWindowMenu)
{
    CLIENTCREATESTRUCT ccs;
    ccs.hWindowMenu = pWindowMenu ? pWindowMenu->m_hMenu : nullptr;
    ccs.idFirstChild = AFX_IDM_FIRST_MDICHILD;
    m_hWndMDIClient = ::CreateWindowEx(WS_EX_CLIENTEDGE, WC_MDICLIENT, nullptr,
        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0, m_hWnd,
        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)), AfxGetInstanceHandle(), &ccs);
    return m_hWndMDIClient != nullptr;
}

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar)
{
    if (!hMenuBar || !::IsMenu(hMenuBar))
        return nullptr;
    for (int i = ::GetMenuItemCount(hMenuBar) - 1; i >= 0; --i) {
        HMENU popup = ::GetSubMenu(hMenuBar, i);
        if (!popup)
            continue;
        for (int j = 0; j < ::GetMenuItemCount(popup); ++j) {
            const UINT id = ::GetMenuItemID(popup, j);
            if (id >= ID_WINDOW_NEW && id <= ID_WINDOW_TILE_VERT)
                return popup;
        }
    }
    return nullptr;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    BOOL maximized = FALSE;
    HWND active = m_hWndMDIClient
        ? reinterpret_cast<HWND>(::SendMessage(m_hWndMDIClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)))
        : nullptr;
    if (pbMaximized)
        *pbMaximized = maximized;
    return dynamic_cast<CMDIChildWnd*>(CWnd::FromHandlePermanent(active));
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate)
{
    if (pWndActivate)
        ::SendMessage(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pWndActivate->m_hWnd), 0);
}

void CMDIFrameWnd::MDINext() { ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 0); }

void CMDIFrameWnd::MDIPrev() { ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 1); }

void CMDIFrameWnd::MDIMaximize(CWnd* pWnd)
{
    if (pWnd)
        ::SendMessage(m_hWndMDIClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(pWnd->m_hWnd), 0);
}

void CMDIFrameWnd::MDIRestore(CWnd* pWnd)
{
    if (pWnd)
        ::SendMessage(m_hWndMDIClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(pWnd->m_hWnd), 0);
}

void CMDIFrameWnd::MDICascade() { ::SendMessage(m_hWndMDIClient, WM_MDICASCADE, 0, 0); }

void CMDIFrameWnd::MDITile(int nType) { ::SendMessage(m_hWndMDIClient, WM_MDITILE, static_cast<WPARAM>(nType), 0); }

CMenu* CMDIFrameWnd::MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu)
{
    const LRESULT old = ::SendMessage(m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(pFrameMenu ? pFrameMenu->m_hMenu : nullptr),
        reinterpret_cast<LPARAM>(pWindowMenu ? pWindowMenu->m_hMenu : nullptr));
    return CMenu::FromHandle(reinterpret_cast<HMENU>(old));
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    // With an active child the child's menu is shown; otherwise the frame's own.
    if (CMDIChildWnd* child = MDIGetActive()) {
        child->OnUpdateFrameMenu(TRUE, child, hMenuAlt);
        return;
    }
    HMENU menu = hMenuAlt ? hMenuAlt : m_hMenuDefault;
    if (menu && m_hWndMDIClient)
        ::SendMessage(m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(menu),
            reinterpret_cast<LPARAM>(GetWindowMenuPopup(menu)));
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* child = MDIGetActive();
    return child ? static_cast<CFrameWnd*>(child) : this;
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The active document window (and its view) first.
    if (CMDIChildWnd* child = MDIGetActive(); child && child->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefFrameProc(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

void CMDIFrameWnd::OnWindowCommand(UINT nID)
{
    switch (nID) {
    case ID_WINDOW_CASCADE:
        MDICascade();
        break;
    case ID_WINDOW_TILE_HORZ:
        MDITile(static_cast<int>(MDITILE_HORIZONTAL));
        break;
    case ID_WINDOW_TILE_VERT:
        MDITile(static_cast<int>(MDITILE_VERTICAL));
        break;
    default:
        ::SendMessage(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0);
        break;
    }
}
