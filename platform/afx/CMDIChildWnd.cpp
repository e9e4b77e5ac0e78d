#include "platform/afx/CMDIChildWnd.h"

#include "platform/afx/AfxState.h"
#include "platform/afx/CCreateContext.h"
#include "platform/afx/CDocument.h"
#include "platform/afx/CMDIFrameWnd.h"
#include "platform/afx/CMultiDocTemplate.h"
#include "platform/afx/CString.h"

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
ON_WM_MDIACTIVATE()
END_MESSAGE_MAP()

CMDIChildWnd::~CMDIChildWnd()
{
    if (m_hMenuOwned && ::IsMenu(m_hMenuOwned))
        ::DestroyMenu(m_hMenuOwned);
}

BOOL CMDIChildWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
    CMDIFrameWnd* pParentWnd, CCreateContext* pContext)
{
    if (!pParentWnd)
        pParentWnd = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
    if (!pParentWnd || !pParentWnd->m_hWndMDIClient)
        return FALSE;
    m_pMDIFrame = pParentWnd;
    // The default place is the next step of the client's cascade.
    RECT place = rect;
    if (rect.left == CW_USEDEFAULT) {
        RECT client;
        ::GetClientRect(pParentWnd->m_hWndMDIClient, &client);
        const int offset = 24 * static_cast<int>(::GetWindow(pParentWnd->m_hWndMDIClient, GW_CHILD) ? 1 : 0);
        place = RECT { offset, offset, offset + client.right * 2 / 3, offset + client.bottom * 2 / 3 };
    }
    if (!CFrameWnd::Create(lpszClassName, lpszWindowName, (dwStyle & ~WS_POPUP) | WS_CHILD | WS_CLIPSIBLINGS, place,
            CWnd::FromHandle(pParentWnd->m_hWndMDIClient), nullptr, WS_EX_MDICHILD, pContext))
        return FALSE;
    MDIActivate();
    return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    CString strings;
    strings.LoadString(nIDResource);
    const int cut = strings.Find('\n');
    const CString title = cut >= 0 ? strings.Left(cut) : strings;
    // A template's frames share its menu and accelerators; a frame made without one loads its own menu.
    if (auto* docTemplate = pContext ? dynamic_cast<CMultiDocTemplate*>(pContext->m_pNewDocTemplate) : nullptr) {
        m_hMenuShared = docTemplate->m_hMenuShared;
        m_hAccelTable = docTemplate->m_hAccelTable;
    }
    LPCTSTR resource = MAKEINTRESOURCE(nIDResource);
    if (!m_hMenuShared) {
        if (HINSTANCE module = AfxFindResourceHandle(resource, RT_MENU); ::FindResource(module, resource, RT_MENU))
            m_hMenuShared = m_hMenuOwned = ::LoadMenu(module, resource);
    }
    if (!Create(nullptr, title, dwDefaultStyle, rectDefault, dynamic_cast<CMDIFrameWnd*>(pParentWnd), pContext))
        return FALSE;
    if (!pContext)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

BOOL CMDIChildWnd::DestroyWindow()
{
    // The client takes the child out of its list and the Window menu before the window goes.
    if (m_hWnd && m_pMDIFrame && m_pMDIFrame->m_hWndMDIClient && ::GetParent(m_hWnd) == m_pMDIFrame->m_hWndMDIClient) {
        MDIDestroy();
        return TRUE;
    }
    return CFrameWnd::DestroyWindow();
}

void CMDIChildWnd::MDIActivate()
{
    if (m_pMDIFrame)
        m_pMDIFrame->MDIActivate(this);
}

void CMDIChildWnd::MDIDestroy()
{
    ::SendMessage(::GetParent(m_hWnd), WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIMaximize() { ::SendMessage(::GetParent(m_hWnd), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(m_hWnd), 0); }

void CMDIChildWnd::MDIRestore() { ::SendMessage(::GetParent(m_hWnd), WM_MDIRESTORE, reinterpret_cast<WPARAM>(m_hWnd), 0); }

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProc(m_hWnd, message, wParam, lParam);
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL bActivate, CWnd*, HMENU hMenuAlt)
{
    if (!m_pMDIFrame || !m_pMDIFrame->m_hWndMDIClient)
        return;
    HMENU menu = hMenuAlt;
    if (!menu) {
        CDocument* document = GetActiveDocument();
        menu = document ? document->GetDefaultMenu() : nullptr;
    }
    if (!menu)
        menu = m_hMenuShared;
    if (!bActivate || !menu)
        return;
    ::SendMessage(m_pMDIFrame->m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(menu),
        reinterpret_cast<LPARAM>(m_pMDIFrame->GetWindowMenuPopup(menu)));
}

void CMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd*)
{
    if (bActivate)
        OnUpdateFrameMenu(TRUE, pActivateWnd, nullptr);
    else if (!pActivateWnd && m_pMDIFrame)
        m_pMDIFrame->OnUpdateFrameMenu(nullptr);
}
