#include "toolkit/controls/SECBrowseEditBase.h"

#include "toolkit/controls/SECBrowseButton.h"

IMPLEMENT_DYNAMIC(SECBrowseEditBase, CEdit)

BEGIN_MESSAGE_MAP(SECBrowseEditBase, CEdit)
    ON_WM_ENABLE()
    ON_WM_SHOWWINDOW()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

SECBrowseEditBase::~SECBrowseEditBase()
{
    if (SECBrowseButton* pButton = LiveButton())
        pButton->DestroyWindow();
}

SECBrowseButton* SECBrowseEditBase::LiveButton() const
{
    // The dialog may have destroyed the button (and so deleted it) before the edit.
    return m_pButton && CWnd::FromHandlePermanent(m_hButton) == m_pButton ? m_pButton : nullptr;
}

BOOL SECBrowseEditBase::Initialize(UINT nID, CWnd* pDialog)
{
    CWnd* pEdit = pDialog ? pDialog->GetDlgItem(static_cast<int>(nID)) : nullptr;
    if (!pEdit)
        return FALSE;
    const BOOL bEnabled = pEdit->IsWindowEnabled();
    if (!SubclassDlgItem(nID, pDialog))
        return FALSE;
    m_pButton = new SECBrowseButton(this);
    if (!m_pButton->AttachToEdit()) {
        // Without a window the button never deletes itself.
        delete m_pButton;
        m_pButton = nullptr;
        return TRUE;
    }
    m_hButton = m_pButton->GetSafeHwnd();
    m_pButton->EnableWindow(bEnabled);
    return TRUE;
}

void SECBrowseEditBase::OnEnable(BOOL bEnable)
{
    Default();
    if (SECBrowseButton* pButton = LiveButton())
        pButton->EnableWindow(bEnable);
}

void SECBrowseEditBase::OnShowWindow(BOOL bShow, UINT)
{
    Default();
    if (SECBrowseButton* pButton = LiveButton())
        pButton->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

void SECBrowseEditBase::OnDestroy()
{
    if (SECBrowseButton* pButton = LiveButton())
        pButton->DestroyWindow();
    m_pButton = nullptr;
    m_hButton = nullptr;
    CEdit::OnDestroy();
}
