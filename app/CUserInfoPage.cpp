#include "app/CUserInfoPage.h"

#include "app/BindingFields.h"
#include "app/TuneStewardIds.h"
#include "app/WindowHelpers.h"
#include "library/AppRoutines.h"
#include "library/RegExp.h"
#include "platform/afx/AfxDDX.h"
#include "platform/afx/AfxMessageBox.h"

namespace {

constexpr UINT kLabels[] = { 2416, 2417, 2418, 2419, 2421, 2423, 2425, 2426 };
constexpr const char* kPhoneMask = "(###) ###-####";

} // namespace

bool IsAcceptedEmailAddress(const CString& address)
{
    if (address.IsEmpty())
        return true;
    RegExp pattern;
    return pattern.Compile("^[a-zA-Z][a-zA-Z_0-9\\.]+@[a-zA-Z_0-9\\.]+\\.[a-zA-Z][a-zA-Z]+$") && pattern.Match(address) >= 0;
}

BEGIN_MESSAGE_MAP(CUserInfoPage, CBasePropertyPage)
ON_CONTROL_RANGE(EN_CHANGE, IDC_USER_FIRST_NAME, IDC_USER_HOME_PHONE, OnFieldChanged)
END_MESSAGE_MAP()

CUserInfoPage::CUserInfoPage()
    : CBasePropertyPage(IDD_USER_INFO_PAGE)
{
}

void CUserInfoPage::DoDataExchange(CDataExchange* pDX)
{
    CBasePropertyPage::DoDataExchange(pDX);
    for (int i = 0; i < CUserInfoRsBinding::HomePhone; ++i)
        DDX_Text(pDX, IDC_USER_FIRST_NAME + i, m_strText[i]);
    DDX_MaskEdit(pDX, m_phone, m_strPhoneData, m_strPhoneRaw);
}

BOOL CUserInfoPage::OnInitDialog()
{
    m_phone.AttachEdit(IDC_USER_HOME_PHONE, this);
    m_phone.SetMask(kPhoneMask);
    CBasePropertyPage::OnInitDialog();
    for (UINT id : kLabels)
        SetControlTextFromId(id);
    m_record.Open("qUserInfoForCustomer", m_binding);
    Load();
    SetReadOnly(FALSE);
    m_bInitialised = true;
    return TRUE;
}

void CUserInfoPage::Load()
{
    const bool bound = m_record.IsBound();
    for (int i = 0; i < CUserInfoRsBinding::HomePhone; ++i)
        m_strText[i] = bound ? FieldText(m_binding.m_szText[i], m_binding.m_lTextStatus[i]) : CString();
    m_strPhoneData = bound ? FieldText(m_binding.m_szText[CUserInfoRsBinding::HomePhone],
                                 m_binding.m_lTextStatus[CUserInfoRsBinding::HomePhone])
                           : CString();
    if (m_hWnd) {
        const bool initialised = m_bInitialised;
        m_bInitialised = false;
        m_phone.SetMask(kPhoneMask);
        UpdateData(FALSE);
        m_bInitialised = initialised;
    }
}

void CUserInfoPage::SetReadOnly(BOOL readOnly)
{
    for (int id = IDC_USER_FIRST_NAME; id <= IDC_USER_HOME_PHONE; ++id)
        SendDlgItemMessage(id, EM_SETREADONLY, readOnly);
}

void CUserInfoPage::OnFieldChanged(UINT id)
{
    if (!m_bInitialised || m_bDirty || !IsEditControl(GetDlgItem(static_cast<int>(id))))
        return;
    SetModified();
    m_bDirty = TRUE;
}

BOOL CUserInfoPage::OnApply()
{
    if (m_bDirty && !UpdateData(TRUE))
        return FALSE;
    if (!IsAcceptedEmailAddress(m_strText[CUserInfoRsBinding::EmailAddress])) {
        AfxMessageBox(IDS_EMAIL_INVALID, MB_OK);
        GetDlgItem(IDC_USER_EMAIL)->SetFocus();
        return FALSE;
    }
    if (m_bDirty) {
        for (int i = 0; i < CUserInfoRsBinding::HomePhone; ++i)
            PutFieldText(m_binding.m_szText[i], m_binding.m_lTextStatus[i], m_strText[i]);
        // The device takes the number as its digits; the mask's brackets and dash are only shown.
        CString digits = m_strPhoneData;
        digits.Remove(' ');
        PutFieldText(m_binding.m_szText[CUserInfoRsBinding::HomePhone],
            m_binding.m_lTextStatus[CUserInfoRsBinding::HomePhone], digits);
        MarkRowModified(m_binding.m_bModifyFlag, m_binding.m_lModifyFlagStatus, m_binding.m_dtTimeStamp,
            m_binding.m_lTimeStampStatus);
        if (m_record.Write(m_binding))
            SetLibraryModified(true);
        m_bDirty = FALSE;
        Load();
    }
    return CBasePropertyPage::OnApply();
}
