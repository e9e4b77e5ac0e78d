#include "toolkit/controls/SECToolBarManager.h"

#include <algorithm>

#include "platform/afx/AfxState.h"
#include "platform/afx/CDockContext.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CWinApp.h"
#include "toolkit/controls/SECBmpMgr.h"
#include "toolkit/controls/SECControlIds.h"
#include "toolkit/controls/SECCustomToolBar.h"
#include "toolkit/controls/SECCustomToolBarInfoEx.h"
#include "toolkit/controls/SECMenuBar.h"
#include "toolkit/frames/SECControlBarInfo.h"
#include "toolkit/frames/SECControlsLink.h"
#include "toolkit/frames/SECFrameWnd.h"
#include "toolkit/frames/SECPTNFactory.h"
#include "toolkit/frames/SECPersistentTreeNode.h"

IMPLEMENT_DYNAMIC(SECToolBarManager, SECControlBarManager)

namespace {

constexpr LPCTSTR kNodeName = "ToolBarMgr";

BOOL NodeBool(SECPersistentTreeNode* pNode, LPCTSTR lpszKey, BOOL bDefault)
{
    BOOL bValue = bDefault;
    pNode->GetBoolValue(lpszKey, bValue, bDefault);
    return bValue;
}

CString LoadText(UINT nID, LPCTSTR lpszDefault)
{
    CString text;
    if (!text.LoadString(nID))
        text = lpszDefault;
    return text;
}

} // namespace

SECToolBarManager::SECToolBarManager(CFrameWnd* pFrameWnd, CWnd* pOwner)
    : SECControlBarManager(pFrameWnd)
    , m_pBarClass(RUNTIME_CLASS(SECCustomToolBar))
    , m_pBmpMgr(new SECBmpMgr)
    , m_pOwner(pOwner)
{
}

SECToolBarManager::~SECToolBarManager()
{
    // Bars that outlive their manager forget it (the frame may already be gone).
    const std::vector<SECCustomToolBar*> attached = m_attached;
    for (SECCustomToolBar* pBar : attached)
        pBar->SetManager(nullptr);
    if (m_pPressed)
        ReleasePressedButton(m_pPressed);
    m_pBmpMgr->Release();
}

void SECToolBarManager::AttachBar(SECCustomToolBar* pBar)
{
    if (pBar && std::find(m_attached.begin(), m_attached.end(), pBar) == m_attached.end())
        m_attached.push_back(pBar);
}

void SECToolBarManager::ForgetBar(SECCustomToolBar* pBar)
{
    std::erase(m_attached, pBar);
    if (m_pSelectedBar == pBar)
        m_pSelectedBar = nullptr;
}

UINT SECToolBarManager::BarNotifyMessage()
{
    static const UINT nMessage = ::RegisterWindowMessage("WM_BARNOTIFY");
    return nMessage;
}

std::vector<SECCustomToolBar*> SECToolBarManager::GetToolBars() const
{
    std::vector<SECCustomToolBar*> bars;
    if (!m_pFrameWnd)
        return bars;
    for (POSITION pos = m_pFrameWnd->m_listControlBars.GetHeadPosition(); pos;) {
        auto* pBar = static_cast<CControlBar*>(m_pFrameWnd->m_listControlBars.GetNext(pos));
        if (SECCustomToolBar* pToolBar = SECCustomToolBar::FromObject(pBar))
            bars.push_back(pToolBar);
    }
    return bars;
}

DWORD SECToolBarManager::GetBarStyle() const
{
    return SEC_TOOLBAR_STYLE | (m_bFlyBy ? CBRS_FLYBY : 0) | (m_bToolTips ? CBRS_TOOLTIPS : 0);
}

