#include "toolkit/controls/SECTabWndBase.h"

#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CMemoryException.h"
#include "platform/afx/CView.h"

SECTabWndBase::~SECTabWndBase() = default;

BEGIN_MESSAGE_MAP(SECTabWndBase, CWnd)
ON_WM_DESTROY()
ON_WM_CHILDACTIVATE()
ON_MESSAGE(TCM_TABSEL, OnTabSelect)
ON_MESSAGE(TCM_TABREACTIVATE, OnTabReactivate)
END_MESSAGE_MAP()

BOOL SECTabWndBase::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    if (m_hWnd == nullptr) {
        LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW));
        if (!CWnd::CreateEx(0, lpszClass, nullptr, dwStyle & ~(WS_HSCROLL | WS_VSCROLL), CRect(0, 0, 0, 0), pParentWnd,
                nID))
            return FALSE;
    }
    m_pNotifyWnd = pParentWnd;
    if (!CreateTabCtrl(dwStyle, tabControlId)) {
        DestroyWindow();
        return FALSE;
    }
    return TRUE;
}

CWnd* SECTabWndBase::CreateScrollBar(DWORD dwStyle, UINT nID)
{
    auto pBar = std::make_unique<CWnd>();
    if (!pBar->Create("SCROLLBAR", nullptr, dwStyle | WS_CHILD, CRect(0, 0, 1, 1), this, nID))
        return nullptr;
    m_ownedWindows.push_back(std::move(pBar));
    return m_ownedWindows.back().get();
}

BOOL SECTabWndBase::CreateTabCtrl(DWORD, UINT)
{
    return FALSE;
}

CWnd* SECTabWndBase::CreateTabWindow(CRuntimeClass* pViewClass, CCreateContext* pContext, UINT nID)
{
    CObject* pObject = pViewClass ? pViewClass->CreateObject() : nullptr;
    auto* pWnd = dynamic_cast<CWnd*>(pObject);
    if (pWnd == nullptr) {
        delete pObject;
        AfxThrowMemoryException();
    }
    // Views delete themselves when their window goes; other windows are this window's to delete.
    std::unique_ptr<CWnd> owned;
    if (!pWnd->IsKindOf(RUNTIME_CLASS(CView)))
        owned.reset(pWnd);
    m_pWndCreating = pWnd;
    if (nID == static_cast<UINT>(-1))
        nID = firstTabWindowId + static_cast<UINT>(GetTabCount());
    const BOOL bCreated
        = pWnd->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, nID, pContext);
    m_pWndCreating = nullptr;
    if (!bCreated) {
        if (!owned)
            delete pWnd; // a view whose window never came
        return nullptr;
    }
    if (owned)
        m_ownedWindows.push_back(std::move(owned));
    return pWnd;
}

CWnd* SECTabWndBase::InsertTab(CRuntimeClass* pViewClass, int nIndex, LPCTSTR lpszLabel, CCreateContext* pContext,
    UINT nID)
{
    CWnd* pWnd = CreateTabWindow(pViewClass, pContext, nID);
    if (pWnd != nullptr)
        InsertTab(pWnd, nIndex, lpszLabel);
    return pWnd;
}

void SECTabWndBase::InsertTab(CWnd* pWnd, int nIndex, LPCTSTR lpszLabel)
{
    if (!m_pTabCtrl)
        return;
    m_pTabCtrl->InsertTab(nIndex, lpszLabel, pWnd);
    OnTabAdded(pWnd, 0);
}

CWnd* SECTabWndBase::AddTab(CRuntimeClass* pViewClass, LPCTSTR lpszLabel, CCreateContext* pContext, UINT nID)
{
    CWnd* pWnd = CreateTabWindow(pViewClass, pContext, nID);
    if (pWnd != nullptr)
        AddTab(pWnd, lpszLabel);
    return pWnd;
}

void SECTabWndBase::AddTab(CWnd* pWnd, LPCTSTR lpszLabel)
{
    if (!m_pTabCtrl)
        return;
    m_pTabCtrl->AddTab(lpszLabel, pWnd);
    OnTabAdded(nullptr, GetTabCount() - 1);
}

void SECTabWndBase::SetTabIcon(int nIndex, LPCTSTR lpszResource, int cx, int cy)
{
    if (m_pTabCtrl)
        m_pTabCtrl->SetTabIcon(nIndex, lpszResource, cx, cy);
}

void SECTabWndBase::SetTabIcon(int nIndex, UINT nResource, int cx, int cy)
{
    if (m_pTabCtrl)
        m_pTabCtrl->SetTabIcon(nIndex, nResource, cx, cy);
}

void SECTabWndBase::SetTabIcon(int nIndex, HICON hIcon)
{
    if (m_pTabCtrl)
        m_pTabCtrl->SetTabIcon(nIndex, hIcon);
}

void SECTabWndBase::DeleteTab(int nIndex)
{
    if (!IsValidTab(nIndex))
        return;
    if (m_pActiveWnd != nullptr && m_pActiveWnd == m_pTabCtrl->GetTab(nIndex)->m_pClient)
        m_pActiveWnd = nullptr;
    m_pTabCtrl->DeleteTab(nIndex);
}

