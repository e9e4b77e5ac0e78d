#include "platform/afx/CDialog.h"

#include <cstring>

#include "platform/afx/AfxState.h"
#include "platform/afx/CDataExchange.h"
#include "platform/afx/CException.h"
#include "platform/afx/CUserException.h"
#include "platform/afx/CWinThread.h"
#include "platform/afx/DialogPlacement.h"
#include "platform/base/Debug.h"
#include "platform/base/Resources.h"
#include "platform/user/WinControls.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
ON_COMMAND(IDOK, OnIdOK)
ON_COMMAND(IDCANCEL, OnIdCancel)
END_MESSAGE_MAP()

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_pParentWnd(pParentWnd)
{
    if (IS_INTRESOURCE(lpszTemplateName)) {
        m_nIDTemplate = static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszTemplateName));
        m_nIDHelp = m_nIDTemplate;
    } else if (lpszTemplateName) {
        m_strTemplateName = lpszTemplateName;
    }
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDHelp(nIDTemplate)
    , m_nIDTemplate(nIDTemplate)
    , m_pParentWnd(pParentWnd)
{
}

CDialog::~CDialog()
{
    if (m_hWnd)
        DestroyWindow();
}

LPCTSTR CDialog::TemplateName() const
{
    if (m_nIDTemplate)
        return MAKEINTRESOURCE(m_nIDTemplate);
    return m_strTemplateName.IsEmpty() ? nullptr : m_strTemplateName.GetString();
}

LPCDLGTEMPLATE CDialog::LoadTemplate(HINSTANCE& hInst) const
{
    LPCTSTR name = TemplateName();
    if (!name)
        return nullptr;
    hInst = AfxFindResourceHandle(name, RT_DIALOG);
    HRSRC resource = ::FindResource(hInst, name, RT_DIALOG);
    if (!resource)
        return nullptr;
    return static_cast<LPCDLGTEMPLATE>(::LockResource(::LoadResource(hInst, resource)));
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    if (IS_INTRESOURCE(lpszTemplateName)) {
        m_nIDTemplate = static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszTemplateName));
        m_strTemplateName.Empty();
        if (!m_nIDHelp)
            m_nIDHelp = m_nIDTemplate;
    } else {
        m_nIDTemplate = 0;
        m_strTemplateName = lpszTemplateName ? lpszTemplateName : "";
    }
    m_pParentWnd = pParentWnd;
    HINSTANCE hInst = nullptr;
    LPCDLGTEMPLATE dialogTemplate = LoadTemplate(hInst);
    if (!dialogTemplate)
        return FALSE;
    return CreateDlgIndirect(dialogTemplate, pParentWnd, hInst);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) { return Create(MAKEINTRESOURCE(nIDTemplate), pParentWnd); }

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd)
{
    m_pParentWnd = pParentWnd;
    return CreateDlgIndirect(lpDialogTemplate, pParentWnd, nullptr);
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd)
{
    if (!lpDialogTemplate)
        return FALSE;
    m_lpDialogTemplate = lpDialogTemplate;
    m_pParentWnd = pParentWnd;
    return TRUE;
}

HWND CDialog::PreModal()
{
    CWnd* owner = CWnd::GetSafeOwner(m_pParentWnd, &m_hWndTop);
    return owner ? owner->m_hWnd : nullptr;
}

void CDialog::PostModal() { m_hWndTop = nullptr; }

INT_PTR CDialog::DoModal()
{
    HINSTANCE hInst = nullptr;
    LPCDLGTEMPLATE dialogTemplate = m_lpDialogTemplate;
    if (!dialogTemplate) {
        dialogTemplate = LoadTemplate(hInst);
        if (!dialogTemplate)
            return -1;
    }
    if (m_hWnd)
        return -1;

    const int result = RunModal(PreModal(), [this, dialogTemplate, hInst](CWnd* owner) {
        return CreateDlgIndirect(dialogTemplate, owner, hInst);
    });
    PostModal();
    return result;
}

void CDialog::EndDialog(int nResult)
{
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(nResult);
    ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    if (!m_hWnd)
        return FALSE;
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (CException* e) {
        // A refused value has been reported and its control focused; anything else is reported here.
        if (!e->IsKindOf(RUNTIME_CLASS(CUserException)))
            e->ReportError(MB_ICONEXCLAMATION);
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) { }

BOOL CDialog::OnInitDialog()
{
    const BOOL filled = ExecuteDlgInit(TemplateName());
    if (!filled)
        OutputDebugStringA("CDialog: the dialog's DLGINIT data could not be used in full\n");
    UpdateData(FALSE);
    return TRUE;
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    const afx::DialogPlacement placement(*this);
    const BOOL focusDefault = OnInitDialog();
    placement.CentreIfUnplaced(*this);
    return focusDefault;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (!m_hWnd || !pMsg->hwnd)
        return FALSE;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    return ::IsDialogMessage(m_hWnd, pMsg);
}

void CDialog::NextDlgCtrl() const { SendMessage(WM_NEXTDLGCTL, 0, 0); }

void CDialog::PrevDlgCtrl() const { SendMessage(WM_NEXTDLGCTL, 1, 0); }

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    if (pWndCtrl && pWndCtrl->m_hWnd)
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->m_hWnd), 1);
}

CWnd* CDialog::GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    return CWnd::FromHandle(::GetNextDlgTabItem(m_hWnd, pWndCtl ? pWndCtl->m_hWnd : nullptr, bPrevious));
}

CWnd* CDialog::GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    return CWnd::FromHandle(::GetNextDlgGroupItem(m_hWnd, pWndCtl ? pWndCtl->m_hWnd : nullptr, bPrevious));
}

int CDialog::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const
{
    for (int id = nIDFirstButton; id <= nIDLastButton; ++id) {
        if (::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED)
            return id;
    }
    return 0;
}