void SECToolBarManager::FloatBar(CControlBar* pBar, CPoint point, DWORD dwStyle)
{
    if (!m_pFrameWnd || !pBar)
        return;
    if (m_pFrameWnd->IsKindOf(RUNTIME_CLASS(SECFrameWnd)))
        static_cast<SECFrameWnd*>(m_pFrameWnd)->FloatControlBar(pBar, point, dwStyle);
    else
        m_pFrameWnd->FloatControlBar(pBar, point, dwStyle);
}

void SECToolBarManager::DelayFrameLayout()
{
    if (m_pFrameWnd)
        m_pFrameWnd->DelayRecalcLayout(TRUE);
}

// Default and user bars -------------------------------------------------------------------------------------

BOOL SECToolBarManager::DefineDefaultToolBar(UINT nID, LPCTSTR lpszTitle, UINT nResourceID, std::vector<UINT>* pIDs,
    DWORD dwAlignment, UINT nDockBarID, UINT nNeighbourID, BOOL bDocked, BOOL bVisible)
{
    DefaultBar bar;
    int nWidth = 0;
    int nHeight = 0;
    if (!SECBmpMgr::ReadToolBarResource(nResourceID, bar.buttons, nWidth, nHeight, TRUE))
        return FALSE;
    bar.nID = nID;
    bar.strTitle = lpszTitle ? lpszTitle : "";
    bar.dwAlignment = dwAlignment;
    bar.nDockBarID = nDockBarID;
    bar.nNeighbourID = nNeighbourID;
    bar.bDocked = bDocked;
    bar.bVisible = bVisible;
    if (pIDs)
        *pIDs = bar.buttons;
    m_defaultBars.push_back(std::move(bar));
    return TRUE;
}

BOOL SECToolBarManager::GetDefaultBarButtons(UINT nID, std::vector<UINT>& ids) const
{
    for (const DefaultBar& bar : m_defaultBars)
        if (bar.nID == nID) {
            ids = bar.buttons;
            return TRUE;
        }
    return FALSE;
}

BOOL SECToolBarManager::LoadToolBarResource(UINT nSmallID, UINT nLargeID)
{
    return m_pBmpMgr->LoadToolbar(nSmallID, nLargeID, TRUE);
}

SECCustomToolBar* SECToolBarManager::NewBar()
{
    CObject* pObject = m_pBarClass ? m_pBarClass->CreateObject() : nullptr;
    SECCustomToolBar* pBar = SECCustomToolBar::FromObject(pObject);
    if (!pBar) {
        delete pObject;
        return nullptr;
    }
    pBar->SetOwner(m_pOwner);
    pBar->SetManager(this);
    pBar->SetBmpMgr(m_pBmpMgr);
    return pBar;
}

void SECToolBarManager::CreateDefaultBars()
{
    if (!m_pFrameWnd)
        return;
    CString strMenuBar;
    strMenuBar.LoadString(IDS_SEC_MENUBAR_TITLE);
    if (SECMenuBar* pMenuBar = CreateMenuBar(strMenuBar))
        m_pFrameWnd->DockControlBar(pMenuBar, AFX_IDW_DOCKBAR_TOP);
    std::vector<SECCustomToolBar*> made;
    for (const DefaultBar& def : m_defaultBars) {
        SECCustomToolBar* pBar = NewBar();
        if (!pBar)
            break;
        if (!pBar->CreateEx(GetExBarStyle(), m_pFrameWnd, GetBarStyle(), def.nID, def.strTitle)) {
            delete pBar;
            break;
        }
        pBar->ResetButtonSizes();
        pBar->SetButtons(def.buttons.data(), static_cast<int>(def.buttons.size()));
        pBar->EnableDocking(def.dwAlignment);
        pBar->m_bAutoDelete = TRUE;
        CControlBar* pNeighbour = def.nNeighbourID ? m_pFrameWnd->GetControlBar(def.nNeighbourID) : nullptr;
        if (pNeighbour) {
            // Beside its neighbour in the same row: docked at the neighbour's place moved by one pixel.
            m_pFrameWnd->RecalcLayout(TRUE);
            CRect rect;
            pNeighbour->GetWindowRect(&rect);
            const BOOL bHorzRow = def.nDockBarID == AFX_IDW_DOCKBAR_TOP || def.nDockBarID == AFX_IDW_DOCKBAR_BOTTOM;
            rect.OffsetRect(bHorzRow ? 1 : 0, bHorzRow ? 0 : 1);
            m_pFrameWnd->DockControlBar(pBar, def.nDockBarID, &rect);
        } else {
            m_pFrameWnd->DockControlBar(pBar, def.nDockBarID);
        }
        made.push_back(pBar);
    }
    m_pFrameWnd->RecalcLayout(TRUE);
    for (size_t i = 0; i < made.size(); ++i) {
        const DefaultBar& def = m_defaultBars[i];
        if (!def.bVisible)
            m_pFrameWnd->ShowControlBar(made[i], FALSE, FALSE);
        if (!def.bDocked && made[i]->m_pDockContext)
            made[i]->m_pDockContext->ToggleDocking();
    }
}

