#include "toolkit/controls/SECCustomToolBar.h"

#include <algorithm>

#include "platform/afx/AfxPriv.h"
#include "platform/afx/CFrameWnd.h"
#include "toolkit/controls/SECBmpMgr.h"
#include "toolkit/controls/SECBtnDrawContext.h"
#include "toolkit/controls/SECToolBarManager.h"

IMPLEMENT_DYNCREATE(SECCustomToolBar, SECControlBar)

const UINT WM_NODELAYHIDE = ::RegisterWindowMessage("WM_NODELAYHIDE");

// clang-format off
BEGIN_MESSAGE_MAP(SECCustomToolBar, SECControlBar)
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_SHOWWINDOW()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_CANCELMODE()
    ON_WM_MOUSEACTIVATE()
    ON_WM_DESTROY()
    ON_WM_TIMER()
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_REGISTERED_MESSAGE(WM_NODELAYHIDE, OnNoDelayHide)
    ON_MESSAGE(TB_ADDBUTTONS, OnAddButtons)
    ON_MESSAGE(TB_DELETEBUTTON, OnDeleteButton)
END_MESSAGE_MAP()
// clang-format on

SECCustomToolBar::SECCustomToolBar()
    : m_pBmpMgr(new SECBmpMgr)
    , m_hFont(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)))
{
}

SECCustomToolBar::~SECCustomToolBar()
{
    SetManager(nullptr);
    m_btns.clear();
    if (m_pBmpMgr)
        m_pBmpMgr->Release();
}

BOOL& SECCustomToolBar::CommandFiring()
{
    static BOOL bFiring = FALSE;
    return bFiring;
}

BOOL& SECCustomToolBar::AltDragging()
{
    static BOOL bDragging = FALSE;
    return bDragging;
}

BOOL SECCustomToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID, LPCTSTR lpszTitle)
{
    return CreateEx(0, pParentWnd, dwStyle, nID, lpszTitle);
}

BOOL SECCustomToolBar::CreateEx(DWORD dwExStyle, CWnd* pParentWnd, DWORD dwStyle, UINT nID, LPCTSTR lpszTitle)
{
    const LPCTSTR lpszClass
        = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW), ::GetSysColorBrush(COLOR_BTNFACE));
    if (!SECControlBar::CreateEx(lpszClass, lpszTitle, nID, dwStyle,
            dwExStyle | SEC_TBX_TOOLBARSIZE, CRect(0, 0, 0, 0), pParentWnd))
        return FALSE;
    m_bOwnMRULayout = m_bOwnHorzLayout = m_bOwnVertLayout = TRUE;
    NotifyManager(barCreated);
    return TRUE;
}

void SECCustomToolBar::SetManager(SECToolBarManager* pManager)
{
    if (pManager == m_pManager)
        return;
    if (m_pManager)
        m_pManager->ForgetBar(this);
    m_pManager = pManager;
    if (m_pManager)
        m_pManager->AttachBar(this);
}

void SECCustomToolBar::SetBmpMgr(SECBmpMgr* pBmpMgr)
{
    if (pBmpMgr == m_pBmpMgr)
        return;
    if (pBmpMgr)
        pBmpMgr->AddRef();
    if (m_pBmpMgr)
        m_pBmpMgr->Release();
    m_pBmpMgr = pBmpMgr;
}

void SECCustomToolBar::SetButtonMaps(const SECBtnMapEntry* pFirst, const SECBtnMapEntry* pSecond)
{
    m_pBtnMap = pFirst;
    m_pBtnMap2 = pSecond;
}

SECStdBtn* SECCustomToolBar::GetBtn(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetBtnCount())
        return nullptr;
    return m_btns[static_cast<size_t>(nIndex)].get();
}

int SECCustomToolBar::IndexOf(const SECStdBtn* pBtn) const
{
    for (int i = 0; i < GetBtnCount(); ++i)
        if (m_btns[static_cast<size_t>(i)].get() == pBtn)
            return i;
    return -1;
}

void SECCustomToolBar::GrowLargestButton(CSize size)
{
    m_szLargest.cx = std::max(m_szLargest.cx, size.cx);
    m_szLargest.cy = std::max(m_szLargest.cy, size.cy);
}

int SECCustomToolBar::GetImageWidth() const { return m_pBmpMgr ? m_pBmpMgr->GetImageSize().cx : 16; }

