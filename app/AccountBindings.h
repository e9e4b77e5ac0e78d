#pragma once
// The customer's rows as the account forms bind them: the columns of each form's stored query by
// position. Texts are 50 characters (102-byte buffers); every field has its status word.

#include "platform/ado/AdoRecordBinding.h"

// Characters of an account text with its terminator.
inline constexpr int kAccountTextSize = 51;

// "qUserInfoForCustomer": eight texts, ModifyFlag, TimeStamp.
class CUserInfoRsBinding : public CADORecordBinding {
public:
    enum Text { FirstName, LastName, HomeAddress, City, StateorProvince, Zipcode, EmailAddress, HomePhone, TextCount };
    std::vector<ADO_BINDING_ENTRY> GetADOBindingEntries() override;

    WCHAR m_szText[TextCount][kAccountTextSize] {};
    ULONG m_lTextStatus[TextCount] {};
    VARIANT_BOOL m_bModifyFlag { VARIANT_FALSE };
    ULONG m_lModifyFlagStatus { 0 };
    DATE m_dtTimeStamp { 0 };
    ULONG m_lTimeStampStatus { 0 };
};

// "qISPInfoForCustomer".
class CISPMainInfoRsBinding : public CADORecordBinding {
public:
    enum Text { LoginName, LoginPassword, PrimaryDialupNumber, SecondaryDialupNumber, TextCount };
    std::vector<ADO_BINDING_ENTRY> GetADOBindingEntries() override;

    VARIANT_BOOL m_bHaveISP { VARIANT_FALSE };
    ULONG m_lHaveISPStatus { 0 };
    long m_lConnectionMethod { 0 };
    ULONG m_lConnectionMethodStatus { 0 };
    WCHAR m_szText[TextCount][kAccountTextSize] {};
    ULONG m_lTextStatus[TextCount] {};
    long m_lDialingPrefix { 0 };
    ULONG m_lDialingPrefixStatus { 0 };
    VARIANT_BOOL m_bDisableCallWaiting { VARIANT_FALSE };
    ULONG m_lDisableCallWaitingStatus { 0 };
    VARIANT_BOOL m_bCallWaiting { VARIANT_FALSE };
    ULONG m_lCallWaitingStatus { 0 };
    long m_lCallWaitingPrefix { 0 };
    ULONG m_lCallWaitingPrefixStatus { 0 };
};

// "qEmailInfoForCustomer".
class CEmailInfoRsBinding : public CADORecordBinding {
public:
    enum Text { EmailLogin, EmailPassword, POPServer, SMTPServer, TextCount };
    std::vector<ADO_BINDING_ENTRY> GetADOBindingEntries() override;

    VARIANT_BOOL m_bEnableEmail { VARIANT_FALSE };
    ULONG m_lEnableEmailStatus { 0 };
    WCHAR m_szText[TextCount][kAccountTextSize] {};
    ULONG m_lTextStatus[TextCount] {};
};

// "qISPAdvancedInfoForCustomer".
class CISPAdvancedInfoRsBinding : public CADORecordBinding {
public:
    enum Address { IPAddress, SubnetMask, RouterAddress, AddressCount };
    enum Server { PrimaryDNS, SecondaryDNS, ProxyServer, ProxyPort, ServerCount };
    std::vector<ADO_BINDING_ENTRY> GetADOBindingEntries() override;

    VARIANT_BOOL m_bServerAssignedIPAddress { VARIANT_FALSE };
    ULONG m_lServerAssignedIPAddressStatus { 0 };
    WCHAR m_szAddress[AddressCount][kAccountTextSize] {};
    ULONG m_lAddressStatus[AddressCount] {};
    VARIANT_BOOL m_bServerAssignedNameServerAddress { VARIANT_FALSE };
    ULONG m_lServerAssignedNameServerAddressStatus { 0 };
    WCHAR m_szServer[ServerCount][kAccountTextSize] {};
    ULONG m_lServerStatus[ServerCount] {};
};