SECCustomToolBar* SECToolBarManager::FindBarById(UINT nID)
{
    for (SECCustomToolBar* pBar : GetToolBars())
        if (pBar->GetSafeHwnd() && static_cast<UINT>(pBar->GetDlgCtrlID()) == nID)
            return pBar;
    return nullptr;
}

SECCustomToolBar* SECToolBarManager::CreateUserToolBar(LPCTSTR lpszTitle)
{
    if (!m_pFrameWnd)
        return nullptr;
    // The menu bar's id is never a user's bar's, even in a frame without a menu bar.
    UINT nID = SEC_IDW_FIRSTUSERBAR;
    while (nID <= SEC_IDW_LASTUSERBAR && FindBarById(nID))
        ++nID;
    if (nID > SEC_IDW_LASTUSERBAR)
        return nullptr;
    SECCustomToolBar* pBar = NewBar();
    if (!pBar)
        return nullptr;
    CString strTitle;
    if (lpszTitle)
        strTitle = lpszTitle;
    else
        strTitle.Format(LoadText(IDS_SEC_TOOLBAR_TITLE, "ToolBar%d"), static_cast<int>(nID - (SEC_IDW_FIRSTUSERBAR - 1)));
    if (!pBar->CreateEx(GetExBarStyle(), m_pFrameWnd, GetBarStyle(), nID, strTitle)) {
        delete pBar;
        return nullptr;
    }
    pBar->ResetButtonSizes();
    pBar->EnterCustomizeMode(m_bCustomize);
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    pBar->m_bAutoDelete = TRUE;
    return pBar;
}

SECCustomToolBar* SECToolBarManager::FindBarAtRect(const CRect& rect)
{
    std::vector<SECCustomToolBar*> hits;
    for (SECCustomToolBar* pBar : GetToolBars()) {
        if (!pBar->GetSafeHwnd() || !pBar->IsWindowVisible())
            continue;
        CRect rectBar;
        if (pBar->IsFloating() && pBar->GetParentFrame())
            pBar->GetParentFrame()->GetWindowRect(&rectBar);
        else
            pBar->GetWindowRect(&rectBar);
        CRect overlap;
        if (overlap.IntersectRect(&rectBar, &rect))
            hits.push_back(pBar);
    }
    if (hits.size() <= 1)
        return hits.empty() ? nullptr : hits.front();
    // Floating bars lie over docked ones: drop the docked while two remain, then the topmost frame wins.
    for (auto it = hits.begin(); it != hits.end() && hits.size() > 1;)
        it = (*it)->IsFloating() ? it + 1 : hits.erase(it);
    if (hits.size() == 1)
        return hits.front();
    CFrameWnd* pFirstFrame = hits.front()->GetParentFrame();
    if (!pFirstFrame)
        return nullptr;
    for (HWND h = pFirstFrame->GetSafeHwnd(); h; h = ::GetWindow(h, GW_HWNDPREV))
        if (!::GetWindow(h, GW_HWNDPREV)) {
            for (HWND hWalk = h; hWalk; hWalk = ::GetWindow(hWalk, GW_HWNDNEXT))
                for (SECCustomToolBar* pBar : hits)
                    if (pBar->GetParentFrame() && pBar->GetParentFrame()->GetSafeHwnd() == hWalk)
                        return pBar;
            break;
        }
    return nullptr;
}