int SECCustomToolBar::GetImageHeight() const { return m_pBmpMgr ? m_pBmpMgr->GetImageSize().cy : 15; }

int SECCustomToolBar::GetImageIndex(UINT nID, UINT& nFoundID) const
{
    HBITMAP hBmp = nullptr;
    int nImage = 0;
    if (m_pBmpMgr && m_pBmpMgr->GetBitmap(nID, hBmp, nImage)) {
        nFoundID = nID;
        return nImage;
    }
    nFoundID = 0;
    return 0;
}

void SECCustomToolBar::NotifyManager(int nCode)
{
    if (m_pManager && GetSafeHwnd())
        m_pManager->NotifyListeners(static_cast<UINT>(GetDlgCtrlID()), nCode);
}

// Buttons ----------------------------------------------------------------------------------------------------

SECStdBtn* SECCustomToolBar::CreateButton(UINT nID, SECCustomToolBar* pOwner)
{
    const SECBtnMapEntry* maps[2] = { m_pBtnMap, m_pBtnMap2 };
    if (m_pManager)
        m_pManager->GetButtonMaps(maps[0], maps[1]);
    const SECBtnMapEntry* pFound = nullptr;
    for (const SECBtnMapEntry* pMap : maps) {
        for (const SECBtnMapEntry* pEntry = pMap; pEntry && pEntry->m_pBtnClass && !pFound; ++pEntry)
            if (pEntry->m_nID == nID)
                pFound = pEntry;
        if (pFound)
            break;
    }
    SECStdBtn* pBtn = pFound ? pFound->m_pBtnClass->m_pfnCreateButton() : new SECStdBtn;
    pBtn->m_nStyle = pFound ? pFound->m_nStyle : 0;
    pBtn->m_nID = nID;
    if (pBtn->m_nType != SECStdBtn::kindMenu) {
        UINT nFound = 0;
        pBtn->m_nImage = GetImageIndex(nID, nFound);
    } else {
        pBtn->m_nImage = 0;
    }
    pBtn->Init(pOwner ? pOwner : this, pFound ? pFound->m_nData : nullptr);
    pBtn->SetVertical(m_bVertical);
    return pBtn;
}

SECStdBtn* SECCustomToolBar::CreateSeparator(SECCustomToolBar* pOwner)
{
    auto* pBtn = new SECStdBtn;
    pBtn->m_nStyle = TBBS_SEPARATOR;
    pBtn->Init(pOwner ? pOwner : this, nullptr);
    return pBtn;
}

void SECCustomToolBar::FitRowSeparators(int nIndex)
{
    const int nCount = GetBtnCount();
    if (nIndex < 0 || nIndex >= nCount)
        return;
    int nFirst = nIndex;
    while (nFirst > 0 && !(m_btns[static_cast<size_t>(nFirst - 1)]->m_nStyle & TBBS_WRAPPED))
        --nFirst;
    int nLast = nIndex;
    while (nLast < nCount - 1 && !(m_btns[static_cast<size_t>(nLast)]->m_nStyle & TBBS_WRAPPED))
        ++nLast;
    int nTallest = 0;
    for (int i = nFirst; i <= nLast; ++i) {
        const SECStdBtn& btn = *m_btns[static_cast<size_t>(i)];
        if (!(btn.m_nStyle & TBBS_SEPARATOR))
            nTallest = std::max(nTallest, btn.m_cy);
    }
    if (nTallest == 0)
        nTallest = GetSeparatorWidth() * 2 / 3;
    for (int i = nFirst; i <= nLast; ++i) {
        SECStdBtn& btn = *m_btns[static_cast<size_t>(i)];
        if (btn.m_nStyle & TBBS_SEPARATOR)
            btn.m_cy = nTallest;
    }
}

void SECCustomToolBar::InsertButton(int nIndex, UINT nID, BOOL bSeparator, BOOL bNoRecalc)
{
    nIndex = std::clamp(nIndex, 0, GetBtnCount());
    std::unique_ptr<SECStdBtn> pBtn(bSeparator ? CreateSeparator() : CreateButton(nID));
    const int nWidth = pBtn->m_cx;
    m_btns.insert(m_btns.begin() + nIndex, std::move(pBtn));
    FitRowSeparators(nIndex);
    m_nMRUWidth += static_cast<UINT>(nWidth);
    if (m_nSelected >= 0 && nIndex <= m_nSelected)
        ++m_nSelected;
    if (m_nHot >= 0 && nIndex <= m_nHot)
        ++m_nHot;
    UpdateButtonCmdUI(nIndex);
    if (!bNoRecalc)
        Recalc();
}

