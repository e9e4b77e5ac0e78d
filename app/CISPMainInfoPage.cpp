#include "app/CISPMainInfoPage.h"

#include "app/BindingFields.h"
#include "app/CEmailInfoDlg.h"
#include "app/CISPAdvancedInfoDlg.h"
#include "app/TuneStewardIds.h"
#include "app/WindowHelpers.h"
#include "library/AppRoutines.h"
#include "platform/afx/AfxDDX.h"
#include "platform/afx/AfxState.h"

namespace {

constexpr UINT kLabels[] = { 2434, 2435, 2436, 2437, 2438, 2439, 2442, IDC_ISP_EMAIL_BUTTON, IDC_ISP_ADVANCED_BUTTON };
constexpr int kTextIds[CISPMainInfoRsBinding::TextCount] = { IDC_ISP_LOGIN_NAME, IDC_ISP_LOGIN_PASSWORD,
    IDC_ISP_PRIMARY_NUMBER, IDC_ISP_SECONDARY_NUMBER };
constexpr int kEditIds[] = { IDC_ISP_CONNECTION_METHOD, IDC_ISP_LOGIN_NAME, IDC_ISP_LOGIN_PASSWORD,
    IDC_ISP_PRIMARY_NUMBER, IDC_ISP_SECONDARY_NUMBER, IDC_ISP_DIAL_PREFIX, IDC_ISP_CALL_WAITING_PREFIX };

} // namespace

BEGIN_MESSAGE_MAP(CISPMainInfoPage, CBasePropertyPage)
ON_CONTROL_RANGE(EN_CHANGE, IDC_ISP_CONNECTION_METHOD, IDC_ISP_CALL_WAITING_PREFIX, OnFieldChanged)
ON_CONTROL_RANGE(BN_CLICKED, IDC_ISP_DISABLE_CALL_WAITING, IDC_ISP_CALL_WAITING, OnCheckChanged)
ON_BN_CLICKED(IDC_ISP_EMAIL_BUTTON, OnEmail)
ON_BN_CLICKED(IDC_ISP_ADVANCED_BUTTON, OnAdvanced)
END_MESSAGE_MAP()

CISPMainInfoPage::CISPMainInfoPage()
    : CBasePropertyPage(IDD_ISP_MAIN_INFO_PAGE)
{
}

void CISPMainInfoPage::DoDataExchange(CDataExchange* pDX)
{
    CBasePropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_ISP_CONNECTION_METHOD, m_nConnectionMethod);
    for (int i = 0; i < CISPMainInfoRsBinding::TextCount; ++i)
        DDX_Text(pDX, kTextIds[i], m_strText[i]);
    DDX_Text(pDX, IDC_ISP_DIAL_PREFIX, m_nDialingPrefix);
    DDX_Check(pDX, IDC_ISP_DISABLE_CALL_WAITING, m_bDisableCallWaiting);
    DDX_Check(pDX, IDC_ISP_CALL_WAITING, m_bCallWaiting);
    DDX_Text(pDX, IDC_ISP_CALL_WAITING_PREFIX, m_nCallWaitingPrefix);
}

BOOL CISPMainInfoPage::OnInitDialog()
{
    CBasePropertyPage::OnInitDialog();
    for (UINT id : kLabels)
        SetControlTextFromId(id);
    if (AfxGetMainWnd())
        m_record.Open("qISPInfoForCustomer", m_binding);
    Load();
    SetReadOnly(FALSE);
    m_bDirty = FALSE;
    return TRUE;
}

void CISPMainInfoPage::Load()
{
    const CISPMainInfoRsBinding empty;
    const CISPMainInfoRsBinding& row = m_record.IsBound() ? m_binding : empty;
    m_nConnectionMethod = FieldLong(row.m_lConnectionMethod, row.m_lConnectionMethodStatus);
    for (int i = 0; i < CISPMainInfoRsBinding::TextCount; ++i)
        m_strText[i] = FieldText(row.m_szText[i], row.m_lTextStatus[i]);
    m_nDialingPrefix = FieldLong(row.m_lDialingPrefix, row.m_lDialingPrefixStatus);
    m_bDisableCallWaiting = FieldBool(row.m_bDisableCallWaiting, row.m_lDisableCallWaitingStatus);
    m_bCallWaiting = FieldBool(row.m_bCallWaiting, row.m_lCallWaitingStatus);
    m_nCallWaitingPrefix = FieldLong(row.m_lCallWaitingPrefix, row.m_lCallWaitingPrefixStatus);
    if (m_hWnd) {
        const BOOL dirty = m_bDirty;
        UpdateData(FALSE);
        m_bDirty = dirty;
    }
}

void CISPMainInfoPage::SetReadOnly(BOOL readOnly)
{
    for (int id : kEditIds)
        SendDlgItemMessage(id, EM_SETREADONLY, readOnly);
    for (int id : { IDC_ISP_DISABLE_CALL_WAITING, IDC_ISP_CALL_WAITING }) {
        if (CWnd* box = GetDlgItem(id))
            box->EnableWindow(!readOnly);
    }
}

void CISPMainInfoPage::OnFieldChanged(UINT id)
{
    if (m_bDirty || !IsEditControl(GetDlgItem(static_cast<int>(id))))
        return;
    SetModified();
    m_bDirty = TRUE;
}

void CISPMainInfoPage::OnCheckChanged(UINT) { m_bDirty = TRUE; }

BOOL CISPMainInfoPage::OnApply()
{
    if (m_bDirty) {
        if (!UpdateData(TRUE))
            return FALSE;
        // HaveISP has no control: it goes back as it was read.
        PutFieldLong(m_binding.m_lConnectionMethod, m_binding.m_lConnectionMethodStatus, m_nConnectionMethod);
        for (int i = 0; i < CISPMainInfoRsBinding::TextCount; ++i)
            PutFieldText(m_binding.m_szText[i], m_binding.m_lTextStatus[i], m_strText[i]);
        PutFieldLong(m_binding.m_lDialingPrefix, m_binding.m_lDialingPrefixStatus, m_nDialingPrefix);
        PutFieldBool(m_binding.m_bDisableCallWaiting, m_binding.m_lDisableCallWaitingStatus, m_bDisableCallWaiting);
        PutFieldBool(m_binding.m_bCallWaiting, m_binding.m_lCallWaitingStatus, m_bCallWaiting);
        PutFieldLong(m_binding.m_lCallWaitingPrefix, m_binding.m_lCallWaitingPrefixStatus, m_nCallWaitingPrefix);
        if (m_record.Write(m_binding))
            SetLibraryModified(true);
        m_bDirty = FALSE;
        Load();
    }
    return CBasePropertyPage::OnApply();
}

void CISPMainInfoPage::OnEmail()
{
    CEmailInfoDlg dialog(this);
    dialog.DoModal();
}

void CISPMainInfoPage::OnAdvanced()
{
    CISPAdvancedInfoDlg dialog(this);
    dialog.DoModal();
}
