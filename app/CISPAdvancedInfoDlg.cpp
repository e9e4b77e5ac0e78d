#include "app/CISPAdvancedInfoDlg.h"

#include "app/BindingFields.h"
#include "app/TuneStewardIds.h"
#include "app/WindowHelpers.h"
#include "library/AppRoutines.h"
#include "platform/afx/AfxDDX.h"
#include "platform/comctl/CommCtrl.h"

namespace {

constexpr UINT kLabels[] = { 2449, 2450, 2451, 2453, 2454, 2455, 2456 };
constexpr int kAddressIds[CISPAdvancedInfoRsBinding::AddressCount] = { IDC_ADV_IP_ADDRESS, IDC_ADV_SUBNET_MASK,
    IDC_ADV_ROUTER };
constexpr int kServerIds[CISPAdvancedInfoRsBinding::ProxyPort] = { IDC_ADV_PRIMARY_DNS, IDC_ADV_SECONDARY_DNS,
    IDC_ADV_PROXY_SERVER };

} // namespace

BEGIN_MESSAGE_MAP(CISPAdvancedInfoDlg, CBaseDialog)
ON_NOTIFY_RANGE(IPN_FIELDCHANGED, IDC_ADV_IP_ADDRESS, IDC_ADV_PROXY_SERVER, OnAddressChanged)
ON_CONTROL_RANGE(BN_CLICKED, IDC_ADV_SERVER_ASSIGNED_IP, IDC_ADV_SERVER_ASSIGNED_DNS, OnCheckChanged)
ON_EN_CHANGE(IDC_ADV_PROXY_PORT, OnPortChanged)
END_MESSAGE_MAP()

CISPAdvancedInfoDlg::CISPAdvancedInfoDlg(CWnd* pParent)
    : CBaseDialog(IDD_ISP_ADVANCED_INFO, pParent)
{
    // The template holds common controls, which are registered on first use.
    InitCommonControls();
}

void CISPAdvancedInfoDlg::DoDataExchange(CDataExchange* pDX)
{
    CBaseDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_ADV_SERVER_ASSIGNED_IP, m_bServerAssignedIPAddress);
    for (int i = 0; i < CISPAdvancedInfoRsBinding::AddressCount; ++i) {
        DDX_Control(pDX, kAddressIds[i], m_addressCtrl[i]);
        DDX_IPAddressText(pDX, m_addressCtrl[i], m_strAddress[i]);
    }
    DDX_Check(pDX, IDC_ADV_SERVER_ASSIGNED_DNS, m_bServerAssignedNameServerAddress);
    for (int i = 0; i < CISPAdvancedInfoRsBinding::ProxyPort; ++i) {
        DDX_Control(pDX, kServerIds[i], m_serverCtrl[i]);
        DDX_IPAddressText(pDX, m_serverCtrl[i], m_strServer[i]);
    }
    DDX_Text(pDX, IDC_ADV_PROXY_PORT, m_strServer[CISPAdvancedInfoRsBinding::ProxyPort]);
}

BOOL CISPAdvancedInfoDlg::OnInitDialog()
{
    CBaseDialog::OnInitDialog();
    for (UINT id : kLabels)
        SetControlTextFromId(id);
    m_record.Open("qISPAdvancedInfoForCustomer", m_binding);
    Load();
    SetReadOnly(FALSE);
    m_bDirty = FALSE;
    return TRUE;
}

void CISPAdvancedInfoDlg::Load()
{
    const CISPAdvancedInfoRsBinding empty;
    const CISPAdvancedInfoRsBinding& row = m_record.IsBound() ? m_binding : empty;
    m_bServerAssignedIPAddress = FieldBool(row.m_bServerAssignedIPAddress, row.m_lServerAssignedIPAddressStatus);
    for (int i = 0; i < CISPAdvancedInfoRsBinding::AddressCount; ++i)
        m_strAddress[i] = FieldText(row.m_szAddress[i], row.m_lAddressStatus[i]);
    m_bServerAssignedNameServerAddress
        = FieldBool(row.m_bServerAssignedNameServerAddress, row.m_lServerAssignedNameServerAddressStatus);
    for (int i = 0; i < CISPAdvancedInfoRsBinding::ServerCount; ++i)
        m_strServer[i] = FieldText(row.m_szServer[i], row.m_lServerStatus[i]);
    if (m_hWnd) {
        const BOOL dirty = m_bDirty;
        UpdateData(FALSE);
        m_bDirty = dirty;
    }
}

void CISPAdvancedInfoDlg::SetReadOnly(BOOL readOnly)
{
    SendDlgItemMessage(IDC_ADV_PROXY_PORT, EM_SETREADONLY, readOnly);
    for (int id = IDC_ADV_SERVER_ASSIGNED_IP; id <= IDC_ADV_PROXY_SERVER; ++id) {
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(!readOnly);
    }
}

void CISPAdvancedInfoDlg::OnAddressChanged(UINT, NMHDR*, LRESULT* pResult)
{
    m_bDirty = TRUE;
    *pResult = 0;
}

void CISPAdvancedInfoDlg::OnCheckChanged(UINT) { m_bDirty = TRUE; }

void CISPAdvancedInfoDlg::OnPortChanged() { m_bDirty = TRUE; }

void CISPAdvancedInfoDlg::OnOK()
{
    if (m_bDirty) {
        if (!UpdateData(TRUE))
            return;
        PutFieldBool(m_binding.m_bServerAssignedIPAddress, m_binding.m_lServerAssignedIPAddressStatus,
            m_bServerAssignedIPAddress);
        for (int i = 0; i < CISPAdvancedInfoRsBinding::AddressCount; ++i)
            PutFieldText(m_binding.m_szAddress[i], m_binding.m_lAddressStatus[i], m_strAddress[i]);
        PutFieldBool(m_binding.m_bServerAssignedNameServerAddress, m_binding.m_lServerAssignedNameServerAddressStatus,
            m_bServerAssignedNameServerAddress);
        for (int i = 0; i < CISPAdvancedInfoRsBinding::ServerCount; ++i)
            PutFieldText(m_binding.m_szServer[i], m_binding.m_lServerStatus[i], m_strServer[i]);
        if (m_record.Write(m_binding))
            SetLibraryModified(true);
        m_bDirty = FALSE;
        Load();
    }
    EndDialog(IDOK);
}
