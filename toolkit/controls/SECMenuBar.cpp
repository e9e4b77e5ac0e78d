#include "toolkit/controls/SECMenuBar.h"

#include <cctype>

#include "platform/afx/AfxState.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CMiniDockFrameWnd.h"
#include "platform/afx/CWinApp.h"
#include "toolkit/controls/SECBtnCaption.h"
#include "toolkit/controls/SECTBMenuBtn.h"
#include "toolkit/controls/SECToolBarManager.h"
#include "toolkit/frames/SECDocTemplateUtils.h"

IMPLEMENT_DYNCREATE(SECMenuBar, SECCustomToolBar)

BEGIN_MESSAGE_MAP(SECMenuBar, SECCustomToolBar)
    ON_WM_SETTINGCHANGE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

namespace {

// The bar's own extended style bit that every menu bar carries.
constexpr DWORD kMenuBarExStyle = 0x80;

SECTBMenuBtn* AsMenuBtn(SECStdBtn* pBtn)
{
    return pBtn && pBtn->m_nType == SECStdBtn::kindMenu ? static_cast<SECTBMenuBtn*>(pBtn) : nullptr;
}

} // namespace

SECMenuBar::SECMenuBar() { CreateSystemMenuFont(); }

SECMenuBar::~SECMenuBar() = default;

BOOL SECMenuBar::CreateEx(DWORD dwExStyle, CWnd* pParentWnd, DWORD dwStyle, UINT nID, LPCTSTR lpszTitle)
{
    return SECCustomToolBar::CreateEx(dwExStyle | kMenuBarExStyle, pParentWnd, dwStyle | CBRS_HIDE_INPLACE, nID, lpszTitle);
}

void SECMenuBar::CreateSystemMenuFont()
{
    m_menuFont.DeleteObject();
    NONCLIENTMETRICS metrics;
    if (::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        m_menuFont.CreateFontIndirect(&metrics.lfMenuFont);
}

HFONT SECMenuBar::GetFont() const
{
    return m_menuFont.GetSafeHandle() ? static_cast<HFONT>(m_menuFont) : SECCustomToolBar::GetFont();
}

// Menus -------------------------------------------------------------------------------------------------------

DWORD SECMenuBar::GetMenuBit(UINT nMenuID) const
{
    const auto it = m_menuBits.find(nMenuID & 0xFFFF);
    return it == m_menuBits.end() ? 0 : it->second;
}

BOOL SECMenuBar::SwitchMenu(UINT nMenuID)
{
    if (const DWORD dwBit = GetMenuBit(nMenuID)) {
        ApplyMenu(dwBit, FALSE);
        m_nCurrentMenuId = nMenuID;
        return TRUE;
    }
    if (nMenuID != SEC_IDR_MAINFRAME_MENU)
        return FALSE;
    CWinApp* pApp = AfxGetApp();
    auto* pMain = pApp ? dynamic_cast<CFrameWnd*>(pApp->m_pMainWnd) : nullptr;
    SECDocTemplateUtils utils;
    const DWORD dwBit = pMain ? GetMenuBit(utils.GetFrameResourceID(pMain)) : 0;
    if (!dwBit)
        return FALSE;
    ApplyMenu(dwBit, FALSE);
    m_nCurrentMenuId = nMenuID;
    return TRUE;
}

void SECMenuBar::ApplyMenu(DWORD dwMask, BOOL bRedraw)
{
    m_dwCurrentMask = dwMask;
    for (const auto& pBtn : GetBtnArray()) {
        if (SECTBMenuBtn* pMenuBtn = AsMenuBtn(pBtn.get())) {
            if (pMenuBtn->m_dwMenuBits & dwMask)
                pMenuBtn->m_nStyle &= ~TBBS_HIDDEN;
            else
                pMenuBtn->m_nStyle |= TBBS_HIDDEN;
        }
    }
    if (bRedraw)
        Relayout(TRUE);
}

void SECMenuBar::Relayout(BOOL bUpdateNow)
{
    if (!GetSafeHwnd())
        return;
    if (CFrameWnd* pFrame = GetDockingFrame())
        pFrame->RecalcLayout();
    Invalidate();
    if (bUpdateNow)
        UpdateWindow();
}

void SECMenuBar::ResetMenuButtons(BOOL bNoRelayout)
{
    RemoveAllButtons();
    // The open popup's button and the customise selection went with the objects.
    m_nTracked = -1;
    m_nPressed = -1;
    m_nSelected = -1;
    if (m_pManager) {
        const std::vector<UINT>& ids = m_pManager->GetMenuButtonIds();
        SetButtons(ids.data(), static_cast<int>(ids.size()));
    } else {
        SetButtonsFromEntries();
    }
    ApplyMenu(m_dwCurrentMask, FALSE);
    if (!bNoRelayout)
        Relayout(FALSE);
}

void SECMenuBar::SetButtonsFromEntries()
{
    SetButtonMaps(m_entries.empty() ? nullptr : m_entries.data(), nullptr);
    std::vector<UINT> ids;
    for (const SECBtnMapEntry& entry : m_entries)
        if (entry.m_pBtnClass)
            ids.push_back(entry.m_nID);
    SetButtons(ids.data(), static_cast<int>(ids.size()));
}

SECMenuBar::Entries SECMenuBar::RebuildMenus(const std::vector<UINT>& menuIds)
{
    // The entries point into the texts: both go before the texts are cleared.
    SetButtonMaps(nullptr, nullptr);
    m_entries.clear();
    m_menuTexts.clear();
    m_menuBits.clear();
    return BuildMenuEntries(m_menuBits, m_menuTexts, menuIds);
}

BOOL SECMenuBar::LoadMenus(const std::vector<UINT>& menuIds)
{
    RemoveAllButtons();
    m_entries = RebuildMenus(menuIds);
    SetButtonsFromEntries();
    ApplyMenu(m_dwCurrentMask, FALSE);
    return !m_entries.empty();
}

int SECMenuBar::FindMnemonicButton(TCHAR ch) const
{
    const auto wanted = static_cast<TCHAR>(std::toupper(static_cast<unsigned char>(ch)));
    for (int i = 0; i < GetBtnCount(); ++i) {
        const SECTBMenuBtn* pBtn = AsMenuBtn(GetBtn(i));
        if (pBtn && !(pBtn->m_nStyle & TBBS_HIDDEN) && pBtn->m_cMnemonic && pBtn->m_cMnemonic == wanted)
            return i;
    }
    return -1;
}

// Keyboard --------------------------------------------------------------------------------------------------

void SECMenuBar::MoveToMenu(BOOL bNext)
{
    const int nIndex = NextMenuButton(bNext);
    if (IsMenuTracking())
        SetTrackedMenuButton(nIndex);
    else if (nIndex < 0)
        DropSystemMenu();
    else
        PressMenuButton(nIndex);
}

void SECMenuBar::DropSystemMenu()
{
    if (GetSafeHwnd() == nullptr)
        return;
    if (m_nTracked >= 0)
        CancelMenuTracking();
    SECBtnNotify notify;
    notify.hdr.hwndFrom = m_hWnd;
    notify.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    notify.hdr.code = SEC_TBN_MENUPRESS;
    notify.nIndex = -1;
    notify.wValue = 0;
    notify.lValue = -1;
    SendMessage(WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify));
}

