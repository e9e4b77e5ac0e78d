#include "toolkit/controls/SECToolBarsBase.h"

#include "platform/afx/AfxPriv.h"
#include "platform/afx/CDialog.h"
#include "platform/afx/CFrameWnd.h"
#include "toolkit/controls/SECControlIds.h"
#include "toolkit/controls/SECCustomToolBar.h"
#include "toolkit/controls/SECMenuBar.h"
#include "toolkit/controls/SECNewToolBar.h"
#include "toolkit/controls/SECToolBarManager.h"
#include "toolkit/controls/SECToolBarSheet.h"

namespace {

// A new bar floats this far right and down from the top of the frame's dock area.
constexpr int kNewBarOffset = 5;

} // namespace

BOOL SECToolBarsBase::IsUserBar(UINT nID) { return nID >= SEC_IDW_FIRSTUSERBAR && nID != SEC_IDW_MENUBAR; }

void SECToolBarsBase::SetManager(SECToolBarManager* pManager)
{
    m_pManager = pManager;
    if (!m_pManager)
        return;
    m_bToolTips = m_bInitialToolTips = m_pManager->ToolTipsEnabled();
    m_bCoolLook = m_bInitialCoolLook = m_pManager->CoolLookEnabled();
    m_bLargeBtns = m_bInitialLargeBtns = m_pManager->LargeBtnsEnabled();
}

void SECToolBarsBase::ApplyCurrent()
{
    if (!m_pManager)
        return;
    m_pManager->EnableToolTips(m_bToolTips);
    m_pManager->EnableCoolLook(m_bCoolLook);
    m_pManager->EnableLargeBtns(m_bLargeBtns);
}

void SECToolBarsBase::RestoreInitial()
{
    if (!m_pManager)
        return;
    m_pManager->EnableToolTips(m_bInitialToolTips);
    m_pManager->EnableCoolLook(m_bInitialCoolLook);
    m_pManager->EnableLargeBtns(m_bInitialLargeBtns);
}

int SECToolBarsBase::FindItem(UINT nBarID) const
{
    for (int i = 0; i < m_barList.GetCount(); ++i)
        if (static_cast<UINT>(m_barList.GetItemData(i)) == nBarID)
            return i;
    return -1;
}

UINT SECToolBarsBase::SelectedBarId() const
{
    const int nSel = m_barList.GetCurSel();
    return nSel < 0 ? 0 : static_cast<UINT>(m_barList.GetItemData(nSel));
}

void SECToolBarsBase::FillList()
{
    m_barList.ResetContent();
    if (!m_pManager)
        return;
    for (SECCustomToolBar* pBar : m_pManager->GetToolBars()) {
        CString strTitle;
        pBar->GetWindowText(strTitle);
        const int nItem = m_barList.AddString(strTitle);
        m_barList.SetItemData(nItem, static_cast<DWORD_PTR>(pBar->GetDlgCtrlID()));
        m_barList.SetCheck(nItem, pBar->IsVisible() ? 1 : 0);
    }
    if (m_barList.GetCount() > 0)
        m_barList.SetCurSel(0);
}

void SECToolBarsBase::UpdateControls()
{
    if (!m_pDialog)
        return;
    CWnd* pEdit = m_pDialog->GetDlgItem(IDC_SEC_TOOLBAR_NAME);
    CWnd* pLabel = m_pDialog->GetDlgItem(IDC_SEC_TOOLBAR_NAME_LABEL);
    CString strButton;
    strButton.LoadString(IDS_SEC_TOOLBAR_RESET);
    CString strName;
    BOOL bEditable = FALSE;
    if (SECCustomToolBar* pBar = m_pManager ? m_pManager->FindBarById(SelectedBarId()) : nullptr) {
        pBar->GetWindowText(strName);
        if (IsUserBar(SelectedBarId())) {
            bEditable = TRUE;
            strButton.LoadString(IDS_SEC_TOOLBAR_DELETE);
        }
    }
    m_pDialog->SetDlgItemText(IDC_SEC_TOOLBAR_NAME, strName);
    m_pDialog->SetDlgItemText(IDC_SEC_TOOLBAR_RESET, strButton);
    if (pEdit) {
        pEdit->EnableWindow(bEditable);
        pEdit->SendMessage(EM_SETMODIFY, FALSE);
    }
    if (pLabel)
        pLabel->EnableWindow(bEditable);
}

void SECToolBarsBase::CommitName()
{
    CWnd* pEdit = m_pDialog ? m_pDialog->GetDlgItem(IDC_SEC_TOOLBAR_NAME) : nullptr;
    if (!pEdit || !pEdit->IsWindowEnabled() || !pEdit->SendMessage(EM_GETMODIFY))
        return;
    const int nSel = m_barList.GetCurSel();
    SECCustomToolBar* pBar = m_pManager ? m_pManager->FindBarById(SelectedBarId()) : nullptr;
    if (!pBar || nSel < 0)
        return;
    CString strName;
    pEdit->GetWindowText(strName);
    strName = strName.Left(SECNewToolBar::kMaxName);
    pBar->SetWindowText(strName);
    if (pBar->IsFloating())
        if (CFrameWnd* pMiniFrame = pBar->GetParentFrame())
            pMiniFrame->SetWindowText(strName);
    const int nCheck = m_barList.GetCheck(nSel);
    const DWORD_PTR nData = m_barList.GetItemData(nSel);
    m_barList.DeleteString(nSel);
    m_barList.InsertString(nSel, strName);
    m_barList.SetItemData(nSel, nData);
    m_barList.SetCheck(nSel, nCheck);
    m_barList.SetCurSel(nSel);
    pEdit->SendMessage(EM_SETMODIFY, FALSE);
}