void SECToolBarManager::Relayout()
{
    m_pBmpMgr->UseSmallImages(!m_bLargeBtns);
    const std::vector<SECCustomToolBar*> bars = GetToolBars();
    for (SECCustomToolBar* pBar : bars) {
        pBar->ResetButtonSizes();
        if (pBar->IsFloating())
            if (CFrameWnd* pMiniFrame = pBar->GetParentFrame())
                pMiniFrame->RecalcLayout(TRUE);
    }
    if (!bars.empty())
        DelayFrameLayout();
}

void SECToolBarManager::ReattachBars()
{
    const std::vector<SECCustomToolBar*> bars = GetToolBars();
    for (SECCustomToolBar* pBar : bars) {
        pBar->SetManager(this);
        pBar->SetBmpMgr(m_pBmpMgr);
        if (pBar->GetSafeHwnd())
            pBar->Invalidate();
    }
    if (bars.empty())
        CreateDefaultBars();
}

void SECToolBarManager::SetBarImageSize(SECCustomToolBar* pBar)
{
    if (pBar)
        pBar->ResetButtonSizes();
}

void SECToolBarManager::GetButtonMaps(const SECBtnMapEntry*& pAppMap, const SECBtnMapEntry*& pMenuMap) const
{
    pAppMap = m_pAppBtnMap;
    pMenuMap = m_menuBtnMap.empty() ? nullptr : m_menuBtnMap.data();
}

void SECToolBarManager::SetMenuButtonIds(const UINT* pIDs, int nCount)
{
    m_menuIds.assign(pIDs, pIDs + std::max(nCount, 0));
}

// Options -------------------------------------------------------------------------------------------------------

void SECToolBarManager::EnableToolTips(BOOL bEnable)
{
    bEnable = bEnable != FALSE;
    if (bEnable == m_bToolTips)
        return;
    m_bToolTips = bEnable;
    for (SECCustomToolBar* pBar : GetToolBars())
        pBar->SetBarStyle(bEnable ? (pBar->GetBarStyle() | CBRS_TOOLTIPS) : (pBar->GetBarStyle() & ~CBRS_TOOLTIPS));
}

void SECToolBarManager::ApplyCoolLook(BOOL bOn, DWORD dwBits)
{
    for (SECCustomToolBar* pBar : GetToolBars()) {
        pBar->m_dwExStyle = bOn ? (pBar->m_dwExStyle | dwBits) : (pBar->m_dwExStyle & ~dwBits);
        if ((dwBits & SEC_TBX_COOLLOOK) && pBar->GetSafeHwnd())
            pBar->Invalidate();
    }
    DelayFrameLayout();
}

void SECToolBarManager::EnableCoolLook(BOOL bEnable, DWORD dwExStyle)
{
    bEnable = bEnable != FALSE;
    if (bEnable == m_bCoolLook)
        return;
    m_bCoolLook = bEnable;
    m_dwCoolLookBits = dwExStyle;
    ApplyCoolLook(bEnable, dwExStyle);
}

void SECToolBarManager::EnableLargeBtns(BOOL bEnable)
{
    bEnable = bEnable != FALSE;
    if (bEnable == m_bLargeBtns)
        return;
    m_bLargeBtns = bEnable;
    Relayout();
}

// Customising ---------------------------------------------------------------------------------------------------