void SECTabWndBase::DeleteTab(CWnd* pWnd)
{
    int nIndex = -1;
    if (FindTab(pWnd, nIndex))
        DeleteTab(nIndex);
}

void SECTabWndBase::RenameTab(int nIndex, LPCTSTR lpszLabel)
{
    if (IsValidTab(nIndex))
        m_pTabCtrl->RenameTab(nIndex, lpszLabel);
}

void SECTabWndBase::RenameTab(CWnd* pWnd, LPCTSTR lpszLabel)
{
    int nIndex = -1;
    if (FindTab(pWnd, nIndex))
        RenameTab(nIndex, lpszLabel);
}

BOOL SECTabWndBase::ActivateTab(int nIndex)
{
    return IsValidTab(nIndex) && ActivateTab(m_pTabCtrl->GetTab(nIndex)->m_pClient, nIndex);
}

BOOL SECTabWndBase::ActivateTab(CWnd* pWnd)
{
    int nIndex = -1;
    return FindTab(pWnd, nIndex) && ActivateTab(pWnd, nIndex);
}

BOOL SECTabWndBase::ActivateTab(CWnd* pWnd, int nIndex)
{
    int nFound = -1;
    if (pWnd == nullptr || !FindTab(pWnd, nFound))
        return FALSE;
    CWnd* pOld = m_pActiveWnd;
    m_pActiveWnd = pWnd;
    int nActive = -1;
    if (!m_pTabCtrl->GetActiveTab(nActive) || nActive != nIndex)
        m_pTabCtrl->ActivateTab(nIndex);
    if (pOld != nullptr && pOld != pWnd && pOld->m_hWnd != nullptr)
        pOld->ShowWindow(SW_HIDE);
    if (pWnd->m_hWnd != nullptr)
        pWnd->ShowWindow(SW_SHOW);
    if (auto* pView = dynamic_cast<CView*>(pWnd); pView != nullptr && GetParentFrame() != nullptr) {
        GetParentFrame()->SetActiveView(pView);
        if (CFrameWnd* pTop = GetTopLevelFrame())
            ::SetWindowPos(pTop->m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    } else if (pWnd->m_hWnd != nullptr && IsWindowVisible()) {
        SetFocus();
        pWnd->SetFocus();
        m_pActiveWnd = pWnd;
    }
    RecalcLayout();
    Invalidate();
    return TRUE;
}

void SECTabWndBase::ClearSelection()
{
    if (m_pTabCtrl)
        m_pTabCtrl->ClearSelection();
}

void SECTabWndBase::ScrollToTab(int nIndex)
{
    if (m_pTabCtrl)
        m_pTabCtrl->ScrollToTab(nIndex);
}

void SECTabWndBase::ScrollToTab(CWnd* pWnd)
{
    int nIndex = -1;
    if (FindTab(pWnd, nIndex))
        ScrollToTab(nIndex);
}

void SECTabWndBase::SetFocusToActive()
{
    int nIndex = -1;
    if (!GetActiveTab(nIndex) || m_pActiveWnd == nullptr || m_pActiveWnd->m_hWnd == nullptr)
        return;
    if (auto* pView = dynamic_cast<CView*>(m_pActiveWnd); pView != nullptr && GetParentFrame() != nullptr) {
        GetParentFrame()->SetActiveView(pView);
        return;
    }
    SetFocus();
    m_pActiveWnd->SetFocus();
}

CWnd* SECTabWndBase::SetNotifyWnd(CWnd* pWnd)
{
    m_pNotifyWnd = pWnd ? pWnd : GetParent();
    return m_pNotifyWnd;
}

int SECTabWndBase::GetInsideRect(CRect& rect) const
{
    GetClientRect(&rect);
    return 0;
}

BOOL SECTabWndBase::IsTabWnd(const CWnd* pWnd) const
{
    int nIndex = -1;
    return FindTab(pWnd, nIndex);
}

BOOL SECTabWndBase::GetTabInfo(int nIndex, LPCTSTR& lpszLabel, BOOL& bSelected, CWnd*& pWnd, DWORD& dwData1,
    DWORD& dwData2) const
{
    return m_pTabCtrl && m_pTabCtrl->GetTabInfo(nIndex, lpszLabel, bSelected, pWnd, dwData1, dwData2);
}

void SECTabWndBase::OnDestroy()
{
    if (m_pTabCtrl && m_pTabCtrl->m_hWnd != nullptr)
        m_pTabCtrl->DestroyWindow();
    m_pTabCtrl.reset();
    m_pActiveWnd = nullptr;
    CWnd::OnDestroy();
}

void SECTabWndBase::OnChildActivate()
{
    SetFocusToActive();
}

LRESULT SECTabWndBase::OnTabSelect(WPARAM wParam, LPARAM)
{
    const int nIndex = static_cast<int>(wParam);
    if (IsValidTab(nIndex))
        ActivateTab(m_pTabCtrl->GetTab(nIndex)->m_pClient, nIndex);
    return 0;
}

LRESULT SECTabWndBase::OnTabReactivate(WPARAM, LPARAM)
{
    SetFocusToActive();
    return 0;
}