void SECMenuBar::OpenHotMenu()
{
    if (!IsMenuTracking())
        return;
    const int nIndex = m_nTracked;
    EndMenuTracking();
    if (GetBtn(nIndex))
        PressMenuButton(nIndex);
    else
        DropSystemMenu();
}

// Buttons and layout ---------------------------------------------------------------------------------------

void SECMenuBar::InsertButton(int nIndex, UINT nID, BOOL bSeparator, BOOL bNoRecalc)
{
    SECCustomToolBar::InsertButton(nIndex, nID, bSeparator, TRUE);
    // A new button of another menu stays hidden.
    ApplyMenu(m_dwCurrentMask, FALSE);
    if (!bNoRecalc)
        Relayout(TRUE);
}

CSize SECMenuBar::CalcDynamicLayout(int nLength, DWORD nMode)
{
    if (!m_bFullWidth || (nMode & LM_VERTDOCK) || IsFloating())
        return SECCustomToolBar::CalcDynamicLayout(nLength, nMode);
    CSize size = SECCustomToolBar::CalcDynamicLayout(::GetSystemMetrics(SM_CXSCREEN), nMode);
    size.cx = ::GetSystemMetrics(SM_CXSCREEN);
    // The caption buttons of a maximised child sit at the right edge.
    if ((nMode & LM_COMMIT) && GetBtnCount() > 0) {
        SECStdBtn* pLast = GetBtn(GetBtnCount() - 1);
        if (pLast->m_nType == SECStdBtn::kindCaption)
            pLast->SetPos(size.cx - pLast->m_cx - 2, pLast->m_y);
    }
    return size;
}

void SECMenuBar::DelayShow(BOOL bShow)
{
    if (!bShow && m_bIgnoreHide) {
        m_bIgnoreHide = FALSE;
        return;
    }
    SECCustomToolBar::DelayShow(bShow);
}

void SECMenuBar::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle)
{
    SECCustomToolBar::OnBarStyleChange(dwOldStyle, dwNewStyle);
    if (!(dwOldStyle & CBRS_FLOATING) && (dwNewStyle & CBRS_FLOATING))
        m_bFloated = TRUE;
}

DWORD SECMenuBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout)
{
    const DWORD dwStyle = SECCustomToolBar::RecalcDelayShow(lpLayout);
    if (m_bFloated && GetSafeHwnd()) {
        // A floating menu bar is never closed: its frame has no close box.
        CFrameWnd* pFrame = GetParentFrame();
        if (pFrame && pFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd))) {
            pFrame->ModifyStyle(WS_SYSMENU, 0, SWP_FRAMECHANGED);
            m_bFloated = FALSE;
        }
    }
    return dwStyle;
}

void SECMenuBar::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CreateSystemMenuFont();
    for (const auto& pBtn : GetBtnArray())
        pBtn->AdjustSize();
    Relayout(FALSE);
    SECCustomToolBar::OnSettingChange(uFlags, lpszSection);
}

void SECMenuBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_bFullWidth && HitTest(point) < 0)
        Default();
    else
        SECCustomToolBar::OnLButtonDown(nFlags, point);
}

void SECMenuBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (m_bFullWidth && HitTest(point) < 0)
        Default();
    else
        SECCustomToolBar::OnLButtonDblClk(nFlags, point);
}