void SECToolBarManager::EnterConfigMode()
{
    if (m_bConfigMode || !m_pFrameWnd)
        return;
    m_bConfigMode = TRUE;
    // The bars stay usable for dragging while the frame's other windows wait.
    m_pFrameWnd->EnableWindow(TRUE);
    for (HWND h = ::GetWindow(m_pFrameWnd->GetSafeHwnd(), GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        const auto* pBar = dynamic_cast<const CControlBar*>(CWnd::FromHandlePermanent(h));
        if ((pBar && pBar->IsDockBar()) || !::IsWindowEnabled(h))
            continue;
        ::EnableWindow(h, FALSE);
        m_disabledWnds.push_back(h);
    }
}

void SECToolBarManager::ExitConfigMode()
{
    if (!m_bConfigMode)
        return;
    m_bConfigMode = FALSE;
    if (m_pFrameWnd && m_pFrameWnd->GetSafeHwnd())
        m_pFrameWnd->EnableWindow(FALSE);
    for (HWND h : m_disabledWnds)
        if (::IsWindow(h))
            ::EnableWindow(h, TRUE);
    m_disabledWnds.clear();
}

void SECToolBarManager::SetCustomizeMode(BOOL bOn)
{
    bOn = bOn != FALSE;
    if (bOn == m_bCustomize)
        return;
    m_bCustomize = bOn;
    for (SECCustomToolBar* pBar : GetToolBars())
        pBar->EnterCustomizeMode(bOn);
}

void SECToolBarManager::AddListener(CWnd* pWnd)
{
    if (pWnd && std::find(m_listeners.begin(), m_listeners.end(), pWnd->GetSafeHwnd()) == m_listeners.end())
        m_listeners.push_back(pWnd->GetSafeHwnd());
}

void SECToolBarManager::RemoveListener(CWnd* pWnd)
{
    if (pWnd)
        std::erase(m_listeners, pWnd->GetSafeHwnd());
}

void SECToolBarManager::NotifyListeners(UINT nBarID, int nCode)
{
    const std::vector<HWND> listeners = m_listeners;
    for (HWND h : listeners)
        if (::IsWindow(h))
            ::SendMessage(h, BarNotifyMessage(), nBarID, nCode);
}

void SECToolBarManager::GetCustomizeWndRect(CRect& rect) const
{
    rect.SetRectEmpty();
    if (m_pCustomizeWnd && m_pCustomizeWnd->GetSafeHwnd())
        m_pCustomizeWnd->GetWindowRect(&rect);
}

void SECToolBarManager::SetButtonStyleAll(UINT nID, int nOperation, UINT nAdd, UINT nRemove)
{
    for (SECCustomToolBar* pBar : GetToolBars())
        for (const auto& pBtn : pBar->GetBtnArray())
            if (pBtn->m_nID == nID)
                pBtn->ModifyStyle(nOperation, nAdd, nRemove);
}

SECToolBarManager::PressedButton* SECToolBarManager::GetPressedButtonRecord()
{
    if (!m_pPressed)
        m_pPressed = new PressedButton;
    ++m_pPressed->nRefCount;
    return m_pPressed;
}

void SECToolBarManager::ReleasePressedButton(PressedButton* pRecord)
{
    if (pRecord && --pRecord->nRefCount == 0)
        delete pRecord;
}

// Dock state ----------------------------------------------------------------------------------------------------

DWORD SECToolBarManager::GetBarTypeId(CControlBar* pBar)
{
    if (!pBar)
        return SECControlBarManager::GetBarTypeId(pBar);
    if (SECIsKindOfName(pBar, "SECMenuBar"))
        return SEC_BARTYPE_MENUBAR;
    if (SECCustomToolBar::FromObject(pBar))
        return SEC_BARTYPE_TOOLBAR;
    return SECControlBarManager::GetBarTypeId(pBar);
}

SECControlBarInfoEx* SECToolBarManager::CreateBarInfoEx(SECControlBarInfo* pInfo)
{
    if (pInfo && (pInfo->m_dwTypeID == SEC_BARTYPE_TOOLBAR || pInfo->m_dwTypeID == SEC_BARTYPE_MENUBAR))
        return new SECCustomToolBarInfoEx;
    return SECControlBarManager::CreateBarInfoEx(pInfo);
}

CControlBar* SECToolBarManager::CreateBarFromInfo(SECControlBarInfo* pInfo)
{
    if (pInfo && pInfo->m_dwTypeID == SEC_BARTYPE_MENUBAR && m_pFrameWnd) {
        // There is one menu bar: a record of it gives the frame's own, made when it is not yet.
        SECMenuBar* pMenuBar = GetFrameMenuBar();
        return pMenuBar && pMenuBar->GetSafeHwnd() ? pMenuBar : CreateMenuBar(nullptr);
    }
    if (!pInfo || pInfo->m_dwTypeID != SEC_BARTYPE_TOOLBAR || !m_pFrameWnd)
        return SECControlBarManager::CreateBarFromInfo(pInfo);
    SECCustomToolBar* pBar = NewBar();
    if (!pBar)
        return nullptr;
    pBar->m_bAutoDelete = TRUE;
    if (!pBar->CreateEx(GetExBarStyle(), m_pFrameWnd, GetBarStyle(), pInfo->m_nBarID)) {
        delete pBar;
        return nullptr;
    }
    pBar->ResetButtonSizes();
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    return pBar;
}

void SECToolBarManager::LoadState(LPCTSTR lpszName)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp) {
        CString section;
        section.Format("%s-ToolBarManager", lpszName ? lpszName : "");
        EnableToolTips(pApp->GetProfileInt(section, "ToolTips", m_bToolTips) != 0);
        EnableCoolLook(pApp->GetProfileInt(section, "CoolLook", m_bCoolLook) != 0, SEC_COOLLOOK_BITS);
        EnableLargeBtns(pApp->GetProfileInt(section, "LargeButtons", m_bLargeBtns) != 0);
    }
    ReattachBars();
}

