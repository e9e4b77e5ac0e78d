#include "app/AccountBindings.h"

namespace {

constexpr ULONG kTextBytes = sizeof(WCHAR) * kAccountTextSize;

} // namespace

std::vector<ADO_BINDING_ENTRY> CUserInfoRsBinding::GetADOBindingEntries()
{
    std::vector<ADO_BINDING_ENTRY> entries;
    for (int i = 0; i < TextCount; ++i)
        entries.push_back(MakeBindingEntry(1 + i, adVarWChar, m_szText[i], kTextBytes, &m_lTextStatus[i], TRUE));
    entries.push_back(MakeBindingEntry(9, adBoolean, &m_bModifyFlag, sizeof(m_bModifyFlag), &m_lModifyFlagStatus, TRUE));
    entries.push_back(MakeBindingEntry(10, adDate, &m_dtTimeStamp, sizeof(m_dtTimeStamp), &m_lTimeStampStatus, TRUE));
    return entries;
}

std::vector<ADO_BINDING_ENTRY> CISPMainInfoRsBinding::GetADOBindingEntries()
{
    std::vector<ADO_BINDING_ENTRY> entries;
    entries.push_back(MakeBindingEntry(1, adBoolean, &m_bHaveISP, sizeof(m_bHaveISP), &m_lHaveISPStatus, TRUE));
    entries.push_back(MakeBindingEntry(2, adInteger, &m_lConnectionMethod, sizeof(m_lConnectionMethod), &m_lConnectionMethodStatus, TRUE));
    for (int i = 0; i < TextCount; ++i)
        entries.push_back(MakeBindingEntry(3 + i, adVarWChar, m_szText[i], kTextBytes, &m_lTextStatus[i], TRUE));
    entries.push_back(MakeBindingEntry(7, adInteger, &m_lDialingPrefix, sizeof(m_lDialingPrefix), &m_lDialingPrefixStatus, TRUE));
    entries.push_back(MakeBindingEntry(8, adBoolean, &m_bDisableCallWaiting, sizeof(m_bDisableCallWaiting), &m_lDisableCallWaitingStatus, TRUE));
    entries.push_back(MakeBindingEntry(9, adBoolean, &m_bCallWaiting, sizeof(m_bCallWaiting), &m_lCallWaitingStatus, TRUE));
    entries.push_back(MakeBindingEntry(10, adInteger, &m_lCallWaitingPrefix, sizeof(m_lCallWaitingPrefix), &m_lCallWaitingPrefixStatus, TRUE));
    return entries;
}

std::vector<ADO_BINDING_ENTRY> CEmailInfoRsBinding::GetADOBindingEntries()
{
    std::vector<ADO_BINDING_ENTRY> entries;
    entries.push_back(MakeBindingEntry(1, adBoolean, &m_bEnableEmail, sizeof(m_bEnableEmail), &m_lEnableEmailStatus, TRUE));
    for (int i = 0; i < TextCount; ++i)
        entries.push_back(MakeBindingEntry(2 + i, adVarWChar, m_szText[i], kTextBytes, &m_lTextStatus[i], TRUE));
    return entries;
}

std::vector<ADO_BINDING_ENTRY> CISPAdvancedInfoRsBinding::GetADOBindingEntries()
{
    std::vector<ADO_BINDING_ENTRY> entries;
    entries.push_back(MakeBindingEntry(1, adBoolean, &m_bServerAssignedIPAddress, sizeof(m_bServerAssignedIPAddress),
        &m_lServerAssignedIPAddressStatus, TRUE));
    for (int i = 0; i < AddressCount; ++i)
        entries.push_back(MakeBindingEntry(2 + i, adVarWChar, m_szAddress[i], kTextBytes, &m_lAddressStatus[i], TRUE));
    entries.push_back(MakeBindingEntry(5, adBoolean, &m_bServerAssignedNameServerAddress,
        sizeof(m_bServerAssignedNameServerAddress), &m_lServerAssignedNameServerAddressStatus, TRUE));
    for (int i = 0; i < ServerCount; ++i)
        entries.push_back(MakeBindingEntry(6 + i, adVarWChar, m_szServer[i], kTextBytes, &m_lServerStatus[i], TRUE));
    return entries;
}
