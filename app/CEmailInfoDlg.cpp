#include "app/CEmailInfoDlg.h"

#include "app/BindingFields.h"
#include "app/TuneStewardIds.h"
#include "app/WindowHelpers.h"
#include "library/AppRoutines.h"
#include "platform/afx/AfxDDX.h"

namespace {

constexpr UINT kLabels[] = { 2444, 2445, 2446, 2447 };

} // namespace

BEGIN_MESSAGE_MAP(CEmailInfoDlg, CBaseDialog)
ON_CONTROL_RANGE(EN_CHANGE, IDC_EMAIL_ENABLE, IDC_EMAIL_SMTP_SERVER, OnFieldChanged)
ON_BN_CLICKED(IDC_EMAIL_ENABLE, OnEnableClicked)
END_MESSAGE_MAP()

CEmailInfoDlg::CEmailInfoDlg(CWnd* pParent)
    : CBaseDialog(IDD_EMAIL_INFO, pParent)
{
}

void CEmailInfoDlg::DoDataExchange(CDataExchange* pDX)
{
    CBaseDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_EMAIL_ENABLE, m_bEnableEmail);
    for (int i = 0; i < CEmailInfoRsBinding::TextCount; ++i)
        DDX_Text(pDX, IDC_EMAIL_LOGIN + i, m_strText[i]);
}

BOOL CEmailInfoDlg::OnInitDialog()
{
    CBaseDialog::OnInitDialog();
    for (UINT id : kLabels)
        SetControlTextFromId(id);
    m_record.Open("qEmailInfoForCustomer", m_binding);
    Load();
    SetReadOnly(FALSE);
    m_bDirty = FALSE;
    return TRUE;
}

void CEmailInfoDlg::Load()
{
    const CEmailInfoRsBinding empty;
    const CEmailInfoRsBinding& row = m_record.IsBound() ? m_binding : empty;
    m_bEnableEmail = FieldBool(row.m_bEnableEmail, row.m_lEnableEmailStatus);
    for (int i = 0; i < CEmailInfoRsBinding::TextCount; ++i)
        m_strText[i] = FieldText(row.m_szText[i], row.m_lTextStatus[i]);
    if (m_hWnd) {
        const BOOL dirty = m_bDirty;
        UpdateData(FALSE);
        m_bDirty = dirty;
    }
}

void CEmailInfoDlg::SetReadOnly(BOOL readOnly)
{
    for (int id = IDC_EMAIL_LOGIN; id <= IDC_EMAIL_SMTP_SERVER; ++id)
        SendDlgItemMessage(id, EM_SETREADONLY, readOnly);
    if (CWnd* box = GetDlgItem(IDC_EMAIL_ENABLE))
        box->EnableWindow(!readOnly);
}

void CEmailInfoDlg::OnFieldChanged(UINT id)
{
    if (IsEditControl(GetDlgItem(static_cast<int>(id))))
        m_bDirty = TRUE;
}

void CEmailInfoDlg::OnEnableClicked() { m_bDirty = TRUE; }

void CEmailInfoDlg::OnOK()
{
    if (m_bDirty) {
        if (!UpdateData(TRUE))
            return;
        PutFieldBool(m_binding.m_bEnableEmail, m_binding.m_lEnableEmailStatus, m_bEnableEmail);
        for (int i = 0; i < CEmailInfoRsBinding::TextCount; ++i)
            PutFieldText(m_binding.m_szText[i], m_binding.m_lTextStatus[i], m_strText[i]);
        if (m_record.Write(m_binding))
            SetLibraryModified(true);
        m_bDirty = FALSE;
        Load();
    }
    EndDialog(IDOK);
}
