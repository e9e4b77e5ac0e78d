#pragma once
// One device that answered a discovery broadcast: the six texts of its discovery reply.

#include <string>

#include "platform/com/AtlBase.h"
#include "sync/Lumasync.h"

class DeviceInfo : public CComObjectRootEx<CComSingleThreadModel>, public IDispatchImpl<IQVClient> {
public:
    BEGIN_COM_MAP(DeviceInfo)
    COM_INTERFACE_ENTRY(IQVClient)
    COM_INTERFACE_ENTRY(IDispatch)
    END_COM_MAP()

    // The texts as the discovery reply gave them (UTF-8).
    struct Texts {
        std::string friendlyName;
        std::string oemName;
        std::string ipAddress;
        std::string serialNumber;
        std::string productName;
        std::string udn;
    };

    // Takes the reply's texts: an empty friendly name falls back on the serial number, an address
    // loses its ":port" (unless the colon comes first), an empty udn becomes "localhost".
    void SetTexts(const Texts& reply);
    const std::string& IpAddress() const { return m_texts.ipAddress; }

    HRESULT get_FriendlyName(BSTR* pVal) override;
    HRESULT get_IPAddress(BSTR* pVal) override;
    HRESULT get_OEMName(BSTR* pVal) override;
    HRESULT get_SerialNumber(BSTR* pVal) override;
    HRESULT get_ProductName(BSTR* pVal) override;
    HRESULT get_UDN(BSTR* pVal) override;

private:
    Texts m_texts;
};