BOOL SECCustomToolBar::RemoveButton(int nIndex, BOOL bNoRecalc)
{
    if (nIndex < 0 || nIndex >= GetBtnCount())
        return FALSE;
    std::vector<int> removed { nIndex };
    m_btns.erase(m_btns.begin() + nIndex);
    auto isSeparator = [this](int i) { return (m_btns[static_cast<size_t>(i)]->m_nStyle & TBBS_SEPARATOR) != 0; };
    // A separator that now starts the bar, doubles another or ends the bar separates nothing.
    const int nCount = GetBtnCount();
    int nOrphan = -1;
    if (nCount > 0 && nIndex == 0 && isSeparator(0))
        nOrphan = 0;
    else if (nIndex > 0 && nIndex < nCount && isSeparator(nIndex - 1) && isSeparator(nIndex))
        nOrphan = nIndex;
    else if (nCount > 0 && nIndex >= nCount - 1 && isSeparator(nCount - 1))
        nOrphan = nCount - 1;
    if (nOrphan >= 0) {
        m_btns.erase(m_btns.begin() + nOrphan);
        removed.push_back(nOrphan);
    }
    FitRowSeparators(std::min(nIndex, GetBtnCount() - 1));

    for (const int nRemoved : removed) {
        if (m_nSelected == nRemoved) {
            m_nSelected = -1;
            if (m_pManager && m_pManager->GetSelectedBar() == this) {
                m_pManager->SetSelectedBar(nullptr);
                NotifyManager(barSelChanged);
            }
        } else if (m_nSelected > nRemoved) {
            --m_nSelected;
        }
        if (m_nHot == nRemoved)
            ClearHot();
        else if (m_nHot > nRemoved)
            --m_nHot;
    }

    if (!bNoRecalc) {
        if (m_btns.empty() && static_cast<UINT>(GetDlgCtrlID()) >= SEC_IDW_FIRSTUSERBAR && GetSafeHwnd()) {
            // A bar the user made goes with its last button; with auto-delete this object goes too.
            DestroyWindow();
            return FALSE;
        }
        Recalc();
    }
    return !m_btns.empty();
}

void SECCustomToolBar::RemoveAllButtons()
{
    ClearHot();
    m_btns.clear();
}

void SECCustomToolBar::SetButtons(const UINT* pIDs, int nCount)
{
    RemoveAllButtons();
    ClearSelection(FALSE);
    for (int i = 0; pIDs && i < nCount; ++i)
        InsertButton(GetBtnCount(), pIDs[i], pIDs[i] == 0, TRUE);
    if (GetSafeHwnd())
        Invalidate();
}

void SECCustomToolBar::ResetButtonSizes()
{
    m_szLargest = CSize(GetButtonWidth(), GetButtonHeight());
    for (const auto& pBtn : m_btns)
        pBtn->AdjustSize();
}

void SECCustomToolBar::Recalc()
{
    if (!GetSafeHwnd())
        return;
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->RecalcLayout(TRUE);
    Invalidate();
    UpdateWindow();
}

void SECCustomToolBar::InvalidateButton(int nIndex)
{
    if (SECStdBtn* pBtn = GetBtn(nIndex))
        pBtn->Invalidate(FALSE);
}

void SECCustomToolBar::SetButtonStyleAll(UINT nID, int nOperation, UINT nAdd, UINT nRemove)
{
    if (m_pManager) {
        m_pManager->SetButtonStyleAll(nID, nOperation, nAdd, nRemove);
        return;
    }
    for (const auto& pBtn : m_btns)
        if (pBtn->m_nID == nID)
            pBtn->ModifyStyle(nOperation, nAdd, nRemove);
}

void SECCustomToolBar::UpdateButtonCmdUI(int nIndex)
{
    SECStdBtn* pBtn = GetBtn(nIndex);
    if (!pBtn || (pBtn->m_nStyle & TBBS_SEPARATOR) || !GetSafeHwnd())
        return;
    CWnd* pTarget = GetOwner();
    if (!pTarget)
        pTarget = GetParentFrame();
    if (!pTarget)
        return;
    SECCustomToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndex = static_cast<UINT>(nIndex);
    state.m_nIndexMax = static_cast<UINT>(GetBtnCount());
    state.m_nID = pBtn->m_nID;
    state.DoUpdate(pTarget, !(pBtn->m_nStyle & SEC_TBBS_NODISABLE));
}

void SECCustomToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    SECCustomToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(GetBtnCount());
    for (int i = 0; i < GetBtnCount(); ++i) {
        const SECStdBtn& btn = *m_btns[static_cast<size_t>(i)];
        if (btn.m_nStyle & TBBS_SEPARATOR)
            continue;
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nID = btn.m_nID;
        state.DoUpdate(pTarget, bDisableIfNoHndler && !(btn.m_nStyle & SEC_TBBS_NODISABLE));
    }
}

void SECCustomToolCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    auto* pBar = static_cast<SECCustomToolBar*>(m_pOther);
    SECStdBtn* pBtn = pBar ? pBar->GetBtn(static_cast<int>(m_nIndex)) : nullptr;
    if (!pBtn)
        return;
    const UINT nStyle = bOn ? (pBtn->m_nStyle & ~TBBS_DISABLED) : (pBtn->m_nStyle | TBBS_DISABLED);
    if (nStyle != pBtn->m_nStyle) {
        pBtn->SetStyle(nStyle);
        pBtn->Invalidate(FALSE);
    }
}

void SECCustomToolCmdUI::SetCheck(int nCheck)
{
    auto* pBar = static_cast<SECCustomToolBar*>(m_pOther);
    SECStdBtn* pBtn = pBar ? pBar->GetBtn(static_cast<int>(m_nIndex)) : nullptr;
    if (!pBtn)
        return;
    UINT nStyle = (pBtn->m_nStyle & ~(TBBS_CHECKED | TBBS_INDETERMINATE)) | TBBS_CHECKBOX;
    if (nCheck == 1)
        nStyle |= TBBS_CHECKED;
    else if (nCheck == 2)
        nStyle |= TBBS_INDETERMINATE;
    if (nStyle != pBtn->m_nStyle) {
        pBtn->SetStyle(nStyle);
        pBtn->Invalidate(FALSE);
    }
}

// Painting -----------------------------------------------------------------------------------------------------

SECBtnDrawContext* SECCustomToolBar::DrawContext()
{
    if (m_pManager)
        return &m_pManager->GetDrawContext();
    if (!m_pDrawContext)
        m_pDrawContext = std::make_unique<SECBtnDrawContext>();
    return m_pDrawContext.get();
}

void SECCustomToolBar::DoPaint(CDC* pDC)
{
    SECControlBar::DoPaint(pDC);
    SECBtnDrawContext* pContext = DrawContext();
    if (!pContext->Prepare(m_szLargest))
        return;
    for (const auto& pBtn : m_btns)
        pBtn->Draw(pDC, *pContext);
    pContext->Release();
}

void SECCustomToolBar::DrawBorders(CDC* pDC, CRect& rect)
{
    if ((m_dwStyle & CBRS_BORDER_ANY) && IsCoolLook()) {
        const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
        const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
        const COLORREF leftTop = (m_dwStyle & CBRS_BORDER_3D) ? highlight : shadow;
        const CRect r = rect;
        if (m_dwStyle & CBRS_BORDER_LEFT)
            pDC->FillSolidRect(r.left, r.top, 1, r.Height(), leftTop);
        if (m_dwStyle & CBRS_BORDER_TOP)
            pDC->FillSolidRect(r.left, r.top, r.Width(), 1, leftTop);
        if (m_dwStyle & CBRS_BORDER_RIGHT)
            pDC->FillSolidRect(r.right - 1, r.top, 1, r.Height(), shadow);
        if (m_dwStyle & CBRS_BORDER_BOTTOM)
            pDC->FillSolidRect(r.left, r.bottom - 1, r.Width(), 1, shadow);
        if (!m_pDockBar) {
            pDC->FillSolidRect(r.left, r.top, r.Width(), 1, shadow);
            pDC->FillSolidRect(r.left, r.top + 1, r.Width(), 1, highlight);
        }
    } else if (m_dwStyle & CBRS_BORDER_ANY) {
        rect.right -= 1;
        rect.bottom -= 1;
    }
    SECControlBar::DrawBorders(pDC, rect);
}

