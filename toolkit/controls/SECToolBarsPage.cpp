#include "toolkit/controls/SECToolBarsPage.h"

#include "platform/afx/CPropertySheet.h"
#include "toolkit/controls/SECControlIds.h"
#include "toolkit/controls/SECNewToolBar.h"
#include "toolkit/controls/SECToolBarManager.h"
#include "toolkit/controls/SECToolBarSheet.h"

namespace {

const UINT WM_BARNOTIFY_TOOLBARS = SECToolBarManager::BarNotifyMessage();

} // namespace

IMPLEMENT_DYNAMIC(SECToolBarsPage, CPropertyPage)

BEGIN_MESSAGE_MAP(SECToolBarsPage, CPropertyPage)
    ON_LBN_SELCHANGE(IDC_SEC_TOOLBAR_LIST, OnSelChange)
    ON_CLBN_CHKCHANGE(IDC_SEC_TOOLBAR_LIST, OnCheckChanged)
    ON_EN_KILLFOCUS(IDC_SEC_TOOLBAR_NAME, OnNameKillFocus)
    ON_BN_CLICKED(IDC_SEC_TOOLBAR_NEW, OnNewBar)
    ON_BN_CLICKED(IDC_SEC_TOOLBAR_RESET, OnResetBar)
    ON_BN_CLICKED(IDC_SEC_TOOLTIPS, OnToolTips)
    ON_BN_CLICKED(IDC_SEC_COOLLOOK, OnCoolLook)
    ON_BN_CLICKED(IDC_SEC_LARGEBUTTONS, OnLargeButtons)
    ON_REGISTERED_MESSAGE(WM_BARNOTIFY_TOOLBARS, OnBarNotifyMsg)
END_MESSAGE_MAP()

SECToolBarsPage::SECToolBarsPage()
    : CPropertyPage(IDD_SEC_TOOLBARS)
{
    m_pDialog = this;
}

SECToolBarsPage::~SECToolBarsPage()
{
    if (m_pManager)
        m_pManager->RemoveListener(this);
}

BOOL SECToolBarsPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_barList.SubclassDlgItem(IDC_SEC_TOOLBAR_LIST, this);
    // A longer name is cut in the edit itself, as it is typed.
    SendDlgItemMessage(IDC_SEC_TOOLBAR_NAME, EM_LIMITTEXT, SECNewToolBar::kMaxName);
    CheckDlgButton(IDC_SEC_TOOLTIPS, m_bToolTips ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_SEC_COOLLOOK, m_bCoolLook ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_SEC_LARGEBUTTONS, m_bLargeBtns ? BST_CHECKED : BST_UNCHECKED);
    FillList();
    UpdateControls();
    if (m_pManager)
        m_pManager->AddListener(this);
    return TRUE;
}

void SECToolBarsPage::EnterModes(BOOL bOn)
{
    if (m_pManager)
        m_pManager->CustomizeFromSheet(bOn, GetParent());
}

BOOL SECToolBarsPage::OnSetActive()
{
    EnterModes(TRUE);
    return CPropertyPage::OnSetActive();
}

BOOL SECToolBarsPage::OnKillActive()
{
    CommitName();
    EnterModes(FALSE);
    if (CWnd* pSheet = GetParent())
        pSheet->EnableWindow(TRUE);
    return CPropertyPage::OnKillActive();
}

void SECToolBarsPage::OnOK()
{
    ApplyCurrent();
    CPropertyPage::OnOK();
}

void SECToolBarsPage::OnReset()
{
    RestoreInitial();
    EnterModes(FALSE);
    if (m_pManager)
        m_pManager->SetCustomizeWnd(nullptr);
    CPropertyPage::OnReset();
}

void SECToolBarsPage::StyleChanged(WPARAM nWhat)
{
    auto* pSheet = dynamic_cast<CPropertySheet*>(GetParent());
    if (!pSheet)
        return;
    for (int i = 0; i < pSheet->GetPageCount(); ++i) {
        CPropertyPage* pPage = pSheet->GetPage(i);
        if (pPage && pPage != this && pPage->GetSafeHwnd())
            pPage->SendMessage(SECToolBarStyleChangingMessage(), nWhat);
    }
}

void SECToolBarsPage::OnSelChange()
{
    CommitName();
    UpdateControls();
}

void SECToolBarsPage::OnCheckChanged() { OnCheckChange(); }
void SECToolBarsPage::OnNameKillFocus() { CommitName(); }
void SECToolBarsPage::OnNewBar() { OnNew(); }
void SECToolBarsPage::OnResetBar() { OnResetOrDelete(); }
void SECToolBarsPage::OnToolTips() { OnOption(IDC_SEC_TOOLTIPS); }
void SECToolBarsPage::OnCoolLook() { OnOption(IDC_SEC_COOLLOOK); }
void SECToolBarsPage::OnLargeButtons() { OnOption(IDC_SEC_LARGEBUTTONS); }

LRESULT SECToolBarsPage::OnBarNotifyMsg(WPARAM wParam, LPARAM lParam)
{
    OnBarNotify(static_cast<UINT>(wParam), static_cast<int>(lParam));
    return 0;
}