void SECToolBarManager::SaveState(LPCTSTR lpszName)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return;
    CString section;
    section.Format("%s-ToolBarManager", lpszName ? lpszName : "");
    pApp->WriteProfileInt(section, "ToolTips", m_bToolTips);
    pApp->WriteProfileInt(section, "CoolLook", m_bCoolLook);
    pApp->WriteProfileInt(section, "LargeButtons", m_bLargeBtns);
}

BOOL SECToolBarManager::LoadNodeState(SECPersistentTreeNode* pNode)
{
    const BOOL bResult = SECControlBarManager::LoadNodeState(pNode);
    if (!bResult)
        return FALSE;
    if (SECPersistentTreeNode* pMine = pNode->FindChild(kNodeName)) {
        EnableToolTips(NodeBool(pMine, "ToolTips", TRUE));
        EnableCoolLook(NodeBool(pMine, "CoolLook", TRUE), SEC_COOLLOOK_BITS);
        EnableLargeBtns(NodeBool(pMine, "LargeButtons", TRUE));
    } else {
        // An older tree: the options as a new installation has them, applied when the bars are made.
        m_bToolTips = TRUE;
        m_bCoolLook = TRUE;
        m_dwCoolLookBits = SEC_COOLLOOK_BITS;
        m_bLargeBtns = FALSE;
    }
    ReattachBars();
    return bResult;
}

BOOL SECToolBarManager::SaveNodeState(SECPTNFactory& factory, SECPersistentTreeNode* pParent)
{
    if (!SECControlBarManager::SaveNodeState(factory, pParent))
        return FALSE;
    SECPersistentTreeNode* pMine = pParent->FindChild(kNodeName);
    if (!pMine)
        pMine = factory.CreateNode(kNodeName, pParent);
    if (!pMine)
        return FALSE;
    pMine->SetBoolValue("ToolTips", m_bToolTips, TRUE);
    pMine->SetBoolValue("CoolLook", m_bCoolLook, TRUE);
    pMine->SetBoolValue("LargeButtons", m_bLargeBtns, TRUE);
    return TRUE;
}