void SECCustomToolBar::AddGripperSize(CSize& size, BOOL bHorz)
{
    SECControlBar::AddGripperSize(size, bHorz);
    if (m_dwExStyle & SEC_TBX_WIDEGRIPPER) {
        if (bHorz)
            size.cx += 2;
        else
            size.cy += 2;
    }
}

void SECCustomToolBar::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle)
{
    SECControlBar::OnBarStyleChange(dwOldStyle, dwNewStyle);
    for (const auto& pBtn : m_btns)
        pBtn->BarStyleChanged(dwNewStyle);
}

INT_PTR SECCustomToolBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    const INT_PTR nHit = SECControlBar::OnToolHitTest(point, pTI);
    if (nHit != -1)
        return nHit;
    const int nIndex = HitTest(point);
    if (nIndex < 0)
        return -1;
    return m_btns[static_cast<size_t>(nIndex)]->OnToolHitTest(point, pTI);
}

void SECCustomToolBar::OnSysColorChange()
{
    SECControlBar::OnSysColorChange();
    SysColorChange();
}

void SECCustomToolBar::SysColorChange()
{
    if (m_pDrawContext)
        m_pDrawContext->SysColorChange();
    if (m_pManager)
        m_pManager->GetDrawContext().SysColorChange();
    if (m_pBmpMgr)
        m_pBmpMgr->SysColorChange(TRUE);
    if (GetSafeHwnd())
        Invalidate();
}

// Window messages ----------------------------------------------------------------------------------------------

void SECCustomToolBar::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    SECControlBar::OnWindowPosChanging(lpwndpos);
    if (lpwndpos->flags & SWP_SHOWWINDOW)
        NotifyManager(barShown);
    else if (lpwndpos->flags & SWP_HIDEWINDOW)
        NotifyManager(barHidden);
}

void SECCustomToolBar::OnShowWindow(BOOL bShow, UINT nStatus)
{
    SECControlBar::OnShowWindow(bShow, nStatus);
    NotifyManager(bShow ? barShown : barHidden);
}

void SECCustomToolBar::OnDestroy()
{
    ClearSelection(FALSE);
    ClearHot();
    NotifyManager(barDestroyed);
    SECControlBar::OnDestroy();
}

LRESULT SECCustomToolBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
    StretchToParent();
    return CControlBar::OnSizeParent(wParam, lParam);
}

void SECCustomToolBar::DelayShow(BOOL bShow)
{
    SECControlBar::DelayShow(bShow);
    // A delayed hide waits for the frame's idle layout, and a floating bar's frame gets none while the
    // modal customise sheet runs: the bar would stay on screen. The hide is posted so that it does not
    // happen inside whatever layout or drag asked for it. Once hidden the bar is not asked again, which
    // keeps the immediate hide (which comes back here) from posting forever.
    if (!bShow && m_pManager && m_pManager->IsCustomizeMode() && IsFloating() && (GetStyle() & WS_VISIBLE))
        PostMessage(WM_NODELAYHIDE);
}

LRESULT SECCustomToolBar::OnNoDelayHide(WPARAM, LPARAM)
{
    if (CFrameWnd* pFrame = GetDockingFrame())
        pFrame->ShowControlBar(this, FALSE, FALSE);
    return 0;
}

LRESULT SECCustomToolBar::OnAddButtons(WPARAM wParam, LPARAM lParam)
{
    const auto* pButtons = reinterpret_cast<const TBBUTTON*>(lParam);
    const int nCount = static_cast<int>(wParam);
    for (int i = 0; pButtons && i < nCount; ++i) {
        const TBBUTTON& tb = pButtons[i];
        const UINT nID = static_cast<UINT>(tb.idCommand);
        InsertButton(GetBtnCount(), nID, nID == 0, i + 1 < nCount);
        m_btns.back()->m_nStyle |= (static_cast<UINT>(tb.fsState) << 16) | tb.fsStyle;
    }
    return TRUE;
}

LRESULT SECCustomToolBar::OnDeleteButton(WPARAM wParam, LPARAM)
{
    RemoveButton(static_cast<int>(wParam));
    return TRUE;
}

int SECCustomToolBar::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    if (m_bCustomize && !IsFloating())
        return MA_NOACTIVATE;
    return SECControlBar::OnMouseActivate(pDesktopWnd, nHitTest, message);
}
