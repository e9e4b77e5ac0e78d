#include "toolkit/controls/SECTabControlBase.h"

#include <algorithm>

#include "toolkit/controls/SEC3DTab.h"

SECTabControlBase::~SECTabControlBase() = default;

BEGIN_MESSAGE_MAP(SECTabControlBase, CWnd)
ON_WM_DESTROY()
ON_WM_SETCURSOR()
ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL SECTabControlBase::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    m_hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, m_hCursor);
    if (!CWnd::CreateEx(0, lpszClass, nullptr, dwStyle | WS_CHILD, rect, pParentWnd, nID))
        return FALSE;
    Initialize(dwStyle);
    return TRUE;
}

void SECTabControlBase::Initialize(DWORD) { }

std::unique_ptr<SECTab> SECTabControlBase::CreateNewTab()
{
    return std::make_unique<SECTab>();
}

SECTab* SECTabControlBase::GetTab(int nIndex) const
{
    return IsValidTab(nIndex) ? m_tabs[static_cast<size_t>(nIndex)].get() : nullptr;
}

SECTab* SECTabControlBase::InsertTab(int nIndex, LPCTSTR lpszLabel, CWnd* pWnd, DWORD dwData1, DWORD dwData2)
{
    nIndex = std::clamp(nIndex, 0, GetTabCount());
    auto pTab = CreateNewTab();
    pTab->m_csLabel = lpszLabel ? lpszLabel : "";
    pTab->m_pClient = pWnd;
    pTab->m_dwData1 = dwData1;
    pTab->m_dwData2 = dwData2;
    pTab->m_bSelected = FALSE;
    SECTab* pResult = pTab.get();
    m_tabs.insert(m_tabs.begin() + nIndex, std::move(pTab));
    return pResult;
}

SECTab* SECTabControlBase::AddTab(LPCTSTR lpszLabel, CWnd* pWnd, DWORD dwData1, DWORD dwData2)
{
    return InsertTab(GetTabCount(), lpszLabel, pWnd, dwData1, dwData2);
}

void SECTabControlBase::DeleteTab(int nIndex)
{
    if (!IsValidTab(nIndex))
        return;
    const int nActive = m_nActiveTab;
    m_tabs.erase(m_tabs.begin() + nIndex);
    if (m_bActiveTab) {
        if (GetTabCount() == 0) {
            m_bActiveTab = FALSE;
            m_nActiveTab = 0;
        } else if (nIndex == nActive) {
            // The tab that took its place, or the new last one, becomes active.
            m_bActiveTab = FALSE;
            ActivateTab(std::min(nActive, GetTabCount() - 1));
        } else if (nIndex < nActive) {
            // The same tab stays active, one place lower.
            m_nActiveTab = nActive - 1;
        }
    }
    for (int n = nIndex; n < GetTabCount(); ++n)
        InvalidateTab(n);
    RecalcLayout();
}

void SECTabControlBase::RenameTab(int nIndex, LPCTSTR lpszLabel)
{
    if (SECTab* pTab = GetTab(nIndex))
        pTab->m_csLabel = lpszLabel ? lpszLabel : "";
    RecalcLayout();
    for (int n = nIndex; n < GetTabCount(); ++n)
        InvalidateTab(n);
}

void SECTabControlBase::ActivateTab(int nIndex)
{
    SECTab* pTab = GetTab(nIndex);
    if (pTab == nullptr)
        return;
    SECTabActivation record;
    record.nID = static_cast<UINT>(GetDlgCtrlID());
    record.nNewTab = nIndex;
    record.nOldTab = m_bActiveTab ? m_nActiveTab : -1;
    record.pNewWnd = pTab->m_pClient;
    SECTab* pOld = m_bActiveTab ? GetTab(m_nActiveTab) : nullptr;
    record.pOldWnd = pOld ? pOld->m_pClient : nullptr;
    if (m_bActiveTab && m_nActiveTab == nIndex)
        return;
    if (pOld != nullptr) {
        pOld->m_bSelected = FALSE;
        InvalidateTab(m_nActiveTab);
    }
    m_nActiveTab = nIndex;
    m_bActiveTab = TRUE;
    pTab->m_bSelected = TRUE;
    RecalcLayout();
    InvalidateTab(nIndex);
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(TCM_TABSEL, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&record));
}

void SECTabControlBase::NotifyReselect()
{
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(TCM_TABREACTIVATE, static_cast<WPARAM>(m_nActiveTab), 0);
}

void SECTabControlBase::SelectTab(int nIndex)
{
    SECTab* pTab = GetTab(nIndex);
    if (pTab == nullptr)
        return;
    pTab->m_bSelected = TRUE;
    InvalidateTab(nIndex);
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(TCM_TABSEL, static_cast<WPARAM>(m_nActiveTab), 0);
}

void SECTabControlBase::ClearSelection()
{
    for (int n = 0; n < GetTabCount(); ++n) {
        if (m_tabs[static_cast<size_t>(n)]->m_bSelected) {
            m_tabs[static_cast<size_t>(n)]->m_bSelected = FALSE;
            InvalidateTab(n);
        }
    }
    m_bActiveTab = FALSE;
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(TCM_TABSELCLR, 0, 0);
}

void SECTabControlBase::InvalidateTab(int)
{
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

BOOL SECTabControlBase::FindTab(const CWnd* pWnd, int& nIndex) const
{
    BOOL bFound = FALSE;
    for (int n = 0; n < GetTabCount(); ++n) {
        if (m_tabs[static_cast<size_t>(n)]->m_pClient == pWnd) {
            nIndex = n;
            bFound = TRUE;
        }
    }
    return bFound;
}

BOOL SECTabControlBase::GetTabInfo(int nIndex, LPCTSTR& lpszLabel, BOOL& bSelected, CWnd*& pWnd, DWORD& dwData1,
    DWORD& dwData2) const
{
    const SECTab* pTab = GetTab(nIndex);
    if (pTab == nullptr)
        return FALSE;
    // A 3-D tab may show a shortened label; its maker asks for the one it gave.
    const auto* p3D = dynamic_cast<const SEC3DTab*>(pTab);
    lpszLabel = p3D ? static_cast<LPCTSTR>(p3D->m_csFullLabel) : static_cast<LPCTSTR>(pTab->m_csLabel);
    bSelected = pTab->m_bSelected;
    pWnd = pTab->m_pClient;
    dwData1 = pTab->m_dwData1;
    dwData2 = pTab->m_dwData2;
    return TRUE;
}

BOOL SECTabControlBase::GetActiveTab(int& nIndex) const
{
    nIndex = m_nActiveTab;
    return m_bActiveTab;
}

void SECTabControlBase::OnDestroy()
{
    m_tabs.clear();
    m_bActiveTab = FALSE;
    DestroyGDIObjects();
    CWnd::OnDestroy();
}

BOOL SECTabControlBase::OnSetCursor(CWnd*, UINT, UINT)
{
    ::SetCursor(m_hCursor);
    return TRUE;
}

void SECTabControlBase::OnSize(UINT nType, int cx, int cy)
{
    RecalcLayout();
    CWnd::OnSize(nType, cx, cy);
}
