#include "toolkit/controls/SECToolBarCmdPage.h"

#include "platform/afx/CPropertySheet.h"
#include "toolkit/controls/SECControlIds.h"
#include "toolkit/controls/SECCustomToolBar.h"
#include "toolkit/controls/SECMenuBar.h"
#include "toolkit/controls/SECMenuBtnGroup.h"
#include "toolkit/controls/SECTBMenuBtn.h"
#include "toolkit/controls/SECTBBtnGroup.h"
#include "toolkit/controls/SECToolBarManager.h"
#include "toolkit/controls/SECToolBarSheet.h"
#include "toolkit/frames/SECFrameWnd.h"

namespace {

const UINT WM_BARNOTIFY_PAGE = SECToolBarManager::BarNotifyMessage();
const UINT WM_TOOLBARSTYLECHANGING_PAGE = SECToolBarStyleChangingMessage();

// The groups' windows take ids downwards from here, past the frame's dock bars.
constexpr UINT kFirstGroupID = 0xE8FE;
constexpr UINT kDockBarFirst = 0xE81B;
constexpr UINT kDockBarLast = 0xE81F;
// The group box's inside, in dialog units.
constexpr int kGroupInsetX = 3;
constexpr int kGroupInsetY = 8;
// A list sits this much lower than a bar in the same area.
constexpr int kListOffsetY = 2;

} // namespace

IMPLEMENT_DYNAMIC(SECToolBarCmdPage, CPropertyPage)

BEGIN_MESSAGE_MAP(SECToolBarCmdPage, CPropertyPage)
    ON_LBN_SELCHANGE(IDC_SEC_TOOLBAR_LIST, OnSelChangeCategory)
    ON_REGISTERED_MESSAGE(WM_BARNOTIFY_PAGE, OnBarNotify)
    ON_REGISTERED_MESSAGE(WM_TOOLBARSTYLECHANGING_PAGE, OnStyleChanging)
END_MESSAGE_MAP()

SECToolBarCmdPage::SECToolBarCmdPage()
    : CPropertyPage(IDD_SEC_TOOLBAR_COMMANDS)
{
}

SECToolBarCmdPage::SECToolBarCmdPage(UINT nIDTemplate, UINT nIDCaption)
    : CPropertyPage(nIDTemplate, nIDCaption)
{
}

SECToolBarCmdPage::~SECToolBarCmdPage()
{
    if (m_pManager) {
        m_pManager->RemoveListener(this);
        m_pManager->SetCustomizeWnd(nullptr);
    }
}

void SECToolBarCmdPage::DefineBtnGroup(LPCTSTR lpszTitle, int nCount, const UINT* pIDs)
{
    m_groups.push_back(std::make_unique<SECTBBtnGroup>(lpszTitle, pIDs, nCount));
}

void SECToolBarCmdPage::DefineMenuGroup(LPCTSTR lpszTitle)
{
    if (!m_pManager)
        return;
    auto* pFrame = dynamic_cast<SECFrameWnd*>(AfxGetMainWnd());
    SECMenuBar* pMenuBar = pFrame ? pFrame->GetMenuBar() : nullptr;
    if (!pMenuBar)
        return;
    DWORD dwMask = pMenuBar->GetMenuBit(pMenuBar->GetCurrentMenuId());
    if (dwMask == 0)
        dwMask = 0xFFFFFFFF;
    m_menuIds.clear();
    for (int i = 0; i < pMenuBar->GetBtnCount(); ++i) {
        const auto* pBtn = dynamic_cast<const SECTBMenuBtn*>(pMenuBar->GetBtn(i));
        if (pBtn && (pBtn->m_dwMenuBits & dwMask) && SECMenuBtnGroup::FindMenuEntry(m_pManager, pBtn->m_nID))
            m_menuIds.push_back(pBtn->m_nID);
    }
    if (!m_menuIds.empty())
        m_groups.push_back(std::make_unique<SECMenuBtnGroup>(lpszTitle, m_menuIds.data(), static_cast<int>(m_menuIds.size())));
}

void SECToolBarCmdPage::SetManager(SECToolBarManager* pManager)
{
    m_pManager = pManager;
    // A page without a window yet registers when it is made.
    if (m_pManager && GetSafeHwnd())
        m_pManager->AddListener(this);
}

void SECToolBarCmdPage::ShowDescription(UINT nID)
{
    CString strText;
    if (nID != static_cast<UINT>(-1) && strText.LoadString(nID))
        if (const int nCut = strText.Find('\n'); nCut >= 0)
            strText = strText.Left(nCut);
    SetDlgItemText(IDC_SEC_DESCRIPTION, nID == static_cast<UINT>(-1) ? CString() : strText);
}