void SECToolBarsBase::OnNew()
{
    if (!m_pManager)
        return;
    // The dialog is modal over the sheet: the bars wait while it runs.
    m_pManager->ExitConfigMode();
    SECNewToolBar dialog(m_pDialog);
    const INT_PTR nResult = dialog.DoModal();
    m_pManager->EnterConfigMode();
    if (nResult != IDOK)
        return;
    SECCustomToolBar* pBar = m_pManager->CreateUserToolBar(dialog.m_strName);
    CFrameWnd* pFrame = m_pManager->GetFrame();
    if (!pBar || !pFrame)
        return;
    CRect rect;
    if (CWnd* pTop = pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP)) {
        pTop->GetWindowRect(&rect);
    } else {
        pFrame->GetClientRect(&rect);
        pFrame->ClientToScreen(&rect);
    }
    m_pManager->FloatBar(pBar, rect.TopLeft() + CPoint(kNewBarOffset, kNewBarOffset), CBRS_ALIGN_TOP);
}

void SECToolBarsBase::OnResetOrDelete()
{
    const UINT nID = SelectedBarId();
    SECCustomToolBar* pBar = m_pManager ? m_pManager->FindBarById(nID) : nullptr;
    if (!pBar)
        return;
    CFrameWnd* pFrame = m_pManager->GetFrame();
    if (IsUserBar(nID)) {
        // The list learns of the bar's going from the manager (OnBarNotify, destroyed).
        pBar->DestroyWindow();
    } else if (auto* pMenuBar = dynamic_cast<SECMenuBar*>(pBar)) {
        // The menu bar goes back to the buttons of its menus (it lays the frame out itself).
        pMenuBar->ResetMenuButtons(FALSE);
        return;
    } else {
        std::vector<UINT> ids;
        if (!m_pManager->GetDefaultBarButtons(nID, ids))
            return;
        pBar->SetButtons(ids.data(), static_cast<int>(ids.size()));
        pBar->Invalidate();
    }
    if (pFrame)
        pFrame->RecalcLayout();
}

void SECToolBarsBase::OnCheckChange()
{
    if (!m_pManager)
        return;
    CFrameWnd* pFrame = m_pManager->GetFrame();
    BOOL bChanged = FALSE;
    for (int i = 0; i < m_barList.GetCount(); ++i) {
        const auto nID = static_cast<UINT>(m_barList.GetItemData(i));
        // The menu bar is never hidden from here.
        if (nID == SEC_IDW_MENUBAR) {
            m_barList.SetCheck(i, 1);
            continue;
        }
        SECCustomToolBar* pBar = m_pManager->FindBarById(nID);
        const BOOL bShow = m_barList.GetCheck(i) == 1;
        if (pBar && pFrame && (pBar->IsVisible() != FALSE) != (bShow != FALSE)) {
            pFrame->ShowControlBar(pBar, bShow, TRUE);
            bChanged = TRUE;
        }
    }
    if (bChanged && pFrame)
        pFrame->RecalcLayout();
}

void SECToolBarsBase::OnBarNotify(UINT nBarID, int nCode)
{
    const int nItem = FindItem(nBarID);
    switch (nCode) {
    case barShown:
    case barHidden:
        if (nItem >= 0)
            m_barList.SetCheck(nItem, nCode == barShown ? 1 : 0);
        break;
    case barCreated: {
        // Only bars of the frame: the commands page's category bars belong to the sheet.
        SECCustomToolBar* pBar = m_pManager ? m_pManager->FindBarById(nBarID) : nullptr;
        if (!pBar || nItem >= 0)
            break;
        int nAt = 0;
        while (nAt < m_barList.GetCount() && static_cast<UINT>(m_barList.GetItemData(nAt)) < nBarID)
            ++nAt;
        CString strTitle;
        pBar->GetWindowText(strTitle);
        nAt = m_barList.InsertString(nAt, strTitle);
        m_barList.SetItemData(nAt, nBarID);
        m_barList.SetCheck(nAt, 1);
        break;
    }
    case barDestroyed: {
        if (nItem < 0)
            break;
        const BOOL bSelected = m_barList.GetCurSel() == nItem;
        m_barList.DeleteString(nItem);
        if (bSelected && m_barList.GetCount() > 0) {
            m_barList.SetCurSel(std::min(nItem, m_barList.GetCount() - 1));
            UpdateControls();
        }
        break;
    }
    default:
        break;
    }
}

void SECToolBarsBase::OnOption(UINT nID)
{
    if (!m_pDialog || !m_pManager)
        return;
    const BOOL bOn = m_pDialog->IsDlgButtonChecked(static_cast<int>(nID)) == BST_CHECKED;
    switch (nID) {
    case IDC_SEC_TOOLTIPS:
        m_bToolTips = bOn;
        m_pManager->EnableToolTips(bOn);
        break;
    case IDC_SEC_COOLLOOK:
        m_bCoolLook = bOn;
        m_pManager->EnableCoolLook(bOn);
        StyleChanged(SEC_STYLE_COOLLOOK);
        break;
    case IDC_SEC_LARGEBUTTONS:
        m_bLargeBtns = bOn;
        m_pManager->EnableLargeBtns(bOn);
        StyleChanged(SEC_STYLE_LARGEBUTTONS);
        break;
    default:
        break;
    }
}