BOOL SECToolBarCmdPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_categories.SubclassDlgItem(IDC_SEC_TOOLBAR_LIST, this);
    if (m_pManager)
        m_pManager->AddListener(this);
    CRect area;
    // The groups' windows go just above the group box: a bar clips its siblings, so one below the box
    // (where a window made after the page's controls lands) would never paint.
    HWND hInsertAfter = nullptr;
    UINT nZOrder = SWP_NOZORDER;
    if (CWnd* pBox = GetDlgItem(IDC_SEC_BUTTONS_GROUP)) {
        pBox->GetWindowRect(&area);
        ScreenToClient(&area);
        const HWND hAbove = ::GetWindow(pBox->m_hWnd, GW_HWNDPREV);
        hInsertAfter = hAbove ? hAbove : HWND_TOP;
        nZOrder = 0;
    }
    CRect inset(0, 0, kGroupInsetX, kGroupInsetY);
    MapDialogRect(&inset);
    area.DeflateRect(inset.right, inset.bottom);

    UINT nID = kFirstGroupID;
    for (size_t i = 0; i < m_groups.size(); ++i, --nID) {
        if (nID >= kDockBarFirst && nID <= kDockBarLast)
            nID = kDockBarFirst - 1;
        SECBtnGroup& group = *m_groups[i];
        if (!group.Create(this, m_pManager, nID))
            return FALSE;
        const int nTop = area.top + (dynamic_cast<SECMenuBtnGroup*>(&group) ? kListOffsetY : 0);
        ::SetWindowPos(group.GetWnd()->m_hWnd, hInsertAfter, area.left, nTop, area.Width(), area.Height(), nZOrder | SWP_NOACTIVATE);
        group.Layout(area);
        // A list is made hidden: the first group shows whatever its kind.
        group.GetWnd()->ShowWindow(i == 0 ? SW_SHOW : SW_HIDE);
        m_categories.AddString(group.m_strTitle);
    }
    if (!m_groups.empty()) {
        m_categories.SetCurSel(0);
        m_nShown = 0;
    }
    return TRUE;
}

void SECToolBarCmdPage::EnterModes(BOOL bOn)
{
    if (m_pManager)
        m_pManager->CustomizeFromSheet(bOn, GetParent());
}

BOOL SECToolBarCmdPage::OnSetActive()
{
    EnterModes(TRUE);
    if (m_nShown >= 0)
        m_groups[static_cast<size_t>(m_nShown)]->Activate(TRUE);
    return CPropertyPage::OnSetActive();
}

BOOL SECToolBarCmdPage::OnKillActive()
{
    EnterModes(FALSE);
    // Leaving config mode disables the frame for the modal sheet; the sheet itself stays usable.
    if (CWnd* pSheet = GetParent())
        pSheet->EnableWindow(TRUE);
    if (m_nShown >= 0)
        m_groups[static_cast<size_t>(m_nShown)]->Activate(FALSE);
    return CPropertyPage::OnKillActive();
}

void SECToolBarCmdPage::OnReset()
{
    EnterModes(FALSE);
    if (m_pManager)
        m_pManager->SetCustomizeWnd(nullptr);
    CPropertyPage::OnReset();
}

void SECToolBarCmdPage::OnSelChangeCategory()
{
    const int nSel = m_categories.GetCurSel();
    if (nSel < 0 || nSel >= static_cast<int>(m_groups.size()))
        return;
    if (m_nShown >= 0)
        m_groups[static_cast<size_t>(m_nShown)]->Activate(FALSE);
    m_nShown = nSel;
    for (size_t i = 0; i < m_groups.size(); ++i)
        m_groups[i]->GetWnd()->ShowWindow(static_cast<int>(i) == nSel ? SW_SHOW : SW_HIDE);
    m_groups[static_cast<size_t>(nSel)]->Activate(TRUE);
}

LRESULT SECToolBarCmdPage::OnBarNotify(WPARAM wParam, LPARAM lParam)
{
    if (lParam != barSelChanged)
        return 0;
    const UINT nBarID = static_cast<UINT>(wParam);
    SECCustomToolBar* pBar = m_pManager ? m_pManager->FindBarById(nBarID) : nullptr;
    for (const auto& pGroup : m_groups)
        if (!pBar && static_cast<UINT>(pGroup->GetWnd()->GetDlgCtrlID()) == nBarID)
            pBar = SECCustomToolBar::FromObject(pGroup->GetWnd());
    const SECStdBtn* pBtn = pBar ? pBar->GetBtn(pBar->GetSelectedIndex()) : nullptr;
    ShowDescription(pBtn ? pBtn->m_nID : static_cast<UINT>(-1));
    return 0;
}

LRESULT SECToolBarCmdPage::OnStyleChanging(WPARAM wParam, LPARAM)
{
    for (const auto& pGroup : m_groups) {
        SECCustomToolBar* pBar = SECCustomToolBar::FromObject(pGroup->GetWnd());
        if (!pBar || !pBar->GetSafeHwnd())
            continue;
        if (wParam == SEC_STYLE_LARGEBUTTONS)
            pBar->ResetButtonSizes();
        else if (wParam == SEC_STYLE_COOLLOOK && m_pManager)
            pBar->SetExBarStyle(m_pManager->CoolLookEnabled() ? pBar->GetExBarStyle() | SEC_COOLLOOK_BITS
                                                              : pBar->GetExBarStyle() & ~SEC_COOLLOOK_BITS,
                FALSE);
        CRect rect;
        pBar->GetWindowRect(&rect);
        ScreenToClient(&rect);
        pGroup->Layout(rect);
        pBar->Invalidate();
    }
    return 0;
}
